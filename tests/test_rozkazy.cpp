#include <gtest/gtest.h>

#include "Rozkazy.h"

namespace {

using V = std::vector<std::string>;

V Nazwy(const TListaRozkazow& l) {
    V n;
    for (int i = 1; i <= l.Count(); ++i)
        n.push_back(l[i].Nazwa);
    return n;
}

} // namespace

TEST(ListaRozkazow, ZestawStandardowy) {
    TListaRozkazow l;
    l.UstawStandardowe();
    EXPECT_EQ(Nazwy(l), (V{"dod", "ode", "ład", "pob", "sob", "som", "stop"}));
    const int kody[] = {1, 2, 3, 4, 5, 6, 0};
    for (int i = 1; i <= 7; ++i) {
        EXPECT_EQ(l[i].Kod, kody[i - 1]) << i;
        EXPECT_EQ(l[i].LiczbaArgumentow, i == 7 ? 0 : 1) << i;
        EXPECT_EQ(l[i].Mikroprogram.front(), "czyt wys wei il ;") << i;
    }
    EXPECT_EQ(l[6].Mikroprogram, (V{"czyt wys wei il ;", "if !z then dodatnia ;", "wyad wel wea !",
                                    "dodatnia: wyl wea ;"}));
    EXPECT_EQ(
        l[6].Opis,
        "Skok warunkowy pod podany adres. Następuje, kiedy liczba w akumulatorze jest ujemna. "
        "(Bit znaku akumulatora równy 1).");
    EXPECT_EQ(l[7].Opis, "Zatrzymuje maszynę.");
}

TEST(ListaRozkazow, UsuwanieDodawanieINazwy) {
    TListaRozkazow l;
    l.UstawStandardowe();
    l.UsunRozkaz(1); // the last record moves into the freed slot
    EXPECT_EQ(Nazwy(l), (V{"stop", "ode", "ład", "pob", "sob", "som"}));
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
    EXPECT_EQ(Nazwy(l), V{"stop"});
}

TEST(ListaRozkazow, WyszukiwanieOstatniPoNazwiePierwszyPoKodzie) {
    TListaRozkazow l;
    l.UstawStandardowe();
    l[2].Nazwa = "dod";
    l[4].Kod = 1;
    EXPECT_EQ(l.ZnajdzNazwe("dod"), 2);
    EXPECT_EQ(l.ZnajdzNazwe("Dod"), 0) << "names compare exactly";
    EXPECT_EQ(l.ZnajdzKod(1), 1);
    EXPECT_EQ(l.ZnajdzKod(7), 0);
    EXPECT_EQ(l.ZnajdzKod(-1), 0);
}

TEST(ListaRozkazow, ZastapBierzeNajwyzej256) {
    TListaRozkazow l;
    l.UstawStandardowe();
    l.Zastap(std::vector<TRozkaz>(300));
    EXPECT_EQ(l.Count(), 256);
    EXPECT_EQ(l.DodajRozkaz(255), 0) << "the table is full";
    l.Zastap({});
    EXPECT_EQ(l.Count(), 0);
}
