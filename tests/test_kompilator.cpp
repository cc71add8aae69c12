#include <gtest/gtest.h>

#include <tuple>

#include "Kompilator.h"
#include "TSymulator.h"

namespace {

using V = std::vector<std::string>;

// The whole standard table is pinned by the runner's golden output; the fixed fetch row:
const std::string WierszPobraniaStandardowy = "-1|||czyt wys wei il|?|?|";

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
    // The seven texts of row r joined by "|", the address first.
    std::string Wiersz(int r) const {
        const auto& w = W(r);
        return w.Adres + "|" + w.Rozkaz + "|" + w.Etykieta + "|" + w.Sygnaly + "|" + w.Cel0 + "|" +
               w.Cel1 + "|" + w.Warunek;
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

// The simulator compiles the standard set when it starts, with the trace.
TEST_F(Kompilator, ZestawStandardowyPoStarcie) {
    EXPECT_TRUE(s.KomunikatyMikroprogramu.empty());
    SprawdzZgodnosc();

    const TSladKompilacji& t = s.SladKompilacji;
    EXPECT_EQ(t.Memo1, (V{"czyt wys wei il ; ", "stp ; "})) << "the last instruction's";
    ASSERT_GE(t.Memo2.size(), 5u);
    EXPECT_EQ(V(t.Memo2.begin(), t.Memo2.begin() + 5),
              (V{"=dod=", ">czyt wys wei il ; <", ">wyad wea ; <",
                 ">czyt wys weja dod weak wyl wea ; <", ""}));
    ASSERT_EQ(t.Memo3.size(), 13u) << "one line per compiled row";
    EXPECT_EQ(V(t.Memo3.begin() + 9, t.Memo3.begin() + 12),
              (V{"|||if !z then dodatnia |;|", "||wyad wel wea !||!|", "|dodatnia|wyl wea ||;|"}));

    // Each compilation's messages replace the last one's.
    s.ListaRozkazow[1].Mikroprogram.push_back("wyx ;");
    s.KompilujMikroprogram();
    s.KompilujMikroprogram();
    EXPECT_EQ(s.KomunikatyMikroprogramu, (V{"dod: Niedozwolony sygnal: wyx"}));
}

TEST_F(Kompilator, SladPrzedLiteramiMalymi) {
    s.ListaRozkazow[1].Mikroprogram = {"czyt wys wei il ;", "WYAD Wea ;"};
    Kompiluj();
    EXPECT_EQ(V(slad.Memo2.begin(), slad.Memo2.begin() + 4),
              (V{"=dod=", ">czyt wys wei il ; <", ">WYAD Wea ; <", ""}));
    EXPECT_EQ(s.ListaRozkazow[1].Mikrorozkazy, (V{"czyt wys wei il ; ", "wyad wea ; "}));
}

TEST(PodzielNaMikrorozkazy, SomZapisanyInaczej) {
    const V som = {"czyt wys wei il ; ", "if !z then dodatnia ; ", "wyad wel wea ! ",
                   "dodatnia: wyl wea ; "};
    const std::pair<V, V> przypadki[] = {
        {{"czyt wys wei il ; if !z then dodatnia ; wyad wel wea ! dodatnia: wyl wea ;"}, som},
        {{"\tczyt  wys wei il;if !z then dodatnia;", "wyad wel wea!", "dodatnia:wyl\twea;"}, som},
        // "!" ends a microinstruction only with a blank (or a line end) after it.
        {{"wyad wel wea!dodatnia: wyl wea;"}, {"wyad wel wea !dodatnia: wyl wea ; "}},
    };
    TRozkaz r; // reused, as the compiler reuses it
    for (const auto& [mikroprogram, oczekiwane] : przypadki) {
        r.Mikroprogram = mikroprogram;
        PodzielNaMikrorozkazy(r);
        EXPECT_EQ(r.Mikrorozkazy, oczekiwane) << mikroprogram.front();
    }
}

// "dod" (code 1, first in the list) with the given microprogram: the rows and the message.
TEST_F(Kompilator, MikroprogramyRozkazu) {
    const std::string F = "czyt wys wei il ;";
    const std::string ode8 = "8|ode||czyt wys weja ode weak wyl wea |-1|-1|";
    struct P {
        V mikroprogram;
        V wiersze; // each from its address on
        std::string komunikat = "";
    };
    const P przypadki[] = {
        {{F, "wyad wea ; wyl wea ;"}, {"1|dod||wyad wea |8|8|", "8|dod||wyl wea |-1|-1|"}},
        {{F, "wyad wea ; ;"}, {"1|dod||wyad wea |8|8|", "8|dod|||-1|-1|"}},
        // No row for the unterminated rest.
        {{F, "wyad wea ; wyl wea"}, {"1|dod||wyad wea |-1|-1|", ode8}},
        {{F, "wyad x: wea ;"},
         {"1|dod||wyad wea |-1|-1|", ode8},
         "dod: \"x:\" - Etykieta dozwolona tylko na początku linii"},
        // The first microinstruction is skipped: the fetch row is fixed.
        {{"bzdura x: if ;", "wyad wea ;"}, {WierszPobraniaStandardowy, "1|dod||wyad wea |-1|-1|"}},
        {{F, "if z then ;"}, {"1|dod|||-1|-1|"}, "Za krótki warunek: if z then "},
        {{F, "if q then a ;", "a: wea ;"},
         {"1|dod|||8|8|"},
         "[Błąd] Błąd składni (<warunek>):if q then a "},
        {{F, "if z a b ;"}, {"1|dod|||-1|-1|"}, "[Błąd] Błąd składni (then):if z a b "},
        // The text is lower-cased first.
        {{F, "if Z then a ; a: ;"}, {"1|dod|||8|8|z"}},
        {{F, "if z then a wea ;", "wyl ;", "a: wyl wea ;"},
         {"1|dod||wea |8|9|z", "9|dod|dod.a|wyl wea |-1|-1|"}},
        {{F, "wea if z then a ;", "wyl ;", "a: wyl wea ;"}, {"1|dod||wea |8|9|z"}},
        // Negated: the successors swap; "!" ends the instruction on the other branch.
        {{F, "if !nm then a wea !", "a: wyl wea ;"}, {"1|dod||wea !|8|-1|nm"}},
        // Words after the clause's three stay signals.
        {{F, "if int then a wyl wea ;", "a: ;"}, {"1|dod||wyl wea |8|8|int"}},
        // Labels are local: som's "dodatnia" is not dod's.
        {{F, "if z then dodatnia ;"}, {"1|dod|||-1|-1|z"}, "dod: Nieznana etykieta dod.dodatnia"},
        // The first row bearing a label wins.
        {{F, "if pak then x ;", "x: wyl ;", "x: wea ;"}, {"1|dod|||8|8|pak"}},
    };
    for (const P& p : przypadki) {
        SCOPED_TRACE(::testing::PrintToString(p.mikroprogram));
        s.ListaRozkazow[1].Mikroprogram = p.mikroprogram;
        Kompiluj();
        EXPECT_EQ(komunikaty, p.komunikat.empty() ? V{} : V{p.komunikat});
        for (const std::string& w : p.wiersze)
            EXPECT_EQ(Wiersz(std::stoi(w)), w);
        SprawdzZgodnosc();
    }
}

TEST_F(Kompilator, SygnalSpozaArchitektury) {
    // "wei" is only in the fetch rows, which are fixed.
    for (TSygnal brak : {TSygnal::pisz, TSygnal::wei})
        s.Architektura.Sygnaly[static_cast<std::size_t>(brak)].Jest = false;
    Kompiluj();
    EXPECT_EQ(komunikaty, V{"ład: Niedozwolony sygnal: pisz"});
    EXPECT_EQ(W(10).Sygnaly, "wyl wea ");
    EXPECT_EQ(Wiersz(-1), WierszPobraniaStandardowy);
    EXPECT_TRUE(CzyDozwolony("stp", TArchitektura{}) && CzyDozwolony("!", TArchitektura{}));
    EXPECT_FALSE(CzyDozwolony("if", s.Architektura));
    SprawdzZgodnosc();
}

TEST_F(Kompilator, WspolnyKodIPustaNazwa) {
    // The later instruction owns the entry row; rows chain by name.
    s.ListaRozkazow[2].Kod = 1;
    Kompiluj();
    EXPECT_EQ(Wiersz(1), "1|ode||wyad wea |9|9|");
    EXPECT_EQ(Wiersz(2), "2||||-1|-1|");
    EXPECT_EQ(W(8).Rozkaz, "dod");
    // Rows of an instruction without a name count as empty ones.
    s.ListaRozkazow[2].Kod = 2;
    s.ListaRozkazow[2].Nazwa = "";
    s.ListaRozkazow[2].Mikroprogram = {"czyt wys wei il ;", "if z then a ;", "a: wea ;"};
    Kompiluj();
    EXPECT_EQ(Wiersz(2), "2||||-1|-1|z");
    EXPECT_EQ(W(9).Etykieta, ".a");
    SprawdzZgodnosc();
}

TEST_F(Kompilator, KodPozaPamieciaNieNadpisujeWierszy) {
    s.ListaRozkazow[1].Kod = 7; // the largest code still has its entry row
    Kompiluj();
    EXPECT_TRUE(komunikaty.empty());
    EXPECT_EQ(W(7).Sygnaly, "wyad wea ");
    s.ListaRozkazow[1].Kod = 9; // with a 3-bit code 9 would fall on continuation row 9
    Kompiluj();
    EXPECT_EQ(komunikaty,
              V{"dod: Kod rozkazu 9 jest większy niż największy kod 7 - rozkaz pominięty"});
    EXPECT_EQ(Wiersz(1), "1||||-1|-1|");
    EXPECT_EQ(Wiersz(8), "8|ode||czyt wys weja ode weak wyl wea |-1|-1|");
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
    std::vector<TRozkaz> nowe = {s.ListaRozkazow[7]}; // stop
    for (auto [nazwa, kod, wierszy] :
         {std::tuple{"duzy", 1, 8185}, {"maly", 2, 2}, {"jeden", 3, 1}}) {
        TRozkaz& r = nowe.emplace_back();
        r.Nazwa = nazwa;
        r.Kod = static_cast<std::uint16_t>(kod);
        r.Mikroprogram.assign(static_cast<std::size_t>(wierszy) + 1, "wyl wea ;");
    }
    s.ListaRozkazow.Zastap(std::move(nowe));
    Kompiluj();
    EXPECT_EQ(
        komunikaty,
        V{"maly: Mikroprogram nie mieści się w pamięci mikroprogramu (najwyżej 8192 wiersze) - "
          "rozkaz pominięty"});
    EXPECT_EQ(s.PamiecMikroprogramu.Rozmiar(), 8193);
    EXPECT_EQ(Wiersz(8191), "8191|duzy||wyl wea |-1|-1|");
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
    EXPECT_EQ(Wiersz(1), "1||||-1|-1|");
    EXPECT_EQ(Wiersz(2), "2||||-1|-1|");
    EXPECT_EQ(W(8).Rozkaz, "ład");
}
