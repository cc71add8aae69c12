#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "Tekst.h"

using namespace tekst;

namespace {

std::string CzytajBajty(const std::string& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

std::string TymczasowyPlik(const char* nazwa) {
    return (std::filesystem::temp_directory_path() / (std::string("symulator_test_") + nazwa))
        .string();
}

} // namespace

TEST(Kodowanie, WszystkieBajtyPrzechodzaBezStrat) {
    std::string bajty;
    for (int b = 0; b < 256; ++b)
        bajty += static_cast<char>(b);
    std::string utf8 = DekodujCp1250(bajty);
    EXPECT_TRUE(PoprawneUtf8(utf8));
    std::string z, znak;
    int linia = 0;
    ASSERT_TRUE(KodujCp1250(utf8, z, znak, linia));
    EXPECT_EQ(z, bajty);
}

TEST(Kodowanie, PolskieLitery) {
    const std::pair<char, const char*> litery[] = {
        {'\xa5', "Ą"}, {'\xc6', "Ć"}, {'\xca', "Ę"}, {'\xa3', "Ł"}, {'\xd1', "Ń"}, {'\xd3', "Ó"},
        {'\x8c', "Ś"}, {'\x8f', "Ź"}, {'\xaf', "Ż"}, {'\xb9', "ą"}, {'\xe6', "ć"}, {'\xea', "ę"},
        {'\xb3', "ł"}, {'\xf1', "ń"}, {'\xf3', "ó"}, {'\x9c', "ś"}, {'\x9f', "ź"}, {'\xbf', "ż"}};
    for (auto [bajt, litera] : litery) {
        SCOPED_TRACE(litera);
        EXPECT_EQ(DekodujCp1250(std::string(1, bajt)), litera);
        std::string z, znak;
        int linia = 0;
        ASSERT_TRUE(KodujCp1250(litera, z, znak, linia));
        EXPECT_EQ(z, std::string(1, bajt));
    }
}

TEST(Kodowanie, ZnakSpozaStronyKodowejJestOdrzucanyZNumeremLinii) {
    std::string z, znak;
    int linia = 0;
    EXPECT_FALSE(KodujCp1250("abc\r\ndef\r\nx中y", z, znak, linia));
    EXPECT_EQ(znak, "中");
    EXPECT_EQ(linia, 3);
}

TEST(Kodowanie, OdczytRozpoznajeUtf8) {
    EXPECT_EQ(OdczytajTekst("ład"), "ład"); // valid UTF-8 with non-ASCII
    EXPECT_EQ(OdczytajTekst("abc"), "abc");
}

TEST(Linie, PodzialNaKoncachLinii) {
    using V = std::vector<std::string>;
    EXPECT_EQ(PodzielNaLinie("a\r\nb\rc\nd"), (V{"a", "b", "c", "d"}));
    EXPECT_EQ(PodzielNaLinie("a\r\n"), (V{"a"}));
    EXPECT_EQ(PodzielNaLinie("a\r\n\r\n"), (V{"a", ""}));
    EXPECT_EQ(PodzielNaLinie(""), V{});
    EXPECT_EQ(PodzielNaLinie("\n"), (V{""}));
    EXPECT_EQ(PodzielNaLinie("a\n\rb"), (V{"a", "", "b"}));
    EXPECT_EQ(ZlaczLinie({"a", "", "b"}), "a\r\n\r\nb\r\n");
}

TEST(Linie, MaleLiteryTylkoAscii) {
    EXPECT_EQ(MaleLitery("ŁAD Wyl 09_Z"), "Ład wyl 09_z");
}

TEST(Pliki, ZapisIOdczytPrzezKodowanie) {
    const std::string p = TymczasowyPlik("zapis.txt");
    std::string blad;
    ASSERT_TRUE(ZapiszLinie(p, {"ład", "\tdod 1", ""}, blad)) << blad;
    EXPECT_EQ(CzytajBajty(p), "\xb3\x61\x64\r\n\tdod 1\r\n\r\n");
    std::vector<std::string> linie;
    ASSERT_TRUE(WczytajLinie(p, linie, blad));
    EXPECT_EQ(linie, (std::vector<std::string>{"ład", "\tdod 1", ""}));
    EXPECT_FALSE(std::filesystem::exists(p + ".tmp~"));
    std::filesystem::remove(p);
}

TEST(Pliki, NiekodowalnyTekstNieNiszczyIstniejacegoPliku) {
    const std::string p = TymczasowyPlik("stary.txt");
    std::string blad;
    ASSERT_TRUE(ZapiszLinie(p, {"stary"}, blad));
    EXPECT_FALSE(ZapiszLinie(p, {"dobry", "zły ☺"}, blad));
    EXPECT_EQ(blad, "Znaku \"☺\" w linii 2 nie można zapisać w kodowaniu Windows-1250. Plik nie "
                    "został zapisany.");
    EXPECT_EQ(CzytajBajty(p), "stary\r\n");
    std::filesystem::remove(p);
}

TEST(Pliki, BledyPlikowMajaDokladneKomunikaty) {
    std::vector<std::string> linie{"x"};
    std::string blad;
    EXPECT_FALSE(WczytajLinie("/nie/ma/takiego/pliku.roz", linie, blad));
    EXPECT_EQ(blad, "Nie można otworzyć pliku \"/nie/ma/takiego/pliku.roz\".");
    EXPECT_EQ(linie, std::vector<std::string>{"x"});
    const std::string katalog = std::filesystem::temp_directory_path().string();
    EXPECT_FALSE(WczytajLinie(katalog, linie, blad));
    EXPECT_EQ(blad, "Nie można odczytać pliku \"" + katalog + "\": to jest katalog.");
    EXPECT_FALSE(ZapiszLinie("/nie/ma/katalogu/plik.roz", {"a"}, blad));
    EXPECT_EQ(blad, "Nie można zapisać pliku \"/nie/ma/katalogu/plik.roz\".");
}
