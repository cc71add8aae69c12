#include <gtest/gtest.h>

#include "Rozkazy.h"

// The standard set itself is pinned byte by byte by the instruction-file test.
namespace {

using V = std::vector<std::string>;

struct ListaRozkazow : ::testing::Test {
    TListaRozkazow l;
    void SetUp() override { l.UstawStandardowe(); }
    V Nazwy() const {
        V n;
        for (int i = 1; i <= l.Count(); ++i)
            n.push_back(l[i].Nazwa);
        return n;
    }
};

} // namespace

TEST_F(ListaRozkazow, UsuwanieDodawanieINazwy) {
    l.UsunRozkaz(1); // the last record moves into the freed slot
    EXPECT_EQ(Nazwy(), (V{"stop", "ode", "ład", "pob", "sob", "som"}));
    l.UsunRozkaz(0);
    l.UsunRozkaz(7);
    EXPECT_EQ(l.Count(), 6);
    EXPECT_EQ(l.DodajRozkaz(7), 7);
    EXPECT_EQ(l[7].Nazwa, "nop1");
    EXPECT_EQ(l[7].Kod, 1);
    EXPECT_EQ(l[7].Mikroprogram, (V{"czyt wys wei il ;", "wyl wea ;"}));
    EXPECT_EQ(l.DodajRozkaz(7), 8);
    EXPECT_EQ(l[8].Kod, 7);
    EXPECT_EQ(l.DodajRozkaz(7), 0) << "every code taken";
    EXPECT_EQ(l.Count(), 8);
    EXPECT_EQ(l.NazwaUnikalna("dod"), "dod1");
    EXPECT_EQ(l.NazwaUnikalna("nop"), "nop2") << "nop1 exists";
    l.UsunWszystkie();
    EXPECT_EQ(Nazwy(), V{"stop"});
}

TEST_F(ListaRozkazow, WyszukiwanieOstatniPoNazwiePierwszyPoKodzie) {
    l[2].Nazwa = "dod";
    l[4].Kod = 1;
    EXPECT_EQ(l.ZnajdzNazwe("dod"), 2);
    EXPECT_EQ(l.ZnajdzNazwe("Dod"), 0) << "names compare exactly";
    EXPECT_EQ(l.ZnajdzKod(1), 1);
    EXPECT_EQ(l.ZnajdzKod(7), 0);
    EXPECT_EQ(l.ZnajdzKod(-1), 0);
}

TEST_F(ListaRozkazow, ZastapBierzeNajwyzej256) {
    l.Zastap(std::vector<TRozkaz>(300));
    EXPECT_EQ(l.Count(), 256);
    EXPECT_EQ(l.DodajRozkaz(255), 0) << "the table is full";
    l.Zastap({});
    EXPECT_EQ(l.Count(), 0);
}
