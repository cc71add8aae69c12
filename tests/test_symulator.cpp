#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "TSymulator.h"

namespace {

using V = std::vector<std::string>;

// Records what the owner says, in order.
struct TZapis : TSluchaczSymulatora {
    std::vector<TZmiana> zmiany;
    V komunikaty;
    int takty = 0;
    void Zmiana(TZmiana co) override { zmiany.push_back(co); }
    void Komunikat(std::string_view t) override { komunikaty.emplace_back(t); }
    void PoczatekTaktu() override { ++takty; }
};

struct Symulator : ::testing::Test {
    TSymulator s;
    TZapis zapis;
    void SetUp() override { s.Subskrybuj(&zapis); }
    void TearDown() override { s.Wypisz(&zapis); }
};

} // namespace

// A set loaded through the owner reaches the listener as a change of the instruction list
// and nothing else; a file that cannot be read changes nothing and says nothing.
TEST_F(Symulator, WczytanieRozkazowDocieraDoSluchacza) {
    std::string bajty, blad;
    TSymulator wzor;
    wzor.UsunWszystkieRozkazy();
    ASSERT_TRUE(wzor.ZapiszRozkazyDoBajtow(bajty, blad)) << blad;

    ASSERT_TRUE(s.WczytajRozkazyZBajtow(bajty, blad)) << blad;
    EXPECT_EQ(zapis.zmiany, std::vector<TZmiana>{TZmiana::Rozkazy});
    EXPECT_EQ(s.ListaRozkazow.Count(), wzor.ListaRozkazow.Count());

    zapis.zmiany.clear();
    EXPECT_FALSE(s.WczytajRozkazyZBajtow("x\r\n", blad));
    EXPECT_FALSE(blad.empty());
    EXPECT_FALSE(s.WczytajRozkazy(::testing::TempDir() + "nie_ma_takiego.roz", blad));
    EXPECT_TRUE(zapis.zmiany.empty());

    // A listener that left hears nothing more.
    s.Wypisz(&zapis);
    s.UstawStandardoweRozkazy();
    EXPECT_TRUE(zapis.zmiany.empty());
}

// Every kind of operation says what it changed.
TEST_F(Symulator, OperacjeMowiaCoZmienily) {
    using Z = TZmiana;
    std::string blad;
    const struct {
        const char* nazwa;
        std::function<void()> operacja;
        TZmiana oczekiwane;
    } przypadki[] = {
        {"preset", [&] { s.ZastosujPreset("L"); }, Z::Architektura},
        {"szerokosci", [&] { s.UstawSzerokosci(6, 4); }, Z::Architektura | Z::StanMaszyny},
        {"dialog", [&] { s.ZastosujArchitekture({}); },
         Z::Architektura | Z::Pamiec | Z::StanMaszyny},
        {"maszyna", [&] { s.WczytajMaszyneZBajtow("wel\r\nwyl\r\n", blad); }, Z::Architektura},
        {"dodaj", [&] { s.DodajRozkaz(); }, Z::Rozkazy},
        {"mikroprogram", [&] { s.KompilujMikroprogram(); }, Z::Mikroprogram},
        {"program", [&] { s.WczytajProgramZBajtow("stop\r\n", blad); }, Z::Program},
        {"asemblacja", [&] { s.KompilujProgram({"stop"}); }, Z::Pamiec | Z::Dziennik},
        {"reset", [&] { s.Reset(); }, Z::StanMaszyny},
        {"takt", [&] { s.Takt(false); }, Z::StanMaszyny},
        {"wstecz", [&] { s.TaktWstecz(); },
         Z::Cofniecie | Z::StanMaszyny | Z::Konsola | Z::Dziennik},
        {"recznie", [&] { s.UstawTrybPracy(TTrybPracy::Reczny); }, Z::TrybPracy},
        {"sygnal", [&] { s.PrzelaczSygnal(1); }, Z::StanMaszyny},
        {"rejestr", [&] { s.ZwiekszRejestr(Slot::AK); }, Z::StanMaszyny},
        {"podstawa", [&] { s.UstawPodstawe(Slot::AK, 16); }, Z::StanMaszyny},
        {"wejscie", [&] { s.UstawWejscie("abc"); }, Z::Konsola},
        {"przerwanie", [&] { s.ZglosPrzerwanie(1); }, Z::StanMaszyny},
        {"punkt", [&] { s.DodajPunkt({}, blad); }, Z::PunktyZatrzymania},
        {"dziennik", [&] { s.WyczyscDziennik(); }, Z::Dziennik},
        {"stop", [&] { s.Stop(); }, Z::TrybPracy},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.nazwa);
        zapis.zmiany.clear();
        p.operacja();
        EXPECT_EQ(zapis.zmiany, std::vector<TZmiana>{p.oczekiwane});
    }
    EXPECT_EQ(s.ZrodloProgramu, V{"stop"});
    EXPECT_EQ(s.Architektura.Rejestry[Slot::AK].Podstawa, 16);
}

// The machine's reports during a tick reach the listeners as they come.
TEST_F(Symulator, KomunikatyTaktu) {
    s.UstawTrybPracy(TTrybPracy::Reczny);
    // Both on the address bus: the machine reports the conflict.
    s.PrzelaczSygnal(static_cast<int>(TSygnal::wyl));
    s.PrzelaczSygnal(static_cast<int>(TSygnal::wyad));
    s.Takt(true);
    EXPECT_EQ(zapis.takty, 1);
    ASSERT_EQ(zapis.komunikaty.size(), 1u);
    EXPECT_NE(s.Dziennik.Linie().back().find(zapis.komunikaty[0]), std::string::npos);
}

// The byte forms keep files as the path forms do: Windows-1250 with CR LF, and a text
// Windows-1250 cannot hold is refused, never written damaged.
TEST_F(Symulator, PlikiJakoBajty) {
    std::string bajty, blad;
    ASSERT_TRUE(TSymulator::ZapiszProgramDoBajtow({"; łódź", "stop"}, bajty, blad)) << blad;
    EXPECT_EQ(bajty, "; \xB3\xF3"
                     "d\x9F\r\nstop\r\n");
    ASSERT_TRUE(s.WczytajProgramZBajtow(bajty, blad));
    EXPECT_EQ(s.ZrodloProgramu, (V{"; łódź", "stop"}));

    bajty = "bez zmian";
    EXPECT_FALSE(TSymulator::ZapiszProgramDoBajtow({"stop", "€€ ☺"}, bajty, blad));
    EXPECT_EQ(blad, "Znaku \"☺\" w linii 2 nie można zapisać w kodowaniu Windows-1250. Plik nie "
                    "został zapisany.");
    EXPECT_EQ(bajty, "bez zmian");

    s.ZastosujPreset("L");
    ASSERT_TRUE(s.ZapiszMaszyneDoBajtow(bajty, blad));
    TSymulator inny;
    ASSERT_TRUE(inny.WczytajMaszyneZBajtow(bajty, blad));
    for (int i = 1; i <= LiczbaSygnalow; ++i)
        EXPECT_EQ(inny.Architektura.Jest(i), s.Architektura.Jest(i)) << i;
}
