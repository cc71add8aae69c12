#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <tuple>
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
    bool taktowy = true;
    bool ChcePoczatkowTaktow() const override { return taktowy; }
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
        {"preset U",
         [&] {
             s.ZastosujPresetU({{"wel", true}});
         },
         Z::Architektura},
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
        {"sygnaly",
         [&] {
             s.WybierzSygnaly(std::vector{1, 2});
         },
         Z::StanMaszyny},
        {"rejestr", [&] { s.ZwiekszRejestr(Slot::AK); }, Z::StanMaszyny},
        {"podstawa", [&] { s.UstawPodstawe(Slot::AK, 16); }, Z::StanMaszyny},
        {"wejscie", [&] { s.UstawWejscie("abc"); }, Z::Konsola},
        {"przerwanie", [&] { s.ZglosPrzerwanie(1); }, Z::StanMaszyny},
        {"punkt", [&] { s.DodajPunkt({}, blad); }, Z::PunktyZatrzymania},
        {"punkty", [&] { s.UsunPunkty(); }, Z::PunktyZatrzymania},
        {"PaO", [&] { s.WyczyscPaO(); }, Z::Pamiec | Z::StanMaszyny},
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

// The machine's reports during a tick reach the listeners as they come; the start of each
// tick only those that asked for it.
TEST_F(Symulator, KomunikatyTaktu) {
    TZapis bezTaktow;
    bezTaktow.taktowy = false;
    s.Subskrybuj(&bezTaktow);
    s.UstawTrybPracy(TTrybPracy::Reczny);
    // Both on the address bus: the machine reports the conflict.
    s.PrzelaczSygnal(static_cast<int>(TSygnal::wyl));
    s.PrzelaczSygnal(static_cast<int>(TSygnal::wyad));
    s.Takt(true);
    EXPECT_EQ(std::pair(zapis.takty, bezTaktow.takty), std::pair(1, 0));
    EXPECT_EQ(bezTaktow.komunikaty, zapis.komunikaty);
    s.Wypisz(&bezTaktow);
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

// "Rozkaz" and "Program" as the owner's runs in slices: the listeners hear of the machine
// at a slice's end, not per tick; nothing else ticks the machine while a run is in
// progress; the end of a run (its own, Stop, a breakpoint) returns the mode and is told.
TEST_F(Symulator, PrzebiegWPorcjach) {
    using Z = TZmiana;
    using W = std::vector<TZmiana>;
    s.KompilujProgram({"petla: dod jeden", "sob petla", "jeden: rst 1"});
    s.Reset();
    zapis.zmiany.clear();

    ASSERT_TRUE(s.RozpocznijPrzebieg(TPolecenie::Program));
    EXPECT_EQ(zapis.zmiany, W{Z::TrybPracy});
    EXPECT_EQ(s.StanPracy.TrybPracy, TTrybPracy::Program);
    EXPECT_FALSE(s.RozpocznijPrzebieg(TPolecenie::Rozkaz));
    EXPECT_EQ(s.Takt(false), TWynikTaktu::Brak);
    EXPECT_FALSE(s.TaktWstecz());
    EXPECT_EQ(s.RozkazWstecz(), 0u);

    zapis.zmiany.clear();
    auto w = s.PorcjaPrzebiegu({.Takty = 100});
    EXPECT_EQ(std::tuple(w.Takty, w.Zakonczone, w.Zgloszona, zapis.takty),
              std::tuple(100u, false, true, 100));
    EXPECT_EQ(zapis.zmiany, W{Z::StanMaszyny});
    // Within the period, and off an instruction boundary when the slice finishes one,
    // the listeners do not hear.
    w = s.PorcjaPrzebiegu({.Takty = 100, .OkresZgloszen = std::chrono::hours(1)});
    EXPECT_FALSE(w.Zgloszona);
    w = s.PorcjaPrzebiegu({.Takty = 1, .DokonczRozkaz = true});
    EXPECT_FALSE(w.Zgloszona);
    EXPECT_EQ(zapis.zmiany.size(), 1u);
    // A time budget with no limit of ticks ends the slice too.
    w = s.PorcjaPrzebiegu({.Czas = std::chrono::milliseconds(1), .DokonczRozkaz = true});
    EXPECT_TRUE(w.KoniecRozkazu && w.Zgloszona && !w.Zakonczone);

    zapis.zmiany.clear();
    const std::uint64_t takty = s.TaktyPrzebiegu();
    s.Stop();
    EXPECT_EQ(zapis.zmiany, W{Z::StanMaszyny | Z::TrybPracy});
    EXPECT_FALSE(s.TrwaPrzebieg());
    EXPECT_EQ(s.StanPracy.TrybPracy, TTrybPracy::Bezczynny);
    EXPECT_EQ(s.TaktyPrzebiegu(), takty);
    EXPECT_EQ(s.PorcjaPrzebiegu({}).Takty, 0u);

    // "Rozkaz" keeps the mode and ends with its instruction.
    zapis.zmiany.clear();
    ASSERT_TRUE(s.RozpocznijPrzebieg(TPolecenie::Rozkaz));
    w = s.PorcjaPrzebiegu({});
    EXPECT_EQ(std::tuple(w.Rozkazy, w.Zakonczone, w.Zgloszona), std::tuple(1u, true, true));
    EXPECT_EQ(zapis.zmiany, W{Z::StanMaszyny | Z::TrybPracy});
    EXPECT_EQ(s.PoleceniePrzebiegu(), TPolecenie::Rozkaz);

    // A breakpoint's message comes with the end as a change of the log.
    std::string blad;
    ASSERT_TRUE(s.DodajPunkt({0, 0, 0, 40, 0}, blad)) << blad; // AK = 40
    zapis.zmiany.clear();
    ASSERT_TRUE(s.RozpocznijPrzebieg(TPolecenie::Program));
    w = s.PorcjaPrzebiegu({});
    EXPECT_TRUE(w.Zakonczone);
    EXPECT_EQ(s.Maszyna.Wartosc(Slot::AK), 40u);
    EXPECT_EQ(zapis.komunikaty.size(), 1u);
    EXPECT_EQ(zapis.zmiany, (W{Z::TrybPracy, Z::StanMaszyny | Z::Dziennik | Z::TrybPracy}));

    // A halted machine starts nothing.
    s.KompilujProgram({"stop"});
    s.Reset();
    s.Takt(false);
    s.Takt(false);
    ASSERT_TRUE(s.Maszyna.Zatrzymana());
    EXPECT_FALSE(s.RozpocznijPrzebieg(TPolecenie::Program));
    EXPECT_FALSE(s.TrwaPrzebieg());
}

// A new owner starts from a table compiled once for all owners: compiling its own list
// again gives the same rows, trace (written anew) and messages, and nothing counts as out
// of date.
TEST(SymulatorNowy, StartowyMikroprogramJakSkompilowanyOdNowa) {
    TSymulator nowy, skompilowany;
    skompilowany.SladKompilacji = {};
    skompilowany.KompilujMikroprogram();
    EXPECT_FALSE(nowy.MikroprogramNieaktualny());
    const auto& a = nowy.PamiecMikroprogramu.Wiersze();
    const auto& b = skompilowany.PamiecMikroprogramu.Wiersze();
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(std::tie(a[i].Adres, a[i].Rozkaz, a[i].Etykieta, a[i].Sygnaly, a[i].Cel0,
                           a[i].Cel1, a[i].Warunek, a[i].NumerCel0, a[i].NumerCel1),
                  std::tie(b[i].Adres, b[i].Rozkaz, b[i].Etykieta, b[i].Sygnaly, b[i].Cel0,
                           b[i].Cel1, b[i].Warunek, b[i].NumerCel0, b[i].NumerCel1));
        EXPECT_EQ(a[i].KodWarunku, b[i].KodWarunku);
    }
    EXPECT_EQ(nowy.KomunikatyMikroprogramu, skompilowany.KomunikatyMikroprogramu);
    EXPECT_EQ(nowy.SladKompilacji.Memo2, skompilowany.SladKompilacji.Memo2);
    EXPECT_EQ(nowy.SladKompilacji.Memo3, skompilowany.SladKompilacji.Memo3);
    EXPECT_EQ(nowy.ListaRozkazow.Count(), skompilowany.ListaRozkazow.Count());
}
