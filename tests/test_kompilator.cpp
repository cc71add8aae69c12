#include <gtest/gtest.h>

#include "Kompilator.h"
#include "TSymulator.h"

namespace {

using V = std::vector<std::string>;

V Pola(const TWierszMikroprogramu& w) {
    return {w.Adres, w.Rozkaz, w.Etykieta, w.Sygnaly, w.Cel0, w.Cel1, w.Warunek};
}

struct Kompilator : ::testing::Test {
    TSymulator s;
    V komunikaty;
    TSladKompilacji slad;

    void Kompiluj() {
        komunikaty.clear();
        KompilujMikroprogram(s.ListaRozkazow, s.Architektura, s.Maszyna.MaskaKodu(),
                             s.PamiecMikroprogramu, komunikaty, &slad);
    }
    const TWierszMikroprogramu& W(int r) const { return s.PamiecMikroprogramu.Wiersz(r); }
    // "dod" (code 1, first in the list) gets the fetch line and then `linie`.
    void Dod(V linie) {
        linie.insert(linie.begin(), "czyt wys wei il ;");
        s.ListaRozkazow[1].Mikroprogram = std::move(linie);
        Kompiluj();
    }
    // Every row carries the decoded set of its own text and integer successors that
    // agree with the texts.
    void SprawdzZgodnosc() const {
        for (int r = -1; r + 1 < s.PamiecMikroprogramu.Rozmiar(); ++r) {
            const auto& w = W(r);
            EXPECT_EQ(w.Zestaw, DekodujMikrorozkaz(w.Sygnaly)) << r;
            EXPECT_EQ(w.KodWarunku, WarunekZNazwy(w.Warunek)) << r;
            if (r >= 0) {
                EXPECT_EQ(w.Adres, std::to_string(r));
                EXPECT_EQ(w.Cel0, std::to_string(w.NumerCel0)) << r;
                EXPECT_EQ(w.Cel1, std::to_string(w.NumerCel1)) << r;
            }
        }
    }
};

} // namespace

TEST_F(Kompilator, ZestawStandardowyWierszPoWierszu) {
    Kompiluj();
    EXPECT_TRUE(komunikaty.empty()) << komunikaty.front();
    const std::vector<V> oczekiwane = {
        {"-1", "", "", "czyt wys wei il", "?", "?", ""},
        {"0", "stop", "", "stp ", "-1", "-1", ""},
        {"1", "dod", "", "wyad wea ", "8", "8", ""},
        {"2", "ode", "", "wyad wea ", "9", "9", ""},
        {"3", "ład", "", "wyad wyak wes wea ", "10", "10", ""},
        {"4", "pob", "", "wyad wea ", "11", "11", ""},
        {"5", "sob", "", "wyad wel wea ", "-1", "-1", ""},
        {"6", "som", "", "", "13", "12", "z"},
        {"7", "", "", "", "-1", "-1", ""},
        {"8", "dod", "", "czyt wys weja dod weak wyl wea ", "-1", "-1", ""},
        {"9", "ode", "", "czyt wys weja ode weak wyl wea ", "-1", "-1", ""},
        {"10", "ład", "", "wyl pisz wea ", "-1", "-1", ""},
        {"11", "pob", "", "czyt wys weja przep weak wyl wea ", "-1", "-1", ""},
        {"12", "som", "", "wyad wel wea !", "-1", "-1", ""},
        {"13", "som", "som.dodatnia", "wyl wea ", "-1", "-1", ""},
    };
    ASSERT_EQ(s.PamiecMikroprogramu.Rozmiar(), 15);
    for (int r = -1; r <= 13; ++r)
        EXPECT_EQ(Pola(W(r)), oczekiwane[static_cast<std::size_t>(r + 1)]) << r;
    SprawdzZgodnosc();
    EXPECT_EQ(W(6).KodWarunku, TWarunek::Z);
    EXPECT_EQ(W(-1).Zestaw, DekodujMikrorozkaz("czyt wys wei il"));
}

