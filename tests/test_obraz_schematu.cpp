#include <gtest/gtest.h>

#include "Maszyna.h"
#include "SchematJson.h"
#include "Sterowanie.h"
#include "TSymulator.h"

namespace {

int N(TSygnal s) {
    return static_cast<int>(s);
}

struct TSchemat {
    TSymulator s;
    TMiaraStala miara;
    TObrazSchematu o;

    explicit TSchemat(const char* preset) {
        s.ZastosujPreset(preset);
        s.KompilujMikroprogram();
        s.Maszyna.Reset();
        Rysuj();
    }
    void Rysuj(std::int64_t pozycja = 0) {
        RysujSchemat(s.Maszyna, s.Architektura, pozycja, miara, o);
    }
    // One manual tick of exactly these signals.
    void Wykonaj(std::initializer_list<TSygnal> sygnaly) {
        for (TSygnal x : sygnaly)
            s.Architektura.Sygnaly[static_cast<std::size_t>(N(x))].Wybrany = true;
        PolecenieTakt(s.Maszyna, true);
        Rysuj();
    }
    // The first primitive of this kind at (x1, y1), or of this text.
    const TPrymityw* Prymityw(TRodzajPrymitywu r, int x1, int y1) const {
        for (const TPrymityw& p : o.Prymitywy)
            if (p.Rodzaj == r && p.X1 == x1 && p.Y1 == y1) return &p;
        return nullptr;
    }
    const TPrymityw* Tekst(std::string_view t) const {
        for (const TPrymityw& p : o.Prymitywy)
            if (p.Rodzaj == TRodzajPrymitywu::Tekst && p.Tekst == t) return &p;
        return nullptr;
    }
    // The value text drawn in a slot's box.
    const TPrymityw* Wartosc(int slot) const {
        const TMiejsce* m = o.Znajdz(TRodzajMiejsca::Rejestr, slot);
        for (const TPrymityw& p : o.Prymitywy)
            if (m && p.Rodzaj == TRodzajPrymitywu::Tekst && m->Obszar.Zawiera(p.X1, p.Y1))
                return &p;
        return nullptr;
    }
};

// Colour, weight and slant: "Kolor zwykla|gruba|gruba kursywa".
std::string Wyglad(const TPrymityw* p) {
    if (!p) return "brak";
    char t[16];
    std::snprintf(t, sizeof t, "%06X", p->Kolor);
    return std::string(t) + (p->Czcionka.Kursywa ? " gruba kursywa"
                             : p->Czcionka.Gruba ? " gruba"
                                                 : " zwykla");
}

} // namespace

TEST(ObrazSchematu, KoloryIGruboscWedlugStanu) {
    TSchemat t("K+");
    t.s.Architektura.Sygnaly[static_cast<std::size_t>(N(TSygnal::wel))].Wybrany = true;
    t.Rysuj();
    const TPrymityw* linia = t.Prymityw(TRodzajPrymitywu::Linia, 60, 104);
    ASSERT_TRUE(linia);
    EXPECT_EQ(linia->Grubosc, 1);
    EXPECT_EQ(Wyglad(t.Tekst("wel")), "0000FF gruba kursywa");
    EXPECT_EQ(Wyglad(t.Tekst("wyl")), "000000 zwykla");
    t.s.Architektura.Sygnaly[static_cast<std::size_t>(N(TSygnal::wel))].Wybrany = false;
    t.Wykonaj({TSygnal::wyl, TSygnal::wea, TSygnal::as});
    // Active: red bold labels, three-pixel lines, the buses and their link red; the value
    // loaded ("wea" into A) red, the rest black.
    linia = t.Prymityw(TRodzajPrymitywu::Linia, 60, 104);
    EXPECT_EQ(std::make_pair(linia->Kolor, int(linia->Grubosc)), std::make_pair(0xFF0000u, 3));
    const std::pair<const char*, const char*> teksty[] = {{"wyl", "FF0000 gruba"},
                                                          {"wea", "FF0000 gruba"},
                                                          {"wel", "000000 zwykla"},
                                                          {"sa", "000000 zwykla"}};
    for (const auto& [tekst, wyglad] : teksty) {
        SCOPED_TRACE(tekst);
        EXPECT_EQ(Wyglad(t.Tekst(tekst)), wyglad);
    }
    EXPECT_EQ(Wyglad(t.Wartosc(Slot::A)), "FF0000 gruba");
    EXPECT_EQ(Wyglad(t.Wartosc(Slot::L)), "000000 zwykla");
    for (auto [x, y] : {std::pair{0, 100}, {0, 400}, {450, 100}}) {
        const TPrymityw* p = t.Prymityw(TRodzajPrymitywu::Prostokat, x, y);
        ASSERT_TRUE(p);
        EXPECT_EQ(p->Kolor, KolorAktywny) << x << " " << y;
    }
}

