#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

#include "Api.h"
#include "TSymulator.h"

namespace {

struct TPrzypadek {
    const char* polecenie;
    const char* odpowiedz;
};

// Whatever the page sends, the answer is one JSON object with a Polish reason.
TEST(Api, OdmowyZPowodem) {
    const TPrzypadek przypadki[] = {
        {"", R"({"ok":false,"blad":"Polecenie nie jest poprawnym JSON-em (bajt 1)."})"},
        {"{\"polecenie\":",
         R"({"ok":false,"blad":"Polecenie nie jest poprawnym JSON-em (bajt 14)."})"},
        {R"({"polecenie":"szerokosci","bity_adresu":1e400})",
         R"({"ok":false,"blad":"Polecenie nie jest poprawnym JSON-em (liczba poza zakresem)."})"},
        {"[1,2]",
         R"({"ok":false,"blad":"Polecenie musi być obiektem JSON z polem \"polecenie\"."})"},
        {"{}", R"({"ok":false,"blad":"Brak pola \"polecenie\"."})"},
        {R"({"polecenie":7})", R"({"ok":false,"blad":"Pole \"polecenie\" musi być tekstem."})"},
        {R"({"polecenie":"obrazek"})", R"({"ok":false,"blad":"Nieznane polecenie \"obrazek\"."})"},
        {R"({"polecenie":"trafienie","x":1,"y":1,"co":"pasek"})",
         R"({"ok":false,"blad":"Pole \"co\" musi być \"sygnal\" albo \"rejestr\"."})"},
        {R"({"polecenie":"cpu","od":32})",
         R"({"ok":false,"blad":"Pole \"od\" musi być liczbą całkowitą od 0 do 31."})"},
        {R"({"polecenie":"wpisz","rejestr":"AK","wartosc":4294967296})",
         R"({"ok":false,"blad":"Pole \"wartosc\" musi być liczbą całkowitą od -2147483648 do 4294967295."})"},
        {R"({"polecenie":"preset","nazwa":"Q"})",
         R"({"ok":false,"blad":"Nieznana maszyna \"Q\": oczekiwano K, K+, L, EK, Max albo U."})"},
        {R"({"polecenie":"szerokosci","bity_adresu":4.5,"bity_kodu":3})",
         R"({"ok":false,"blad":"Pole \"bity_adresu\" musi być liczbą całkowitą od 5 do 24."})"},
        {R"({"polecenie":"szerokosci","bity_adresu":5,"bity_kodu":18446744073709551615})",
         R"({"ok":false,"blad":"Pole \"bity_kodu\" musi być liczbą całkowitą od 3 do 8."})"},
        {R"({"polecenie":"wczytaj_program","bajty":"YQ="})",
         R"({"ok":false,"blad":"Pole \"bajty\" nie jest poprawnym zapisem base64."})"},
        {R"({"polecenie":"wczytaj_program","bajty":"YQ=a"})",
         R"({"ok":false,"blad":"Pole \"bajty\" nie jest poprawnym zapisem base64."})"},
        {R"({"polecenie":"wczytaj_program","bajty":"Y==="})",
         R"({"ok":false,"blad":"Pole \"bajty\" nie jest poprawnym zapisem base64."})"},
        {R"({"polecenie":"wczytaj_rozkazy","bajty":"YWJj"})",
         R"({"ok":false,"blad":"Nie można wczytać pliku rozkazów. Wiersz 1: \"abc\" nie jest liczbą całkowitą (liczba rozkazów). Lista rozkazów nie została zmieniona."})"},
        {R"({"polecenie":"zapisz_program","tekst":"mov 1 // ☺"})",
         R"({"ok":false,"blad":"Znaku \"☺\" w linii 1 nie można zapisać w kodowaniu Windows-1250. Plik nie został zapisany."})"},
        {R"({"polecenie":"asembluj","linie":["a",1]})",
         R"({"ok":false,"blad":"Pole \"linie\" musi być listą tekstów."})"},
        {R"({"polecenie":"takt_reczny","sygnaly":["wyx"]})",
         R"({"ok":false,"blad":"Sygnału \"wyx\" nie ma w tej maszynie."})"},
        {R"({"polecenie":"takt_reczny","sygnaly":["foo"]})",
         R"({"ok":false,"blad":"Nieznany sygnał \"foo\"."})"},
        {R"({"polecenie":"usun_rozkaz","numer":7})",
         R"({"ok":false,"blad":"Rozkazu \"stop\" nie można usunąć!"})"},
        {R"({"polecenie":"zmien_rozkaz","numer":2,"kod":0})",
         R"({"ok":false,"blad":"Kod 0 ma już rozkaz \"stop\"."})"},
        {R"({"polecenie":"usun_punkt","numer":1})",
         R"({"ok":false,"blad":"Lista punktów jest pusta."})"},
        {R"({"polecenie":"dodaj_punkt","punkt":"0 9 1"})",
         R"({"ok":false,"blad":"\"0 9 1\": RELACJA musi być liczbą od 0 do 6."})"},
        {R"({"polecenie":"ustaw","wartosc":"X=1"})",
         R"({"ok":false,"blad":"\"X=1\": ta architektura nie ma rejestru X."})"},
        {R"({"polecenie":"podstawa","rejestr":"AK","podstawa":8})",
         R"({"ok":false,"blad":"Pole \"podstawa\" musi być 2, 10 albo 16."})"},
        {R"({"polecenie":"przerwanie","numer":0})",
         R"({"ok":false,"blad":"Pole \"numer\" musi być liczbą całkowitą od 1 do 8."})"},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.polecenie);
        TSymulator s;
        TApi api(s);
        EXPECT_EQ(api.Wywolaj(p.polecenie), p.odpowiedz);
    }
}