TEST(Symulator, StartujeZeSkompilowanymZestawem) {
    TSymulator s;
    EXPECT_TRUE(s.KomunikatyMikroprogramu.empty());
    EXPECT_EQ(s.PamiecMikroprogramu.Rozmiar(), 15);
    EXPECT_EQ(s.SladKompilacji.Memo3.size(), 13u);
    // Messages accumulate until the caller clears them.
    s.ListaRozkazow[1].Mikroprogram.push_back("wyx ;");
    s.KompilujMikroprogram();
    s.KompilujMikroprogram();
    EXPECT_EQ(s.KomunikatyMikroprogramu,
              (V{"dod: Niedozwolony sygnal: wyx", "dod: Niedozwolony sygnal: wyx"}));
}

TEST_F(Kompilator, SladKompilacji) {
    Kompiluj();
    EXPECT_EQ(slad.Memo1, (V{"czyt wys wei il ; ", "stp ; "}))
        << "the last instruction's microinstructions";
    ASSERT_GE(slad.Memo2.size(), 5u);
    EXPECT_EQ(V(slad.Memo2.begin(), slad.Memo2.begin() + 5),
              (V{"=dod=", ">czyt wys wei il ; <", ">wyad wea ; <",
                 ">czyt wys weja dod weak wyl wea ; <", ""}));
    EXPECT_EQ(slad.Memo3.size(), 13u) << "one line per compiled row";
    EXPECT_EQ(slad.Memo3[0], "||wyad wea ||;|");
    EXPECT_EQ(slad.Memo3[10], "||wyad wel wea !||!|");
    EXPECT_EQ(slad.Memo3[9], "|||if !z then dodatnia |;|");
    EXPECT_EQ(slad.Memo3[11], "|dodatnia|wyl wea ||;|");
}

TEST_F(Kompilator, SladPrzedLiteramiMalymi) {
    s.ListaRozkazow[1].Mikroprogram = {"czyt wys wei il ;", "WYAD Wea ;"};
    Kompiluj();
    EXPECT_EQ(V(slad.Memo2.begin(), slad.Memo2.begin() + 4),
              (V{"=dod=", ">czyt wys wei il ; <", ">WYAD Wea ; <", ""}));
    EXPECT_EQ(s.ListaRozkazow[1].Mikrorozkazy, (V{"czyt wys wei il ; ", "wyad wea ; "}));
}

TEST(NormalizujTekst, Odstepy) {
    EXPECT_EQ(NormalizujTekst("  a\t\tb  "), "a b");
    EXPECT_EQ(NormalizujTekst("a;b"), "a ; b");
    EXPECT_EQ(NormalizujTekst("wea!"), "wea !");
    EXPECT_EQ(NormalizujTekst("if !z then x"), "if !z then x");
    EXPECT_EQ(NormalizujTekst("x:wyl"), "x: wyl");
    EXPECT_EQ(NormalizujTekst(" \t "), "");
    EXPECT_EQ(NormalizujTekst(""), "");
}

TEST(PodzielNaMikrorozkazy, SomNaTrzySposoby) {
    const V oczekiwane = {"czyt wys wei il ; ", "if !z then dodatnia ; ", "wyad wel wea ! ",
                          "dodatnia: wyl wea ; "};
    TRozkaz r;
    r.Mikroprogram = {"czyt wys wei il ;", "if !z then dodatnia ;", "wyad wel wea !",
                      "dodatnia: wyl wea ;"};
    PodzielNaMikrorozkazy(r);
    EXPECT_EQ(r.Mikrorozkazy, oczekiwane);
    r.Mikroprogram = {"czyt wys wei il ; if !z then dodatnia ; wyad wel wea ! dodatnia: wyl wea ;"};
    PodzielNaMikrorozkazy(r);
    EXPECT_EQ(r.Mikrorozkazy, oczekiwane);
    r.Mikroprogram = {"czyt wys wei il;if !z then dodatnia;", "wyad wel wea!", "dodatnia:wyl wea;"};
    PodzielNaMikrorozkazy(r);
    EXPECT_EQ(r.Mikrorozkazy, oczekiwane);
    // "!" ends a microinstruction only with a blank (or a line end) after it.
    r.Mikroprogram = {"wyad wel wea!dodatnia: wyl wea;"};
    PodzielNaMikrorozkazy(r);
    EXPECT_EQ(r.Mikrorozkazy, V{"wyad wel wea !dodatnia: wyl wea ; "});
}

