#include <gtest/gtest.h>

#include <limits>

#include "TSymulator.h"

namespace {

using V = std::vector<std::string>;
using E = std::vector<std::pair<std::string, std::string>>;

struct Asembler : ::testing::Test {
    TSymulator s;
    const TWynikAsemblacji& w = s.WynikAsemblacji;

    void Kompiluj(const V& zrodlo) { s.KompilujProgram(zrodlo); }
    // One line assembled at address 7: six words in front of it.
    void NaAdresie7(const std::string& linia) {
        Kompiluj({"rpa", "rpa", "rpa", "rpa", "rpa", "rpa", "rpa", linia, "rst 99"});
    }
    std::string Komorka(std::int64_t a) const {
        const TKomorka* k = s.Maszyna.PaO().Znajdz(a);
        if (!k) return "-";
        return std::to_string(k->Kod) + " " + std::to_string(k->Argument) + " " + k->Rodzaj;
    }
    // Address of the final "rst 99" marker.
    std::int64_t AdresZnacznika() const {
        for (const auto& k : s.Maszyna.PaO().Komorki())
            if (k.Argument == 99 && k.Rodzaj == "010") return k.Adres;
        return -1;
    }
    void DodajRozkaz(const std::string& nazwa, int kod, int argumenty) {
        auto& l = s.ListaRozkazow;
        const int i = l.DodajRozkaz(0xFFFF);
        ASSERT_GT(i, 0);
        TRozkaz& r = l[i];
        r.Nazwa = nazwa;
        r.Kod = static_cast<std::uint16_t>(kod);
        r.LiczbaArgumentow = argumenty;
    }
};

} // namespace

TEST(LiczbyAsemblera, Skladnia) {
    constexpr std::int32_t min = std::numeric_limits<std::int32_t>::min();
    const std::pair<const char*, std::int32_t> poprawne[] = {
        {"31", 31},           {"+5", 5},           {"-1", -1},
        {"007", 7},           {"-0", 0},           {"2147483646", 2147483646},
        {"-2147483648", min}, {"$1f", 31},         {"x1f", 31},
        {"0x1f", 31},         {"$1F", 31},         {"xa", 10},
        {"$ffffffff", -1},    {"0x80000000", min}, {"$0000000001", 1}};
    for (const auto& [t, oczekiwana] : poprawne) {
        std::int32_t v = 12345;
        EXPECT_TRUE(CzytajLiczbe(t, v)) << t;
        EXPECT_EQ(v, oczekiwana) << t;
    }
    // 2147483647 in any form is the conversion's "not a number"; a refusal leaves the value.
    for (const char* t : {"2147483647", "+2147483647", "$7fffffff", "x7FFFFFFF", "2147483648",
                          "-2147483649", "$100000000", "1e3", "", "+", "-", "$", "x", "0x", "-$10",
                          "+0x10", "xg", "12a", "99999999999999999999999"}) {
        std::int32_t v = 12345;
        EXPECT_FALSE(CzytajLiczbe(t, v)) << t;
        EXPECT_EQ(v, 12345) << t;
    }
}

// The worked example's shape: labels, an "org", data words, "kon" ending the text.
TEST_F(Asembler, PrzykladTestowy) {
    Kompiluj({"        pob zero", "petla:  ład liczba", "        sob petla  //skok", "",
              "        org 20", "liczba: rpa", "zero:   rst 0", "        kon", "rst 5"});
    EXPECT_EQ(w.Komunikaty, V{});
    EXPECT_EQ(w.Etykiety, (E{{"petla", "1"}, {"liczba", "20"}, {"zero", "21"}}));
    EXPECT_EQ(w.Slowa,
              (V{"0 4 21 110 ", "1 3 20 110 ", "2 5 1 110 ", "20 0 0 000 ", "21 0 0 010 "}));
    EXPECT_EQ(s.Dziennik.Etykiety(), w.Etykiety);
    // The lines of each step, for the compile-result window.
    EXPECT_EQ(w.Czyste[1], "1 petla: ład liczba ");
    EXPECT_EQ(w.Rozmieszczone[1], "1 ład liczba ");
    EXPECT_EQ(w.Rozwiazane[1], "1 ład 20 ");
}

TEST_F(Asembler, PustyTekstNicNieDaje) {
    s.Maszyna.WstawKomorke(3, 1, 1, "110");
    Kompiluj({"// tylko komentarz", "", "   \t  ", "\t// i jeszcze"});
    EXPECT_TRUE(w.Czyste.empty() && w.Slowa.empty() && w.Etykiety.empty() && w.Komunikaty.empty());
    EXPECT_EQ(s.Maszyna.PaO().Rozmiar(), 0u);
}

