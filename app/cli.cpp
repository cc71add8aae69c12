// symulator-cli: the headless runner. It builds the same TSymulator the window builds,
// so what it reports is what the window would show.

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "Asembler.h"
#include "PlikMaszyny.h"
#include "PlikRozkazow.h"
#include "Programy.h"
#include "Sterowanie.h"
#include "TSymulator.h"

namespace {

constexpr int KodZatrzymana = 0, KodZleUzycie = 2, KodLimit = 3, KodPunkt = 4;

struct TRejestrRaportu {
    const char* nazwa;
    int slot;
};
constexpr TRejestrRaportu RejestryRaportu[] = {
    {"L", Slot::L},   {"A", Slot::A},   {"S", Slot::S},   {"KOD", Slot::KOD}, {"AD", Slot::AD},
    {"AK", Slot::AK}, {"X", Slot::X},   {"Y", Slot::Y},   {"Z", Slot::Z},     {"U", Slot::U},
    {"V", Slot::V},   {"RZ", Slot::RZ}, {"RM", Slot::RM}, {"RP", Slot::RP},   {"AP", Slot::AP},
    {"G", Slot::G},   {"RB_we", Slot::RB_we}, {"RB_wy", Slot::RB_wy}};

struct TOpcje {
    std::string rozkazy, preset, maszyna, program, slad, wejscie;
    int bityAdresu = 0, bityKodu = 0;
    std::uint64_t maksTaktow = 10000000;
    bool mikroprogram = false, json = false;
    std::vector<std::string> przerwania, punkty;
};

struct TPrzerwanieZaplanowane {
    std::uint64_t takt;
    int numer;
};

[[noreturn]] void Porazka(const std::string& komunikat) {
    std::cerr << "symulator-cli: " << komunikat << "\n";
    std::exit(KodZleUzycie);
}

bool CzytajCalkowita(const std::string& t, long long& w) {
    if (t.empty()) return false;
    std::size_t poz = 0;
    try {
        w = std::stoll(t, &poz, 10);
    } catch (...) {
        return false;
    }
    return poz == t.size();
}

TPrzerwanieZaplanowane CzytajPrzerwanie(const std::string& t) {
    const auto dwukropek = t.find(':');
    long long takt = 0, n = 0;
    if (dwukropek == std::string::npos || !CzytajCalkowita(t.substr(0, dwukropek), takt) ||
        !CzytajCalkowita(t.substr(dwukropek + 1), n) || takt < 1 || n < 1 || n > 8)
        Porazka("nieprawidłowe --irq \"" + t + "\": oczekiwano TAKT:N, TAKT od 1, N od 1 do 8");
    return {static_cast<std::uint64_t>(takt), static_cast<int>(n)};
}

TPunktZatrzymania CzytajPunkt(const std::string& t) {
    std::istringstream we(t);
    std::vector<std::string> slowa;
    for (std::string s; we >> s;) slowa.push_back(s);
    TPunktZatrzymania p;
    std::vector<long long> liczby;
    bool maAdres = false;
    for (const auto& s : slowa) {
        long long v = 0;
        if (!s.empty() && s[0] == '@') {
            if (maAdres || !CzytajCalkowita(s.substr(1), v) || v < INT32_MIN || v > INT32_MAX)
                Porazka("nieprawidłowy adres w --break \"" + t + "\"");
            p.AdresKomorki = static_cast<std::int32_t>(v);
            maAdres = true;
        } else if (CzytajCalkowita(s, v) && v >= INT32_MIN && v <= INT32_MAX) {
            liczby.push_back(v);
        } else {
            Porazka("nieprawidłowe słowo \"" + s + "\" w --break \"" + t + "\"");
        }
    }
    if (liczby.size() < 3 || liczby.size() > 4)
        Porazka("--break oczekuje \"CO RELACJA WARTOŚĆ1 [WARTOŚĆ2] [@ADRES]\", otrzymano \"" + t + "\"");
    p.Co = static_cast<std::int32_t>(liczby[0]);
    p.Relacja = static_cast<std::int32_t>(liczby[1]);
    p.Wartosc1 = static_cast<std::int32_t>(liczby[2]);
    if (liczby.size() == 4) p.Wartosc2 = static_cast<std::int32_t>(liczby[3]);
    if (p.Co < 0 || p.Co > 20) Porazka("CO w --break musi być liczbą od 0 do 20: \"" + t + "\"");
    if (p.Relacja < 0 || p.Relacja > 6) Porazka("RELACJA w --break musi być liczbą od 0 do 6: \"" + t + "\"");
    return p;
}

// Flags as the CPU panel shows them.
std::vector<std::pair<const char*, int>> Flagi(const TMaszyna& m) {
    return {{"Z", m.WarunekSpelniony(TWarunek::Z)},     {"N", m.WarunekSpelniony(TWarunek::N)},
            {"NP", m.WarunekSpelniony(TWarunek::Np)},   {"NM", m.WarunekSpelniony(TWarunek::Nm)},
            {"INT", m.WarunekSpelniony(TWarunek::Int)}, {"PAK", m.WarunekSpelniony(TWarunek::Pak)},
            {"ZAK", m.WarunekSpelniony(TWarunek::Zak)}};
}

// One trace line per tick, written to a temporary file renamed over the target at the end.
class TSlad {
  public:
    explicit TSlad(const std::string& sciezka) : cel(sciezka), tymczasowy(sciezka + ".tmp~") {
        plik.open(tymczasowy, std::ios::binary | std::ios::trunc);
        if (!plik) Porazka("nie można zapisać pliku \"" + sciezka + "\"");
        plik << "takt,wiersz,sygnaly,L,A,S,KOD,AD,AK,magistrala_A,A_zajeta,magistrala_S,S_zajeta,N,NP,NM,RZ,RP\r\n";
    }
    void Zapisz(std::uint64_t takt, std::int32_t wiersz, const TMaszyna& m) {
        plik << takt << ',' << wiersz << ",\"" << m.BiezacyTekst() << '"';
        for (int s : {Slot::L, Slot::A, Slot::S, Slot::KOD, Slot::AD, Slot::AK}) plik << ',' << m.Wartosc(s);
        plik << ',' << m.Wartosc(Slot::MagA) << ',' << m.Zajeta(Slot::MagA) << ',' << m.Wartosc(Slot::MagS) << ','
             << m.Zajeta(Slot::MagS);
        for (int s : {Slot::N, Slot::NP, Slot::NM, Slot::RZ, Slot::RP}) plik << ',' << m.Wartosc(s);
        plik << "\r\n";
    }
    void Zamknij() {
        plik.close();
        std::error_code ec;
        if (!plik || (std::filesystem::rename(tymczasowy, cel, ec), ec)) {
            std::remove(tymczasowy.c_str());
            Porazka("błąd zapisu pliku \"" + cel + "\"");
        }
    }