TEST(ObrazSchematu, MiejscaMenuITrafienie) {
    TSchemat t("Max");
    // Boxes and labels strictly inside only; flag names and bus bars to the edge.
    const TMiejsce* wel = t.o.Znajdz(TRodzajMiejsca::Sygnal, N(TSygnal::wel));
    ASSERT_TRUE(wel);
    const int xs = (wel->Obszar.Lewo + wel->Obszar.Prawo) / 2, ys = wel->Obszar.Gora + 2;
    struct {
        int x, y;
        const char* co;
    } const miejsca[] = {
        {11, 135, "R1 1"},   {10, 140, "-"},
        {136, 350, "R15 1"}, {120, 440, "R2 1"},
        {660, 445, "R7 2"},  {270, 300, "R26 0"},
        {30, 85, "R16 3"},   {265, 165, "R24 2"},
        {xs, ys, "Swel"},    {wel->Obszar.Prawo, ys, "-"},
        {300, 221, "F22"},   {330, 221, "F22"},
        {331, 221, "-"},     {300, 102, "M16"},
        {350, 300, "-"},
    };
    for (const auto& m : miejsca) {
        SCOPED_TRACE(std::to_string(m.x) + "," + std::to_string(m.y));
        const TMiejsce* p = t.o.Trafienie(m.x, m.y);
        std::string co = "-";
        if (p) {
            co = "SRFM"[static_cast<int>(p->Rodzaj)] +
                 (p->Rodzaj == TRodzajMiejsca::Sygnal
                      ? std::string(NazwySygnalow[static_cast<std::size_t>(p->Numer)])
                      : std::to_string(p->Numer));
            if (p->Rodzaj == TRodzajMiejsca::Rejestr)
                co += " " + std::to_string(static_cast<int>(p->Menu));
        }
        EXPECT_EQ(co, m.co);
    }
    EXPECT_EQ(t.o.PrzyciskiPrzerwan, (TObszar{49, 0, 242, 25}));
    EXPECT_EQ(t.o.PasekPamieci, (TObszar{639, 161, 655, 341}));
    // Absent parts are neither drawn nor hit, and their controls have no place.
    t.s.ZastosujPreset("K");
    t.Rysuj();
    EXPECT_EQ(t.o.Trafienie(120, 440), nullptr);
    EXPECT_EQ(t.o.Znajdz(TRodzajMiejsca::Sygnal, N(TSygnal::wex)), nullptr);
    EXPECT_EQ(t.Tekst("wex"), nullptr);
    EXPECT_TRUE(t.o.PrzyciskiPrzerwan.Pusty());
}

