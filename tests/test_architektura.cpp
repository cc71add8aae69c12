#include <gtest/gtest.h>

#include <filesystem>

#include "PlikMaszyny.h"
#include "PlikiTestow.h"
#include "Presety.h"
#include "TSymulator.h"

namespace {

std::vector<int> Elementy(const TArchitektura& a) {
    std::vector<int> w;
    for (int e = 0; e < LiczbaElementow; ++e)
        if (a.Elementy[static_cast<std::size_t>(e)]) w.push_back(e);
    return w;
}

} // namespace

TEST(Presety, SygnalyIElementy) {
    struct P {
        const char* nazwa;
        int sygnalow;
        std::vector<int> elementy;
    };
    for (const P& p :
         {P{"K", 17, {0, 8, 9, 10}}, P{"K+", 19, {0, 8, 9, 10, 13}},
          P{"L", 27, {0, 7, 8, 9, 10, 13}}, P{"EK", 33, {0, 1, 4, 5, 6, 7, 8, 9, 10, 13}},
          P{"Max", 61, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}}}) {
        TArchitektura a;
        ASSERT_TRUE(ZastosujPreset(a, p.nazwa));
        EXPECT_EQ(LiczbaIstniejacychSygnalow(a), p.sygnalow) << p.nazwa;
        EXPECT_EQ(Elementy(a), p.elementy) << p.nazwa;
        EXPECT_TRUE(a.Jest(NumerSygnalu("stp")));
    }
    TArchitektura a;
    ZastosujPreset(a, "EK");
    EXPECT_TRUE(a.Jest(NumerSygnalu("wex")));
    EXPECT_FALSE(a.Jest(NumerSygnalu("ix")));
    EXPECT_FALSE(ZastosujPreset(a, "U"));
    EXPECT_FALSE(ZastosujPreset(a, "k"));
}

TEST(Presety, UzytkownikaZachowujeNiewymienioneIStp) {
    TArchitektura a;
    ZastosujPreset(a, "K");
    ZastosujPresetU(a, {{"stp", false}, {"wex", true}, {"wel", false}, {"nieznany", true}});
    EXPECT_TRUE(a.Jest(NumerSygnalu("stp")));
    EXPECT_TRUE(a.Elementy[1]);
    EXPECT_TRUE(a.Elementy[0]) << "wyl, il still exist";
    EXPECT_TRUE(a.Jest(NumerSygnalu("czyt")));
    ZastosujPresetU(a, {{"wex", false}});
    EXPECT_FALSE(a.Elementy[1]);
}

// Every register's base and menu kind ("podstawa/menu", slots 1 to 29), whatever was set.
TEST(Presety, DomyslneRejestryWracajaPrzyKazdymPresecie) {
    TArchitektura a;
    a.Rejestry[18].Podstawa = 16;
    ZastosujPreset(a, "L");
    std::string w;
    for (std::size_t s = 1; s <= 29; ++s)
        w += std::to_string(a.Rejestry[s].Podstawa) + (s % 10 ? " " : "|");
    EXPECT_EQ(w, "10 10 10 10 10 10 2 2 2 2|"   // L X Y Z RB G RZ RM RP
                 "10 10 10 10 10 10 10 10 0 0|" // AP A S KOD AD buses AK JAL
                 "2 2 2 2 0 0 0 10 10 ");       // N NP NM sign INT PAK ZAK U V
}

TEST(Presety, StartSymulatora) {
    TSymulator s;
    EXPECT_EQ(s.NazwaPresetu, "K");
    EXPECT_EQ(LiczbaIstniejacychSygnalow(s.Architektura), 17);
    EXPECT_TRUE(s.ZastosujPreset("L"));
    EXPECT_FALSE(s.ZastosujPreset("nieznany"));
    EXPECT_EQ(s.NazwaPresetu, "L");
}

TEST(PlikMaszyny, ZapisK) {
    TArchitektura a;
    ZastosujPreset(a, "K");
    EXPECT_EQ(LinieMaszyny(a), (std::vector<std::string>{
                                   "wel", "wyl", "il", "wei", "wyad", "czyt", "pisz", "wea", "wes",
                                   "wys", "weja", "weak", "wyak", "dod", "ode", "przep", "stp"}));
}

TEST(PlikMaszyny, OdczytIgnorujeObceLinie) {
    TArchitektura a;
    ZastosujPreset(a, "Max");
    ZastosujLinieMaszyny(a, {});
    EXPECT_EQ(LiczbaIstniejacychSygnalow(a), 1);
    EXPECT_EQ(Elementy(a), std::vector<int>{});
    ZastosujLinieMaszyny(a, {"WEL", "wel ", "wex", "", "x"});
    EXPECT_EQ(LiczbaIstniejacychSygnalow(a), 2);
    EXPECT_EQ(Elementy(a), std::vector<int>{1});
}

TEST(PlikMaszyny, ObiegPrzezPlik) {
    const std::string p = PlikTestu("l.mas");
    TArchitektura a, b;
    ZastosujPreset(a, "L");
    std::string blad;
    ASSERT_TRUE(ZapiszMaszyne(p, a, blad)) << blad;
    ASSERT_TRUE(WczytajMaszyne(p, b, blad));
    EXPECT_EQ(LinieMaszyny(b), LinieMaszyny(a));
    EXPECT_EQ(a.Elementy, b.Elementy);
    std::filesystem::remove(p);
    // A file that cannot be read leaves the architecture as it was.
    EXPECT_FALSE(WczytajMaszyne(p, b, blad));
    EXPECT_EQ(LiczbaIstniejacychSygnalow(b), 27);
}