TEST_F(Asembler, WielkieLiteryTabulatoryIKomentarze) {
    Kompiluj({"\tPOB   \t  Adr // komentarz", "ADR: RST $1F"});
    EXPECT_EQ(w.Czyste, (V{"0 pob adr ", "1 adr: rst $1f "}));
    EXPECT_EQ(w.Slowa, (V{"0 4 1 110 ", "1 0 31 010 "}));
    EXPECT_TRUE(w.Komunikaty.empty());
    // Only A-Z fold: a capital Ł keeps the instruction from being found.
    Kompiluj({"ŁAD 5"});
    EXPECT_EQ(w.Czyste, V{"0 Ład 5 "});
    EXPECT_EQ(w.Komunikaty, V{"[Błąd] ...(0): Nieznana instrukcja \"Ład\""});
}

TEST_F(Asembler, Etykiety) {
    Kompiluj({"rpa", "sam:", "stop", "a: b:c:stop", "d:", "e:", "rst f", "f:rst 1"});
    EXPECT_EQ(w.Czyste[3], "3 a: b: c: stop ");
    EXPECT_EQ(w.Rozmieszczone, (V{"0 rpa ", "2 stop ", "3 stop ", "6 rst f ", "7 rst 1 "}));
    EXPECT_EQ(
        w.Etykiety,
        (E{{"sam", "1"}, {"a", "2"}, {"b", "2"}, {"c", "2"}, {"d", "3"}, {"e", "3"}, {"f", "4"}}));
    EXPECT_EQ(w.Rozwiazane[3], "6 rst 4 ");
    EXPECT_TRUE(w.Komunikaty.empty());
}

TEST_F(Asembler, PodwojnaEtykietaZachowujePierwszyAdres) {
    Kompiluj({"x: rpa", "rpa", "x: rst x", "xa: rst xa", "rst xb"});
    EXPECT_EQ(w.Komunikaty, V{"[Błąd] ...(2): Wielokrotna definicja etykiety \"x\" "});
    EXPECT_EQ(w.Etykiety, (E{{"x", "0"}, {"xa", "3"}}));
    // A label wins over the hexadecimal reading of the same word.
    EXPECT_EQ(w.Slowa, (V{"0 0 0 000 ", "1 0 0 000 ", "2 0 0 010 ", "3 0 3 010 ", "4 0 11 010 "}));
}

TEST_F(Asembler, KomunikatyKazdegoKroku) {
    Kompiluj({"org xyz", "org abc:", "abc:", "sob", "pob 1 2", "bzdura 5", "rst zle", "org -3"});
    EXPECT_EQ(
        w.Komunikaty,
        (V{"[Błąd] ...(0): Błędny parametr \"xyz\"", "[Błąd] ...(1): Błędny parametr \"abc:\"",
           "[Błąd] ...(5): Nieznana instrukcja \"bzdura\"",
           "[Błąd] ...(7): Za mała wartość w \"org -3\"", "[Błąd] ...(3): Za mało parametrów",
           "[Błąd] ...(4): Za dużo parametrów", "[Błąd] ...(0): Błędny parametr: xyz",
           "[Błąd] ...(1): Błędny parametr: abc:", "[Błąd] ...(6): Błędny parametr: \"zle\""}));
    EXPECT_EQ(w.Rozwiazane, (V{"0 org xyz ", "1 org abc: ", "3 sob 0 ", "4 pob 1 ", "5 bzdura ",
                               "6 rst zle ", "7 org -3 "}));
}

TEST_F(Asembler, OrgZEtykietaIBezArgumentu) {
    // Step 2 refuses the label, step 4 goes to its address; an empty "org" goes to 0.
    Kompiluj({"rpa", "rpa", "tu: rpa", "org tu", "rst 5", "org", "rst 6"});
    EXPECT_EQ(w.Komunikaty,
              (V{"[Błąd] ...(3): Błędny parametr \"tu\"", "[Błąd] ...(5): Za mało parametrów"}));
    EXPECT_EQ(w.Slowa, (V{"0 0 0 000 ", "1 0 0 000 ", "2 0 0 000 ", "2 0 5 010 ", "0 0 6 010 "}));
    EXPECT_EQ(Komorka(0), "0 6 010") << "the later word at an address stays";
    // "+3" moves the counter in step 2 too: a label after it agrees with the word.
    Kompiluj({"rpa", "org +3", "tu: rst tu"});
    EXPECT_EQ(w.Etykiety, (E{{"tu", "4"}}));
    EXPECT_EQ(w.Slowa.back(), "4 0 4 010 ");
}

