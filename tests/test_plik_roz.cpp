#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "PlikRozkazow.h"
#include "PlikiTestow.h"
#include "Rozkazy.h"

namespace {

using V = std::vector<std::string>;

// Lists compare by every field the file keeps: by their file lines, since the writer is
// pinned byte by byte below.
const auto Pola = LiniePlikuRozkazow;

// The standard set as the file holds it, the line ends taken in turn from `konce`.
std::string PlikStandardowy(std::initializer_list<const char*> konce = {"\r\n"}) {
    // clang-format off
    const V linie = {
        "7",
        "dod", "Dodaje do akumulatora warto\x9C\xE6 kom\xF3rki o wskazanym adresie.", "1", "1", "3",
        "czyt wys wei il ;", "wyad wea ;", "czyt wys weja dod weak wyl wea ;",
        "ode", "Odejmuje od warto\x9C" "ci akumulatora warto\x9C\xE6 kom\xF3rki o podanym adresie.", "2", "1", "3",
        "czyt wys wei il ;", "wyad wea ;", "czyt wys weja ode weak wyl wea ;",
        "\xB3" "ad", "Zapisuje pod podany adres warto\x9C\xE6 akumulatora.", "3", "1", "3",
        "czyt wys wei il ;", "wyad wyak wes wea ;", "wyl pisz wea ;",
        "pob", "Pobiera do akumulatora warto\x9C\xE6 kom\xF3rki o podanym adresie.", "4", "1", "3",
        "czyt wys wei il ;", "wyad wea ;", "czyt wys weja przep weak wyl wea ;",
        "sob", "Rozkaz skoku bezwarunkowego. Argument jest adresem.", "5", "1", "2",
        "czyt wys wei il ;", "wyad wel wea ;",
        "som", "Skok warunkowy pod podany adres. Nast\xEApuje, kiedy liczba w akumulatorze jest ujemna. (Bit znaku "
               "akumulatora r\xF3wny 1).", "6", "1", "4",
        "czyt wys wei il ;", "if !z then dodatnia ;", "wyad wel wea !", "dodatnia: wyl wea ;",
        "stop", "Zatrzymuje maszyn\xEA.", "0", "0", "2",
        "czyt wys wei il ;", "stp ;"};
    // clang-format on
    std::string b;
    for (std::size_t i = 0; i < linie.size(); ++i)
        b += linie[i] + konce.begin()[i % konce.size()];
    return b;
}

struct PlikRoz : ::testing::Test {
    TListaRozkazow lista;
    TListaRozkazow przed;
    std::string blad;
    void SetUp() override {
        lista.UstawStandardowe();
        lista[2].Mikroprogram.push_back("\t; tab");
        przed = lista;
    }
    // Loads `bajty` and expects the refusal `oczekiwany` with the list untouched.
    void Odrzucony(const std::string& bajty, const std::string& oczekiwany) {
        const std::string p = PlikTestu("zly.roz");
        Zapisz(p, bajty);
        blad.clear();
        EXPECT_FALSE(WczytajPlikRozkazow(p, lista, blad)) << bajty;
        EXPECT_EQ(blad, "Nie można wczytać pliku rozkazów. " + oczekiwany +
                            " Lista rozkazów nie została zmieniona.");
        EXPECT_EQ(Pola(lista), Pola(przed)) << bajty;
    }
};

} // namespace

TEST_F(PlikRoz, ZestawStandardowyBajtPoBajcie) {
    lista.UstawStandardowe();
    const std::string p = PlikTestu("standard.roz");
    ASSERT_TRUE(ZapiszPlikRozkazow(p, lista, blad)) << blad;
    EXPECT_EQ(Bajty(p), PlikStandardowy());
    // Read back, and with LF, CR and CR LF mixed.
    for (const std::string& bajty :
         {PlikStandardowy(), PlikStandardowy({"\n", "\r", "\r\n", "\r"})}) {
        Zapisz(p, bajty);
        TListaRozkazow wczytana;
        ASSERT_TRUE(WczytajPlikRozkazow(p, wczytana, blad)) << blad;
        EXPECT_EQ(Pola(wczytana), Pola(lista));
    }
}

TEST_F(PlikRoz, PusteLinieITabulatoryZostaja) {
    lista[1].Mikroprogram = {"czyt wys wei il ;", "", "  wyad wea ;  ", "\twyl wea ;", ""};
    lista[1].Opis = "";
    const std::string p = PlikTestu("puste.roz");
    ASSERT_TRUE(ZapiszPlikRozkazow(p, lista, blad));
    ASSERT_TRUE(WczytajPlikRozkazow(p, przed, blad)) << blad;
    EXPECT_EQ(Pola(przed), Pola(lista));
}

TEST_F(PlikRoz, ZeroOprozniaListe) {
    const std::string p = PlikTestu("zero.roz");
    Zapisz(p, "0\r\n");
    ASSERT_TRUE(WczytajPlikRozkazow(p, lista, blad));
    EXPECT_EQ(lista.Count(), 0);
    // Lines after the last record are ignored.
    Zapisz(p, "1\r\nx\r\n\r\n2\r\n0\r\n0\r\nreszta\r\n");
    ASSERT_TRUE(WczytajPlikRozkazow(p, lista, blad));
    ASSERT_EQ(lista.Count(), 1);
    EXPECT_EQ(lista[1].Nazwa, "x");
    EXPECT_TRUE(lista[1].Mikroprogram.empty());
    // A full list of 256 is read; 257 is refused below.
    V pelna = {"256"};
    for (int i = 0; i < 256; ++i)
        pelna.insert(pelna.end(), {"r", "", std::to_string(i), "0", "0"});
    std::vector<TRozkaz> r;
    EXPECT_TRUE(CzytajLiniePlikuRozkazow(pelna, r, blad) && r.size() == 256u) << blad;
}

