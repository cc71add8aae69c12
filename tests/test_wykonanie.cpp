#include <gtest/gtest.h>

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
    using V = std::vector<std::string>;
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

// The selection for a manual tick is checked with the manual tick.
TEST_F(Wykonanie, AktywnySygnalToCaleSlowo) {
    s.PamiecMikroprogramu.Wiersze()[0].Sygnaly = "wyad wel wea !";
    m.Takt();
    EXPECT_TRUE(m.AktywnySygnal("wea"));
    EXPECT_FALSE(m.AktywnySygnal("we"));
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
    EXPECT_EQ(m.Wartosc(Slot::A), 200u & 31u);
    EXPECT_EQ(m.Wartosc(Slot::U), 200u & 31u);
    EXPECT_EQ(m.Wartosc(Slot::RM), 200u)
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

// The flags N, NP, NM written as three digits.
TEST_F(Wykonanie, DodawanieIOdejmowanieZFlagami) {
    struct P {
        const char* op;
        std::uint32_t ak, s, wynik, flagi;
    };
    // A sum equal to the word mask still fits.
    for (P p : {P{"dod", 200, 100, 44, 110}, P{"dod", 155, 100, 255, 0}, P{"dod", 156, 100, 0, 110},
                P{"dod", 44, 100, 144, 0}, P{"ode", 5, 7, 254, 101}, P{"ode", 7, 7, 0, 0}}) {
        SCOPED_TRACE(testing::Message() << p.ak << " " << p.op << " " << p.s);
        m.UstawRejestr(Slot::AK, p.ak);
        m.UstawRejestr(Slot::S, p.s);
        m.UstawRejestr(Slot::NM, 1);
        Mikrorozkaz(std::string("wys weja weak ") + p.op);
        EXPECT_EQ(m.Wartosc(Slot::AK), p.wynik);
        EXPECT_EQ(m.Wartosc(Slot::N) * 100 + m.Wartosc(Slot::NP) * 10 + m.Wartosc(Slot::NM),
                  p.flagi);
    }
}

TEST_F(Wykonanie, OperacjeJal) {
    struct P {
        const char* op;
        std::uint32_t ak, wej, wynik;
    };
    for (P p : {P{"przep", 3, 9, 9}, P{"mnoz", 20, 13, (20 * 13) & 255}, P{"dziel", 200, 7, 28},
                P{"shl", 0, 200, 144}, P{"shr", 0, 201, 100}, P{"and", 12, 10, 8},
                P{"or", 12, 10, 14}, P{"not", 0, 0x0F, 0xF0}, P{"xor", 12, 10, 6}}) {
        m.UstawRejestr(Slot::AK, p.ak);
        m.UstawRejestr(Slot::S, p.wej);
        m.UstawRejestr(Slot::N, 1);
        Mikrorozkaz(std::string("wys weja weak ") + p.op);
        EXPECT_EQ(m.Wartosc(Slot::AK), p.wynik) << p.op;
        EXPECT_EQ(m.Wartosc(Slot::N), 1u) << p.op << " must not touch the flags";
    }
}

TEST_F(Wykonanie, DzieleniePrzezZero) {
    m.UstawRejestr(Slot::AK, 77);
    Mikrorozkaz("wyx weja dziel weak");
    EXPECT_EQ(m.Wartosc(Slot::AK), 77u);
    EXPECT_EQ(m.Wartosc(Slot::RZ), 1u);
    EXPECT_TRUE(zapis.komunikaty.empty());
}

TEST_F(Wykonanie, LicznikAkumulatoraZFlagami) {
    m.UstawRejestr(Slot::AK, 255);
    for (auto [op, wynik, flagi] :
         {std::tuple{"iak", 0u, 110u}, {"dak", 255u, 101u}, {"dak", 254u, 0u}, {"iak", 255u, 0u}}) {
        SCOPED_TRACE(testing::Message() << op << " to " << wynik);
        Mikrorozkaz(op);
        EXPECT_EQ(m.Wartosc(Slot::AK), wynik);
        EXPECT_EQ(m.Wartosc(Slot::N) * 100 + m.Wartosc(Slot::NP) * 10 + m.Wartosc(Slot::NM), flagi);
    }
}

TEST_F(Wykonanie, LicznikiRejestrowIKolejnoscZatrzasku) {
    m.UstawRejestr(Slot::X, 255);
    m.UstawRejestr(Slot::S, 40);
    Mikrorozkaz("ix iy dz iu dv");
    EXPECT_EQ(m.Wartosc(Slot::X), 0u);
    EXPECT_EQ(m.Wartosc(Slot::Y), 1u);
    EXPECT_EQ(m.Wartosc(Slot::Z), 255u);
    EXPECT_EQ(m.Wartosc(Slot::U), 1u);
    EXPECT_EQ(m.Wartosc(Slot::V), 31u);
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

TEST_F(Wykonanie, Przerwania) {
    s.Architektura.Przerwania[3].Adres = 17;
    s.Architektura.Przerwania[1].Adres = 9;
    m.UstawRejestr(Slot::RZ, 5);
    Mikrorozkaz("eni");
    EXPECT_EQ(m.Wartosc(Slot::RP), 4u);
    EXPECT_EQ(m.Wartosc(Slot::AP), 17u);
    Mikrorozkaz("rint eni"); // ends the current one and accepts the next
    EXPECT_EQ(m.Wartosc(Slot::RZ), 1u);
    EXPECT_EQ(m.Wartosc(Slot::RP), 1u);
    EXPECT_EQ(m.Wartosc(Slot::AP), 9u);
}

TEST_F(Wykonanie, NajwyzszePrzerwanieIMaska) {
    s.Architektura.Przerwania[8].Adres = 23;
    s.Architektura.Przerwania[7].Adres = 19;
    m.UstawRejestr(Slot::RZ, 192);
    Mikrorozkaz("eni");
    EXPECT_EQ(m.Wartosc(Slot::RP), 128u);
    EXPECT_EQ(m.Wartosc(Slot::AP), 23u);
    EXPECT_TRUE(m.WarunekSpelniony("int"));
    m.UstawRejestr(Slot::RP, 0);
    m.UstawRejestr(Slot::RM, 128);
    Mikrorozkaz("eni");
    EXPECT_EQ(m.Wartosc(Slot::RP), 64u) << "a masked request gives way to the next one";
    EXPECT_EQ(m.Wartosc(Slot::AP), 19u);
    m.UstawRejestr(Slot::RP, 0);
    m.UstawRejestr(Slot::RM, 192);
    Mikrorozkaz("eni");
    EXPECT_EQ(m.Wartosc(Slot::RP), 0u);
    EXPECT_FALSE(m.WarunekSpelniony("int"));
}

TEST_F(Wykonanie, StpKonczyTaktIZatrzymuje) {
    Mikrorozkaz("stp il");
    EXPECT_TRUE(m.Zatrzymana());
    EXPECT_EQ(m.Wartosc(Slot::L), 1u);
}

TEST_F(Wykonanie, SlowoTrzydziestoDwubitowe) {
    m.UstawSzerokosci(24, 8);
    m.UstawRejestr(Slot::AK, 5);
    Mikrorozkaz("iak");
    EXPECT_EQ(m.Wartosc(Slot::AK), 6u);
    EXPECT_EQ(m.Wartosc(Slot::N), 0u);
    m.UstawRejestr(Slot::AK, 0xFFFFFFF0u);
    m.UstawRejestr(Slot::S, 0x20);
    Mikrorozkaz("wys weja dod weak");
    EXPECT_EQ(m.Wartosc(Slot::AK), 0x10u);
    EXPECT_EQ(m.Wartosc(Slot::NP), 1u);
    m.UstawRejestr(Slot::AK, 0xFFFFFFFFu);
    m.UstawRejestr(Slot::S, 2);
    Mikrorozkaz("wys weja dziel weak");
    EXPECT_EQ(m.Wartosc(Slot::AK), 0x7FFFFFFFu);
    m.UstawRejestr(Slot::AK, 0xFFFFFFFFu);
    Mikrorozkaz("iak");
    EXPECT_EQ(m.Wartosc(Slot::AK), 0u);
    EXPECT_EQ(m.Wartosc(Slot::NP), 1u);
    m.UstawRejestr(Slot::S, 0xFFFFFFFFu);
    Mikrorozkaz("wys wei");
    EXPECT_EQ(m.Wartosc(Slot::AD), 0xFFFFFFu);
    EXPECT_EQ(m.Wartosc(Slot::KOD), 0xFFu);
    m.UstawRejestr(Slot::AK, 0x80000000u);
    EXPECT_TRUE(m.WarunekSpelniony("z"));
}

TEST_F(Wykonanie, NieznaneSlowaINawiasySaPomijane) {
    m.UstawRejestr(Slot::L, 2);
    Mikrorozkaz("wyl wyl ! foo WEA wea; wea");
    EXPECT_TRUE(zapis.komunikaty.empty());
    EXPECT_EQ(m.Wartosc(Slot::A), 2u);
}