TEST(Api, BajtyBase64) {
    const TPrzypadek przypadki[] = {
        {"", R"({"ok":true,"linie":[]})"},
        {"YQ==", R"({"ok":true,"linie":["a"]})"},
        {"YWI=", R"({"ok":true,"linie":["ab"]})"},
        {"YWJj", R"({"ok":true,"linie":["abc"]})"},
        {"uTENCg==", R"({"ok":true,"linie":["ą1"]})"}, // Windows-1250, CR LF
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.polecenie);
        TSymulator s;
        TApi api(s);
        EXPECT_EQ(api.Wywolaj(std::string(R"({"polecenie":"wczytaj_program","bajty":")") +
                              p.polecenie + "\"}"),
                  p.odpowiedz);
    }
    TSymulator s;
    TApi api(s);
    EXPECT_EQ(api.Wywolaj(R"({"polecenie":"zapisz_program","linie":["ą1","ab"]})"),
              R"({"ok":true,"bajty":"uTENCmFiDQo="})");
}

// A refused file leaves the list as it was; a run in progress refuses what would change
// the machine under it, and "stop" ends it.
TEST(Api, StanPoOdmowie) {
    TSymulator s;
    TApi api(s);
    const int rozkazy = s.ListaRozkazow.Count();
    api.Wywolaj(R"({"polecenie":"wczytaj_rozkazy","bajty":"YWJj"})");
    EXPECT_EQ(s.ListaRozkazow.Count(), rozkazy);

    api.Wywolaj(R"({"polecenie":"asembluj","tekst":"petla: sob petla"})");
    EXPECT_EQ(api.Wywolaj(R"({"polecenie":"program","takty":10})"),
              R"({"ok":true,"trwa":true,"takty":10,"zatrzymana":false})");
    EXPECT_EQ(api.Wywolaj(R"({"polecenie":"takt"})"),
              R"({"ok":false,"blad":"Trwa przebieg; najpierw polecenie \"stop\"."})");
    EXPECT_EQ(api.Wywolaj(R"({"polecenie":"rozkaz"})"),
              R"({"ok":false,"blad":"Trwa inny przebieg; najpierw polecenie \"stop\"."})");
    EXPECT_EQ(api.Wywolaj(R"({"polecenie":"stop"})"), R"({"ok":true})");
    EXPECT_EQ(api.Wywolaj(R"({"polecenie":"takt"})"),
              R"({"ok":true,"wynik":1,"zatrzymana":false})");
}