TEST_F(Kompilator, PrzykladoweTeksty) {
    Dod({"wyad wea ; wyl wea ;"});
    EXPECT_TRUE(komunikaty.empty());
    EXPECT_EQ(Pola(W(1)), (V{"1", "dod", "", "wyad wea ", "8", "8", ""}));
    EXPECT_EQ(Pola(W(8)), (V{"8", "dod", "", "wyl wea ", "-1", "-1", ""}));

    Dod({"wyad", "wea ; wyl", "wea ;"});
    EXPECT_EQ(W(1).Sygnaly, "wyad wea ");
    EXPECT_EQ(W(8).Sygnaly, "wyl wea ");

    Dod({"wyad wea ; ;"});
    EXPECT_EQ(Pola(W(8)), (V{"8", "dod", "", "", "-1", "-1", ""}));
    EXPECT_TRUE(W(8).Zestaw.Pusty());

    Dod({"wyad wea ; wyl wea"});
    EXPECT_TRUE(komunikaty.empty());
    EXPECT_EQ(Pola(W(1)), (V{"1", "dod", "", "wyad wea ", "-1", "-1", ""}));
    EXPECT_EQ(W(8).Rozkaz, "ode") << "no row for the unterminated rest";

    Dod({"WYAD WEA ;"});
    EXPECT_EQ(W(1).Sygnaly, "wyad wea ");

    Dod({"wyad x: wea ;"});
    EXPECT_EQ(komunikaty, V{"dod: \"x:\" - Etykieta dozwolona tylko na początku linii"});
    EXPECT_EQ(W(1).Sygnaly, "wyad wea ");
    EXPECT_EQ(W(1).Etykieta, "");
    SprawdzZgodnosc();
}

TEST_F(Kompilator, BledyWarunku) {
    Dod({"if z then ;"});
    EXPECT_EQ(komunikaty, V{"Za krótki warunek: if z then "});
    EXPECT_EQ(Pola(W(1)), (V{"1", "dod", "", "", "-1", "-1", ""}));

    Dod({"if q then a ;", "a: wea ;"});
    EXPECT_EQ(komunikaty, V{"[Błąd] Błąd składni (<warunek>):if q then a "});
    EXPECT_EQ(Pola(W(1)), (V{"1", "dod", "", "", "8", "8", ""}));

    Dod({"if z a b ;"});
    EXPECT_EQ(komunikaty, V{"[Błąd] Błąd składni (then):if z a b "});
    EXPECT_EQ(W(1).Warunek, "");

    Dod({"if !q then a ;"});
    EXPECT_EQ(komunikaty, V{"[Błąd] Błąd składni (<warunek>):if !q then a "});
    Dod({"if Z then a ; a: ;"});
    EXPECT_TRUE(komunikaty.empty()) << "the text is lower-cased first";
    EXPECT_EQ(W(1).Warunek, "z");
}

TEST_F(Kompilator, SkokWarunkowyDoEtykiety) {
    Dod({"if z then a wea ;", "wyl ;", "a: wyl wea ;"});
    EXPECT_TRUE(komunikaty.empty());
    EXPECT_EQ(Pola(W(1)), (V{"1", "dod", "", "wea ", "8", "9", "z"}));
    EXPECT_EQ(Pola(W(9)), (V{"9", "dod", "dod.a", "wyl wea ", "-1", "-1", ""}));
    const V wiersz1 = Pola(W(1));
    Dod({"wea if z then a ;", "wyl ;", "a: wyl wea ;"});
    EXPECT_EQ(Pola(W(1)), wiersz1);
    // Negated: the successors swap; "!" ends the instruction on the other branch.
    Dod({"if !nm then a wea !", "a: wyl wea ;"});
    EXPECT_EQ(Pola(W(1)), (V{"1", "dod", "", "wea !", "8", "-1", "nm"}));
    // Words after the clause's three stay signals.
    Dod({"if int then a wyl wea ;", "a: ;"});
    EXPECT_EQ(Pola(W(1)), (V{"1", "dod", "", "wyl wea ", "8", "8", "int"}));
    SprawdzZgodnosc();
}

TEST_F(Kompilator, EtykietySaLokalne) {
    s.ListaRozkazow[2].Mikroprogram = {"czyt wys wei il ;", "lab: wyad wea ;"};
    Dod({"if z then lab ;"});
    EXPECT_EQ(komunikaty, V{"dod: Nieznana etykieta dod.lab"});
    EXPECT_EQ(Pola(W(1)), (V{"1", "dod", "", "", "-1", "-1", "z"}));
    // The first row bearing a label wins.
    Dod({"if pak then x ;", "x: wyl ;", "x: wea ;"});
    EXPECT_TRUE(komunikaty.empty());
    EXPECT_EQ(W(1).Cel1, "8");
}