TEST_F(PlikRoz, KodToMlodsze16Bitow) {
    V linie = {"3", "a", "", "65537", "0", "0", "b", "", "-1", "1", "0", "c", "", " +7 ", "2", "0"};
    std::vector<TRozkaz> r;
    ASSERT_TRUE(CzytajLiniePlikuRozkazow(linie, r, blad)) << blad;
    ASSERT_EQ(r.size(), 3u);
    EXPECT_EQ(std::tuple(r[0].Kod, r[1].Kod, r[2].Kod, r[2].LiczbaArgumentow),
              std::tuple(1, 65535, 7, 2));
}

TEST_F(PlikRoz, OdrzuconePlikiNieZmieniajaListy) {
    Odrzucony("", "Wiersz 1: brak wiersza (liczba rozkazów), plik kończy się wcześniej.");
    Odrzucony("siedem\r\n", "Wiersz 1: \"siedem\" nie jest liczbą całkowitą (liczba rozkazów).");
    Odrzucony("257\r\n", "Wiersz 1: \"257\" - liczba rozkazów większa niż 256.");
    Odrzucony("-1\r\n", "Wiersz 1: \"-1\" - liczba rozkazów nie może być ujemna.");
    Odrzucony("2147483648\r\n",
              "Wiersz 1: \"2147483648\" nie jest liczbą całkowitą (liczba rozkazów).");
    Odrzucony("1\r\na\r\nopis\r\n1x\r\n",
              "Wiersz 4: \"1x\" nie jest liczbą całkowitą (kod rozkazu nr 1).");
    Odrzucony("1\r\na\r\nopis\r\n1\r\n-2\r\n0\r\n",
              "Wiersz 5: \"-2\" - liczba argumentów rozkazu nr 1 nie może być ujemna.");
    Odrzucony("1\r\na\r\nopis\r\n1\r\n1\r\n-1\r\n",
              "Wiersz 6: \"-1\" - liczba wierszy mikroprogramu rozkazu nr 1 nie może być ujemna.");
    // Only the last microprogram may end early, and by no more than a memory's rows.
    Odrzucony("2\r\na\r\nopis\r\n1\r\n1\r\n3\r\nwyl ;\r\nwea ;\r\n",
              "Wiersz 6: \"3\" - mikroprogram rozkazu nr 1 wychodzi poza koniec pliku.");
    Odrzucony("1\r\na\r\nopis\r\n1\r\n1\r\n8193\r\n",
              "Wiersz 6: \"8193\" - mikroprogram rozkazu nr 1 wychodzi poza koniec pliku.");
    Odrzucony("2\r\na\r\nopis\r\n1\r\n1\r\n0\r\nb\r\n",
              "Wiersz 8: brak wiersza (opis rozkazu nr 2), plik kończy się wcześniej.");
    Odrzucony("1\r\na\r\nopis\r\n1\r\n\r\n0\r\n",
              "Wiersz 5: \"\" nie jest liczbą całkowitą (liczba argumentów rozkazu nr 1).");
}

TEST_F(PlikRoz, ObcieteKoncoweWierszeSaPuste) {
    const std::string p = PlikTestu("obciety.roz");
    std::string uwaga;
    Zapisz(p, "2\r\na\r\n\r\n1\r\n0\r\n1\r\n\r\nb\r\n\r\n2\r\n0\r\n4\r\nwyl ;\r\n");
    ASSERT_TRUE(WczytajPlikRozkazow(p, lista, blad, &uwaga)) << blad;
    ASSERT_EQ(lista.Count(), 2);
    EXPECT_EQ(lista[2].Mikroprogram, (V{"wyl ;", "", "", ""}));
    EXPECT_EQ(uwaga, "Plik kończy się przed końcem mikroprogramu rozkazu nr 2: brakujące wiersze "
                     "wczytano jako puste (liczba brakujących wierszy: 3).");
    // A whole file leaves no note.
    Zapisz(p, "1\r\na\r\n\r\n1\r\n0\r\n1\r\n\r\n");
    ASSERT_TRUE(WczytajPlikRozkazow(p, lista, blad, &uwaga)) << blad;
    EXPECT_EQ(uwaga, "");
}

TEST_F(PlikRoz, ZapisNiemozliwy) {
    // A character Windows-1250 has no byte for refuses the save; no file appears.
    lista[1].Nazwa = "dod€"; // the euro sign has one
    lista[2].Opis = "→";
    const std::string p = PlikTestu("niezapisany.roz");
    std::filesystem::remove(p);
    EXPECT_FALSE(ZapiszPlikRozkazow(p, lista, blad));
    EXPECT_EQ(blad,
              "Znaku \"→\" w linii 11 nie można zapisać w kodowaniu Windows-1250. Plik nie został "
              "zapisany.");
    EXPECT_FALSE(std::filesystem::exists(p));
}
