#include "Api.h"

#include <nlohmann/json.hpp>

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <type_traits>
#include <utility>
#include <vector>

#include "Liczby.h"
#include "PlikMaszyny.h"
#include "PlikRozkazow.h"
#include "Presety.h"
#include "Raport.h"
#include "Schemat.h"
#include "SchematJson.h"
#include "Sprawdzanie.h"
#include "Sterowanie.h"
#include "TSymulator.h"
#include "Tekst.h"
#include "TekstyPamieci.h"

using Json = nlohmann::ordered_json;

// The machine's messages of the last tick, as the schematic's list shows them.
// The last tick's messages, told apart by the machine's tick number rather than by
// hearing every tick start, which "Program" would pay for millions of times.
class TKomunikatyTaktu : public TSluchaczSymulatora {
  public:
    explicit TKomunikatyTaktu(const TMaszyna& m) : maszyna(m) {}
    void Komunikat(std::string_view tekst) override {
        Biezace();
        linie.emplace_back(tekst);
    }
    const std::vector<std::string>& Linie() {
        Biezace();
        return linie;
    }

  private:
    void Biezace() {
        if (takt == maszyna.NumerTaktu()) return;
        takt = maszyna.NumerTaktu();
        linie.clear();
    }
    const TMaszyna& maszyna;
    std::uint64_t takt = 0;
    std::vector<std::string> linie;
};

struct TApi::TStan {
    TSymulator& s;
    const TLimity& limity;
    // Ticks since the reset and whether a breakpoint ended the last run: the report's
    // "ticks" and "stopped_by_breakpoint".
    std::uint64_t takty = 0;
    bool punktTrafiony = false;
    // The schematic as last built, for the hit test, measured as the runner measures it.
    TObrazSchematu obraz{};
    TMiaraStala miara{};
    TKomunikatyTaktu komunikatyTaktu{s.Maszyna};
};

