#include <gtest/gtest.h>

#include "Liczby.h"
#include "TSymulator.h"

namespace {

struct Maszyna : ::testing::Test {
    TSymulator s;
    TMaszyna& m = s.Maszyna;
};

} // namespace

TEST_F(Maszyna, SzerokosciIMaskiSlotow) {
    for (int slot : {Slot::L, Slot::AP, Slot::A, Slot::AD, Slot::MagA, Slot::U, Slot::V}) {
        EXPECT_EQ(m.Szerokosc(slot), 5) << slot;
        EXPECT_EQ(m.Maska(slot), 31u) << slot;
    }
    for (int slot : {Slot::X, Slot::Y, Slot::Z, Slot::S, Slot::MagS, Slot::AK}) {
        EXPECT_EQ(m.Szerokosc(slot), 8) << slot;
        EXPECT_EQ(m.Maska(slot), 255u) << slot;
    }
    EXPECT_EQ(m.Szerokosc(Slot::KOD), 3);
    EXPECT_EQ(m.MaskaKodu(), 7u);
    for (int slot : {Slot::RB_we, Slot::RB_wy, Slot::RZ, Slot::RM, Slot::RP}) EXPECT_EQ(m.Maska(slot), 255u);
    for (int slot : {Slot::G, Slot::N, Slot::NP, Slot::NM, Slot::Znak}) EXPECT_EQ(m.Maska(slot), 1u);
    for (int slot : {Slot::JAL_in, Slot::JAL_out, Slot::INT, Slot::PAK, Slot::ZAK}) {
        EXPECT_EQ(m.Szerokosc(slot), 0);
        EXPECT_EQ(m.Maska(slot), 0u);
    }
}

TEST_F(Maszyna, NajszerszeSlowoMa32Bity) {
    ASSERT_TRUE(m.UstawSzerokosci(24, 8));
    EXPECT_EQ(m.MaskaSlowa(), 0xFFFFFFFFu);
    EXPECT_EQ(m.Szerokosc(Slot::AK), 32);
    EXPECT_EQ(m.MaskaAdresu(), 0xFFFFFFu);
    EXPECT_EQ(m.MaskaKodu(), 255u);
}

TEST_F(Maszyna, SzerokosciSpozaZakresuSaOdrzucane) {
    EXPECT_FALSE(m.UstawSzerokosci(4, 3));
    EXPECT_FALSE(m.UstawSzerokosci(25, 3));
    EXPECT_FALSE(m.UstawSzerokosci(5, 2));
    EXPECT_FALSE(m.UstawSzerokosci(5, 9));
    EXPECT_FALSE(m.UstawSzerokosci(-1, 300));
    EXPECT_EQ(m.BityAdresu(), 5);
    EXPECT_EQ(m.BityKodu(), 3);
}

TEST_F(Maszyna, ZmianaSzerokosciNieTykaWartosci) {
    m.UstawSzerokosci(8, 8);
    m.UstawRejestr(Slot::AK, 0xFFFF);
    m.UstawSzerokosci(5, 3);
    EXPECT_EQ(m.Wartosc(Slot::AK), 0xFFFFu);
    m.Zwieksz(Slot::AK);
    EXPECT_EQ(m.Wartosc(Slot::AK), 0u);
}

TEST_F(Maszyna, SlotySpozaZakresuCzytajaZeroINicNiePisza) {
    for (int slot : {0, 30, -1, 1000}) {
        m.UstawRejestr(slot, 5);
        m.Zwieksz(slot);
        m.Zmniejsz(slot);
        EXPECT_EQ(m.Wartosc(slot), 0u);
        EXPECT_EQ(m.Szerokosc(slot), 0);
        EXPECT_EQ(m.WartoscTekst(slot), "0");
    }
}

TEST_F(Maszyna, LicznikiZawijaja) {
    m.UstawRejestr(Slot::L, 31);
    m.Zwieksz(Slot::L);
    EXPECT_EQ(m.Wartosc(Slot::L), 0u);
    m.Zmniejsz(Slot::L);
    EXPECT_EQ(m.Wartosc(Slot::L), 31u);
    m.UstawRejestr(Slot::L, 100);
    EXPECT_EQ(m.Wartosc(Slot::L), 100u & 31u);
}