TEST_F(Kompilator, PierwszyMikrorozkazJestPomijany) {
    s.ListaRozkazow[1].Mikroprogram = {"bzdura x: if ;", "wyad wea ;"};
    Kompiluj();
    EXPECT_TRUE(komunikaty.empty());
    EXPECT_EQ(W(1).Sygnaly, "wyad wea ");
    EXPECT_EQ(W(-1).Sygnaly, "czyt wys wei il");
}

TEST_F(Kompilator, SygnalSpozaArchitektury) {
    s.Architektura.Sygnaly[static_cast<std::size_t>(TSygnal::wea)].Jest = false;
    s.ListaRozkazow[1].Mikroprogram.push_back("wyx ;");
    Kompiluj();
    EXPECT_EQ(komunikaty, (V{"dod: Niedozwolony sygnal: wea", "dod: Niedozwolony sygnal: wea",
                             "dod: Niedozwolony sygnal: wyx", "ode: Niedozwolony sygnal: wea",
                             "ode: Niedozwolony sygnal: wea", "ład: Niedozwolony sygnal: wea",
                             "ład: Niedozwolony sygnal: wea", "pob: Niedozwolony sygnal: wea",
                             "pob: Niedozwolony sygnal: wea", "sob: Niedozwolony sygnal: wea",
                             "som: Niedozwolony sygnal: wea", "som: Niedozwolony sygnal: wea"}));
    EXPECT_EQ(W(1).Sygnaly, "wyad ");
    EXPECT_EQ(W(-1).Sygnaly, "czyt wys wei il")
        << "the fetch row does not depend on the architecture";
    EXPECT_TRUE(CzyDozwolony("stp", TArchitektura{}));
    EXPECT_TRUE(CzyDozwolony(";", TArchitektura{}));
    EXPECT_TRUE(CzyDozwolony("!", TArchitektura{}));
    EXPECT_FALSE(CzyDozwolony("if", s.Architektura));
    SprawdzZgodnosc();
}

TEST_F(Kompilator, WspolnyKodIPustaNazwa) {
    // The later instruction owns the entry row; rows chain by name.
    s.ListaRozkazow[2].Kod = 1;
    Kompiluj();
    EXPECT_EQ(Pola(W(1)), (V{"1", "ode", "", "wyad wea ", "9", "9", ""}));
    EXPECT_EQ(Pola(W(2)), (V{"2", "", "", "", "-1", "-1", ""}));
    EXPECT_EQ(W(8).Rozkaz, "dod");
    // Rows of an instruction without a name count as empty ones.
    s.ListaRozkazow[2].Kod = 2;
    s.ListaRozkazow[2].Nazwa = "";
    s.ListaRozkazow[2].Mikroprogram = {"czyt wys wei il ;", "if z then a ;", "a: wea ;"};
    Kompiluj();
    EXPECT_EQ(Pola(W(2)), (V{"2", "", "", "", "-1", "-1", "z"}));
    EXPECT_EQ(W(9).Etykieta, ".a");
    SprawdzZgodnosc();
}

TEST_F(Kompilator, KodPozaPamieciaNieNadpisujeWierszy) {
    s.ListaRozkazow[1].Kod = 9; // with a 3-bit code 9 would fall on continuation row 9
    Kompiluj();
    EXPECT_EQ(komunikaty,
              V{"dod: Kod rozkazu 9 jest większy niż największy kod 7 - rozkaz pominięty"});
    EXPECT_EQ(Pola(W(1)), (V{"1", "", "", "", "-1", "-1", ""}));
    EXPECT_EQ(Pola(W(8)), (V{"8", "ode", "", "czyt wys weja ode weak wyl wea ", "-1", "-1", ""}));
    EXPECT_EQ(s.PamiecMikroprogramu.Rozmiar(), 14);
    // A wider code makes room for it.
    s.Maszyna.UstawSzerokosci(5, 4);
    Kompiluj();
    EXPECT_TRUE(komunikaty.empty());
    EXPECT_EQ(W(9).Sygnaly, "wyad wea ");
    SprawdzZgodnosc();
}