TEST_F(Asembler, TabelaPrzypadkowNaAdresie7) {
    struct P {
        const char* linia;
        const char* komunikat; // "" for none
        V slowa;               // the words from address 7
        std::int64_t znacznik; // address of the next word
    };
    const P przypadki[] = {
        {"sob", "): Za mało parametrów", {"7 5 0 110 "}, 8},
        {"rpa 5", "): Za dużo parametrów", {"7 0 0 000 "}, 8},
        {"pob 10 20", "): Za dużo parametrów", {"7 4 10 110 "}, 8},
        {"rst $1f", "", {"7 0 31 010 "}, 8},
        {"rst 1e3", "): Błędny parametr: \"1e3\"", {"7 0 0 010 "}, 8},
        {"org 20", "", {}, 20},
        {"poczatek: org 20", "", {}, 20},
        {"org 5", "): Za mała wartość w \"org 5\"", {}, 5},
        {"org 7", "", {}, 7},
        {"org +3", "", {}, 10},
        {"stop 5", "): Za dużo parametrów", {"7 0 0 110 "}, 8},
        {"KON", "): Nieznana instrukcja \"kon\"", {"7 0 0 000 "}, 8},
        // With a label in front "kon" is a statement, not the end.
        {"koniec: kon", "): Nieznana instrukcja \"kon\"", {"7 0 0 000 "}, 8},
    };
    for (const P& p : przypadki) {
        NaAdresie7(p.linia);
        const V oczekiwane =
            std::string(p.komunikat).empty() ? V{} : V{std::string("[Błąd] ...(7") + p.komunikat};
        EXPECT_EQ(w.Komunikaty, oczekiwane) << p.linia;
        const V slowa(w.Slowa.begin() + 7, w.Slowa.end() - 1);
        EXPECT_EQ(slowa, p.slowa) << p.linia;
        EXPECT_EQ(AdresZnacznika(), p.znacznik) << p.linia;
    }
}

TEST_F(Asembler, Kon) {
    Kompiluj({"rpa", "   kon   // koniec", "rst 99"});
    EXPECT_EQ(w.Slowa, V{"0 0 0 000 "});
    // An instruction named kon makes the capitals a statement.
    DodajRozkaz("kon", 6, 0);
    Kompiluj({"KON", "rst 1"});
    EXPECT_TRUE(w.Komunikaty.empty());
    EXPECT_EQ(w.Slowa, (V{"0 6 0 110 ", "1 0 1 010 "}));
}

TEST_F(Asembler, RozkazyWielowyrazowe) {
    DodajRozkaz("trzy", 5, 3);
    DodajRozkaz("dwa", 6, 2);
    Kompiluj({"org 10", "trzy 7 8 9", "dwa 1 2", "dwa 4", "rst 1"});
    EXPECT_EQ(w.Slowa, (V{"10 5 7 110 ", "11 0 8 111 ", "12 0 9 111 ", "13 6 1 110 ", "14 0 2 111 ",
                          "15 6 4 110 ", "16 0 0 111 ", "17 0 1 010 "}));
    EXPECT_EQ(w.Komunikaty, V{"[Błąd] ...(3): Za mało parametrów"});
    // A negative count reads as no arguments: one word each, labels in step with them.
    DodajRozkaz("zly", 6, -5);
    DodajRozkaz("minus", 7, -1);
    Kompiluj({"zly", "minus 3", "tu: rst tu"});
    EXPECT_EQ(w.Komunikaty, V{"[Błąd] ...(1): Za dużo parametrów"});
    EXPECT_EQ(w.Slowa, (V{"0 6 0 110 ", "1 7 0 110 ", "2 0 2 010 "}));
    // The last entry of a name counts; the directives come before any instruction.
    DodajRozkaz("pob", 7, 0);
    DodajRozkaz("rst", 2, 0);
    Kompiluj({"pob", "rst 3"});
    EXPECT_TRUE(w.Komunikaty.empty());
    EXPECT_EQ(w.Slowa, (V{"0 7 0 110 ", "1 0 3 010 "}));
}

TEST_F(Asembler, ZaMaloPamieci) {
    Kompiluj({"org 31", "rst 1"});
    EXPECT_TRUE(w.Komunikaty.empty());
    Kompiluj({"org 32", "rst 1"});
    EXPECT_EQ(w.Komunikaty, V{"[Błąd krytyczny] - Za mało pamięci!"});
    EXPECT_EQ(Komorka(32), "0 1 010"); // stored all the same
    s.Maszyna.UstawSzerokosci(6, 3);
    Kompiluj({"org 32", "rst 1"});
    EXPECT_TRUE(w.Komunikaty.empty());
}

