#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "Sterowanie.h"
#include "TSymulator.h"

namespace {

using V = std::vector<std::string>;

struct Sterowanie : ::testing::Test {
    TSymulator s;
    TMaszyna& m = s.Maszyna;
    TStanPracy& stan = s.StanPracy;

    void Kompiluj() {
        s.KompilujMikroprogram();
        ASSERT_TRUE(s.KomunikatyMikroprogramu.empty());
    }
    template <std::size_t N> void Zaladuj(const int (&slowa)[N][3]) {
        for (const auto& k : slowa)
            m.WstawKomorke(k[0], k[1], k[2], "110");
        m.Reset();
    }
    // The loop of the worked example: 20 counts up by the word at 22, forever.
    void Petla() {
        const int slowa[][3] = {{0, 4, 21}, {1, 3, 20}, {2, 4, 20}, {3, 1, 22}, {4, 3, 20},
                                {5, 5, 2},  {6, 0, 0},  {20, 0, 0}, {21, 0, 0}, {22, 0, 1}};
        Zaladuj(slowa);
    }
    // pob 3; dod 4; stop at 2, with the words 5 at 3 and 7 at 4.
    void DodajIStop() { Zaladuj({{0, 4, 3}, {1, 1, 4}, {2, 0, 0}, {3, 0, 5}, {4, 0, 7}}); }
    // Everything a run can change, to compare two runs.
    std::vector<std::uint32_t> Stan() const {
        std::vector<std::uint32_t> w;
        for (int slot = 1; slot <= 29; ++slot)
            w.push_back(m.Wartosc(slot));
        w.push_back(static_cast<std::uint32_t>(m.BiezacyWiersz()));
        w.push_back(m.Zatrzymana());
        for (const auto& k : m.PaO().Komorki())
            w.push_back(m.CzytajPaO(k.Adres));
        return w;
    }
};

} // namespace

TEST_F(Sterowanie, RozkazDodTrwaTrzyTakty) {
    DodajIStop();
    TPrzebieg(m, TPolecenie::Rozkaz).Porcja(100);
    ASSERT_EQ(m.Wartosc(Slot::AK), 5u);
    m.UstawRejestr(Slot::L, 3);          // the fetch reads at A, not at L
    stan.TrybPracy = TTrybPracy::Reczny; // manual mode
    V teksty;
    std::vector<int> wiersze;
    TPrzebieg rozkaz(m, TPolecenie::Rozkaz);
    const TWynikPorcji w = rozkaz.DoKonca([&](TWynikTaktu) {
        teksty.push_back(m.BiezacyTekst());
        wiersze.push_back(m.BiezacyWiersz());
        return true;
    });
    EXPECT_EQ(teksty, (V{"czyt wys wei il", "wyad wea ", "czyt wys weja dod weak wyl wea "}));
    EXPECT_EQ(wiersze, (std::vector<int>{1, 8, -1}));
    EXPECT_EQ(std::tuple(w.Takty, w.Rozkazy, w.KoniecRozkazu, w.Zakonczone),
              std::tuple(3u, 1u, true, true));
    EXPECT_EQ(m.Wartosc(Slot::AK), 12u);
    EXPECT_EQ(stan.TrybPracy, TTrybPracy::Reczny) << "Rozkaz leaves the run mode alone";
}

TEST_F(Sterowanie, RozkazZPolowyKonczyTenRozkaz) {
    DodajIStop();
    m.Takt();
    m.Takt();
    TPrzebieg p(m, TPolecenie::Rozkaz);
    EXPECT_EQ(p.Porcja(100).Takty, 1u);
    EXPECT_EQ(m.BiezacyWiersz(), -1);
    // A code without a microprogram: the fetch and one empty row.
    Zaladuj({{0, 7, 0}});
    EXPECT_EQ(TPrzebieg(m, TPolecenie::Rozkaz).Porcja(100).Takty, 2u);
}