TEST(ObrazSchematu, WartosciWPodstawachIOknoPamieci) {
    TSchemat t("K");
    t.s.Maszyna.UstawRejestr(Slot::L, 5);
    t.s.Maszyna.PiszPaO(20, 0xFFu);
    const std::pair<int, const char*> podstawy[] = {{2, "00101"}, {10, "5"}, {16, "$05"}};
    for (const auto& [podstawa, tekst] : podstawy) {
        t.s.Architektura.Rejestry[Slot::L].Podstawa = podstawa;
        t.Rysuj(17);
        ASSERT_TRUE(t.Wartosc(Slot::L));
        EXPECT_EQ(t.Wartosc(Slot::L)->Tekst, tekst);
    }
    // From address 17 on, nine rows; address and word right-aligned.
    const TPrymityw* adres = t.Tekst("20");
    ASSERT_TRUE(adres && adres->Y1 == t.Tekst("17")->Y1 + 60 && t.Tekst("25") && !t.Tekst("26"));
    EXPECT_EQ(adres->X1 + t.miara.Szerokosc("20", adres->Czcionka), 559);
    EXPECT_TRUE(t.Prymityw(TRodzajPrymitywu::Tekst, 636 - t.miara.Szerokosc("255", {}), adres->Y1));
    EXPECT_EQ(t.o.OstatniaPozycjaPamieci, 23);
}

TEST(ObrazSchematu, SzerokaWartoscMniejszaIPotemSkrocona) {
    TSchemat t("Max");
    ASSERT_TRUE(t.s.Maszyna.UstawSzerokosci(24, 8));
    for (int k : {Slot::MagS, Slot::X})
        t.s.Maszyna.UstawRejestr(k, 0xFFFFFFFFu);
    t.s.Maszyna.UstawRejestr(Slot::AK, 0x80000000u);
    t.s.Architektura.Rejestry[Slot::MagS].Podstawa = 2;
    t.Rysuj();
    // 32 binary ones are shortened in the 9-pixel type; -2147483648 fits in a smaller
    // type; -1 as it is. Every text stays inside its box.
    const std::string jedynki(32, '1');
    const std::tuple<int, int, bool> wartosci[] = {
        {Slot::MagS, 9, true}, {Slot::AK, 11, false}, {Slot::X, 12, false}};
    for (const auto& [slot, rozmiar, skrocona] : wartosci) {
        SCOPED_TRACE(slot);
        const TPrymityw* p = t.Wartosc(slot);
        const TMiejsce* m = t.o.Znajdz(TRodzajMiejsca::Rejestr, slot);
        ASSERT_TRUE(p && m);
        EXPECT_EQ(p->Czcionka.Rozmiar, rozmiar);
        EXPECT_EQ(m->PelnaWartosc, skrocona ? jedynki : "");
        EXPECT_EQ(p->Tekst.find("\u2026") != std::string::npos, skrocona);
        EXPECT_LE(p->X1 + t.miara.Szerokosc(p->Tekst, p->Czcionka), m->Obszar.Prawo - 3);
        EXPECT_GE(p->X1, m->Obszar.Lewo + 3);
    }
}

TEST(ObrazSchematu, Json) {
    TSchemat t("L");
    t.Wykonaj({TSygnal::wyl});
    const nlohmann::json j = SchematJson(t.o);
    EXPECT_EQ(j["primitives"].size(), t.o.Prymitywy.size());
    EXPECT_EQ(j["places"].size(), t.o.Miejsca.size());
    EXPECT_EQ(j["primitives"][0].dump(),
              R"({"fill":"#f0f0f0","kind":"rect","rect":[0,0,800,500]})");
    const nlohmann::json* wyl = nullptr;
    for (const auto& p : j["primitives"])
        if (p["kind"] == "text" && p["text"] == "wyl") wyl = &p;
    ASSERT_TRUE(wyl);
    EXPECT_EQ((*wyl)["font"].dump(), R"({"bold":true,"italic":false,"name":"Arial","size":12})");
    EXPECT_EQ((*wyl)["color"], "#ff0000");
    EXPECT_EQ(j["irq_buttons"].dump(), "[49,0,242,25]");
    EXPECT_EQ(nlohmann::json::parse(SchematJsonTekst(t.o)), j);
    EXPECT_EQ(j["places"][0].dump(),
              R"({"kind":"register","menu":"register","rect":[10,134,85,159],"slot":1})");
}