// The page's views: the schematic and what a point hits on it, the tick's messages, the
// CPU panel's lines, values and chosen signals from its menus.
TEST(Api, WidokiStrony) {
    TSymulator s;
    TApi api(s);
    api.Wywolaj(R"({"polecenie":"preset","nazwa":"Max"})");
    api.Wywolaj(R"({"polecenie":"asembluj","tekst":"pob x\nx: rst 7"})");
    api.Wywolaj(R"({"polecenie":"wybierz_sygnal","sygnal":"wyad"})");
    const auto obraz = nlohmann::json::parse(api.Wywolaj(R"({"polecenie":"obraz"})"));
    EXPECT_EQ(obraz["obraz"]["width"], 705);
    EXPECT_EQ(obraz["obraz"]["memory_position"], 0);
    nlohmann::json wyad;
    for (const auto& m : obraz["obraz"]["places"])
        if (m["kind"] == "signal" && m["signal"] == "wyad") wyad = m;
    ASSERT_TRUE(wyad.is_object());
    const int x = (wyad["rect"][0].get<int>() + wyad["rect"][2].get<int>()) / 2;
    const int y = (wyad["rect"][1].get<int>() + wyad["rect"][3].get<int>()) / 2;
    const std::string punkt = R"(,"x":)" + std::to_string(x) + R"(,"y":)" + std::to_string(y);
    EXPECT_EQ(api.Wywolaj(R"({"polecenie":"trafienie","co":"sygnal")" + punkt + "}"),
              R"({"ok":true,"miejsce":)" + wyad.dump() + "}");
    EXPECT_EQ(api.Wywolaj(R"({"polecenie":"trafienie","co":"rejestr")" + punkt + "}"),
              R"({"ok":true,"miejsce":null})");
    const auto ak = nlohmann::json::parse(
        api.Wywolaj(R"({"polecenie":"trafienie","co":"rejestr","x":335,"y":167})"));
    EXPECT_EQ(ak["miejsce"].value("slot", 0), Slot::AK) << ak;
    EXPECT_EQ(ak["miejsce"].value("podstawa", 0), 10) << ak;

    EXPECT_EQ(api.Wywolaj(R"({"polecenie":"takt_reczny","sygnaly":["wyl","wyad"]})"),
              R"({"ok":true,"wynik":1,"zatrzymana":false})");
    EXPECT_EQ(api.Wywolaj(R"({"polecenie":"komunikaty_taktu"})"),
              R"({"ok":true,"komunikaty":["WYL - Magistrala adresowa w uzyciu"]})");
    EXPECT_EQ(api.Wywolaj(R"({"polecenie":"wyczysc_wybrane"})"), R"({"ok":true})");
    EXPECT_EQ(nlohmann::json::parse(api.Wywolaj(R"({"polecenie":"stan"})"))["wybrane"].size(), 0u);

    EXPECT_EQ(api.Wywolaj(R"({"polecenie":"wpisz","rejestr":"AK","wartosc":-1})"),
              R"({"ok":true})");
    // The flags hold what the last tick latched; the listing marks where registers point.
    EXPECT_EQ(
        api.Wywolaj(R"({"polecenie":"cpu","od":0,"ile":2})"),
        R"({"ok":true,"rejestry":[{"nazwa":"L","tekst":"0"},{"nazwa":"AK","tekst":"255"},)"
        R"({"nazwa":"AD","tekst":"0"},{"nazwa":"A","tekst":"0"},{"nazwa":"S","tekst":"0"}],)"
        R"("flagi":[{"nazwa":"Z","wartosc":1},{"nazwa":"N","wartosc":0},)"
        R"({"nazwa":"NP","wartosc":0},{"nazwa":"NM","wartosc":0},{"nazwa":"INT","wartosc":0},)"
        R"({"nazwa":"PAK","wartosc":0},{"nazwa":"ZAK","wartosc":0}],)"
        R"("pamiec":[{"adres":0,"tekst":"LXYZUVASAD    0x00  4 1  pob 1","slowo":129},)"
        R"({"adres":1,"tekst":"              0x01  0 7  stop","slowo":7}]})");
}

