#include <gtest/gtest.h>

#include <random>
#include <tuple>

#include "Sluchacz.h"
#include "TSymulator.h"

namespace {

struct Zapis : TSluchaczMaszyny {
    std::vector<std::string> komunikaty;
    int taktow = 0;
    void Komunikat(std::string_view t) override { komunikaty.emplace_back(t); }
    void PoczatekTaktu() override {
        ++taktow;
        komunikaty.clear();
    }
};

struct Wykonanie : ::testing::Test {
    TSymulator s;
    TMaszyna& m = s.Maszyna;
    Zapis zapis;
    void SetUp() override { m.UstawSluchacza(&zapis); }
    // One tick of the given text, with the bus state cleared first.
    void Mikrorozkaz(std::string_view t) {
        m.WyczyscMagistrale();
        m.WykonajMikrorozkaz(t);
    }
    // Slots set before a step, and read after it in the order given.
    void Ustaw(std::initializer_list<std::pair<int, std::uint32_t>> wartosci) {
        for (auto [slot, v] : wartosci)
            m.UstawRejestr(slot, v);
    }
    std::vector<std::uint32_t> W(std::initializer_list<int> sloty) const {
        std::vector<std::uint32_t> w;
        for (int slot : sloty)
            w.push_back(m.Wartosc(slot));
        return w;
    }
    // The flags N, NP, NM as three digits.
    std::uint32_t Flagi() const {
        return m.Wartosc(Slot::N) * 100 + m.Wartosc(Slot::NP) * 10 + m.Wartosc(Slot::NM);
    }
    using V = std::vector<std::string>;
    using U = std::vector<std::uint32_t>;
};

} // namespace

TEST(Sygnaly, NazwyNumeryISlowa) {
    for (const char* zle : {"WEL", "", "!", "wel "})
        EXPECT_EQ(NumerSygnalu(zle), 0) << zle;
    for (int zly : {0, 62, -3})
        EXPECT_EQ(NazwaSygnalu(zly), "???") << zly;
    EXPECT_EQ(SlowaMikrorozkazu("  czyt   wys wei il "),
              (std::vector<std::string_view>{"czyt", "wys", "wei", "il"}));
    // A tab belongs to its word, so "\twea" is not a signal.
    EXPECT_EQ(SlowaMikrorozkazu("wyl\twea"), (std::vector<std::string_view>{"wyl\twea"}));
}

TEST(Sygnaly, KolejnoscWykonania) {
    // Every position of the order within a tick; "eni" acts twice.
    const std::vector<std::string_view> kolejnosc = SlowaMikrorozkazu(
        "czyt pisz eni wyad wys wyx wyy wyz wyu wyv wyrb wyg wyl wyls wyrm wyap wyak assa as sa "
        "start weja dod ode przep mnoz dziel shl shr and or not xor rint eni il ix iy iz iu iv iak "
        "dl dx dy dz du dv dak wel wex wey wez weu wev wei wea wes werb werm weak stp");
    ASSERT_EQ(kolejnosc.size() + 1, KolejnoscWykonania.size());
    for (std::size_t k = 0; k < kolejnosc.size(); ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(NumerSygnalu(kolejnosc[k]), static_cast<int>(KolejnoscWykonania[k]));
        EXPECT_EQ(NazwaSygnalu(static_cast<int>(KolejnoscWykonania[k])), kolejnosc[k]);
    }
    EXPECT_EQ(KolejnoscWykonania.back(), TSygnal::brak);
}

TEST(Sygnaly, BezKomunikatowWedlugWymagan) {
    // The table's needs decide which sets may skip the checks of a tick.
    const std::pair<const char*, bool> przypadki[] = {
        {"czyt wys wei il", true},    {"wyad wea", true},      {"wyak weja dod weak", true},
        {"stp start eni rint", true}, {"wea", false},          {"wei", false},
        {"wyl wyad wea", false},      {"wys wyak wes", false}, {"dod weak", false},
        {"weja weak wys", false},     {"wys as", false},       {"wyad wel sa", false}};
    for (const auto& [tekst, bez] : przypadki) {
        SCOPED_TRACE(tekst);
        EXPECT_EQ(DekodujMikrorozkaz(tekst).BezKomunikatow(), bez);
    }
}

