#include <gtest/gtest.h>

#include "Sluchacz.h"
#include "TSymulator.h"

namespace {

struct Urzadzenia : ::testing::Test {
    TSymulator s;
    TMaszyna& m = s.Maszyna;
    void Mikrorozkaz(std::string_view t) {
        m.WyczyscMagistrale();
        m.WykonajMikrorozkaz(t);
    }
    // A one-row microprogram whose row 0 runs `tekst` after the fetch of a word with code 0.
    void JedenWiersz(const std::string& tekst) {
        auto& w = s.PamiecMikroprogramu.Wiersze();
        w.resize(2);
        w[1].Adres = "0";
        w[1].Sygnaly = tekst;
        w[1].Zestaw = DekodujMikrorozkaz(tekst);
        w[1].NumerCel0 = w[1].NumerCel1 = -1;
    }
};

} // namespace

// A Polish letter goes as its Windows-1250 byte both ways.
TEST_F(Urzadzenia, WejscieZabieraPierwszyZnak) {
    s.Konsola.UstawWejscie("łx");
    m.UstawRejestr(Slot::AD, 1);
    Mikrorozkaz("start");
    EXPECT_EQ(m.Wartosc(Slot::RB_wy), 0xB3u);
    EXPECT_EQ(s.Konsola.Wejscie(), "x");
    EXPECT_EQ(m.Wartosc(Slot::G), 1u);
    EXPECT_TRUE(m.UrzadzenieGotowe());
    m.UstawRejestr(Slot::AD, 2);
    m.UstawRejestr(Slot::RB_we, 0xB3);
    Mikrorozkaz("start");
    EXPECT_EQ(s.Konsola.Wyjscie(), std::vector<std::string>{"ł"});
}

TEST_F(Urzadzenia, KlawiszWLiniiWejscia) {
    JedenWiersz("start");
    m.UstawRejestr(Slot::RB_wy, 7);
    m.Takt(); // fetch: word 0 has code 0 and AD 0
    m.UstawRejestr(Slot::AD, 1);
    m.Takt(); // the line is empty: the device waits
    EXPECT_EQ(m.Wartosc(Slot::G), 0u);
    EXPECT_EQ(m.Wartosc(Slot::RB_wy), 7u);
    // While a program runs a key only raises the keyboard's request.
    s.StanPracy.TrybPracy = TTrybPracy::Program;
    s.Konsola.UstawWejscie("x");
    m.KlawiszWLiniiWejscia();
    EXPECT_EQ(m.Wartosc(Slot::RZ), 128u);
    EXPECT_EQ(s.Konsola.Wejscie(), "x");
    // Between ticks it also finishes the waiting transfer.
    s.StanPracy.TrybPracy = TTrybPracy::Bezczynny;
    m.UstawRejestr(Slot::RZ, 0);
    m.KlawiszWLiniiWejscia();
    EXPECT_EQ(m.Wartosc(Slot::RB_wy), 120u);
    EXPECT_EQ(m.Wartosc(Slot::G), 1u);
    EXPECT_EQ(m.Wartosc(Slot::RZ), 128u);
    EXPECT_EQ(s.Konsola.Wejscie(), "");
    // The device is done now: a second key in the same tick takes nothing.
    s.Konsola.UstawWejscie("y");
    m.KlawiszWLiniiWejscia();
    EXPECT_EQ(m.Wartosc(Slot::RB_wy), 120u);
    EXPECT_EQ(s.Konsola.Wejscie(), "y");
    // A halted machine takes no key at all.
    m.UstawRejestr(Slot::RZ, 0);
    Mikrorozkaz("stp");
    m.KlawiszWLiniiWejscia();
    EXPECT_EQ(m.Wartosc(Slot::RZ), 0u);
}

TEST_F(Urzadzenia, Wyjscie) {
    m.UstawRejestr(Slot::AD, 2);
    for (std::uint32_t kod : {13u, 65u, 65u, 13u, 66u}) {
        m.UstawRejestr(Slot::RB_we, kod);
        Mikrorozkaz("start");
    }
    EXPECT_EQ(s.Konsola.Wyjscie(), (std::vector<std::string>{"AA", "B"})) << "13 starts a line";
    EXPECT_EQ(s.Konsola.WyjscieTekst(), "AA\nB");
    EXPECT_EQ(m.Wartosc(Slot::G), 0u);
}