TEST_F(Maszyna, BitZnakuEdytujeNajstarszyBitAK) {
    m.UstawRejestr(Slot::AK, 5);
    m.UstawRejestr(Slot::Znak, 1);
    EXPECT_EQ(m.Wartosc(Slot::AK), 0x85u);
    m.UstawRejestr(Slot::Znak, 0);
    EXPECT_EQ(m.Wartosc(Slot::AK), 5u);
    m.UstawSzerokosci(24, 8);
    m.UstawRejestr(Slot::Znak, 7);
    EXPECT_EQ(m.Wartosc(Slot::AK), 0x80000005u);
    EXPECT_EQ(m.WartoscTekst(Slot::AK), "-2147483643");
}

TEST_F(Maszyna, ResetZerujeRejestryAleNiePaO) {
    m.UstawRejestr(Slot::X, 7);
    m.PiszPaO(3, 9);
    m.WykonajMikrorozkaz("stp wyl");
    m.Reset();
    EXPECT_EQ(m.Wartosc(Slot::X), 0u);
    EXPECT_FALSE(m.Zatrzymana());
    EXPECT_FALSE(m.Zajeta(Slot::MagA));
    EXPECT_EQ(m.BiezacyWiersz(), -1);
    EXPECT_EQ(m.BiezacyTekst(), "");
    EXPECT_EQ(m.CzytajPaO(3), 9u);
}

TEST_F(Maszyna, PaOKomorki) {
    EXPECT_EQ(m.CzytajPaO(12), 0u);
    m.PiszPaO(3, 0xA7);
    const TKomorka* k = m.PaO().Znajdz(3);
    ASSERT_NE(k, nullptr);
    EXPECT_EQ(k->Kod, 5);
    EXPECT_EQ(k->Argument, 7);
    EXPECT_EQ(k->Rodzaj, "000");
    EXPECT_EQ(m.CzytajPaO(3), 167u);
    // A store keeps the kind the loader gave; the order is the order of first writes.
    m.WstawKomorke(1, 4, 21, "110");
    m.PiszPaO(1, 0x20);
    m.WstawKomorke(-7, 0, -1, "010");
    m.WstawKomorke(1u << 30, 1, 2, "010");
    ASSERT_EQ(m.PaO().Rozmiar(), 4u);
    EXPECT_EQ(m.PaO().Komorki()[1].Adres, 1);
    EXPECT_EQ(m.PaO().Komorki()[1].Rodzaj, "110");
    EXPECT_EQ(m.CzytajPaO(1), 0x20u);
    EXPECT_EQ(m.CzytajPaO(-7), 0xFFFFFFFFu); // 0 * 32 + (-1)
    EXPECT_EQ(m.CzytajPaO(1u << 30), 34u);
    m.WyczyscPaO();
    EXPECT_EQ(m.PaO().Rozmiar(), 0u);
    EXPECT_EQ(m.CzytajPaO(3), 0u);
}

TEST_F(Maszyna, PaOUjemnyKodIArgument) {
    m.WstawKomorke(0, -1, 5, "110");
    EXPECT_EQ(m.CzytajPaO(0), static_cast<std::uint32_t>(-32 + 5));
    m.UstawSzerokosci(24, 8);
    m.WstawKomorke(1, 255, 0xFFFFFF, "110");
    EXPECT_EQ(m.CzytajPaO(1), 0xFFFFFFFFu);
}

TEST(Liczby, Formatowanie) {
    EXPECT_EQ(FormatujLiczbe(5, 2, 8), "00000101");
    EXPECT_EQ(FormatujLiczbe0x(255, 16, 8), "0xFF");
    EXPECT_EQ(FormatujLiczbe(10, 16, 5), "$0A");
    EXPECT_EQ(FormatujLiczbe(10, 16, 3), "$A");
    EXPECT_EQ(FormatujLiczbe(10, 8, 3), "?");
    EXPECT_EQ(FormatujLiczbe(-5, 10, 8), "-5");
    EXPECT_EQ(FormatujLiczbe(-1, 16, 8), "$FFFFFFFF"); // minimum digits, never cut
    EXPECT_EQ(FormatujLiczbe0x(-1, 16, 0), "0xFFFFFFFF");
    EXPECT_EQ(FormatujLiczbe(1, 16, 24), "$000001");
    EXPECT_EQ(FormatujLiczbe(1, 16, 29), "$00000001");
    EXPECT_EQ(Dwojkowo(-1, 4), "1111");
    EXPECT_EQ(Dwojkowo(0, 0), "");
    EXPECT_EQ(Dwojkowo(9, 2), "1001");
    EXPECT_EQ(Dwojkowo(0xFFFFFFFFLL, 1), std::string(32, '1'));
    EXPECT_EQ(Dwojkowo(1LL << 62, 0).size(), 63u);
}
