#include <gtest/gtest.h>

#include <random>

#include "Presety.h"
#include "Sterowanie.h"
#include "TSymulator.h"

namespace {

int Los(std::mt19937& los, int od, int doo) {
    return std::uniform_int_distribution(od, doo)(los);
}

// A signal the machine has, at random.
int Sygnal(std::mt19937& los, const TSymulator& s) {
    std::vector<int> w;
    for (int i = 1; i <= LiczbaSygnalow; ++i)
        if (s.Architektura.Jest(i)) w.push_back(i);
    return w[static_cast<std::size_t>(Los(los, 0, static_cast<int>(w.size()) - 1))];
}

// One random machine: widths, preset, instruction set, memory, devices, console input,
// and what happens between the ticks. Everything follows from the seed, so a simulator
// set up again from the same case runs the same way.
struct TPrzypadek {
    std::uint32_t ziarno;
    std::size_t pojemnosc; // of the history

    explicit TPrzypadek(std::uint32_t z) : ziarno(z) {
        std::mt19937 los(z);
        pojemnosc = Los(los, 0, 3) == 0 ? static_cast<std::size_t>(Los(los, 1, 40))
                                        : THistoria::DomyslnaLiczbaTaktow;
    }

    static std::string Mikrorozkaz(std::mt19937& los, const TSymulator& s) {
        std::string t;
        for (int n = Los(los, 1, 5); n > 0; --n)
            t += NazwaSygnalu(Sygnal(los, s)) + ' ';
        return t;
    }

    void Przygotuj(TSymulator& s, bool zHistoria) const {
        std::mt19937 los(ziarno);
        Los(los, 0, 3);
        if (!zHistoria) s.Maszyna.UstawHistorie(nullptr);
        s.Historia.UstawRozmiar(pojemnosc, THistoria::DomyslnyBudzet);
        TMaszyna& m = s.Maszyna;
        const int bityAdresu = Los(los, 5, 9), bityKodu = Los(los, 3, 5);
        m.UstawSzerokosci(bityAdresu, bityKodu);
        s.ZastosujPreset(std::string(Presety[static_cast<std::size_t>(Los(los, 0, 4))].Nazwa));
        TArchitektura& a = s.Architektura;
        a.Urzadzenia[1].Adres = Los(los, 0, 3);
        a.Urzadzenia[2].Adres = Los(los, 0, 3);
        for (int i = 1; i <= 8; ++i)
            a.Przerwania[static_cast<std::size_t>(i)].Adres = Los(los, 0, 15);

        // The standard set and a few random instructions of random signals and jumps.
        s.ListaRozkazow.UstawStandardowe();
        for (int n = Los(los, 0, 3); n > 0; --n) {
            const int i = s.ListaRozkazow.DodajRozkaz(m.MaskaKodu());
            if (i == 0) break;
            std::vector<std::string>& mp = s.ListaRozkazow[i].Mikroprogram;
            mp = {"czyt wys wei il ;"};
            for (int k = Los(los, 1, 4); k > 0; --k)
                mp.push_back(Mikrorozkaz(los, s) + ";");
            if (Los(los, 0, 1)) mp.insert(mp.begin() + 1, "if z then e ;");
            mp.push_back("e: " + Mikrorozkaz(los, s) + ";");
        }
        s.KompilujMikroprogram();

        for (int n = Los(los, 4, 40); n > 0; --n)
            m.WstawKomorke(Los(los, 0, 31), Los(los, 0, static_cast<int>(m.MaskaKodu())),
                           Los(los, 0, static_cast<int>(m.MaskaAdresu())), "110");
        m.Reset();
        std::string wejscie;
        for (int n = Los(los, 0, 6); n > 0; --n)
            wejscie += Los(los, 0, 4) ? "abc"[Los(los, 0, 2)] : 'x';
        if (Los(los, 0, 3) == 0) wejscie += "ąę";
        s.Konsola.UstawWejscie(wejscie);
    }

    // Tick t (from 1) with what comes before it; false when the machine is halted.
    bool Krok(TSymulator& s, int t) const {
        TMaszyna& m = s.Maszyna;
        if (m.Zatrzymana()) return false;
        std::mt19937 los(ziarno * 7919u + static_cast<std::uint32_t>(t));
        const int zdarzenie = Los(los, 0, 19);
        if (zdarzenie == 0) m.ZglosPrzerwanie(Los(los, 1, 8));
        if (zdarzenie == 1) m.UstawRejestr(Los(los, 1, 29), static_cast<std::uint32_t>(los()));
        if (zdarzenie == 2) m.KlawiszWLiniiWejscia();
        const bool reczny = Los(los, 0, 9) == 0;
        if (reczny)
            for (int n = Los(los, 1, 4); n > 0; --n)
                s.Architektura.Sygnaly[static_cast<std::size_t>(Sygnal(los, s))].Wybrany = true;
        return PolecenieTakt(m, reczny) != TWynikTaktu::Brak;
    }