// A set that may skip the checks runs in the phases prepared for it; random sets and
// register values, ticked both ways, must leave the same machine.
TEST(Sygnaly, PrzygotowanyTaktJakKolejnosc) {
    const std::vector<int> naA = {NumerSygnalu("wyad"), NumerSygnalu("wyl"), NumerSygnalu("wyrm"),
                                  NumerSygnalu("wyap"), NumerSygnalu("wyu"), NumerSygnalu("wyv")};
    const std::vector<int> naS = {NumerSygnalu("wys"),  NumerSygnalu("wyx"),  NumerSygnalu("wyy"),
                                  NumerSygnalu("wyz"),  NumerSygnalu("wyrb"), NumerSygnalu("wyg"),
                                  NumerSygnalu("wyls"), NumerSygnalu("wyak")};
    std::vector<int> inne;
    for (int n = 1; n <= LiczbaSygnalow; ++n)
        if (std::find(naA.begin(), naA.end(), n) == naA.end() &&
            std::find(naS.begin(), naS.end(), n) == naS.end() && NazwaSygnalu(n) != "assa" &&
            NazwaSygnalu(n) != "as" && NazwaSygnalu(n) != "sa")
            inne.push_back(n);
    TSymulator a, b;
    std::mt19937 los(22);
    int sprawdzone = 0;
    for (int przypadek = 0; przypadek < 4000; ++przypadek) {
        TZestawSygnalow z;
        if (los() % 4) z.Dodaj(naA[los() % naA.size()]);
        if (los() % 4) z.Dodaj(naS[los() % naS.size()]);
        for (int i = static_cast<int>(los() % 7); i > 0; --i)
            z.Dodaj(inne[los() % inne.size()]);
        if (!z.BezKomunikatow()) continue;
        ++sprawdzone;
        const int adres = przypadek % 2 ? 5 : 12, kod = przypadek % 3 ? 3 : 8;
        std::array<std::uint32_t, LiczbaSlotow + 1> wartosci{};
        for (auto& w : wartosci)
            w = los() % 3 ? los() : los() % 4;
        for (TSymulator* s : {&a, &b}) {
            s->Maszyna.UstawSzerokosci(adres, kod);
            s->Maszyna.Reset();
            s->Maszyna.WyczyscPaO();
            for (int slot = 1; slot <= LiczbaSlotow; ++slot)
                if (slot != Slot::MagA && slot != Slot::MagS && slot != Slot::Znak)
                    s->Maszyna.UstawRejestr(slot, wartosci[static_cast<std::size_t>(slot)]);
            s->Maszyna.PiszPaO(s->Maszyna.Wartosc(Slot::A), wartosci[0]);
        }
        a.PamiecMikroprogramu.Wiersze()[0].Zestaw = z;
        a.Maszyna.Takt();
        b.Maszyna.WyczyscMagistrale();
        b.Maszyna.WykonajZestaw(z);
        const std::string tekst = a.Maszyna.BiezacyTekst() + "/" + std::to_string(przypadek);
        SCOPED_TRACE(tekst);
        for (int slot = 1; slot <= LiczbaSlotow; ++slot) {
            SCOPED_TRACE(slot);
            ASSERT_EQ(a.Maszyna.Wartosc(slot), b.Maszyna.Wartosc(slot));
            ASSERT_EQ(a.Maszyna.Flaga(slot), b.Maszyna.Flaga(slot));
        }
        ASSERT_EQ(a.Maszyna.Zatrzymana(), b.Maszyna.Zatrzymana());
        ASSERT_EQ(a.Maszyna.UrzadzenieGotowe(), b.Maszyna.UrzadzenieGotowe());
        ASSERT_EQ(a.Maszyna.CzytajPaO(a.Maszyna.Wartosc(Slot::A)),
                  b.Maszyna.CzytajPaO(b.Maszyna.Wartosc(Slot::A)));
        ASSERT_EQ(a.Konsola.Wyjscie(), b.Konsola.Wyjscie());
    }
    EXPECT_GT(sprawdzone, 1000);
}

TEST_F(Wykonanie, KolejnoscSterownikowMagistrali) {
    // Every driver after the first on its bus reports; the last one's value stands.
    m.UstawRejestr(Slot::L, 9);
    Mikrorozkaz("wyak wyls wyl wyg wyrb wyv wyu wyz wyy wyx wys wyad wyrm wyap wea");
    const std::string S = " - Magistrala słowowa w uzyciu", A = " - Magistrala adresowa w uzyciu";
    EXPECT_EQ(zapis.komunikaty,
              (V{"WYX" + S, "WYY" + S, "WYZ" + S, "WYU" + A, "WYV" + A, "WYRB" + S, "WYG" + S,
                 "WYL" + A, "WYLS" + S, "WYRM" + A, "WYAP" + A, "WYAK" + S}));
    Mikrorozkaz("wea wyl wyad");
    EXPECT_EQ(m.Wartosc(Slot::A), 9u);
}