namespace {

// A refused command; its text is the answer's "blad".
struct TBlad {
    std::string tekst;
};
[[noreturn]] void Odmow(std::string tekst) {
    throw TBlad{std::move(tekst)};
}

// ---- the command's fields ----

const Json* Pole(const Json& a, const char* nazwa) {
    const auto it = a.find(nazwa);
    return it == a.end() ? nullptr : &*it;
}

std::string Tekst(const Json& a, const char* nazwa) {
    const Json* p = Pole(a, nazwa);
    if (!p) Odmow(std::string("Brak pola \"") + nazwa + "\".");
    if (!p->is_string()) Odmow(std::string("Pole \"") + nazwa + "\" musi być tekstem.");
    return p->get<std::string>();
}

std::int64_t Liczba(const Json& a, const char* nazwa, std::int64_t od, std::int64_t doIlu) {
    const Json* p = Pole(a, nazwa);
    if (!p) Odmow(std::string("Brak pola \"") + nazwa + "\".");
    const auto poza = [&] {
        Odmow(std::string("Pole \"") + nazwa + "\" musi być liczbą całkowitą od " +
              std::to_string(od) + " do " + std::to_string(doIlu) + ".");
    };
    if (p->is_number_unsigned()) {
        const auto v = p->get<std::uint64_t>();
        if (v > static_cast<std::uint64_t>(doIlu) || static_cast<std::int64_t>(v) < od) poza();
        return static_cast<std::int64_t>(v);
    }
    if (!p->is_number_integer()) poza();
    const auto v = p->get<std::int64_t>();
    if (v < od || v > doIlu) poza();
    return v;
}

bool Logiczna(const Json& a, const char* nazwa, bool domyslna) {
    const Json* p = Pole(a, nazwa);
    if (!p) return domyslna;
    if (!p->is_boolean()) Odmow(std::string("Pole \"") + nazwa + "\" musi być true albo false.");
    return p->get<bool>();
}

std::vector<std::string> ListaTekstow(const Json& a, const char* nazwa) {
    const Json* p = Pole(a, nazwa);
    if (!p) Odmow(std::string("Brak pola \"") + nazwa + "\".");
    if (!p->is_array()) Odmow(std::string("Pole \"") + nazwa + "\" musi być listą tekstów.");
    std::vector<std::string> w;
    for (const auto& e : *p) {
        if (!e.is_string()) Odmow(std::string("Pole \"") + nazwa + "\" musi być listą tekstów.");
        w.push_back(e.get<std::string>());
    }
    return w;
}

// A text as "tekst" or as its lines in "linie".
std::vector<std::string> Linie(const Json& a) {
    if (Pole(a, "linie")) return ListaTekstow(a, "linie");
    if (Pole(a, "tekst")) return tekst::PodzielNaLinie(Tekst(a, "tekst"));
    Odmow("Brak pola \"tekst\" albo \"linie\".");
}

// ---- file bytes as base64 ----

constexpr std::string_view ZnakiBase64 =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

std::string Base64(std::string_view bajty) {
    std::string w;
    w.reserve((bajty.size() + 2) / 3 * 4);
    const auto bajt = [&](std::size_t i) {
        return i < bajty.size() ? static_cast<std::uint32_t>(static_cast<std::uint8_t>(bajty[i]))
                                : 0u;
    };
    for (std::size_t i = 0; i < bajty.size(); i += 3) {
        const std::size_t ile = std::min<std::size_t>(3, bajty.size() - i);
        const std::uint32_t n = bajt(i) << 16 | bajt(i + 1) << 8 | bajt(i + 2);
        w += ZnakiBase64[n >> 18 & 63];
        w += ZnakiBase64[n >> 12 & 63];
        w += ile > 1 ? ZnakiBase64[n >> 6 & 63] : '=';
        w += ile > 2 ? ZnakiBase64[n & 63] : '=';
    }
    return w;
}

std::optional<std::string> ZBase64(std::string_view t) {
    if (t.size() % 4 != 0) return std::nullopt;
    std::string w;
    w.reserve(t.size() / 4 * 3);
    for (std::size_t i = 0; i < t.size(); i += 4) {
        std::uint32_t n = 0;
        int dopelnienie = 0;
        for (std::size_t k = 0; k < 4; ++k) {
            const char c = t[i + k];
            std::uint32_t v = 0;
            if (c == '=' && i + 4 == t.size() && k >= 2) {
                ++dopelnienie;
            } else {
                const auto p = ZnakiBase64.find(c);
                if (p == std::string_view::npos || dopelnienie) return std::nullopt;
                v = static_cast<std::uint32_t>(p);
            }
            n = n << 6 | v;
        }
        w += static_cast<char>(n >> 16);
        if (dopelnienie < 2) w += static_cast<char>(n >> 8 & 255);
        if (dopelnienie < 1) w += static_cast<char>(n & 255);
    }
    return w;
}

// The file's bytes from "bajty".
std::string BajtyZPola(const Json& a) {
    const std::string t = Tekst(a, "bajty");
    if (t.size() / 4 * 3 > tekst::MaksRozmiarPliku) Odmow("Plik jest za duży.");
    auto bajty = ZBase64(t);
    if (!bajty) Odmow("Pole \"bajty\" nie jest poprawnym zapisem base64.");
    return std::move(*bajty);
}

// The file's lines from "bajty", decoded as a file on the disk would be.
std::vector<std::string> LiniePliku(const Json& a) {
    return tekst::LinieZBajtow(BajtyZPola(a));
}

Json BajtyPliku(const std::vector<std::string>& linie) {
    std::string bajty, blad;
    if (!tekst::BajtyZLinii(linie, bajty, blad)) Odmow(blad);
    return {{"bajty", Base64(bajty)}};
}

// ---- the machine ----

void Wolny(const TApi::TStan& st) {
    if (st.s.TrwaPrzebieg()) Odmow("Trwa przebieg; najpierw polecenie \"stop\".");
}

int Numer(const Json& a, int ile, const char* czego) {
    if (ile == 0) Odmow(std::string("Lista ") + czego + " jest pusta.");
    return static_cast<int>(Liczba(a, "numer", 1, ile));
}

// A register by its report name ("AK") in "rejestr", or any slot by number in "slot".
int SlotRejestru(const Json& a) {
    if (Pole(a, "slot")) return static_cast<int>(Liczba(a, "slot", 1, LiczbaSlotow));
    const std::string nazwa = Tekst(a, "rejestr");
    const TRejestrRaportu* r = ZnajdzRejestr(nazwa);
    if (!r) Odmow("Nie ma rejestru " + nazwa + ".");
    return r->Slot;
}

int NumerSygnaluIstniejacego(const TSymulator& s, const std::string& nazwa) {
    const int n = NumerSygnalu(nazwa);
    if (n <= 0) Odmow("Nieznany sygnał \"" + nazwa + "\".");
    if (!s.Architektura.Jest(n)) Odmow("Sygnału \"" + nazwa + "\" nie ma w tej maszynie.");
    return n;
}

Json Przebieg(TApi::TStan& st, const Json& a, TPolecenie polecenie) {
    TSymulator& s = st.s;
    if (s.TrwaPrzebieg() && s.PoleceniePrzebiegu() != polecenie)
        Odmow("Trwa inny przebieg; najpierw polecenie \"stop\".");
    const bool sTakty = Pole(a, "takty"), sMs = Pole(a, "ms");
    TPorcjaPrzebiegu porcja;
    porcja.Takty = st.limity.Takty;
    std::int64_t ms = st.limity.Ms;
    if (sTakty)
        porcja.Takty =
            std::min(porcja.Takty, static_cast<std::uint64_t>(Liczba(a, "takty", 1, INT64_MAX)));
    if (sMs)
        ms = std::min(ms, Liczba(a, "ms", 1, 10000));
    else if (!sTakty)
        ms = std::min<std::int64_t>(ms, 100);
    porcja.Czas = std::chrono::milliseconds(ms);
    if (!s.TrwaPrzebieg()) {
        if (!s.RozpocznijPrzebieg(polecenie))
            return {{"trwa", false}, {"takty", 0}, {"zatrzymana", true}};
        st.punktTrafiony = false;
    }
    const auto w = s.PorcjaPrzebiegu(porcja);
    st.takty += w.Takty;
    if (w.StopWPorcji) st.punktTrafiony = true;
    return {{"trwa", !w.Zakonczone}, {"takty", w.Takty}, {"zatrzymana", s.Maszyna.Zatrzymana()}};
}

// ---- the commands ----

using TWykonanie = Json (*)(TApi::TStan&, const Json&);
struct TPolecenieApi {
    std::string_view Nazwa;
    TWykonanie Wykonaj;
};

Json Architektura(TApi::TStan& st, const Json&) {
    const TSymulator& s = st.s;
    Json sygnaly = Json::array(), elementy = Json::array();
    for (int n = 1; n <= LiczbaSygnalow; ++n)
        if (s.Architektura.Jest(n)) sygnaly.push_back(NazwaSygnalu(n));
    for (bool e : s.Architektura.Elementy)
        elementy.push_back(e);
    return {{"preset", s.NazwaPresetu},
            {"bity_adresu", s.Maszyna.BityAdresu()},
            {"bity_kodu", s.Maszyna.BityKodu()},
            {"sygnaly", sygnaly},
            {"elementy", elementy}};
}

Json Preset(TApi::TStan& st, const Json& a) {
    Wolny(st);
    const std::string nazwa = Tekst(a, "nazwa");
    if (nazwa == "U") {
        std::array<bool, LiczbaSygnalow + 1> zaznaczone{};
        for (const auto& n : ListaTekstow(a, "sygnaly")) {
            const int numer = NumerSygnalu(n);
            if (numer <= 0) Odmow("Nieznany sygnał \"" + n + "\".");
            zaznaczone[static_cast<std::size_t>(numer)] = true;
        }
        std::vector<std::pair<std::string, bool>> zaznaczenia;
        for (int n = 1; n <= LiczbaSygnalow; ++n)
            zaznaczenia.emplace_back(NazwaSygnalu(n), zaznaczone[static_cast<std::size_t>(n)]);
        st.s.ZastosujPresetU(zaznaczenia);
    } else if (!st.s.ZastosujPreset(nazwa)) {
        Odmow("Nieznana maszyna \"" + nazwa + "\": oczekiwano K, K+, L, EK, Max albo U.");
    }
    return Json::object();
}

Json Szerokosci(TApi::TStan& st, const Json& a) {
    Wolny(st);
    const auto adres = static_cast<int>(Liczba(a, "bity_adresu", 5, 24));
    const auto kod = static_cast<int>(Liczba(a, "bity_kodu", 3, 8));
    st.s.UstawSzerokosci(adres, kod);
    // The loaded program no longer fits and has to be assembled again.
    st.s.WyczyscPaO();
    return Json::object();
}

Json WczytajMaszyne(TApi::TStan& st, const Json& a) {
    Wolny(st);
    std::string blad;
    if (!st.s.WczytajMaszyneZBajtow(BajtyZPola(a), blad)) Odmow(blad);
    return Json::object();
}

Json ZapiszMaszyne(TApi::TStan& st, const Json&) {
    return BajtyPliku(LinieMaszyny(st.s.Architektura));
}

Json WczytajRozkazy(TApi::TStan& st, const Json& a) {
    Wolny(st);
    std::string blad, uwaga;
    if (!st.s.WczytajRozkazyZBajtow(BajtyZPola(a), blad, &uwaga)) Odmow(blad);
    Json w = Json::object();
    if (!uwaga.empty()) w["uwaga"] = uwaga;
    return w;
}

Json ZapiszRozkazy(TApi::TStan& st, const Json&) {
    return BajtyPliku(LiniePlikuRozkazow(st.s.ListaRozkazow));
}

Json StandardoweRozkazy(TApi::TStan& st, const Json&) {
    Wolny(st);
    st.s.UstawStandardoweRozkazy();
    return Json::object();
}

Json UsunWszystkieRozkazy(TApi::TStan& st, const Json&) {
    Wolny(st);
    st.s.UsunWszystkieRozkazy();
    return Json::object();
}

Json Rozkazy(TApi::TStan& st, const Json&) {
    const TListaRozkazow& lista = st.s.ListaRozkazow;
    Json w = Json::array();
    for (int i = 1; i <= lista.Count(); ++i)
        w.push_back({{"numer", i},
                     {"nazwa", lista[i].Nazwa},
                     {"opis", lista[i].Opis},
                     {"kod", lista[i].Kod},
                     {"argumenty", lista[i].LiczbaArgumentow},
                     {"mikroprogram", lista[i].Mikroprogram}});
    return {{"rozkazy", w}, {"nieaktualny", st.s.MikroprogramNieaktualny()}};
}

// Each field given replaces the record's; a name another record has is made unique, as
// the editor does.
Json ZmienRozkaz(TApi::TStan& st, const Json& a) {
    Wolny(st);
    const TListaRozkazow& lista = st.s.ListaRozkazow;
    const int i = Numer(a, lista.Count(), "rozkazów");
    TRozkaz r = lista[i];
    if (Pole(a, "kod")) {
        const auto kod = Liczba(a, "kod", 0, st.s.Maszyna.MaskaKodu());
        for (int j = 1; j <= lista.Count(); ++j)
            if (j != i && lista[j].Kod == kod)
                Odmow("Kod " + std::to_string(kod) + " ma już rozkaz \"" + lista[j].Nazwa + "\".");
        r.Kod = static_cast<std::uint16_t>(kod);
    }
    if (Pole(a, "argumenty"))
        r.LiczbaArgumentow = static_cast<std::int32_t>(Liczba(a, "argumenty", 0, 9));
    if (Pole(a, "opis")) r.Opis = Tekst(a, "opis");
    if (Pole(a, "mikroprogram")) r.Mikroprogram = ListaTekstow(a, "mikroprogram");
    if (Pole(a, "nazwa")) {
        r.Nazwa = Tekst(a, "nazwa");
        for (int j = 1; j <= lista.Count(); ++j)
            if (j != i && lista[j].Nazwa == r.Nazwa) {
                r.Nazwa = lista.NazwaUnikalna(r.Nazwa);
                break;
            }
    }
    st.s.ZmienRozkaz(i, r);
    return {{"nazwa", lista[i].Nazwa}};
}

Json DodajRozkaz(TApi::TStan& st, const Json&) {
    Wolny(st);
    const int nowy = st.s.DodajRozkaz();
    if (nowy == 0) Odmow("Osiągnięto limit rozkazów.\nZwiększ ilość bitów kodu!");
    return {{"numer", nowy}};
}

Json UsunRozkaz(TApi::TStan& st, const Json& a) {
    Wolny(st);
    const TListaRozkazow& lista = st.s.ListaRozkazow;
    const int i = Numer(a, lista.Count(), "rozkazów");
    if (lista[i].Nazwa == "stop") Odmow("Rozkazu \"stop\" nie można usunąć!");
    st.s.UsunRozkaz(i);
    return Json::object();
}

Json KompilujMikroprogram(TApi::TStan& st, const Json&) {
    Wolny(st);
    st.s.KompilujMikroprogram();
    return {{"komunikaty", st.s.KomunikatyMikroprogramu}};
}

// Assembly, then the reset, as the program editor does.
Json Asembluj(TApi::TStan& st, const Json& a) {
    Wolny(st);
    st.s.KompilujProgram(Linie(a));
    st.s.Reset();
    st.takty = 0;
    st.punktTrafiony = false;
    return {{"komunikaty", st.s.WynikAsemblacji.Komunikaty}};
}

Json WczytajProgram(TApi::TStan&, const Json& a) {
    return {{"linie", LiniePliku(a)}};
}

Json ZapiszProgram(TApi::TStan&, const Json& a) {
    return BajtyPliku(Linie(a));
}

Json Reset(TApi::TStan& st, const Json&) {
    st.s.ZakonczPrzebieg();
    st.s.Reset();
    st.takty = 0;
    st.punktTrafiony = false;
    return Json::object();
}

Json Takt(TApi::TStan& st, const Json&) {
    Wolny(st);
    const int r = static_cast<int>(st.s.Takt(false));
    st.takty += r != 0;
    st.punktTrafiony = false;
    return {{"wynik", r}, {"zatrzymana", st.s.Maszyna.Zatrzymana()}};
}

// The signals in "sygnaly" (or those chosen before, when the field is absent) in one tick.
Json TaktReczny(TApi::TStan& st, const Json& a) {
    Wolny(st);
    TSymulator& s = st.s;
    if (Pole(a, "sygnaly")) {
        std::vector<int> numery;
        for (const auto& n : ListaTekstow(a, "sygnaly"))
            numery.push_back(NumerSygnaluIstniejacego(s, n));
        s.WybierzSygnaly(numery);
    }
    const int r = static_cast<int>(s.Takt(true));
    st.takty += r != 0;
    st.punktTrafiony = false;
    return {{"wynik", r}, {"zatrzymana", s.Maszyna.Zatrzymana()}};
}

Json WybierzSygnal(TApi::TStan& st, const Json& a) {
    const int n = NumerSygnaluIstniejacego(st.s, Tekst(a, "sygnal"));
    const bool wybrany =
        Logiczna(a, "wybrany", !st.s.Architektura.Sygnaly[static_cast<std::size_t>(n)].Wybrany);
    st.s.UstawSygnal(n, wybrany);
    return {{"wybrany", wybrany}};
}

Json TrybReczny(TApi::TStan& st, const Json& a) {
    Wolny(st);
    const bool reczny = Logiczna(a, "wartosc", st.s.StanPracy.TrybPracy != TTrybPracy::Reczny);
    st.s.UstawTrybPracy(reczny ? TTrybPracy::Reczny : TTrybPracy::Bezczynny);
    return {{"tryb", static_cast<int>(st.s.StanPracy.TrybPracy)}};
}

Json Rozkaz(TApi::TStan& st, const Json& a) {
    return Przebieg(st, a, TPolecenie::Rozkaz);
}

Json Program(TApi::TStan& st, const Json& a) {
    return Przebieg(st, a, TPolecenie::Program);
}

Json Stop(TApi::TStan& st, const Json&) {
    st.s.Stop();
    return Json::object();
}

Json TaktWstecz(TApi::TStan& st, const Json&) {
    Wolny(st);
    const bool cofniety = st.s.TaktWstecz();
    st.takty -= cofniety && st.takty > 0;
    return {{"cofniete", cofniety ? 1 : 0}};
}

Json RozkazWstecz(TApi::TStan& st, const Json&) {
    Wolny(st);
    const std::size_t n = st.s.RozkazWstecz();
    st.takty -= std::min<std::uint64_t>(st.takty, n);
    return {{"cofniete", n}};
}

Json Stan(TApi::TStan& st, const Json& a) {
    const TSymulator& s = st.s;
    Json podstawy;
    for (const auto& r : RejestryRaportu)
        podstawy[r.Nazwa] = s.Architektura.Rejestry[static_cast<std::size_t>(r.Slot)].Podstawa;
    Json wybrane = Json::array();
    for (int n = 1; n <= LiczbaSygnalow; ++n)
        if (s.Architektura.Sygnaly[static_cast<std::size_t>(n)].Wybrany)
            wybrane.push_back(NazwaSygnalu(n));
    return {{"raport", RaportJson(s, st.takty, st.punktTrafiony, s.KomunikatyMikroprogramu,
                                  Logiczna(a, "mikroprogram", false))},
            {"trwa", s.TrwaPrzebieg()},
            {"tryb", static_cast<int>(s.StanPracy.TrybPracy)},
            {"wiersz", s.Maszyna.BiezacyWiersz()},
            {"sygnaly", s.Maszyna.BiezacyTekst()},
            {"wybrane", wybrane},
            {"podstawy", podstawy},
            {"wejscie", s.Konsola.Wejscie()},
            {"wstecz", !s.Historia.Pusta()},
            {"mikroprogram_nieaktualny", s.MikroprogramNieaktualny()}};
}

// "NAZWA=WARTOŚĆ" or "[ADRES]=WARTOŚĆ", as the runner's --set takes it.
Json Ustaw(TApi::TStan& st, const Json& a) {
    const std::string t = Tekst(a, "wartosc");
    TUstawienie u;
    std::string blad;
    if (!CzytajUstawienie(t, st.s, u, blad)) Odmow("\"" + t + "\": " + blad + ".");
    ZastosujUstawienie(st.s, u);
    return Json::object();
}

Json Zwieksz(TApi::TStan& st, const Json& a) {
    st.s.ZwiekszRejestr(SlotRejestru(a));
    return Json::object();
}

Json Zmniejsz(TApi::TStan& st, const Json& a) {
    st.s.ZmniejszRejestr(SlotRejestru(a));
    return Json::object();
}

Json Podstawa(TApi::TStan& st, const Json& a) {
    const int slot = SlotRejestru(a);
    const auto p = Liczba(a, "podstawa", 2, 16);
    if (p != 2 && p != 10 && p != 16) Odmow("Pole \"podstawa\" musi być 2, 10 albo 16.");
    st.s.UstawPodstawe(slot, static_cast<int>(p));
    return Json::object();
}

Json Wejscie(TApi::TStan& st, const Json& a) {
    st.s.UstawWejscie(Tekst(a, "tekst"));
    return Json::object();
}

// The input line's key rule, after every key the user releases there.
Json Klawisz(TApi::TStan& st, const Json&) {
    st.s.KlawiszWLiniiWejscia();
    return Json::object();
}

Json Konsola(TApi::TStan& st, const Json&) {
    return {{"wejscie", st.s.Konsola.Wejscie()}, {"wyjscie", st.s.Konsola.Wyjscie()}};
}

Json WyczyscWyjscie(TApi::TStan& st, const Json&) {
    st.s.WyczyscKonsole();
    return Json::object();
}

Json Przerwanie(TApi::TStan& st, const Json& a) {
    st.s.ZglosPrzerwanie(static_cast<int>(Liczba(a, "numer", 1, 8)));
    return Json::object();
}

// "CO RELACJA WARTOŚĆ1 [WARTOŚĆ2] [@ADRES]", as the runner's --break takes it.
Json DodajPunkt(TApi::TStan& st, const Json& a) {
    const std::string t = Tekst(a, "punkt");
    TPunktZatrzymania p;
    std::string blad;
    if (!CzytajPunkt(t, p, blad)) Odmow("\"" + t + "\": " + blad + ".");
    if (!st.s.DodajPunkt(p, blad)) Odmow(blad);
    return {{"numer", st.s.PunktyZatrzymania.Count()}};
}

Json Punkty(TApi::TStan& st, const Json&) {
    const TPunktyZatrzymania& p = st.s.PunktyZatrzymania;
    Json w = Json::array();
    for (int k = 1; k <= p.Count(); ++k) {
        const TPunktZatrzymania& q = p.Punkt(k);
        w.push_back({{"numer", k},
                     {"opis", p.OpisPunktu(k)},
                     {"co", q.Co},
                     {"relacja", q.Relacja},
                     {"wartosc1", q.Wartosc1},
                     {"wartosc2", q.Wartosc2},
                     {"adres", q.AdresKomorki}});
    }
    return {{"punkty", w}, {"ignoruj", p.Ignoruj}};
}

Json UsunPunkt(TApi::TStan& st, const Json& a) {
    st.s.UsunPunkt(Numer(a, st.s.PunktyZatrzymania.Count(), "punktów"));
    return Json::object();
}

Json UsunPunkty(TApi::TStan& st, const Json&) {
    st.s.UsunPunkty();
    return Json::object();
}

Json IgnorujPunkty(TApi::TStan& st, const Json& a) {
    st.s.IgnorujPunkty(Logiczna(a, "wartosc", true));
    return Json::object();
}

Json Dziennik(TApi::TStan& st, const Json&) {
    Json etykiety = Json::array();
    for (const auto& [nazwa, wartosc] : st.s.Dziennik.Etykiety())
        etykiety.push_back({nazwa, wartosc});
    return {{"linie", st.s.Dziennik.Linie()}, {"etykiety", etykiety}};
}

Json WyczyscDziennik(TApi::TStan& st, const Json&) {
    st.s.WyczyscDziennik();
    return Json::object();
}

// ---- the page's views: the CPU panel, the tick's messages, the schematic ----

// A register or flag's value from a menu: any 32-bit number, cut to the register's width.
Json Wpisz(TApi::TStan& st, const Json& a) {
    const int slot = SlotRejestru(a);
    const auto v = Liczba(a, "wartosc", INT32_MIN, UINT32_MAX);
    st.s.UstawRejestr(slot, static_cast<std::uint32_t>(v));
    return Json::object();
}

Json WyczyscWybrane(TApi::TStan& st, const Json&) {
    st.s.WyczyscWybraneSygnaly();
    return Json::object();
}

Json KomunikatyTaktu(TApi::TStan& st, const Json&) {
    return {{"komunikaty", st.komunikatyTaktu.Linie()}};
}

// The CPU panel: the registers in their display bases, the flags, and `ile` lines of the
// memory listing from address `od` (the marks of the registers pointing there, the
// address, the word as code and argument, its disassembly).
Json Cpu(TApi::TStan& st, const Json& a) {
    static constexpr std::pair<int, const char*> Rejestry[] = {
        {Slot::L, "L"}, {Slot::AK, "AK"}, {Slot::AD, "AD"}, {Slot::A, "A"}, {Slot::S, "S"}};
    static constexpr std::pair<TWarunek, const char*> Flagi[] = {
        {TWarunek::Z, "Z"},     {TWarunek::N, "N"},     {TWarunek::Np, "NP"},  {TWarunek::Nm, "NM"},
        {TWarunek::Int, "INT"}, {TWarunek::Pak, "PAK"}, {TWarunek::Zak, "ZAK"}};
    static constexpr std::pair<int, std::string_view> Znaczniki[] = {
        {Slot::L, "L"}, {Slot::X, "X"}, {Slot::Y, "Y"}, {Slot::Z, "Z"},   {Slot::U, "U"},
        {Slot::V, "V"}, {Slot::A, "A"}, {Slot::S, "S"}, {Slot::AD, "AD"}, {Slot::AK, "AK"}};
    const TMaszyna& m = st.s.Maszyna;
    const auto maska = static_cast<std::int64_t>(m.MaskaAdresu());
    const std::int64_t od = Pole(a, "od") ? Liczba(a, "od", 0, maska) : 0;
    const std::int64_t ile = Pole(a, "ile") ? Liczba(a, "ile", 0, 1024) : 0;
    Json rejestry = Json::array(), flagi = Json::array(), pamiec = Json::array();
    for (const auto& [slot, nazwa] : Rejestry)
        rejestry.push_back({{"nazwa", nazwa}, {"tekst", m.WartoscTekst(slot)}});
    for (const auto& [warunek, nazwa] : Flagi)
        flagi.push_back({{"nazwa", nazwa}, {"wartosc", m.WarunekSpelniony(warunek) ? 1 : 0}});
    for (std::int64_t adres = od; adres < od + ile && adres <= maska; ++adres) {
        std::string t;
        for (const auto& [slot, znak] : Znaczniki)
            t += m.Wartosc(slot) == static_cast<std::uint32_t>(adres)
                     ? std::string(znak)
                     : std::string(znak.size(), ' ');
        t += "  " + FormatujLiczbe0x(static_cast<std::int32_t>(adres), 16, m.BityAdresu()) + "  " +
             TekstKomorki(m.PaO(), adres) + "  " + OpisKomorki(m.PaO(), st.s.ListaRozkazow, adres);
        pamiec.push_back({{"adres", adres}, {"tekst", t}, {"slowo", m.CzytajPaO(adres)}});
    }
    return {{"rejestry", rejestry}, {"flagi", flagi}, {"pamiec", pamiec}};
}

// The schematic's picture description in the state as it is, the memory window from
// address `pozycja`, measured with the fixed table as the runner's --picture measures.
Json Obraz(TApi::TStan& st, const Json& a) {
    const std::int64_t pozycja =
        Pole(a, "pozycja")
            ? Liczba(a, "pozycja", 0, static_cast<std::int64_t>(st.s.Maszyna.MaskaAdresu()))
            : 0;
    RysujSchemat(st.s.Maszyna, st.s.Architektura, pozycja, st.miara, st.obraz);
    return {{"obraz", SchematJson(st.obraz)}};
}

// What lies under the point (x, y) of the picture last built: any place, only a signal's
// label (`co` "sygnal") or only a value box (`co` "rejestr"); `miejsce` null for nothing.
// A value box brings its display base.
Json Trafienie(TApi::TStan& st, const Json& a) {
    if (st.obraz.Prymitywy.empty())
        RysujSchemat(st.s.Maszyna, st.s.Architektura, 0, st.miara, st.obraz);
    const auto x = static_cast<int>(Liczba(a, "x", INT32_MIN, INT32_MAX));
    const auto y = static_cast<int>(Liczba(a, "y", INT32_MIN, INT32_MAX));
    const std::string co = Pole(a, "co") ? Tekst(a, "co") : "";
    if (!co.empty() && co != "sygnal" && co != "rejestr")
        Odmow("Pole \"co\" musi być \"sygnal\" albo \"rejestr\".");
    const TMiejsce* m = co == "sygnal"    ? st.obraz.Sygnal(x, y)
                        : co == "rejestr" ? st.obraz.Rejestr(x, y)
                                          : st.obraz.Trafienie(x, y);
    if (!m) return {{"miejsce", nullptr}};
    Json w = MiejsceJson(*m);
    if (m->Rodzaj == TRodzajMiejsca::Rejestr)
        w["podstawa"] = st.s.Architektura.Rejestry[static_cast<std::size_t>(m->Numer)].Podstawa;
    return {{"miejsce", w}};
}

// ---- the instruction editor, the microprogram memory, the dialogs ----

// The codes the editor's code list offers instruction "numer": every code of the code
// width that no other instruction has, its own always among them.
Json KodyRozkazu(TApi::TStan& st, const Json& a) {
    const TListaRozkazow& lista = st.s.ListaRozkazow;
    const int i = Numer(a, lista.Count(), "rozkazów");
    Json kody = Json::array();
    for (std::uint32_t c = 0; c <= st.s.Maszyna.MaskaKodu(); ++c) {
        bool zajety = false;
        for (int j = 1; j <= lista.Count() && !zajety; ++j)
            zajety = j != i && lista[j].Kod == c;
        if (!zajety || lista[i].Kod == c) kody.push_back(c);
    }
    return {{"kody", kody}};
}

// The compiled table as the memory view shows it: the fetch row, then rows 0.. in order,
// all of them or (with "wszystkie": false) only those that belong to an instruction.
Json PamiecMikroprogramu(TApi::TStan& st, const Json& a) {
    const bool wszystkie = Logiczna(a, "wszystkie", true);
    Json wiersze = Json::array();
    const auto& tabela = st.s.PamiecMikroprogramu.Wiersze();
    for (std::size_t r = 0; r < tabela.size(); ++r) {
        const TWierszMikroprogramu& w = tabela[r];
        if (r > 0 && !wszystkie && w.Rozkaz.empty()) continue;
        wiersze.push_back({{"adres", w.Adres},
                           {"rozkaz", w.Rozkaz},
                           {"sygnaly", w.Sygnaly},
                           {"warunek", w.Warunek},
                           {"cel0", w.Cel0},
                           {"cel1", w.Cel1}});
    }
    return {{"wiersze", wiersze}};
}

// The breakpoint dialog's two lists, in the order of their numbers.
Json OpisyPunktow(TApi::TStan&, const Json&) {
    Json co = Json::array(), relacje = Json::array();
    for (std::string_view n : NazwyObserwowanych)
        co.push_back(n);
    for (std::string_view n : NazwyRelacji)
        relacje.push_back(n);
    return {{"co", co}, {"relacje", relacje}};
}

// Every signal by number with whether it exists: the architecture dialog's check list.
Json Sygnaly(TApi::TStan& st, const Json&) {
    Json nazwy = Json::array(), jest = Json::array();
    for (int n = 1; n <= LiczbaSygnalow; ++n) {
        nazwy.push_back(NazwaSygnalu(n));
        jest.push_back(st.s.Architektura.Jest(n));
    }
    return {{"nazwy", nazwy}, {"jest", jest}};
}

// The dialog's "Adresy" tab: the interrupts' labels and addresses, the devices' addresses.
Json Adresy(TApi::TStan& st, const Json&) {
    const TArchitektura& a = st.s.Architektura;
    Json przerwania = Json::array();
    for (std::size_t n = 1; n <= 8; ++n)
        przerwania.push_back(
            {{"etykieta", a.Przerwania[n].Etykieta}, {"adres", a.Przerwania[n].Adres}});
    return {{"przerwania", przerwania},
            {"urzadzenia", {a.Urzadzenia[1].Adres, a.Urzadzenia[2].Adres}}};
}

// The architecture dialog's "Zastosuj": the widths, the memory emptied, then the preset;
// "U" takes the signals named in "sygnaly" and clears all others. Nothing is reset or
// compiled again.
Json ZastosujArchitekture(TApi::TStan& st, const Json& a) {
    Wolny(st);
    TWyborArchitektury w;
    w.BityAdresu = static_cast<int>(Liczba(a, "bity_adresu", 5, 24));
    w.BityKodu = static_cast<int>(Liczba(a, "bity_kodu", 3, 8));
    w.Preset = Tekst(a, "preset");
    if (!ZnajdzPreset(w.Preset))
        Odmow("Nieznana maszyna \"" + w.Preset + "\": oczekiwano K, K+, L, EK, Max albo U.");
    if (w.Preset == "U") {
        std::array<bool, LiczbaSygnalow + 1> zaznaczone{};
        for (const auto& n : ListaTekstow(a, "sygnaly")) {
            const int numer = NumerSygnalu(n);
            if (numer <= 0) Odmow("Nieznany sygnał \"" + n + "\".");
            zaznaczone[static_cast<std::size_t>(numer)] = true;
        }
        for (int n = 1; n <= LiczbaSygnalow; ++n)
            w.Sygnaly.emplace_back(NazwaSygnalu(n), zaznaczone[static_cast<std::size_t>(n)]);
    }
    st.s.ZastosujArchitekture(w);
    // The way back would lead into the emptied memory.
    st.s.Historia.Wyczysc();
    return Json::object();
}

// The debug log's lines from number "od" (0 the first) on, and how many there are: the
// page adds only the new ones; "etykiety": true adds the label list.
Json DziennikOd(TApi::TStan& st, const Json& a) {
    const auto& linie = st.s.Dziennik.Linie();
    const auto od = static_cast<std::size_t>(Liczba(a, "od", 0, INT32_MAX));
    Json nowe = Json::array();
    for (std::size_t i = od; i < linie.size(); ++i)
        nowe.push_back(linie[i]);
    Json w = {{"linie", nowe}, {"razem", linie.size()}};
    if (Logiczna(a, "etykiety", false)) {
        Json etykiety = Json::array();
        for (const auto& [nazwa, wartosc] : st.s.Dziennik.Etykiety())
            etykiety.push_back({nazwa, wartosc});
        w["etykiety"] = etykiety;
    }
    return w;
}

// Whether "Takt wstecz" and "Rozkaz wstecz" have anything to undo.
Json MoznaWstecz(TApi::TStan& st, const Json&) {
    return {{"wstecz", !st.s.Historia.Pusta() && !st.s.TrwaPrzebieg()}};
}

// One row per command.
constexpr TPolecenieApi Polecenia[] = {
    // architecture
    {"architektura", Architektura},
    {"preset", Preset},
    {"szerokosci", Szerokosci},
    {"wczytaj_maszyne", WczytajMaszyne},
    {"zapisz_maszyne", ZapiszMaszyne},
    // instruction set
    {"wczytaj_rozkazy", WczytajRozkazy},
    {"zapisz_rozkazy", ZapiszRozkazy},
    {"standardowe_rozkazy", StandardoweRozkazy},
    {"usun_wszystkie_rozkazy", UsunWszystkieRozkazy},
    {"rozkazy", Rozkazy},
    {"zmien_rozkaz", ZmienRozkaz},
    {"dodaj_rozkaz", DodajRozkaz},
    {"usun_rozkaz", UsunRozkaz},
    {"kompiluj_mikroprogram", KompilujMikroprogram},
    // program
    {"asembluj", Asembluj},
    {"wczytaj_program", WczytajProgram},
    {"zapisz_program", ZapiszProgram},
    // running
    {"reset", Reset},
    {"takt", Takt},
    {"takt_reczny", TaktReczny},
    {"wybierz_sygnal", WybierzSygnal},
    {"tryb_reczny", TrybReczny},
    {"rozkaz", Rozkaz},
    {"program", Program},
    {"stop", Stop},
    {"takt_wstecz", TaktWstecz},
    {"rozkaz_wstecz", RozkazWstecz},
    // state
    {"stan", Stan},
    {"ustaw", Ustaw},
    {"zwieksz", Zwieksz},
    {"zmniejsz", Zmniejsz},
    {"podstawa", Podstawa},
    // console, interrupts, breakpoints, debug log
    {"wejscie", Wejscie},
    {"klawisz", Klawisz},
    {"konsola", Konsola},
    {"wyczysc_wyjscie", WyczyscWyjscie},
    {"przerwanie", Przerwanie},
    {"dodaj_punkt", DodajPunkt},
    {"punkty", Punkty},
    {"usun_punkt", UsunPunkt},
    {"usun_punkty", UsunPunkty},
    {"ignoruj_punkty", IgnorujPunkty},
    {"dziennik", Dziennik},
    {"wyczysc_dziennik", WyczyscDziennik},
    // the page's views
    {"wpisz", Wpisz},
    {"wyczysc_wybrane", WyczyscWybrane},
    {"komunikaty_taktu", KomunikatyTaktu},
    {"cpu", Cpu},
    {"obraz", Obraz},
    {"trafienie", Trafienie},
    // the instruction editor, the microprogram memory, the dialogs
    {"kody_rozkazu", KodyRozkazu},
    {"pamiec_mikroprogramu", PamiecMikroprogramu},
    {"opisy_punktow", OpisyPunktow},
    {"sygnaly", Sygnaly},
    {"adresy", Adresy},
    {"zastosuj_architekture", ZastosujArchitekture},
    {"dziennik_od", DziennikOd},
    {"mozna_wstecz", MoznaWstecz},
};

// Builds the command's value without throwing: a line that is not JSON is the commonest
// wrong command, and two exceptions for each cost more than all the rest of its answer.
class TParserPolecenia : public nlohmann::detail::json_sax_dom_parser<Json> {
  public:
    explicit TParserPolecenia(Json& wynik) : json_sax_dom_parser(wynik, false) {}
    template <class Wyjatek> bool parse_error(std::size_t, const std::string&, const Wyjatek& w) {
        if constexpr (std::is_same_v<Wyjatek, Json::parse_error>)
            Blad = "Polecenie nie jest poprawnym JSON-em (bajt " + std::to_string(w.byte) + ").";
        else
            Blad = "Polecenie nie jest poprawnym JSON-em (liczba poza zakresem).";
        return false;
    }
    std::string Blad;
};

Json Wykonaj(TApi::TStan& st, const Json& polecenie) {
    if (!polecenie.is_object()) Odmow("Polecenie musi być obiektem JSON z polem \"polecenie\".");
    const std::string nazwa = Tekst(polecenie, "polecenie");
    for (const auto& p : Polecenia)
        if (p.Nazwa == nazwa) {
            Json w = p.Wykonaj(st, polecenie);
            Json odpowiedz = {{"ok", true}};
            odpowiedz.update(w);
            return odpowiedz;
        }
    Odmow("Nieznane polecenie \"" + nazwa + "\".");
}

} // namespace

TApi::TApi(TSymulator& symulator)
    : stan(std::make_unique<TStan>(TStan{symulator, Limity, 0, false})) {
    symulator.Subskrybuj(&stan->komunikatyTaktu);
}

TApi::~TApi() {
    stan->s.Wypisz(&stan->komunikatyTaktu);
}

std::string TApi::Wywolaj(std::string_view polecenieJson) {
    Json odpowiedz;
    try {
        Json polecenie;
        TParserPolecenia parser(polecenie);
        if (Json::sax_parse(polecenieJson, &parser))
            odpowiedz = Wykonaj(*stan, polecenie);
        else
            odpowiedz = {{"ok", false}, {"blad", parser.Blad}};
    } catch (const TBlad& b) {
        odpowiedz = {{"ok", false}, {"blad", b.tekst}};
    } catch (const std::bad_alloc&) {
        odpowiedz = {{"ok", false}, {"blad", "Brak pamięci."}};
    } catch (const std::exception& e) {
        odpowiedz = {{"ok", false}, {"blad", std::string("Błąd wewnętrzny: ") + e.what()}};
    }
    return TekstJson(odpowiedz);
}