    // Tick t comes with nothing before it and is not a manual one (as Krok draws it).
    bool Zwykly(int t) const {
        std::mt19937 los(ziarno * 7919u + static_cast<std::uint32_t>(t));
        return Los(los, 0, 19) > 2 && Los(los, 0, 9) != 0;
    }

    // The plain ticks from t + 1 on, at most `maks`, as one slice of "Program": the machine
    // runs them in its own loop. The ticks run.
    int Seria(TSymulator& s, int t, int maks) const {
        int k = 0;
        while (k < maks && Zwykly(t + k + 1))
            ++k;
        if (k == 0) return 0;
        TPrzebieg program(s.Maszyna, TPolecenie::Program);
        return static_cast<int>(program.Porcja(static_cast<std::uint64_t>(k)).Takty);
    }

    // Up to n ticks from t + 1 on, some of them in slices; t counts them. False when the
    // machine halted first.
    bool Naprzod(TSymulator& s, int& t, int n, std::mt19937& los) const {
        while (n > 0) {
            const int k = Los(los, 0, 1) ? Seria(s, t, n) : 0;
            t += k;
            n -= k;
            if (k > 0) continue;
            if (!Krok(s, t + 1)) return false;
            ++t;
            --n;
        }
        return true;
    }

    // A run without history to tick t.
    std::string Porownaj(const TSymulator& s, int t) const {
        TSymulator wzorzec;
        Przygotuj(wzorzec, false);
        for (int i = 1; i <= t; ++i)
            Krok(wzorzec, i);
        return RoznicaStanow(s.Maszyna, wzorzec.Maszyna);
    }
};

} // namespace

// Forward, back and forward again, against a run without history at each point; forward
// partly in slices of "Program", tick by tick in the run without history.
TEST(Historia, WsteczDajeStanZPrzebieguBezHistorii) {
    for (std::uint32_t ziarno = 1; ziarno <= 1000; ++ziarno) {
        SCOPED_TRACE("ziarno " + std::to_string(ziarno));
        const TPrzypadek p(ziarno);
        std::mt19937 los(ziarno + 1'000'003u);
        TSymulator s;
        p.Przygotuj(s, true);

        int t = 0;
        p.Naprzod(s, t, Los(los, 1, 150), los);
        ASSERT_EQ(p.Porownaj(s, t), "") << "after " << t << " ticks";
        ASSERT_EQ(s.Historia.Takty(), std::min<std::size_t>(t, p.pojemnosc));

        for (int n = Los(los, 1, t + 1); n > 0 && !s.Historia.Pusta(); --n) {
            const std::size_t przed = s.Historia.Takty();
            if (Los(los, 0, 3) == 0) {
                ASSERT_TRUE(s.RozkazWstecz());
                ASSERT_TRUE(s.Historia.Pusta() || s.Maszyna.BiezacyWiersz() == -1)
                    << "an instruction back ends at an instruction's start";
            } else {
                ASSERT_TRUE(s.TaktWstecz());
                ASSERT_EQ(s.Historia.Takty(), przed - 1);
            }
            t -= static_cast<int>(przed - s.Historia.Takty());
        }
        if (s.Historia.Pusta()) {
            ASSERT_FALSE(s.TaktWstecz());
        }
        ASSERT_EQ(p.Porownaj(s, t), "") << "back at " << t;

        p.Naprzod(s, t, Los(los, 1, 60), los);
        ASSERT_EQ(p.Porownaj(s, t), "") << "forward again to " << t;
    }
}

// What the user does to the machine as a whole leaves nothing to go back to.
TEST(Historia, CzyszczaJaZmianyCalosci) {
    const std::vector<std::pair<const char*, void (*)(TSymulator&)>> zmiany = {
        {"Reset", [](TSymulator& s) { s.Maszyna.Reset(); }},
        {"kompilacja rozkazów", [](TSymulator& s) { s.KompilujMikroprogram(); }},
        {"kompilacja programu", [](TSymulator& s) { s.KompilujProgram({"stp"}); }},
        {"preset", [](TSymulator& s) { s.ZastosujPreset("L"); }},
        {"szerokości", [](TSymulator& s) { s.Maszyna.UstawSzerokosci(6, 4); }},
    };
    for (const auto& [nazwa, zmiana] : zmiany) {
        SCOPED_TRACE(nazwa);
        TSymulator s;
        for (int i = 0; i < 5; ++i)
            s.Maszyna.Takt();
        ASSERT_EQ(s.Historia.Takty(), 5u);
        zmiana(s);
        EXPECT_TRUE(s.Historia.Pusta());
        EXPECT_FALSE(s.TaktWstecz());
    }
}