  private:
    std::string cel, tymczasowy;
    std::ofstream plik;
};

void WypiszListe(std::ostream& o, const char* tytul, const std::vector<std::string>& linie) {
    o << tytul << ":\n";
    for (const auto& l : linie) o << "  " << l << "\n";
}

} // namespace

int main(int argc, char** argv) {
    TOpcje o;
    CLI::App app{"symulator-cli: uruchamia program maszyny dydaktycznej bez okna.\n"
                 "Start: adres 5 bitów, kod 3 bity, maszyna K, standardowy zestaw rozkazów. Opcje działają w "
                 "kolejności: zestaw rozkazów, szerokości, maszyna, plik maszyny. Potem kompilacja "
                 "mikroprogramu, asemblacja programu, reset i \"Program\" aż do \"stp\" albo limitu taktów.\n"
                 "Kod wyjścia: 0 zatrzymana przez stp, 3 osiągnięty limit taktów, 4 zatrzymana przez punkt "
                 "zatrzymania, 2 złe wywołanie albo plik, którego nie da się wczytać.",
                 "symulator-cli"};
    app.add_option("--instructions", o.rozkazy, "zestaw rozkazów (.roz) zamiast standardowego");
    app.add_option("--preset", o.preset, "maszyna: K, K+, L, EK albo Max")
        ->check(CLI::IsMember({"K", "K+", "L", "EK", "Max"}));
    app.add_option("--machine", o.maszyna, "plik maszyny (.mas): zbiór istniejących sygnałów");
    app.add_option("--address-bits", o.bityAdresu, "liczba bitów adresu, 5..24")->check(CLI::Range(5, 24));
    app.add_option("--code-bits", o.bityKodu, "liczba bitów kodu, 3..8")->check(CLI::Range(3, 8));
    app.add_option("--max-ticks", o.maksTaktow, "limit taktów (domyślnie 10000000; 0 nic nie uruchamia)");
    app.add_flag("--microprogram", o.mikroprogram, "dołącz skompilowaną pamięć mikroprogramu");
    app.add_flag("--json", o.json, "wynik jako jeden obiekt JSON");
    app.add_option("--input", o.wejscie, "początkowa zawartość linii wejściowej konsoli");
    app.add_option("--irq", o.przerwania, "TAKT:N zgłasza przerwanie N (1..8) tuż przed taktem TAKT (od 1); można powtarzać")
        ->allow_extra_args(false);
    app.add_option("--break", o.punkty,
                   "\"CO RELACJA WARTOŚĆ1 [WARTOŚĆ2] [@ADRES]\": punkt zatrzymania; CO 0..20, RELACJA 0..6; "
                   "można powtarzać")
        ->allow_extra_args(false);
    app.add_option("--trace", o.slad, "zapisz każdy takt do pliku CSV");
    app.add_option("PROGRAM", o.program, "program (.prg)")->required();
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int kod = app.exit(e);
        return kod == 0 ? 0 : KodZleUzycie;
    }

    std::vector<TPrzerwanieZaplanowane> przerwania;
    for (const auto& t : o.przerwania) przerwania.push_back(CzytajPrzerwanie(t));
    std::sort(przerwania.begin(), przerwania.end(), [](auto& a, auto& b) { return a.takt < b.takt; });

    TSymulator s;
    s.Maszyna.UstawHistorie(nullptr); // the runner never goes back
    std::string blad;
    if (!o.rozkazy.empty() && !WczytajPlikRozkazow(o.rozkazy, s.ListaRozkazow, blad)) Porazka(blad);
    if (o.bityAdresu || o.bityKodu)
        s.Maszyna.UstawSzerokosci(o.bityAdresu ? o.bityAdresu : s.Maszyna.BityAdresu(),
                                  o.bityKodu ? o.bityKodu : s.Maszyna.BityKodu());
    if (!o.preset.empty()) s.ZastosujPreset(o.preset);
    if (!o.maszyna.empty() && !WczytajMaszyne(o.maszyna, s.Architektura, blad)) Porazka(blad);
    std::vector<std::string> zrodlo;
    if (!WczytajPlikProgramu(o.program, zrodlo, blad)) Porazka(blad);
    for (const auto& t : o.punkty)
        if (!s.PunktyZatrzymania.DodajPunkt(CzytajPunkt(t), blad)) Porazka(blad);

    s.KomunikatyMikroprogramu.clear();
    s.KompilujMikroprogram();
    const std::vector<std::string>& komunikatyMikroprogramu = s.KomunikatyMikroprogramu;
    s.KompilujProgram(zrodlo);
    s.Maszyna.Reset();
    s.Konsola.UstawWejscie(o.wejscie);

    std::unique_ptr<TSlad> slad;
    if (!o.slad.empty()) slad = std::make_unique<TSlad>(o.slad);

    std::uint64_t takty = 0;
    bool punktTrafiony = false;
    if (o.maksTaktow > 0) {
        std::size_t nastepne = 0;
        auto zglos = [&](std::uint64_t takt) {
            for (; nastepne < przerwania.size() && przerwania[nastepne].takt <= takt; ++nastepne)
                s.Maszyna.ZglosPrzerwanie(przerwania[nastepne].numer);
        };
        zglos(1);
        std::int32_t wiersz = s.Maszyna.BiezacyWiersz();
        TPrzebieg przebieg(s.Maszyna, TPolecenie::Program);
        przebieg.DoKonca([&](int) {
            ++takty;
            if (slad) slad->Zapisz(takty, wiersz, s.Maszyna);
            wiersz = s.Maszyna.BiezacyWiersz();
            if (s.StanPracy.ZadanieStopu) punktTrafiony = true;
            zglos(takty + 1);
            return takty < o.maksTaktow;
        });
    }
    if (slad) slad->Zamknij();

    const TMaszyna& m = s.Maszyna;
    const bool zatrzymana = m.Zatrzymana();
    const int kod = zatrzymana ? KodZatrzymana : punktTrafiony ? KodPunkt : KodLimit;
    const std::vector<std::string> komunikaty = s.Dziennik.Linie();
    const auto& komorki = m.PaO().Komorki();

    if (o.json) {
        nlohmann::ordered_json j;
        j["halted"] = zatrzymana;
        j["ticks"] = takty;
        j["stopped_by_breakpoint"] = !zatrzymana && punktTrafiony;
        for (const auto& r : RejestryRaportu) j["registers"][r.nazwa] = m.Wartosc(r.slot);
        for (const auto& [nazwa, v] : Flagi(m)) j["flags"][nazwa] = v;
        j["memory"] = nlohmann::ordered_json::array();
        for (const auto& k : komorki)
            j["memory"].push_back({{"address", k.Adres}, {"code", k.Kod}, {"argument", k.Argument},
                                   {"word", m.CzytajPaO(k.Adres)}});
        j["output"] = s.Konsola.WyjscieTekst();
        j["messages"] = komunikaty;
        j["microprogram_messages"] = komunikatyMikroprogramu;
        j["assembler_messages"] = s.WynikAsemblacji.Komunikaty;
        if (o.mikroprogram) {
            j["microprogram_table"] = nlohmann::ordered_json::array();
            for (const auto& w : s.PamiecMikroprogramu.Wiersze())
                j["microprogram_table"].push_back({{"row", w.Adres},
                                                   {"instruction", w.Rozkaz},
                                                   {"label", w.Etykieta},
                                                   {"signals", w.Sygnaly},
                                                   {"cel0", w.Cel0},
                                                   {"cel1", w.Cel1},
                                                   {"condition", w.Warunek}});
        }
        std::cout << j.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
        return kod;
    }

    std::ostream& w = std::cout;
    WypiszListe(w, "Komunikaty kompilacji mikroprogramu", komunikatyMikroprogramu);
    WypiszListe(w, "Komunikaty asemblera", s.WynikAsemblacji.Komunikaty);
    WypiszListe(w, "Komunikaty maszyny", komunikaty);
    w << "Stan: "
      << (zatrzymana ? "zatrzymana przez stp" : punktTrafiony ? "zatrzymana przez punkt zatrzymania"
                                                              : "osiągnięty limit taktów")
      << "\n";
    w << "Takty: " << takty << "\n";
    w << "Rejestry:\n";
    for (const auto& r : RejestryRaportu) w << "  " << r.nazwa << " = " << m.Wartosc(r.slot) << "\n";
    w << "Flagi:\n";
    for (const auto& [nazwa, v] : Flagi(m)) w << "  " << nazwa << " = " << v << "\n";
    w << "Pamięć (adres: kod argument słowo):\n";
    for (const auto& k : komorki) w << "  " << k.Adres << ": " << k.Kod << " " << k.Argument << " " << m.CzytajPaO(k.Adres) << "\n";
    WypiszListe(w, "Wyjście konsoli", s.Konsola.Wyjscie());
    if (o.mikroprogram) {
        w << "Pamięć mikroprogramu (wiersz | rozkaz | etykieta | sygnały | =0 | =1 | warunek):\n";
        for (const auto& r : s.PamiecMikroprogramu.Wiersze())
            w << "  " << r.Adres << " | " << r.Rozkaz << " | " << r.Etykieta << " | " << r.Sygnaly << " | " << r.Cel0
              << " | " << r.Cel1 << " | " << r.Warunek << "\n";
    }
    return kod;
}