TEST_F(Wykonanie, ZatrzaskiZPustejMagistrali) {
    m.UstawRejestr(Slot::A, 7);
    Mikrorozkaz("werm wev weu wea wel wes wex wey wez werb wei");
    EXPECT_EQ(m.Wartosc(Slot::A), 7u);
    const std::string A = " - Próba odczytu z pustej magistrali adresowej A",
                      S = " - Próba odczytu z pustej magistrali słowowej S";
    EXPECT_EQ(zapis.komunikaty, (V{"WEL" + A, "WEX" + S, "WEY" + S, "WEZ" + S, "WEU" + A, "WEV" + A,
                                   "WEI" + S, "WEA" + A, "WES" + S, "WERB" + S, "WERM" + A}));
}

TEST_F(Wykonanie, ZatrzaskTniePoMasceAleWermNie) {
    s.Maszyna.UstawRejestr(Slot::AK, 200);
    Mikrorozkaz("wyak sa wea werm weu");
    EXPECT_EQ(W({Slot::A, Slot::U, Slot::RM}), (U{200 & 31, 200 & 31, 200}))
        << "sa does not cut to the address width, werm takes it whole";
}

TEST_F(Wykonanie, JalBezWejscia) {
    m.UstawRejestr(Slot::AK, 9);
    Mikrorozkaz("weak xor not and or shr shl dziel mnoz przep ode dod weja");
    EXPECT_EQ(m.Wartosc(Slot::AK), 9u);
    const std::string J = " - Stan nieokreślony w \"JAL_in\"";
    EXPECT_EQ(zapis.komunikaty,
              (V{"WEJA - Próba odczytu z pustej magistrali słowowej S", "DOD" + J, "ODE" + J,
                 "PRZEP" + J, "MNOZ" + J, "DZIEL" + J, "SHL" + J, "SHR" + J, "AND" + J, "OR" + J,
                 "NOT" + J, "XOR" + J, "WEAK - Próba odczytu z pustej JA-L"}));
}

// Each operation on AK and the input; the flags 011 before: only dod and ode change them.
TEST_F(Wykonanie, OperacjeJal) {
    struct P {
        const char* op;
        std::uint32_t ak, wej, wynik, flagi;
    };
    // A sum equal to the word mask still fits.
    for (P p : {P{"dod", 200, 100, 44, 110}, P{"dod", 155, 100, 255, 0}, P{"dod", 156, 100, 0, 110},
                P{"dod", 44, 100, 144, 0}, P{"ode", 5, 7, 254, 101}, P{"ode", 7, 7, 0, 0},
                P{"przep", 3, 9, 9, 11}, P{"mnoz", 20, 13, (20 * 13) & 255, 11},
                P{"dziel", 200, 7, 28, 11}, P{"shl", 0, 200, 144, 11}, P{"shr", 0, 201, 100, 11},
                P{"and", 12, 10, 8, 11}, P{"or", 12, 10, 14, 11}, P{"not", 0, 0x0F, 0xF0, 11},
                P{"xor", 12, 10, 6, 11}}) {
        SCOPED_TRACE(testing::Message() << p.ak << " " << p.op << " " << p.wej);
        Ustaw({{Slot::AK, p.ak}, {Slot::S, p.wej}, {Slot::N, 0}, {Slot::NP, 1}, {Slot::NM, 1}});
        Mikrorozkaz(std::string("wys weja weak ") + p.op);
        EXPECT_EQ(m.Wartosc(Slot::AK), p.wynik);
        EXPECT_EQ(Flagi(), p.flagi);
    }
}

TEST_F(Wykonanie, DzieleniePrzezZero) {
    m.UstawRejestr(Slot::AK, 77);
    Mikrorozkaz("wyx weja dziel weak");
    EXPECT_EQ(W({Slot::AK, Slot::RZ}), (U{77, 1}));
    EXPECT_TRUE(zapis.komunikaty.empty());
}

TEST_F(Wykonanie, LicznikAkumulatoraZFlagami) {
    m.UstawRejestr(Slot::AK, 255);
    for (auto [op, wynik, flagi] :
         {std::tuple{"iak", 0u, 110u}, {"dak", 255u, 101u}, {"dak", 254u, 0u}, {"iak", 255u, 0u}}) {
        SCOPED_TRACE(testing::Message() << op << " to " << wynik);
        Mikrorozkaz(op);
        EXPECT_EQ(m.Wartosc(Slot::AK), wynik);
        EXPECT_EQ(Flagi(), flagi);
    }
}

TEST_F(Wykonanie, LicznikiRejestrowIKolejnoscZatrzasku) {
    Ustaw({{Slot::X, 255}, {Slot::S, 40}});
    Mikrorozkaz("ix iy dz iu dv");
    EXPECT_EQ(W({Slot::X, Slot::Y, Slot::Z, Slot::U, Slot::V}), (U{0, 1, 255, 1, 31}));
    Mikrorozkaz("wys wex ix"); // the latch comes after the increment
    EXPECT_EQ(m.Wartosc(Slot::X), 40u);
}

