#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "TSymulator.h"
#include "TekstyPamieci.h"

namespace {

using V = std::vector<std::string>;

struct PlikProgramu : ::testing::Test {
    std::filesystem::path katalog;
    void SetUp() override {
        katalog =
            std::filesystem::temp_directory_path() /
            ("test_programy_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(katalog);
    }
    void TearDown() override { std::filesystem::remove_all(katalog); }
    std::string Sciezka(const char* nazwa) const { return (katalog / nazwa).string(); }
    void Zapisz(const std::string& sciezka, const std::string& bajty) const {
        std::ofstream(sciezka, std::ios::binary) << bajty;
    }
    std::string Bajty(const std::string& sciezka) const {
        std::ifstream f(sciezka, std::ios::binary);
        return {std::istreambuf_iterator<char>(f), {}};
    }
};

} // namespace

TEST(ListaProgramow, PoStarcieJedenPustyProgram) {
    TSymulator s;
    ASSERT_EQ(s.ListaProgramow.Count(), 1);
    EXPECT_EQ(s.ListaProgramow[1].Nazwa, "Program");
    EXPECT_EQ(s.ListaProgramow[1].Opis, "Program");
    EXPECT_TRUE(s.ListaProgramow[1].Tekst.empty());
    EXPECT_EQ(s.ListaProgramow.ZnajdzNazwe("Program"), 1);
    EXPECT_EQ(s.ListaProgramow.ZnajdzNazwe("program"), 0);
    EXPECT_EQ(s.ListaProgramow.ZnajdzNazwe(""), 0);
}

TEST_F(PlikProgramu, ZapisDwochLinii) {
    std::string blad;
    ASSERT_TRUE(ZapiszPlikProgramu(Sciezka("a.prg"), {"\tpob zero", "ład x // ł"}, blad)) << blad;
    EXPECT_EQ(Bajty(Sciezka("a.prg")), "\tpob zero\r\n\xb3"
                                       "ad x // \xb3\r\n");
}

TEST_F(PlikProgramu, ZapisIOdczytBajtWBajt) {
    const std::string bajty = "//program testowy\r\n        pob zero\r\n\t\xb3"
                              "ad liczba   \r\n\r\n"
                              "petla:  sob petla  //skok\r\n";
    Zapisz(Sciezka("we.prg"), bajty);
    V linie;
    std::string blad;
    ASSERT_TRUE(WczytajPlikProgramu(Sciezka("we.prg"), linie, blad)) << blad;
    EXPECT_EQ(linie, (V{"//program testowy", "        pob zero", "\tład liczba   ", "",
                        "petla:  sob petla  //skok"}));
    ASSERT_TRUE(ZapiszPlikProgramu(Sciezka("wy.prg"), linie, blad)) << blad;
    EXPECT_EQ(Bajty(Sciezka("wy.prg")), bajty);
}

TEST_F(PlikProgramu, ZakonczeniaLinii) {
    const V oczekiwane = {"pob a", "", "stop"};
    for (const char* bajty : {"pob a\r\n\r\nstop\r\n", "pob a\n\nstop\n", "pob a\r\rstop\r",
                              "pob a\r\n\nstop", "pob a\n\r\nstop"}) {
        Zapisz(Sciezka("p.prg"), bajty);
        V linie;
        std::string blad;
        ASSERT_TRUE(WczytajPlikProgramu(Sciezka("p.prg"), linie, blad)) << blad;
        EXPECT_EQ(linie, oczekiwane) << bajty;
    }
    Zapisz(Sciezka("p.prg"), "");
    V linie = {"stare"};
    std::string blad;
    ASSERT_TRUE(WczytajPlikProgramu(Sciezka("p.prg"), linie, blad));
    EXPECT_TRUE(linie.empty());
}

TEST_F(PlikProgramu, BledyNieZmieniajaTekstu) {
    V linie = {"stary tekst"};
    std::string blad;
    EXPECT_FALSE(WczytajPlikProgramu(Sciezka("brak.prg"), linie, blad));
    EXPECT_FALSE(blad.empty());
    EXPECT_FALSE(WczytajPlikProgramu(katalog.string(), linie, blad));
    EXPECT_EQ(linie, V{"stary tekst"});

    // A character Windows-1250 has no byte for refuses the save; the old file stays.
    Zapisz(Sciezka("p.prg"), "stary\r\n");
    blad.clear();
    EXPECT_FALSE(ZapiszPlikProgramu(Sciezka("p.prg"), {"rst 1", "// 漢字"}, blad));
    EXPECT_NE(blad.find("Windows-1250"), std::string::npos);
    EXPECT_EQ(Bajty(Sciezka("p.prg")), "stary\r\n");
}

TEST(TekstyPamieci, KomorkiIOpisy) {
    TSymulator s;
    s.KompilujProgram({"dod 20", "stop", "rst -3", "org 10", "rst 7"});
    const TPaO& pao = s.Maszyna.PaO();
    const TListaRozkazow& l = s.ListaRozkazow;
    EXPECT_EQ(TekstKomorki(pao, 0), "1 20");
    EXPECT_EQ(OpisKomorki(pao, l, 0), "dod 20");
    EXPECT_EQ(TekstKomorki(pao, 1), "0 0");
    EXPECT_EQ(OpisKomorki(pao, l, 1), "stop");
    // A data word of code 0 reads as "stop", as the machine would decode it.
    EXPECT_EQ(TekstKomorki(pao, 2), "0 -3");
    EXPECT_EQ(OpisKomorki(pao, l, 2), "stop");
    EXPECT_EQ(TekstKomorki(pao, 3), "<??\?>");
    EXPECT_EQ(OpisKomorki(pao, l, 3), "<unknown>");
    EXPECT_EQ(TekstKomorki(pao, -1), "<??\?>");

    s.Maszyna.WstawKomorke(12, 7, 4, "110");
    EXPECT_EQ(OpisKomorki(pao, l, 12), "<unknown>");

    // Several arguments: " ..." after the first; of two instructions with one code the first.
    std::vector<TRozkaz> nowe;
    for (int i = 1; i <= l.Count(); ++i)
        nowe.push_back(l[i]);
    TRozkaz dwa;
    dwa.Nazwa = "dwa";
    dwa.Kod = 7;
    dwa.LiczbaArgumentow = 2;
    nowe.push_back(dwa);
    dwa.Nazwa = "inny";
    nowe.push_back(dwa);
    s.ListaRozkazow.Zastap(nowe);
    EXPECT_EQ(OpisKomorki(pao, l, 12), "dwa 4 ...");
}
