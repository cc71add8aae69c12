#include <gtest/gtest.h>

#include "PlikiTestow.h"
#include "TSymulator.h"
#include "TekstyPamieci.h"

// The encoding and the line ends themselves are the text layer's tests; these check
// that the program file goes through it and keeps the editor's text on a failure.
namespace {

using V = std::vector<std::string>;

struct PlikProgramu : ::testing::Test {
    V linie = {"stary tekst"};
    std::string blad;
    bool Wczytaj(const char* nazwa) { return WczytajPlikProgramu(PlikTestu(nazwa), linie, blad); }
};

} // namespace

TEST(ListaProgramow, PoStarcieJedenPustyProgram) {
    TSymulator s;
    ASSERT_EQ(s.ListaProgramow.Count(), 1);
    EXPECT_TRUE(s.ListaProgramow[1].Tekst.empty());
    EXPECT_EQ(s.ListaProgramow.ZnajdzNazwe("Program"), 1);
    EXPECT_EQ(s.ListaProgramow.ZnajdzNazwe("program"), 0) << "names compare exactly";
}

TEST_F(PlikProgramu, ZapisIOdczytBajtWBajt) {
    const std::string bajty = "//program testowy\r\n        pob zero\r\n\t\xb3"
                              "ad liczba   \r\n\r\n"
                              "petla:  sob petla  //skok\r\n";
    Zapisz(PlikTestu("we.prg"), bajty);
    ASSERT_TRUE(Wczytaj("we.prg")) << blad;
    EXPECT_EQ(linie, (V{"//program testowy", "        pob zero", "\tład liczba   ", "",
                        "petla:  sob petla  //skok"}));
    ASSERT_TRUE(ZapiszPlikProgramu(PlikTestu("wy.prg"), linie, blad)) << blad;
    EXPECT_EQ(Bajty(PlikTestu("wy.prg")), bajty);
}

TEST_F(PlikProgramu, BladOdczytuNieZmieniaTekstu) {
    EXPECT_FALSE(Wczytaj("brak.prg"));
    EXPECT_EQ(blad, "Nie można otworzyć pliku \"" + PlikTestu("brak.prg") +
                        "\": nie ma takiego pliku ani katalogu.");
    EXPECT_EQ(linie, V{"stary tekst"});
}

TEST(TekstyPamieci, KomorkiIOpisy) {
    TSymulator s;
    s.KompilujProgram({"dod 20", "stop", "rst -3", "org 10", "rst 7"});
    const TPaO& pao = s.Maszyna.PaO();
    TListaRozkazow& l = s.ListaRozkazow;
    // A data word of code 0 reads as "stop", as the machine would decode it.
    const char* oczekiwane[][2] = {
        {"1 20", "dod 20"}, {"0 0", "stop"}, {"0 -3", "stop"}, {"<??\?>", "<unknown>"}};
    for (int a = 0; a < 4; ++a) {
        EXPECT_EQ(TekstKomorki(pao, a), oczekiwane[a][0]) << a;
        EXPECT_EQ(OpisKomorki(pao, l, a), oczekiwane[a][1]) << a;
    }
    EXPECT_EQ(TekstKomorki(pao, -1), "<??\?>");
    s.Maszyna.WstawKomorke(12, 7, 4, "110");
    EXPECT_EQ(OpisKomorki(pao, l, 12), "<unknown>");
    // Several arguments: " ..." after the first; of two instructions with one code the first.
    for (const char* nazwa : {"dwa", "inny"}) {
        const int i = l.DodajRozkaz(0xFFFF);
        ASSERT_GT(i, 0);
        l[i].Nazwa = nazwa;
        l[i].Kod = 7;
        l[i].LiczbaArgumentow = 2;
    }
    EXPECT_EQ(OpisKomorki(pao, l, 12), "dwa 4 ...");
}