TEST_F(Asembler, WektoryPrzerwan) {
    s.Architektura.Przerwania[5].Adres = 17;
    Kompiluj({"stop", "int3: rpa", "INT8: rst 1", "int9: rpa"});
    const int adresy[] = {0, 0, 1, 0, 0, 0, 0, 2};
    for (std::size_t i = 1; i <= 8; ++i)
        EXPECT_EQ(s.Architektura.Przerwania[i].Adres, adresy[i - 1]) << i;
    s.Architektura.Przerwania[2].Etykieta = "obsluga";
    Kompiluj({"rpa", "rpa", "obsluga: stop"});
    EXPECT_EQ(s.Architektura.Przerwania[2].Adres, 2);
}

TEST_F(Asembler, SkrajneAdresyOrg) {
    Kompiluj({"org 2147483646", "a: rst 1", "b: rst 2", "c: rst 3", "pob c"});
    // The counter wraps round like a 32-bit register; the words past the memory are reported.
    EXPECT_EQ(w.Etykiety, (E{{"a", "2147483646"}, {"b", "2147483647"}, {"c", "-2147483648"}}));
    EXPECT_EQ(w.Slowa, (V{"2147483646 0 1 010 ", "2147483647 0 2 010 ", "-2147483648 0 3 010 ",
                          "-2147483647 4 -2147483648 110 "}));
    EXPECT_EQ(w.Komunikaty, V{"[Błąd krytyczny] - Za mało pamięci!"});

    Kompiluj({"org -2147483648", "rst 1", "org $80000000", "rst 2"});
    EXPECT_EQ(w.Komunikaty, (V{"[Błąd] ...(0): Za mała wartość w \"org -2147483648\"",
                               "[Błąd] ...(2): Za mała wartość w \"org $80000000\""}));
    EXPECT_EQ(w.Slowa, (V{"-2147483648 0 1 010 ", "-2147483648 0 2 010 "}));
    EXPECT_EQ(Komorka(std::numeric_limits<std::int32_t>::min()), "0 2 010");

    Kompiluj({"org 2147483647", "rst 1"});
    EXPECT_EQ(w.Komunikaty, (V{"[Błąd] ...(0): Błędny parametr \"2147483647\"",
                               "[Błąd] ...(0): Błędny parametr: 2147483647"}));
    EXPECT_EQ(w.Slowa, V{"0 0 1 010 "});
}

TEST_F(Asembler, OgromnaLiczbaArgumentow) {
    s.Maszyna.UstawSzerokosci(24, 8);
    DodajRozkaz("duzo", 6, 2000000000);
    Kompiluj({"duzo 1 2", "tu: rst tu", "duzo", "duzo", "rst 5"});
    EXPECT_EQ(w.Etykiety, (E{{"tu", "2000000000"}}));
    ASSERT_EQ(w.Komunikaty.size(), 4u);
    EXPECT_EQ(w.Komunikaty[0], "[Błąd] ...(0): Za mało parametrów");
    EXPECT_EQ(w.Komunikaty[3], "[Błąd krytyczny] - Za mało pamięci!");
    // The filled-in words stop at the budget; the first words and the counter stay exact.
    EXPECT_EQ(w.Uzupelnione, MaksUzupelnien);
    EXPECT_EQ(Komorka(1), "0 2 111");
    EXPECT_EQ(Komorka(2000000000), "0 2000000000 010");
    // 2000000001 + 2000000000 wraps round to -294967295.
    EXPECT_EQ(Komorka(-294967295), "6 0 110");
    EXPECT_EQ(w.Slowa.back(), "1705032705 0 5 010 ");
}

TEST_F(Asembler, ProgramPonadBudzetOdrzuconyZKomunikatem) {
    s.Maszyna.UstawSzerokosci(24, 8);
    const V duzy(100000, "rpa");
    s.WynikAsemblacji.MaksPamieci = std::size_t{1} << 20;
    Kompiluj(duzy);
    EXPECT_EQ(
        w.Komunikaty,
        V{"[Błąd krytyczny] - Program za duży: asemblacja potrzebuje więcej niż 1 MB pamięci."});
    EXPECT_EQ(s.Maszyna.PaO().Rozmiar(), 0u);
    EXPECT_TRUE(w.Czyste.empty() && w.Slowa.empty());
}