TEST_F(Wykonanie, PolaczeniaMagistral) {
    for (auto [tekst, komunikat] : {std::pair{"sa", "SA - Pusta magistrala słowowa"},
                                    {"wyl wys as", "AS - Magistrala słowowa w użyciu"},
                                    {"wyl wys sa", "SA - Magistrala adresowa w użyciu"},
                                    {"wyl wys assa", "ASSA - Obie magistrale w użyciu"},
                                    {"assa", "ASSA - Połączenie pustych magistral"},
                                    {"as", "AS - Pusta magistrala adresowa"}}) {
        Mikrorozkaz(tekst);
        EXPECT_EQ(zapis.komunikaty, V{komunikat}) << tekst;
    }
    EXPECT_TRUE(m.Zajeta(Slot::MagS)) << "as drives S with 0 all the same";
    EXPECT_EQ(m.Wartosc(Slot::MagS), 0u);
    m.UstawRejestr(Slot::S, 77);
    Mikrorozkaz("wys assa");
    EXPECT_TRUE(zapis.komunikaty.empty());
    EXPECT_TRUE(m.Zajeta(Slot::MagA));
    EXPECT_EQ(m.Wartosc(Slot::MagA), 77u);
    m.UstawRejestr(Slot::L, 3);
    Mikrorozkaz("wyl assa wes");
    EXPECT_EQ(m.Wartosc(Slot::S), 3u);
}

TEST_F(Wykonanie, CzytBezMaskiSlowa) {
    m.WstawKomorke(5, 300, 1, "110");
    m.UstawRejestr(Slot::A, 5);
    Mikrorozkaz("czyt");
    EXPECT_EQ(m.Wartosc(Slot::S), 300u * 32 + 1);
}

// eni accepts the highest request RM leaves: RP its bit, AP its address.
TEST_F(Wykonanie, Przerwania) {
    for (std::size_t i = 1; i <= 8; ++i)
        s.Architektura.Przerwania[i].Adres = static_cast<int>(10 + i);
    for (auto [rz, rm, rp, ap] : {std::tuple{5u, 0u, 4u, 13u},
                                  {192u, 0u, 128u, 18u},
                                  {192u, 128u, 64u, 17u},
                                  {192u, 192u, 0u, 0u}}) {
        SCOPED_TRACE(testing::Message() << "RZ " << rz << " RM " << rm);
        Ustaw({{Slot::RZ, rz}, {Slot::RM, rm}, {Slot::RP, 0}, {Slot::AP, 0}});
        Mikrorozkaz("eni");
        EXPECT_EQ(W({Slot::RP, Slot::AP}), (U{rp, ap}));
        EXPECT_EQ(m.WarunekSpelniony("int"), rp != 0);
    }
    Ustaw({{Slot::RZ, 5}, {Slot::RM, 0}});
    Mikrorozkaz("eni");
    Mikrorozkaz("rint eni"); // ends the current one and accepts the next
    EXPECT_EQ(W({Slot::RZ, Slot::RP, Slot::AP}), (U{1, 1, 11}));
}

TEST_F(Wykonanie, SlowoTrzydziestoDwubitowe) {
    m.UstawSzerokosci(24, 8);
    m.UstawRejestr(Slot::AK, 5);
    Mikrorozkaz("iak");
    EXPECT_EQ(W({Slot::AK, Slot::N}), (U{6, 0}));
    Ustaw({{Slot::AK, 0xFFFFFFF0u}, {Slot::S, 0x20}});
    Mikrorozkaz("wys weja dod weak");
    EXPECT_EQ(W({Slot::AK, Slot::NP}), (U{0x10, 1}));
    Ustaw({{Slot::AK, 0xFFFFFFFFu}, {Slot::S, 2}});
    Mikrorozkaz("wys weja dziel weak");
    EXPECT_EQ(m.Wartosc(Slot::AK), 0x7FFFFFFFu);
    m.UstawRejestr(Slot::AK, 0xFFFFFFFFu);
    Mikrorozkaz("iak");
    EXPECT_EQ(W({Slot::AK, Slot::NP}), (U{0, 1}));
    m.UstawRejestr(Slot::S, 0xFFFFFFFFu);
    Mikrorozkaz("wys wei");
    EXPECT_EQ(W({Slot::AD, Slot::KOD}), (U{0xFFFFFF, 0xFF}));
    m.UstawRejestr(Slot::AK, 0x80000000u);
    EXPECT_TRUE(m.WarunekSpelniony("z"));
}

TEST_F(Wykonanie, NieznaneSlowaINawiasySaPomijane) {
    m.UstawRejestr(Slot::L, 2);
    Mikrorozkaz("wyl wyl ! foo WEA wea; wea");
    EXPECT_TRUE(zapis.komunikaty.empty());
    EXPECT_EQ(m.Wartosc(Slot::A), 2u);
}
