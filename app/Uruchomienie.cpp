#include "Uruchomienie.h"

#include <algorithm>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <sstream>
#include <thread>

#include "Programy.h"
#include "SchematJson.h"
#include "TSymulator.h"
#include "Tekst.h"

namespace {

using Json = nlohmann::ordered_json;

// One trace line per tick, through the safe save: the target is replaced only when every
// line is on the disk. Lines are gathered and handed over in blocks.
class TSlad {
  public:
    explicit TSlad(const std::string& sciezka) : zapis(sciezka) {
        if (!zapis.Otworz(blad)) return;
        bufor = "takt,wiersz,sygnaly,L,A,S,KOD,AD,AK,magistrala_A,A_zajeta,magistrala_S,S_zajeta,"
                "N,NP,NM,RZ,RP\r\n";
        otwarty = true;
    }
    bool Otwarty() const { return otwarty; }
    const std::string& Blad() const { return blad; }
    void Zapisz(std::uint64_t takt, std::int32_t wiersz, const TMaszyna& m) {
        if (!otwarty) return;
        bufor +=
            std::to_string(takt) + ',' + std::to_string(wiersz) + ",\"" + m.BiezacyTekst() + '"';
        for (int s : {Slot::L, Slot::A, Slot::S, Slot::KOD, Slot::AD, Slot::AK})
            bufor += ',' + std::to_string(m.Wartosc(s));
        bufor += ',' + std::to_string(m.Wartosc(Slot::MagA)) + ',' +
                 std::to_string(m.Zajeta(Slot::MagA)) + ',' +
                 std::to_string(m.Wartosc(Slot::MagS)) + ',' + std::to_string(m.Zajeta(Slot::MagS));
        for (int s : {Slot::N, Slot::NP, Slot::NM, Slot::RZ, Slot::RP})
            bufor += ',' + std::to_string(m.Wartosc(s));
        bufor += "\r\n";
        if (bufor.size() >= 1 << 16) Oddaj();
    }
    // False, with the temporary file removed and the reason in Blad(), when something
    // was not written.
    bool Zamknij() {
        Oddaj();
        if (otwarty && zapis.Zakoncz(blad)) return true;
        otwarty = false;
        return false;
    }