// "Rozkaz wstecz" in the middle of an instruction returns to its start, at a boundary to
// the previous one's; after going back the views read the values before the tick that led
// to the state shown.
TEST(Historia, RozkazWsteczIWartosciPrzedOstatnim) {
    TSymulator s;
    TMaszyna& m = s.Maszyna;
    s.KompilujProgram({"pob a", "dod b", "stop", "a: rst 5", "b: rst 7"});
    m.Reset();
    TPrzebieg(m, TPolecenie::Rozkaz).Porcja(100);
    const std::size_t pierwszy = s.Historia.Takty();
    m.Takt(); // into "dod"
    m.Takt();
    EXPECT_EQ(s.Historia.WartoscPrzedOstatnim(m, Slot::L), m.Wartosc(Slot::L)) << "no way back yet";
    ASSERT_TRUE(s.TaktWstecz()); // back to after the fetch of "dod"
    EXPECT_EQ(s.Historia.WartoscPrzedOstatnim(m, Slot::L), 1u);
    EXPECT_EQ(m.Wartosc(Slot::L), 2u);
    EXPECT_EQ(s.Historia.WartoscPrzedOstatnim(m, Slot::AK), 5u) << "not written by the tick";
    EXPECT_EQ(s.Historia.CofnijRozkaz(m), 1u);
    EXPECT_EQ(m.BiezacyWiersz(), -1);
    EXPECT_EQ(s.Historia.CofnijRozkaz(m), pierwszy);
    EXPECT_TRUE(s.Historia.Pusta());
}

// A cell written again after the last kept state keeps only its first record; a write
// between two ticks comes before the state kept at the next tick's start, so that tick's
// write of the same cell is recorded too. Going back to just after that tick runs it again
// from the cell as it found it, which it read before writing.
TEST(Historia, KomorkaZapisanaPonownie) {
    const auto przygotuj = [](TSymulator& s) {
        s.Maszyna.Reset();
        s.Maszyna.UstawRejestr(Slot::A, 20);
        s.Maszyna.PiszPaO(20, 5);
    };
    const auto takt = [](TSymulator& s, std::initializer_list<const char*> sygnaly) {
        for (const char* n : sygnaly)
            s.Architektura.Sygnaly[static_cast<std::size_t>(NumerSygnalu(n))].Wybrany = true;
        s.Maszyna.TaktReczny();
        s.Maszyna.WyczyscWybrane();
    };
    TSymulator s, wzorzec;
    wzorzec.Maszyna.UstawHistorie(nullptr);
    for (TSymulator* x : {&s, &wzorzec}) {
        przygotuj(*x);
        takt(*x, {"czyt", "pisz"}); // S = 5, and 5 written back
    }
    takt(s, {"wyak", "wes"}); // S = 0
    takt(s, {"pisz"});
    ASSERT_EQ(s.Maszyna.CzytajPaO(20), 0u);
    ASSERT_TRUE(s.TaktWstecz());
    ASSERT_TRUE(s.TaktWstecz());
    EXPECT_EQ(RoznicaStanow(s.Maszyna, wzorzec.Maszyna), "");
    EXPECT_EQ(s.Maszyna.Wartosc(Slot::S), 5u);
}

// The budget holds however the ticks are; what stays can still be undone.
TEST(Historia, BudzetPamieci) {
    TSymulator s;
    constexpr std::size_t Budzet = 256 << 10;
    s.Historia.UstawRozmiar(THistoria::DomyslnaLiczbaTaktow, Budzet);
    s.Maszyna.WstawKomorke(0, 0, 0, "110"); // stp would halt; run the fetch row only
    s.Maszyna.Reset();
    for (int i = 0; i < 200000; ++i)
        s.Maszyna.TaktReczny();
    EXPECT_LE(s.Historia.Pamiec(), Budzet);
    EXPECT_GT(s.Historia.Takty(), 1000u);
    while (s.TaktWstecz()) {
    }
    EXPECT_TRUE(s.Historia.Pusta());
}