// What the instruction editor, the memory view and the two dialogs read, and the
// architecture dialog's apply: widths, emptied memory, preset, signals of "U".
TEST(Api, EdytorIDialogi) {
    TSymulator s;
    TApi api(s);
    const int sob = s.ListaRozkazow.ZnajdzNazwe("sob");
    const std::string kody = R"({"polecenie":"kody_rozkazu","numer":)" + std::to_string(sob) + "}";
    EXPECT_EQ(api.Wywolaj(kody), R"({"ok":true,"kody":[5,7]})");
    api.Wywolaj(R"({"polecenie":"dodaj_rozkaz"})");
    EXPECT_EQ(api.Wywolaj(kody), R"({"ok":true,"kody":[5]})");

    api.Wywolaj(R"({"polecenie":"standardowe_rozkazy"})");
    api.Wywolaj(R"({"polecenie":"kompiluj_mikroprogram"})");
    const auto wiersze = [&](bool wszystkie) {
        const std::string w =
            api.Wywolaj(std::string(R"({"polecenie":"pamiec_mikroprogramu","wszystkie":)") +
                        (wszystkie ? "true}" : "false}"));
        std::size_t n = 0;
        for (std::size_t p = w.find("\"adres\""); p != std::string::npos;
             p = w.find("\"adres\"", p + 1))
            ++n;
        return n;
    };
    // The fetch row and rows 0 to 13; without the empty row 7.
    EXPECT_EQ(wiersze(true), 15u);
    EXPECT_EQ(wiersze(false), 14u);
    EXPECT_NE(api.Wywolaj(R"({"polecenie":"pamiec_mikroprogramu"})")
                  .find(R"({"adres":"-1","rozkaz":"","sygnaly":"czyt wys wei il","warunek":"")"),
              std::string::npos);

    const std::string opisy = api.Wywolaj(R"({"polecenie":"opisy_punktow"})");
    EXPECT_NE(opisy.find(R"x("Komórka pamięci (PaO)","Rejestr X")x"), std::string::npos);
    EXPECT_NE(opisy.find(R"("zawiera się w przedziale"]})"), std::string::npos);

    api.Wywolaj(R"({"polecenie":"asembluj","tekst":"dod 1"})");
    EXPECT_EQ(
        api.Wywolaj(
            R"({"polecenie":"zastosuj_architekture","bity_adresu":8,"bity_kodu":4,"preset":"U","sygnaly":["wex","wyx"]})"),
        R"({"ok":true})");
    EXPECT_EQ(s.NazwaPresetu, "U");
    EXPECT_EQ(s.Maszyna.BityAdresu(), 8);
    EXPECT_TRUE(s.Maszyna.PaO().Komorki().empty());
    EXPECT_TRUE(s.Architektura.Jest(NumerSygnalu("stp")));
    EXPECT_TRUE(s.Architektura.Element(1));
    EXPECT_FALSE(s.Architektura.Jest(NumerSygnalu("wyak")));
    EXPECT_EQ(
        api.Wywolaj(
            R"({"polecenie":"zastosuj_architekture","bity_adresu":5,"bity_kodu":3,"preset":"Q"})"),
        R"({"ok":false,"blad":"Nieznana maszyna \"Q\": oczekiwano K, K+, L, EK, Max albo U."})");
    api.Wywolaj(
        R"({"polecenie":"zastosuj_architekture","bity_adresu":5,"bity_kodu":3,"preset":"L"})");
    const std::string sygnaly = api.Wywolaj(R"({"polecenie":"sygnaly"})");
    EXPECT_EQ(sygnaly.substr(0, 30), R"({"ok":true,"nazwy":["wel","wyl)");

    api.Wywolaj(R"({"polecenie":"asembluj","tekst":"stop\nint2: stop"})");
    EXPECT_EQ(api.Wywolaj(R"({"polecenie":"dziennik_od","od":0,"etykiety":true})"),
              R"({"ok":true,"linie":[],"razem":0,"etykiety":[["int2","1"]]})");
    EXPECT_EQ(api.Wywolaj(R"({"polecenie":"mozna_wstecz"})"), R"({"ok":true,"wstecz":false})");
    EXPECT_EQ(
        api.Wywolaj(R"({"polecenie":"adresy"})").substr(0, 84),
        R"({"ok":true,"przerwania":[{"etykieta":"int1","adres":0},{"etykieta":"int2","adres":1})");
}

// Commands change state through the owner: its listeners hear of each, and of a run only
// at its start, at a slice's end and at its end, never per tick.
TEST(Api, ZmianyPrzezWlasciciela) {
    struct TZapis : TSluchaczSymulatora {
        std::vector<TZmiana> zmiany;
        void Zmiana(TZmiana co) override { zmiany.push_back(co); }
    } zapis;
    using Z = TZmiana;
    TSymulator s;
    TApi api(s);
    s.Subskrybuj(&zapis);
    const struct {
        const char* polecenie;
        std::vector<TZmiana> zmiany;
    } przypadki[] = {
        {R"({"polecenie":"asembluj","tekst":"petla: sob petla"})",
         {Z::Pamiec | Z::Dziennik, Z::StanMaszyny}},
        {R"({"polecenie":"program","takty":1000})", {Z::TrybPracy, Z::StanMaszyny}},
        {R"({"polecenie":"stop"})", {Z::StanMaszyny | Z::TrybPracy}},
        {R"({"polecenie":"szerokosci","bity_adresu":6,"bity_kodu":4})",
         {Z::Architektura | Z::StanMaszyny, Z::Pamiec | Z::StanMaszyny}},
        {R"({"polecenie":"wybierz_sygnal","sygnal":"wel"})", {Z::StanMaszyny}},
        {R"({"polecenie":"podstawa","rejestr":"AK","podstawa":16})", {Z::StanMaszyny}},
        {R"({"polecenie":"usun_punkty"})", {Z::PunktyZatrzymania}},
        {R"({"polecenie":"wyczysc_wyjscie"})", {Z::Konsola}},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.polecenie);
        zapis.zmiany.clear();
        const std::string odpowiedz = api.Wywolaj(p.polecenie);
        EXPECT_EQ(odpowiedz.rfind(R"({"ok":true)", 0), 0u) << odpowiedz;
        EXPECT_EQ(zapis.zmiany, p.zmiany);
    }
    EXPECT_FALSE(s.TrwaPrzebieg());
    EXPECT_EQ(s.TaktyPrzebiegu(), 1000u);
    s.Wypisz(&zapis);
}

} // namespace