TEST_F(Sterowanie, PobranieSlowaSzerszegoNizKodIAdres) {
    // The assembler stores such words; the fetch keeps only the code's bits, so the next
    // row is the entry row of that code, never a row in the middle of another instruction.
    const std::tuple<const char*, std::uint32_t> przypadki[] = {{"som 64", 0}, {"rst -1", 7}};
    for (const auto& [tekst, kod] : przypadki) {
        SCOPED_TRACE(tekst);
        s.KompilujProgram({tekst});
        m.Reset();
        m.Takt();
        EXPECT_EQ(m.Wartosc(Slot::KOD), kod);
        EXPECT_EQ(m.BiezacyWiersz(), static_cast<int>(kod));
    }
}

TEST_F(Sterowanie, WarunekWybieraNastepnika) {
    // som's entry row: z, Cel0 13, Cel1 12.
    m.UstawRejestr(Slot::AK, 0x80);
    EXPECT_EQ(m.NastepnyWiersz(6), 12);
    m.UstawRejestr(Slot::AK, 0x7F);
    EXPECT_EQ(m.NastepnyWiersz(6), 13);
    EXPECT_EQ(m.NastepnyWiersz(5000), -1) << "a row outside the table ends the instruction";
    // Each condition on its own flag, through a compiled row.
    const std::tuple<const char*, int, std::uint32_t, std::uint32_t> warunki[] = {
        {"zak", Slot::AK, 0, 4}, {"pak", Slot::AK, 6, 7}, {"n", Slot::N, 1, 0},
        {"np", Slot::NP, 1, 0},  {"nm", Slot::NM, 1, 0},  {"int", Slot::RP, 2, 0}};
    for (auto [warunek, slot, tak, nie] : warunki) {
        s.ListaRozkazow[1].Mikroprogram = {
            "czyt wys wei il ;", std::string("if ") + warunek + " then t ;", "wyl ;", "t: wea ;"};
        Kompiluj();
        m.UstawRejestr(slot, tak);
        EXPECT_EQ(m.NastepnyWiersz(1), 9) << warunek;
        m.UstawRejestr(slot, nie);
        EXPECT_EQ(m.NastepnyWiersz(1), 8) << warunek;
    }
}

TEST_F(Sterowanie, ProgramKonczySieNaStp) {
    DodajIStop();
    stan.ZadanieStopu = true; // a stale request does not stop a new command
    TPrzebieg program(m, TPolecenie::Program);
    const TWynikPorcji w =
        program.DoKonca([&](TWynikTaktu) { return stan.TrybPracy == TTrybPracy::Program; });
    EXPECT_EQ(std::tuple(w.Takty, w.Rozkazy, w.Zakonczone), std::tuple(8u, 3u, true));
    EXPECT_EQ(stan.TrybPracy, TTrybPracy::Bezczynny);
    EXPECT_TRUE(m.Zatrzymana());
    EXPECT_EQ(m.BiezacyWiersz(), -1) << "the stp tick completes and the row advances";

    // Halted: nothing until Reset.
    const auto przed = Stan();
    TPrzebieg drugi(m, TPolecenie::Program);
    EXPECT_FALSE(drugi.Trwa());
    EXPECT_EQ(drugi.Porcja(1000).Takty, 0u);
    EXPECT_FALSE(TPrzebieg(m, TPolecenie::Rozkaz).Trwa());
    EXPECT_EQ(PolecenieTakt(m, false), TWynikTaktu::Brak);
    EXPECT_EQ(PolecenieTakt(m, true), TWynikTaktu::Brak);
    EXPECT_EQ(Stan(), przed);
    m.Reset();
    stan.TrybPracy = TTrybPracy::Reczny; // Program ends manual mode
    {
        TPrzebieg porzucony(m, TPolecenie::Program);
        EXPECT_EQ(stan.TrybPracy, TTrybPracy::Program);
        EXPECT_EQ(porzucony.Porcja(7).Takty, 7u);
    } // abandoned: the destructor ends it
    EXPECT_EQ(stan.TrybPracy, TTrybPracy::Bezczynny);
}