  private:
    void Oddaj() {
        if (otwarty && !zapis.Pisz(bufor, blad)) otwarty = false;
        bufor.clear();
    }
    tekst::TZapisPliku zapis;
    std::string bufor, blad;
    bool otwarty = false;
};

void WypiszListe(std::ostream& o, const char* tytul, const std::vector<std::string>& linie) {
    o << tytul << ":\n";
    for (const auto& l : linie)
        o << "  " << l << "\n";
}

struct TPrzebiegProgramu {
    std::uint64_t Takty = 0;
    bool PunktTrafiony = false;
};

TPrzebiegProgramu Uruchom(TSymulator& s, const TZadanie& z, TSlad* slad) {
    TPrzebiegProgramu w;
    if (z.MaksTaktow == 0) return w;
    const auto& przerwania = z.Przerwania;
    std::size_t nastepne = 0;
    std::int32_t wiersz = s.Maszyna.BiezacyWiersz();
    if (!s.RozpocznijPrzebieg(TPolecenie::Program)) return w;
    // A request for tick T is raised only when tick T is about to run, so the run goes in
    // slices that end just before the next scheduled request.
    while (s.TrwaPrzebieg() && w.Takty < z.MaksTaktow) {
        for (; nastepne < przerwania.size() && przerwania[nastepne].Takt <= w.Takty + 1; ++nastepne)
            s.ZglosPrzerwanie(przerwania[nastepne].Numer);
        TPorcjaPrzebiegu porcja;
        porcja.Takty = z.MaksTaktow - w.Takty;
        if (nastepne < przerwania.size())
            porcja.Takty = std::min(porcja.Takty, przerwania[nastepne].Takt - 1 - w.Takty);
        TWynikPorcjiPrzebiegu r;
        if (slad) {
            std::uint64_t takt = w.Takty;
            r = s.PorcjaPrzebiegu(porcja, [&](TWynikTaktu) {
                slad->Zapisz(++takt, wiersz, s.Maszyna);
                wiersz = s.Maszyna.BiezacyWiersz();
                return true;
            });
        } else {
            // Nothing to do between ticks: the machine runs the slice in its own loop.
            r = s.PorcjaPrzebiegu(porcja);
        }
        w.Takty += r.Takty;
        if (r.StopWPorcji) w.PunktTrafiony = true;
    }
    // The limit of ticks ends the run here.
    s.ZakonczPrzebieg();
    return w;
}

void RaportTekstem(std::ostream& w, const TSymulator& s, const TZadanie& z,
                   const TPrzebiegProgramu& p,
                   const std::vector<std::string>& komunikatyMikroprogramu) {
    const TMaszyna& m = s.Maszyna;
    WypiszListe(w, "Komunikaty kompilacji mikroprogramu", komunikatyMikroprogramu);
    WypiszListe(w, "Komunikaty asemblera", s.WynikAsemblacji.Komunikaty);
    WypiszListe(w, "Komunikaty maszyny", s.Dziennik.Linie());
    w << "Stan: "
      << (m.Zatrzymana()    ? "zatrzymana przez stp"
          : p.PunktTrafiony ? "zatrzymana przez punkt zatrzymania"
                            : "osiągnięty limit taktów")
      << "\n";
    w << "Takty: " << p.Takty << "\n";
    w << "Rejestry:\n";
    for (const auto& r : RejestryRaportu)
        w << "  " << r.Nazwa << " = " << m.Wartosc(r.Slot) << "\n";
    w << "Flagi:\n";
    for (const auto& f : FlagiRaportu)
        w << "  " << f.Nazwa << " = " << m.WarunekSpelniony(f.Warunek) << "\n";
    w << "Pamięć (adres: kod argument słowo):\n";
    for (const auto& k : m.PaO().Komorki())
        w << "  " << k.Adres << ": " << k.Kod << " " << k.Argument << " " << m.CzytajPaO(k.Adres)
          << "\n";
    WypiszListe(w, "Wyjście konsoli", s.Konsola.Wyjscie());
    if (z.Mikroprogram) {
        w << "Pamięć mikroprogramu (wiersz | rozkaz | etykieta | sygnały | =0 | =1 | warunek):\n";
        for (const auto& r : s.PamiecMikroprogramu.Wiersze())
            w << "  " << r.Adres << " | " << r.Rozkaz << " | " << r.Etykieta << " | " << r.Sygnaly
              << " | " << r.Cel0 << " | " << r.Cel1 << " | " << r.Warunek << "\n";
    }
}

TWynikProgramu BladPliku(const TZadanie& z, const std::string& program, const std::string& blad) {
    TWynikProgramu w;
    w.Program = program;
    w.Kod = KodZleUzycie;
    w.Bledy = "symulator-cli: " + blad + "\n";
    w.PierwszaNiezgodnosc = blad;
    if (z.Json && z.WieleProgramow)
        w.Wyjscie = TekstJson(Json{{"program", program}, {"error", blad}}) + "\n";
    return w;
}

// The schematic of the machine as it ended, as JSON, through the safe save.
bool ZapiszObraz(const TSymulator& s, const std::string& sciezka, std::string& blad) {
    TObrazSchematu obraz;
    RysujSchemat(s.Maszyna, s.Architektura, 0, TMiaraStala(), obraz);
    tekst::TZapisPliku zapis(sciezka);
    return zapis.Otworz(blad) && zapis.Pisz(SchematJsonTekst(obraz), blad) && zapis.Zakoncz(blad);
}

} // namespace