TEST_F(Urzadzenia, NieznaneUrzadzenieTylkoUstawiaG) {
    s.Konsola.UstawWejscie("q");
    m.UstawRejestr(Slot::AD, 5);
    m.UstawRejestr(Slot::RB_we, 65);
    Mikrorozkaz("start");
    EXPECT_EQ(m.Wartosc(Slot::G), 1u);
    EXPECT_EQ(s.Konsola.Wejscie(), "q");
    EXPECT_TRUE(s.Konsola.Wyjscie().empty());
    EXPECT_FALSE(m.UrzadzenieGotowe());
}

// Requests 1 to 8 set their bit of RZ; others are ignored.
TEST_F(Urzadzenia, ZgloszeniePrzerwania) {
    for (int n : {0, 1, 8, 9})
        m.ZglosPrzerwanie(n);
    EXPECT_EQ(m.Wartosc(Slot::RZ), 129u);
}

TEST(PunktyZatrzymania, OpisyIRelacje) {
    // Each relation against 5 (the interval 5 - 6): its text and its answer for 4, 5 and 6.
    const std::pair<const char*, const char*> relacje[] = {
        {"równa się 5", "010"},
        {"jest różny od 5", "101"},
        {"jest większy od 5", "001"},
        {"jest równy lub większy od 5", "011"},
        {"jest mniejszy od 5", "100"},
        {"jest równy lub mniejszy od 5", "110"},
        {"zawiera się w przedziale 5 - 6", "011"}};
    TPunktyZatrzymania p;
    std::string blad;
    for (int rel = 0; rel < 7; ++rel) {
        SCOPED_TRACE(rel);
        const TPunktZatrzymania r{8, 0, rel, 5, 6};
        ASSERT_TRUE(p.DodajPunkt(r, blad));
        EXPECT_EQ(p.OpisPunktu(rel + 1), std::string("Rejestr X ") + relacje[rel].first);
        for (int v = 4; v <= 6; ++v)
            EXPECT_EQ(RelacjaSpelniona(r, v), relacje[rel].second[v - 4] == '1') << v;
    }
    EXPECT_FALSE(RelacjaSpelniona({0, 0, 6, 9, 1}, 5)) << "empty interval";
    EXPECT_TRUE(RelacjaSpelniona({0, 0, 4, 0, 0}, -1)) << "signed comparison";
    EXPECT_FALSE(p.DodajPunkt({21, 0, 0, 0, 0}, blad));
    EXPECT_FALSE(p.DodajPunkt({0, 0, 7, 0, 0}, blad));
    p.UsunPunkt(1); // the last one moves into its place
    EXPECT_EQ(p.Count(), 6);
    EXPECT_EQ(p.OpisPunktu(1), "Rejestr X zawiera się w przedziale 5 - 6");
}

TEST(PunktyZatrzymania, Limit1024) {
    TPunktyZatrzymania p;
    std::string blad;
    for (int i = 0; i < 1024; ++i)
        ASSERT_TRUE(p.DodajPunkt({}, blad));
    EXPECT_FALSE(p.DodajPunkt({}, blad));
    EXPECT_EQ(blad, "Nie można dodać punktu zatrzymania: lista mieści najwyżej 1024 punktów.");
    EXPECT_EQ(p.Count(), 1024);
}