TEST_F(Sterowanie, StopMiedzyTaktamiIMiedzyPorcjami) {
    Petla();
    // Stop during a tick's events: the run ends after that tick.
    TPrzebieg p(m, TPolecenie::Program);
    std::uint64_t ile = 0;
    const TWynikPorcji w = p.DoKonca([&](TWynikTaktu) {
        if (++ile == 5) stan.ZadanieStopu = true;
        return true;
    });
    EXPECT_EQ(std::tuple(w.Takty, w.Zakonczone), std::tuple(5u, true));

    // Stop between slices: the next slice ends before running a tick.
    TPrzebieg q(m, TPolecenie::Program);
    EXPECT_EQ(q.Porcja(7).Takty, 7u);
    EXPECT_EQ(stan.TrybPracy, TTrybPracy::Program);
    const auto przed = Stan();
    stan.ZadanieStopu = true;
    const TWynikPorcji r = q.Porcja(7);
    EXPECT_EQ(std::tuple(r.Takty, r.Zakonczone, q.Takty(), stan.TrybPracy),
              std::tuple(0u, true, 7u, TTrybPracy::Bezczynny));
    EXPECT_EQ(Stan(), przed);
}

TEST_F(Sterowanie, PorcjeDajaTenSamStanCoCalyBieg) {
    // The function called between ticks ends a run; a run cut into slices of any size
    // ticks exactly like that one uninterrupted run.
    Petla();
    TPrzebieg caly(m, TPolecenie::Program);
    std::uint64_t licznik = 0;
    const TWynikPorcji c = caly.DoKonca([&](TWynikTaktu) { return ++licznik < 10007; });
    EXPECT_EQ(c.Takty, 10007u);
    EXPECT_EQ(stan.TrybPracy, TTrybPracy::Bezczynny);
    const auto oczekiwany = Stan();
    for (std::uint64_t porcja : {1u, 3u, 64u, 10007u}) {
        m.WyczyscPaO();
        Petla();
        TPrzebieg p(m, TPolecenie::Program);
        std::uint64_t takty = 0, rozkazy = 0;
        while (takty < 10007) {
            const TWynikPorcji w = p.Porcja(std::min<std::uint64_t>(porcja, 10007 - takty));
            takty += w.Takty;
            rozkazy += w.Rozkazy;
            ASSERT_FALSE(w.Zakonczone);
            EXPECT_EQ(w.KoniecRozkazu, m.BiezacyWiersz() == -1);
        }
        EXPECT_EQ(Stan(), oczekiwany) << porcja;
        EXPECT_EQ(rozkazy, c.Rozkazy) << porcja;
        p.Zakoncz();
        EXPECT_EQ(stan.TrybPracy, TTrybPracy::Bezczynny);
    }
}

TEST_F(Sterowanie, TaktRecznyNieZmieniaWiersza) {
    DodajIStop();
    m.Takt(); // fetch of "pob": row 4
    ASSERT_EQ(m.BiezacyWiersz(), 4);
    m.UstawRejestr(Slot::L, 6);
    s.Architektura.Sygnaly[static_cast<std::size_t>(TSygnal::wyl)].Wybrany = true;
    s.Architektura.Sygnaly[static_cast<std::size_t>(TSygnal::wea)].Wybrany = true;
    EXPECT_EQ(PolecenieTakt(m, true), TWynikTaktu::Takt);
    EXPECT_EQ(m.Wartosc(Slot::A), 6u);
    EXPECT_EQ(std::tuple(m.BiezacyTekst(), m.BiezacyWiersz()), std::tuple("wyl wea ", 4));
    EXPECT_EQ(m.TekstWybranych(), "") << "the choice is cleared";
    // The microprogram resumes where it was.
    EXPECT_EQ(PolecenieTakt(m, false), TWynikTaktu::Takt);
    EXPECT_EQ(std::tuple(m.BiezacyTekst(), m.BiezacyWiersz()), std::tuple("wyad wea ", 11));
}

TEST_F(Sterowanie, TekstBiezacyPrzetrwaRekompilacje) {
    DodajIStop();
    m.Takt();
    m.Takt();
    ASSERT_EQ(m.BiezacyTekst(), "wyad wea ");
    s.ListaRozkazow.UsunWszystkie();
    Kompiluj();
    EXPECT_EQ(m.BiezacyTekst(), "wyad wea ");
    EXPECT_TRUE(m.AktywnySygnal("wyad"));
    EXPECT_FALSE(m.AktywnySygnal("wya")) << "a whole word only";
    m.Takt(); // row 11 no longer exists: an empty row that ends the instruction
    EXPECT_EQ(std::tuple(m.BiezacyTekst(), m.BiezacyWiersz()), std::tuple("", -1));
}