int GorszyKod(int a, int b) {
    const auto waga = [](int k) {
        switch (k) {
        case KodZleUzycie:
            return 4;
        case KodNiezgodny:
            return 3;
        case KodPunkt:
            return 2;
        case KodLimit:
            return 1;
        default:
            return 0;
        }
    };
    return waga(a) >= waga(b) ? a : b;
}

TWynikProgramu UruchomProgram(const TZadanie& z, const std::string& program) {
    TSymulator s;
    s.Maszyna.UstawHistorie(nullptr); // the runner never goes back
    s.UstawRozkazy(z.ListaRozkazow);
    if (z.BityAdresu != s.Maszyna.BityAdresu() || z.BityKodu != s.Maszyna.BityKodu())
        s.UstawSzerokosci(z.BityAdresu, z.BityKodu);
    s.UstawArchitekture(z.Architektura);
    std::string blad;
    for (const auto& p : z.Punkty)
        if (!s.DodajPunkt(p, blad)) return BladPliku(z, program, blad);
    if (!s.WczytajProgram(program, blad)) return BladPliku(z, program, blad);

    s.KompilujMikroprogram();
    const std::span<const std::string> ostatnie = s.KomunikatyOstatniejKompilacji();
    const std::vector<std::string> komunikatyMikroprogramu(ostatnie.begin(), ostatnie.end());
    s.KompilujProgram(s.ZrodloProgramu);
    s.ZrodloProgramu = {};
    s.Reset();
    s.UstawWejscie(z.Wejscie);
    for (const auto& u : z.Ustawienia)
        ZastosujUstawienie(s, u);

    TWynikProgramu w;
    w.Program = program;
    w.Uruchomiony = true;
    std::string bladKompilacji;
    const std::size_t bledyAsemblera = s.WynikAsemblacji.Komunikaty.size();
    if (z.Scisle && (!komunikatyMikroprogramu.empty() || bledyAsemblera)) {
        bladKompilacji = "Błędy kompilacji (" + std::to_string(komunikatyMikroprogramu.size()) +
                         " w mikroprogramie, " + std::to_string(bledyAsemblera) +
                         " w programie): program nie został uruchomiony";
    }

    TPrzebiegProgramu przebieg;
    if (bladKompilacji.empty()) {
        std::unique_ptr<TSlad> slad;
        if (!z.Slad.empty()) {
            slad = std::make_unique<TSlad>(z.Slad);
            if (!slad->Otwarty()) return BladPliku(z, program, slad->Blad());
        }
        przebieg = Uruchom(s, z, slad.get());
        if (slad && !slad->Zamknij()) return BladPliku(z, program, slad->Blad());
    }
    if (std::string blad; !z.Obraz.empty() && !ZapiszObraz(s, z.Obraz, blad))
        return BladPliku(z, program, blad);
    w.Takty = przebieg.Takty;

    const TMaszyna& m = s.Maszyna;
    Json raport = RaportJson(s, przebieg.Takty, przebieg.PunktTrafiony, komunikatyMikroprogramu,
                             z.Mikroprogram);
    std::vector<TSprawdzenie> sprawdzenia;
    if (z.Oczekiwania && bladKompilacji.empty()) sprawdzenia = z.Oczekiwania->Sprawdz(raport, m);
    for (const auto& c : sprawdzenia) {
        ++(c.Zgodne ? w.Spelnione : w.Niespelnione);
        if (!c.Zgodne && w.PierwszaNiezgodnosc.empty()) w.PierwszaNiezgodnosc = c.Linia;
    }

    if (!bladKompilacji.empty()) {
        w.Kod = KodNiezgodny;
        w.PierwszaNiezgodnosc = bladKompilacji;
    } else if (z.Oczekiwania) {
        w.Kod = w.Niespelnione ? KodNiezgodny : KodZatrzymana;
    } else {
        w.Kod = m.Zatrzymana() ? KodZatrzymana : przebieg.PunktTrafiony ? KodPunkt : KodLimit;
    }

    std::ostringstream o;
    if (z.Json) {
        if (z.WieleProgramow) {
            Json j;
            j["program"] = program;
            j.update(raport);
            raport = std::move(j);
        }
        if (!bladKompilacji.empty()) raport["error"] = bladKompilacji;
        if (z.Oczekiwania) {
            raport["checks"] = Json::array();
            for (const auto& c : sprawdzenia)
                raport["checks"].push_back({{"path", c.Sciezka},
                                            {"expected", c.Oczekiwane},
                                            {"actual", c.Jest},
                                            {"ok", c.Zgodne}});
        }
        o << TekstJson(raport, z.WieleProgramow ? -1 : 2) << "\n";
    } else {
        if (z.WieleProgramow) o << "Program: " << program << "\n";
        RaportTekstem(o, s, z, przebieg, komunikatyMikroprogramu);
        if (!bladKompilacji.empty()) o << bladKompilacji << "\n";
        for (const auto& c : sprawdzenia)
            if (!c.Zgodne) o << c.Linia << "\n";
        if (z.Oczekiwania && bladKompilacji.empty())
            o << "Sprawdzenia: spełnione " << w.Spelnione << ", niespełnione " << w.Niespelnione
              << "\n";
        if (z.WieleProgramow) o << "\n";
    }
    w.Wyjscie = std::move(o).str();
    return w;
}

