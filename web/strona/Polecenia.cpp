// The page's commands to the one simulator of the module: JSON in, JSON out. Every
// command is a call of the model the window makes; the page keeps no machine of its own.

#include <nlohmann/json.hpp>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "Api.h"
#include "Liczby.h"
#include "PlikMaszyny.h"
#include "PlikRozkazow.h"
#include "Presety.h"
#include "Sluchacz.h"
#include "Sterowanie.h"
#include "TSymulator.h"
#include "Tekst.h"
#include "TekstyPamieci.h"
#ifdef SYMULATOR_SCHEMAT
#include "Schemat.h"
#include "SchematJson.h"
#endif

#ifdef __EMSCRIPTEN__
#include <emscripten/emscripten.h>
#define EKSPORT extern "C" EMSCRIPTEN_KEEPALIVE
#else
#define EKSPORT extern "C"
#endif

using nlohmann::json;
using namespace tekst;

namespace {

// The messages of the last tick, as the schematic's message list shows them.
class TKomunikatyTaktu : public TSluchaczMaszyny {
  public:
    void Komunikat(std::string_view tekst) override { komunikaty.emplace_back(tekst); }
    void PoczatekTaktu() override { komunikaty.clear(); }
    std::vector<std::string> komunikaty;
};

struct TStrona {
    TStrona() { s->Maszyna.UstawSluchacza(&sluchacz); }
    TKomunikatyTaktu sluchacz;
    std::unique_ptr<TSymulator> s = std::make_unique<TSymulator>();
    std::unique_ptr<TPrzebieg> przebieg;
    bool maszynaZPliku = false;
    std::string odpowiedz;
    // The module's command table over the same simulator, for the panels that already
    // speak it (the instruction editor, breakpoints, debug log, architecture, undo).
    std::unique_ptr<TApi> api;
#ifdef SYMULATOR_SCHEMAT
    TObrazSchematu obraz;
    TMiaraStala miara;
#endif
};

TStrona& Strona() {
    static TStrona strona;
    return strona;
}

std::string Bajty(const json& j) {
    std::string b;
    for (const auto& x : j)
        b += static_cast<char>(x.get<int>());
    return b;
}

json JsonBajtow(const std::string& b) {
    json j = json::array();
    for (const char z : b)
        j.push_back(static_cast<unsigned char>(z));
    return j;
}

std::vector<std::string> Linie(const std::string& tekst) {
    return PodzielNaLinie(tekst);
}

// The bytes a save of these lines writes, or a message.
json BajtyLinii(const std::vector<std::string>& linie) {
    std::string bajty, znak;
    int linia = 0;
    if (!KodujCp1250(ZlaczLinie(linie), bajty, znak, linia))
        return {{"blad", "Znak \"" + znak + "\" w linii " + std::to_string(linia) +
                             " nie ma odpowiednika w kodowaniu Windows-1250."}};
    return {{"bajty", JsonBajtow(bajty)}};
}

json Stan(TStrona& st) {
    TSymulator& s = *st.s;
    const TMaszyna& m = s.Maszyna;
    json elementy = json::array();
    for (int e = 0; e < LiczbaElementow; ++e)
        elementy.push_back(s.Architektura.Element(e));
    json rejestry = json::array();
    for (const int slot : {Slot::L, Slot::AK, Slot::AD, Slot::A, Slot::S})
        rejestry.push_back(m.WartoscTekst(slot));
    json flagi = json::array();
    for (const TWarunek w : {TWarunek::Z, TWarunek::N, TWarunek::Np, TWarunek::Nm, TWarunek::Int,
                             TWarunek::Pak, TWarunek::Zak})
        flagi.push_back(m.WarunekSpelniony(w) ? 1 : 0);
    return {{"tryb", s.StanPracy.TrybPracy},
            {"zatrzymana", m.Zatrzymana()},
            {"tekst", std::string(m.BiezacyTekst())},
            {"preset", s.NazwaPresetu},
            {"bityAdresu", m.BityAdresu()},
            {"bityKodu", m.BityKodu()},
            {"maskaAdresu", m.MaskaAdresu()},
            {"elementy", elementy},
            {"cpu", {{"rejestry", rejestry}, {"flagi", flagi}}},
            {"komunikaty", st.sluchacz.komunikaty},
            {"wyjscie", s.Konsola.WyjscieTekst()},
            {"wejscie", s.Konsola.Wejscie()},
            {"przebieg", st.przebieg && st.przebieg->Trwa()}};
}

// The CPU panel's memory listing: the marks of the registers pointing at the address,
// the address, the cell and its disassembly.
json Pamiec(const TSymulator& s, std::int64_t od, std::int64_t ile) {
    static const std::pair<int, const char*> znaczniki[] = {
        {Slot::L, "L"}, {Slot::X, "X"}, {Slot::Y, "Y"}, {Slot::Z, "Z"},   {Slot::U, "U"},
        {Slot::V, "V"}, {Slot::A, "A"}, {Slot::S, "S"}, {Slot::AD, "AD"}, {Slot::AK, "AK"}};
    const TMaszyna& m = s.Maszyna;
    json wiersze = json::array();
    for (std::int64_t a = od; a < od + ile && a <= static_cast<std::int64_t>(m.MaskaAdresu());
         ++a) {
        std::string t;
        for (const auto& [slot, znak] : znaczniki) {
            const std::string z = znak;
            t += m.Wartosc(slot) == static_cast<std::uint32_t>(a) ? z : std::string(z.size(), ' ');
        }
        t += "  " + FormatujLiczbe0x(static_cast<std::uint32_t>(a), 16, m.BityAdresu()) + "  " +
             TekstKomorki(m.PaO(), a) + "  " + OpisKomorki(m.PaO(), s.ListaRozkazow, a);
        wiersze.push_back({{"adres", a}, {"tekst", t}, {"wartosc", m.CzytajPaO(a)}});
    }
    return wiersze;
}

void ZakonczPrzebieg(TStrona& st) {
    if (st.przebieg) st.przebieg->Zakoncz();
    st.przebieg.reset();
}

json Wykonaj(TStrona& st, const json& p) {
    TSymulator& s = *st.s;
    TMaszyna& m = s.Maszyna;
    const std::string polecenie = p.at("polecenie").get<std::string>();
    if (polecenie == "api") {
        if (!st.api) st.api = std::make_unique<TApi>(s);
        return json::parse(st.api->Wywolaj(p.at("tresc").dump()));
    }
    if (polecenie == "stan") return Stan(st);
    if (polecenie == "pamiec") return Pamiec(s, p.at("od").get<std::int64_t>(), p.at("ile"));
    if (polecenie == "nowy") {
        st.przebieg.reset();
        st.api.reset();
        st.s = std::make_unique<TSymulator>();
        st.s->Maszyna.UstawSluchacza(&st.sluchacz);
        st.sluchacz.komunikaty.clear();
        st.maszynaZPliku = false;
        return json::object();
    }
    if (polecenie == "architektura") {
        ZakonczPrzebieg(st);
        m.UstawSzerokosci(p.at("bityAdresu"), p.at("bityKodu"));
        m.WyczyscPaO();
        s.ZastosujPreset(p.at("preset").get<std::string>());
        st.maszynaZPliku = false;
        s.KompilujMikroprogram();
        return {{"komunikaty", s.KomunikatyMikroprogramu}};
    }
    if (polecenie == "wczytajMaszyne") {
        std::string blad;
        ZastosujLinieMaszyny(s.Architektura, PodzielNaLinie(OdczytajTekst(Bajty(p.at("bajty")))));
        st.maszynaZPliku = true;
        s.KompilujMikroprogram();
        return json::object();
    }
    if (polecenie == "bajtyMaszyny") return BajtyLinii(LinieMaszyny(s.Architektura));
    if (polecenie == "zPliku") return {{"zPliku", st.maszynaZPliku}};
    if (polecenie == "wczytajRozkazy") {
        std::vector<TRozkaz> rozkazy;
        std::string blad, uwaga;
        if (!CzytajLiniePlikuRozkazow(PodzielNaLinie(OdczytajTekst(Bajty(p.at("bajty")))), rozkazy,
                                      blad, &uwaga))
            return {{"blad", blad}};
        s.ListaRozkazow.Zastap(rozkazy);
        s.KomunikatyMikroprogramu.clear();
        s.KompilujMikroprogram();
        return {{"uwaga", uwaga}, {"komunikaty", s.KomunikatyMikroprogramu}};
    }
    if (polecenie == "bajtyRozkazow") return BajtyLinii(LiniePlikuRozkazow(s.ListaRozkazow));
    if (polecenie == "standardowe") {
        s.ListaRozkazow.UstawStandardowe();
        s.KomunikatyMikroprogramu.clear();
        s.KompilujMikroprogram();
        return json::object();
    }
    if (polecenie == "mnemoniki") {
        json nazwy = json::array();
        for (int i = 1; i <= s.ListaRozkazow.Count(); ++i)
            nazwy.push_back(MaleLitery(s.ListaRozkazow[i].Nazwa));
        return nazwy;
    }
    if (polecenie == "kompiluj") {
        ZakonczPrzebieg(st);
        json komunikaty = json::array({"Kompilacja"});
        const auto poczatek = std::chrono::steady_clock::now();
        s.KompilujProgram(Linie(p.at("tekst")));
        const auto d = std::chrono::duration_cast<std::chrono::milliseconds>(
                           std::chrono::steady_clock::now() - poczatek)
                           .count();
        for (const auto& k : s.WynikAsemblacji.Komunikaty)
            komunikaty.push_back(k);
        komunikaty.push_back(d == 0 ? std::string("Czas kompilacji: poniżej 1 ms")
                                    : "Czas kompilacji: " + std::to_string(d) + " ms");
        m.Reset();
        return {{"komunikaty", komunikaty}};
    }
    if (polecenie == "bajtyProgramu") return BajtyLinii(Linie(p.at("tekst")));
    if (polecenie == "tekstProgramu") {
        std::string tekst;
        for (const auto& l : PodzielNaLinie(OdczytajTekst(Bajty(p.at("bajty")))))
            tekst += l + "\n";
        if (!tekst.empty()) tekst.pop_back();
        return {{"tekst", tekst}};
    }
    if (polecenie == "takt") {
        const int r = static_cast<int>(PolecenieTakt(m, p.value("reczny", false)));
        return {{"wynik", r}};
    }
    if (polecenie == "start") {
        ZakonczPrzebieg(st);
        st.przebieg = std::make_unique<TPrzebieg>(m, p.at("co") == "program" ? TPolecenie::Program
                                                                             : TPolecenie::Rozkaz);
        return {{"trwa", st.przebieg->Trwa()}};
    }
    if (polecenie == "porcja") {
        if (!st.przebieg) return {{"takty", 0}, {"zakonczone", true}};
        const TWynikPorcji w = st.przebieg->Porcja(p.at("takty").get<std::uint64_t>());
        if (w.Zakonczone) st.przebieg.reset();
        return {{"takty", w.Takty}, {"zakonczone", w.Zakonczone}};
    }
    if (polecenie == "stop") {
        s.StanPracy.ZadanieStopu = true;
        ZakonczPrzebieg(st);
        return json::object();
    }
    if (polecenie == "reset") {
        s.StanPracy.ZadanieStopu = true;
        ZakonczPrzebieg(st);
        m.Reset();
        if (p.value("konsola", false)) s.Konsola.Wyczysc();
        return json::object();
    }
    if (polecenie == "recznie") {
        s.StanPracy.TrybPracy = s.StanPracy.TrybPracy == TTrybPracy::Reczny ? TTrybPracy::Bezczynny
                                                                            : TTrybPracy::Reczny;
        if (p.value("wyczysc", false)) m.WyczyscWybrane();
        return json::object();
    }
    if (polecenie == "wybierz") {
        const int i = NumerSygnalu(p.value("sygnal", std::string()));
        if (s.Architektura.Jest(i)) {
            auto& sygnal = s.Architektura.Sygnaly[static_cast<std::size_t>(i)];
            sygnal.Wybrany = !sygnal.Wybrany;
        }
        return json::object();
    }
    if (polecenie == "przerwanie") {
        m.ZglosPrzerwanie(p.at("numer"));
        return json::object();
    }
    if (polecenie == "klawisz") {
        s.Konsola.UstawWejscie(p.at("wejscie").get<std::string>());
        m.KlawiszWLiniiWejscia();
        return json::object();
    }
    if (polecenie == "wyczyscKonsole") {
        s.Konsola.Wyczysc();
        s.Konsola.UstawWejscie("");
        return json::object();
    }
    if (polecenie == "rejestr") {
        const int k = p.at("slot");
        const std::string co = p.at("co");
        if (co == "zwieksz")
            m.Zwieksz(k);
        else if (co == "zmniejsz")
            m.Zmniejsz(k);
        else if (co == "wyzeruj" || co == "ustaw0")
            m.UstawRejestr(k, 0);
        else if (co == "ustaw1")
            m.UstawRejestr(k, 1);
        else if (co == "wpisz")
            m.UstawRejestr(k, static_cast<std::uint32_t>(p.at("wartosc").get<std::int64_t>()));
        return json::object();
    }
    if (polecenie == "podstawa") {
        const int k = p.at("slot");
        if (k >= 1 && k <= 29)
            s.Architektura.Rejestry[static_cast<std::size_t>(k)].Podstawa = p.at("podstawa");
        return json::object();
    }
#ifdef SYMULATOR_SCHEMAT
    if (polecenie == "obraz") {
        RysujSchemat(m, s.Architektura, p.value("pierwszyAdres", std::int64_t{0}), st.miara,
                     st.obraz);
        return SchematJson(st.obraz);
    }
    if (polecenie == "trafienie") {
        // Manual mode asks for labels, the context menu for value boxes.
        const int x = p.value("x", -1), y = p.value("y", -1);
        const TMiejsce* t =
            p.value("co", "") == "sygnal" ? st.obraz.Sygnal(x, y) : st.obraz.Rejestr(x, y);
        if (!t) return json::object();
        TObrazSchematu jedno;
        jedno.Miejsca.push_back(*t);
        json w = SchematJson(jedno).at("places").at(0);
        if (t->Rodzaj == TRodzajMiejsca::Rejestr)
            w["podstawa"] = s.Architektura.Rejestry[static_cast<std::size_t>(t->Numer)].Podstawa;
        return w;
    }
#else
    // Without the picture library: an empty picture, nothing to hit.
    if (polecenie == "obraz")
        return {{"width", 705},
                {"height", 485},
                {"primitives", json::array()},
                {"places", json::array()}};
    if (polecenie == "trafienie") return json::object();
#endif
    return {{"blad", "Nieznane polecenie \"" + polecenie + "\"."}};
}

} // namespace

EKSPORT const char* polecenie(const char* tekst) {
    TStrona& st = Strona();
    json w;
    // The module is built without exceptions: a command that is not JSON is refused here,
    // and the page sends every field a command reads.
    const json p = json::parse(tekst, nullptr, false);
    w = p.is_object() && p.contains("polecenie") ? Wykonaj(st, p)
                                                 : json{{"blad", "Nieprawidłowe polecenie."}};
    st.odpowiedz = w.dump(-1, ' ', false, json::error_handler_t::replace);
    return st.odpowiedz.c_str();
}
