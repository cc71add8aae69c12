#include <gtest/gtest.h>

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
        {R"({"polecenie":"obraz"})", R"({"ok":false,"blad":"Nieznane polecenie \"obraz\"."})"},
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