TEST_F(Urzadzenia, KazdaObserwowanaWartosc) {
    struct P {
        int slot; // 0: the value comes from the other rows or from cell 9
        std::uint32_t wartosc;
        const char* nazwa;
    };
    const P obserwowane[] = {{Slot::AK, 201, "Akumulator AK"},
                             {Slot::L, 3, "Licznik rozkazów L"},
                             {0, 5 * 32 + 6, "Rejestr instrukcji I"},
                             {Slot::AD, 6, "Rejestr instrukcji I (część adresowa)"},
                             {Slot::KOD, 5, "Rejestr instrukcji I (część kodowa)"},
                             {Slot::A, 7, "Rejestr A (PaO)"},
                             {Slot::S, 208, "Rejestr S (PaO)"},
                             {0, 21, "Komórka pamięci (PaO) o adresie 9"},
                             {Slot::X, 209, "Rejestr X"},
                             {Slot::Y, 210, "Rejestr Y"},
                             {Slot::Z, 211, "Rejestr Z"},
                             {Slot::MagA, 12, "Magistrala adresowa A"},
                             {Slot::MagS, 213, "Magistrala słowowa S"},
                             {Slot::RZ, 14, "Rejestr zgłoszeń RZ"},
                             {Slot::RM, 15, "Rejestr maski RM"},
                             {Slot::RP, 16, "Rejestr przerwania RP"},
                             {Slot::AP, 17, "Adres przerwania AP"},
                             {Slot::RB_we, 18, "Rejestr-bufor wejściowy"},
                             {Slot::RB_wy, 19, "Rejestr-bufor wyjściowy"},
                             {Slot::U, 20, "Rejestr U"},
                             {Slot::V, 22, "Rejestr V"}};
    ASSERT_EQ(std::size(obserwowane), NazwyObserwowanych.size());
    for (const P& p : obserwowane)
        m.UstawRejestr(p.slot, p.wartosc);
    m.WstawKomorke(9, 0, 21, "010");
    std::string blad;
    for (int co = 0; co < static_cast<int>(std::size(obserwowane)); ++co) {
        SCOPED_TRACE(co);
        const auto v = static_cast<std::int32_t>(obserwowane[co].wartosc);
        EXPECT_EQ(m.WartoscObserwowana(co, 9), v);
        ASSERT_TRUE(s.PunktyZatrzymania.DodajPunkt({co, 9, 0, v, 0}, blad));
        EXPECT_EQ(s.PunktyZatrzymania.OpisPunktu(co + 1),
                  std::string(obserwowane[co].nazwa) + " równa się " + std::to_string(v));
    }
    EXPECT_TRUE(m.SprawdzPunktyZatrzymania());
    EXPECT_EQ(s.Dziennik.Linie().size(), std::size(obserwowane));
}

TEST_F(Urzadzenia, PunktySprawdzanePoTakcieIPoTakcieRecznym) {
    std::string blad;
    s.PunktyZatrzymania.DodajPunkt({11, 0, 0, 3, 0}, blad);  // bus A = 3
    s.PunktyZatrzymania.DodajPunkt({2, 0, 0, 101, 0}, blad); // I = 101
    m.PiszPaO(0, 101);                                       // KOD 3, AD 5
    JedenWiersz("wyl wea");
    m.Takt();
    EXPECT_EQ(s.Dziennik.Linie(),
              (std::vector<std::string>{"Breakpoint 2 OK = Rejestr instrukcji I równa się 101"}));
    EXPECT_TRUE(s.StanPracy.ZadanieStopu);
    s.StanPracy.ZadanieStopu = false;
    s.PunktyZatrzymania.Ignoruj = true;
    m.Takt();
    EXPECT_FALSE(s.StanPracy.ZadanieStopu);
    EXPECT_EQ(s.Dziennik.Linie().size(), 1u);
    // A manual tick is checked too.
    s.PunktyZatrzymania.Ignoruj = false;
    s.Dziennik.Wyczysc();
    m.UstawRejestr(Slot::AD, 0);
    m.UstawRejestr(Slot::L, 3);
    s.Architektura.Sygnaly[static_cast<std::size_t>(TSygnal::wyl)].Wybrany = true;
    EXPECT_EQ(m.TaktReczny(), TWynikTaktu::Takt);
    EXPECT_EQ(s.Dziennik.Linie(),
              (std::vector<std::string>{"Breakpoint 1 OK = Magistrala adresowa A równa się 3"}));
    EXPECT_TRUE(s.StanPracy.ZadanieStopu);
}

TEST(Dziennik, LimitLiniiICzyszczenie) {
    TDziennik d;
    EXPECT_FALSE(d.MaNowosci());
    for (std::size_t i = 0; i < TDziennik::MaksLinii + 5; ++i)
        d.Dopisz(std::to_string(i));
    EXPECT_TRUE(d.MaNowosci());
    auto linie = d.Linie();
    ASSERT_EQ(linie.size(), TDziennik::MaksLinii + 1);
    EXPECT_EQ(linie[0] + "|" + linie[1] + "|" + linie.back(),
              "(pominięto 5 starszych komunikatów)|5|" + std::to_string(TDziennik::MaksLinii + 4));
    d.Wyczysc();
    EXPECT_FALSE(d.MaNowosci());
    EXPECT_TRUE(d.Linie().empty());
}
