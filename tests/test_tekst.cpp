#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <thread>

#include <unistd.h>

#include "PlikiTestow.h"
#include "Tekst.h"

using namespace tekst;

namespace {

// The Windows-1250 bytes of a text, or the refused character and its line.
std::string Koduj(const std::string& utf8) {
    std::string z, znak;
    int linia = 0;
    return KodujCp1250(utf8, z, znak, linia) ? z : znak + " " + std::to_string(linia);
}

} // namespace

TEST(Kodowanie, PolskieLiteryIWszystkieBajty) {
    const std::pair<char, const char*> litery[] = {
        {'\xa5', "Ą"}, {'\xc6', "Ć"}, {'\xca', "Ę"}, {'\xa3', "Ł"}, {'\xd1', "Ń"}, {'\xd3', "Ó"},
        {'\x8c', "Ś"}, {'\x8f', "Ź"}, {'\xaf', "Ż"}, {'\xb9', "ą"}, {'\xe6', "ć"}, {'\xea', "ę"},
        {'\xb3', "ł"}, {'\xf1', "ń"}, {'\xf3', "ó"}, {'\x9c', "ś"}, {'\x9f', "ź"}, {'\xbf', "ż"}};
    for (auto [bajt, litera] : litery) {
        SCOPED_TRACE(litera);
        EXPECT_EQ(DekodujCp1250(std::string(1, bajt)), litera);
        EXPECT_EQ(Koduj(litera), std::string(1, bajt));
    }
    std::string bajty;
    for (int b = 0; b < 256; ++b)
        bajty += static_cast<char>(b);
    const std::string utf8 = DekodujCp1250(bajty);
    EXPECT_TRUE(PoprawneUtf8(utf8));
    EXPECT_EQ(Koduj(utf8), bajty);
    EXPECT_EQ(OdczytajTekst("ład"), "ład") << "valid UTF-8 is taken as it is";
    // A character the code page lacks is refused with its line.
    EXPECT_EQ(Koduj("abc\r\ndef\r\nx中y"), "中 3");
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

TEST(Pliki, NiekodowalnyTekstNieNiszczyIstniejacegoPliku) {
    const std::string p = PlikTestu("stary.txt");
    std::string blad;
    ASSERT_TRUE(ZapiszLinie(p, {"stary"}, blad));
    EXPECT_FALSE(ZapiszLinie(p, {"dobry", "zły ☺"}, blad));
    EXPECT_EQ(blad, "Znaku \"☺\" w linii 2 nie można zapisać w kodowaniu Windows-1250. Plik nie "
                    "został zapisany.");
    EXPECT_EQ(Bajty(p), "stary\r\n");
    std::filesystem::remove(p);
}

TEST(Pliki, BledyPlikowMajaDokladneKomunikaty) {
    std::vector<std::string> linie{"x"};
    std::string blad;
    EXPECT_FALSE(WczytajLinie("/nie/ma/takiego/pliku.roz", linie, blad));
    EXPECT_EQ(blad, "Nie można otworzyć pliku \"/nie/ma/takiego/pliku.roz\": nie ma takiego pliku "
                    "ani katalogu.");
    EXPECT_EQ(linie, std::vector<std::string>{"x"});
    const std::string katalog = std::filesystem::temp_directory_path().string();
    EXPECT_FALSE(WczytajLinie(katalog, linie, blad));
    EXPECT_EQ(blad, "Nie można odczytać pliku \"" + katalog + "\": to jest katalog.");
    EXPECT_FALSE(ZapiszLinie("/nie/ma/katalogu/plik.roz", {"a"}, blad));
    EXPECT_EQ(blad, "Nie można zapisać pliku \"/nie/ma/katalogu/plik.roz\": nie ma takiego pliku "
                    "ani katalogu.");
}

namespace {

// A folder of its own for each test, emptied first.
struct Zapis : ::testing::Test {
    std::filesystem::path folder;
    std::string blad;
    void SetUp() override {
        folder = PlikTestu("folder");
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }
    std::string P(const std::string& nazwa) const { return (folder / nazwa).string(); }
    std::vector<std::string> Zawartosc() const {
        std::vector<std::string> n;
        for (const auto& w : std::filesystem::directory_iterator(folder))
            n.push_back(w.path().filename().string());
        std::sort(n.begin(), n.end());
        return n;
    }
};

} // namespace

TEST_F(Zapis, UprawnieniaDowiazaniaIDlugaNazwa) {
    namespace fs = std::filesystem;
    // Permissions stay.
    ASSERT_TRUE(ZapiszLinie(P("p.prg"), {"stary"}, blad)) << blad;
    fs::permissions(P("p.prg"), fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(ZapiszLinie(P("p.prg"), {"nowy"}, blad)) << blad;
    EXPECT_EQ(fs::status(P("p.prg")).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    // A link as the target: the file it points to is replaced, the link stays.
    fs::create_symlink("p.prg", P("dowiazanie.prg"));
    ASSERT_TRUE(ZapiszLinie(P("dowiazanie.prg"), {"przez link"}, blad)) << blad;
    EXPECT_TRUE(fs::is_symlink(P("dowiazanie.prg")));
    EXPECT_EQ(Bajty(P("p.prg")), "przez link\r\n");
    // A link planted at a name a temporary file might take is never written through.
    ASSERT_TRUE(ZapiszLinie(P("ofiara"), {"nietknieta"}, blad)) << blad;
    fs::create_symlink("ofiara", P("x.prg.tmp~"));
    ASSERT_TRUE(ZapiszLinie(P("x.prg"), {"x"}, blad)) << blad;
    EXPECT_FALSE(fs::is_symlink(P("x.prg")));
    EXPECT_EQ(Bajty(P("x.prg")), "x\r\n");
    EXPECT_EQ(Bajty(P("ofiara")), "nietknieta\r\n");
    // The longest name a folder holds.
    const std::string dluga(255, 'd');
    ASSERT_TRUE(ZapiszLinie(P(dluga), {"d"}, blad)) << blad;
    EXPECT_EQ(Zawartosc(), (std::vector<std::string>{dluga, "dowiazanie.prg", "ofiara", "p.prg",
                                                     "x.prg", "x.prg.tmp~"}));
}

TEST_F(Zapis, RownoczesneZapisyZostawiajaJedenCalyPlik) {
    std::vector<std::thread> watki;
    for (char c : {'a', 'b', 'c', 'd'})
        watki.emplace_back([this, c] {
            std::string b;
            for (int i = 0; i < 20; ++i)
                EXPECT_TRUE(ZapiszLinie(P("t.csv"), {std::string(100000, c)}, b)) << b;
        });
    for (auto& w : watki)
        w.join();
    const std::string wynik = Bajty(P("t.csv"));
    ASSERT_EQ(wynik.size(), 100002u);
    EXPECT_EQ(wynik, std::string(100000, wynik[0]) + "\r\n");
    EXPECT_EQ(Zawartosc(), std::vector<std::string>{"t.csv"});
}

TEST_F(Zapis, PrzyczynaNazwana) {
    EXPECT_EQ(PrzyczynaBledu(EACCES), "brak uprawnień");
    EXPECT_EQ(PrzyczynaBledu(ENOSPC), "brak miejsca na dysku");
    if (::geteuid() == 0) GTEST_SKIP() << "root may write anywhere";
    std::filesystem::permissions(folder, std::filesystem::perms::owner_read |
                                             std::filesystem::perms::owner_exec);
    EXPECT_FALSE(ZapiszLinie(P("p.prg"), {"a"}, blad));
    EXPECT_EQ(blad, "Nie można zapisać pliku \"" + P("p.prg") + "\": brak uprawnień.");
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
}