TEST_F(Kompilator, ZaDuzoWierszy) {
    // Entry rows 0..7 and 8184 continuation rows fill rows 0..8191; one row more does not fit.
    s.ListaRozkazow.UsunWszystkie();
    auto dodaj = [&](const std::string& nazwa, std::uint16_t kod, int wierszy) {
        TRozkaz r;
        r.Nazwa = nazwa;
        r.Kod = kod;
        r.Mikroprogram.assign(static_cast<std::size_t>(wierszy) + 1, "wyl wea ;");
        std::vector<TRozkaz> nowe;
        for (int i = 1; i <= s.ListaRozkazow.Count(); ++i)
            nowe.push_back(s.ListaRozkazow[i]);
        nowe.push_back(std::move(r));
        s.ListaRozkazow.Zastap(std::move(nowe));
    };
    dodaj("duzy", 1, 8185);
    dodaj("maly", 2, 2);
    dodaj("jeden", 3, 1);
    Kompiluj();
    EXPECT_EQ(
        komunikaty,
        V{"maly: Mikroprogram nie mieści się w pamięci mikroprogramu (najwyżej 8192 wiersze) - "
          "rozkaz pominięty"});
    EXPECT_EQ(s.PamiecMikroprogramu.Rozmiar(), 8193);
    EXPECT_EQ(W(8191).Rozkaz, "duzy");
    EXPECT_EQ(W(8191).Cel0, "-1");
    EXPECT_EQ(W(8190).Cel0, "8191");
    EXPECT_EQ(W(2).Rozkaz, "");
    EXPECT_EQ(W(3).Rozkaz, "jeden") << "an instruction needing only its entry row still fits";
    EXPECT_EQ(W(0).Rozkaz, "stop");
}

TEST_F(Kompilator, PustaListaIRozkazBezMikrorozkazow) {
    s.ListaRozkazow.Zastap({});
    Kompiluj();
    EXPECT_EQ(s.PamiecMikroprogramu.Rozmiar(), 9);
    EXPECT_TRUE(slad.Memo1.empty());
    s.ListaRozkazow.UstawStandardowe();
    s.ListaRozkazow[1].Mikroprogram = {"czyt wys wei il ;"};
    s.ListaRozkazow[2].Mikroprogram = {};
    Kompiluj();
    EXPECT_TRUE(komunikaty.empty());
    EXPECT_EQ(Pola(W(1)), (V{"1", "", "", "", "-1", "-1", ""}));
    EXPECT_EQ(Pola(W(2)), (V{"2", "", "", "", "-1", "-1", ""}));
    EXPECT_EQ(W(8).Rozkaz, "ład");
}

TEST_F(Kompilator, RekompilacjaNiePozostawiaSladowPoprzedniej) {
    // Rows are reused between compilations: a full table, then the standard set, must
    // give exactly what a fresh compilation gives.
    TSymulator swiezy;
    s.Maszyna.UstawSzerokosci(5, 5);
    s.ListaRozkazow[1].Mikroprogram = {"czyt wys wei il ;", "a: if nm then b wyl ;", "b: wea !",
                                       "if int then a ;"};
    for (int i = 0; i < 3; ++i)
        s.ListaRozkazow[2].Mikroprogram.push_back("wyl wea ;");
    Kompiluj();
    ASSERT_GT(s.PamiecMikroprogramu.Rozmiar(), 15);
    s.Maszyna.UstawSzerokosci(5, 3);
    s.ListaRozkazow.UstawStandardowe();
    Kompiluj();
    ASSERT_EQ(s.PamiecMikroprogramu.Rozmiar(), swiezy.PamiecMikroprogramu.Rozmiar());
    for (int r = -1; r <= 13; ++r) {
        const auto& a = W(r);
        const auto& b = swiezy.PamiecMikroprogramu.Wiersz(r);
        EXPECT_EQ(Pola(a), Pola(b)) << r;
        EXPECT_EQ(a.Zestaw, b.Zestaw) << r;
        EXPECT_EQ(a.KodWarunku, b.KodWarunku) << r;
        EXPECT_EQ(std::pair(a.NumerCel0, a.NumerCel1), std::pair(b.NumerCel0, b.NumerCel1)) << r;
    }
    EXPECT_EQ(s.ListaRozkazow[1].Mikrorozkazy, swiezy.ListaRozkazow[1].Mikrorozkazy);
}