void UruchomProgramy(const TZadanie& z, const std::vector<std::string>& programy, int watki,
                     const std::function<void(TWynikProgramu&)>& gotowy) {
    const auto uruchom = [&](std::size_t i) {
        try {
            return UruchomProgram(z, programy[i]);
        } catch (const std::exception& e) {
            return BladPliku(z, programy[i],
                             std::string("brak pamięci albo błąd wewnętrzny: ") + e.what());
        }
    };
    const std::size_t n = programy.size();
    watki = static_cast<int>(std::clamp<std::size_t>(static_cast<std::size_t>(std::max(watki, 1)),
                                                     1, std::max<std::size_t>(n, 1)));
    if (watki == 1) {
        for (std::size_t i = 0; i < n; ++i) {
            TWynikProgramu w = uruchom(i);
            gotowy(w);
        }
        return;
    }
    // Workers take the next program while fewer than `okno` results wait to be handed on.
    // Whichever worker finds the next result in order waiting hands results on, in order,
    // one worker at a time; nobody else waits on anybody, so the cores run programs
    // rather than wake-ups.
    const std::size_t okno = 4 * static_cast<std::size_t>(watki);
    std::mutex mx;
    std::condition_variable jestMiejsce;
    std::size_t nastepny = 0, oddany = 0;
    bool oddaje = false;
    std::map<std::size_t, TWynikProgramu> czekajace;
    {
        std::vector<std::jthread> robotnicy;
        for (int t = 0; t < watki; ++t)
            robotnicy.emplace_back([&] {
                for (;;) {
                    std::size_t i;
                    {
                        std::unique_lock lock(mx);
                        jestMiejsce.wait(lock,
                                         [&] { return nastepny >= n || nastepny < oddany + okno; });
                        if (nastepny >= n) return;
                        i = nastepny++;
                    }
                    TWynikProgramu w = uruchom(i);
                    std::unique_lock lock(mx);
                    czekajace.emplace(i, std::move(w));
                    if (oddaje) continue;
                    oddaje = true;
                    for (auto it = czekajace.find(oddany); it != czekajace.end();
                         it = czekajace.find(oddany)) {
                        TWynikProgramu r = std::move(it->second);
                        czekajace.erase(it);
                        lock.unlock();
                        gotowy(r);
                        lock.lock();
                        ++oddany;
                        jestMiejsce.notify_all();
                    }
                    oddaje = false;
                }
            });
    }
}
