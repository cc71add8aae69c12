#include <gtest/gtest.h>

#include <tuple>

#include "Liczby.h"
#include "TSymulator.h"

namespace {

struct Maszyna : ::testing::Test {
    TSymulator s;
    TMaszyna& m = s.Maszyna;
};

} // namespace

TEST_F(Maszyna, SzerokosciIMaskiSlotow) {
    // Each group of slots with its width at the start (5 + 3 bits) and at the widest (24 + 8).
    const std::tuple<std::vector<int>, int, int> grupy[] = {
        {{Slot::L, Slot::AP, Slot::A, Slot::AD, Slot::MagA, Slot::U, Slot::V}, 5, 24},
        {{Slot::X, Slot::Y, Slot::Z, Slot::S, Slot::MagS, Slot::AK}, 8, 32},
        {{Slot::KOD}, 3, 8},
        {{Slot::RB_we, Slot::RB_wy, Slot::RZ, Slot::RM, Slot::RP}, 8, 8},
        {{Slot::G, Slot::N, Slot::NP, Slot::NM, Slot::Znak}, 1, 1},
        {{Slot::JAL_in, Slot::JAL_out, Slot::INT, Slot::PAK, Slot::ZAK}, 0, 0}};
    for (bool najszersze : {false, true}) {
        // Widths outside 5..24 and 3..8 are refused and change nothing.
        for (auto [adres, kod] : {std::pair{4, 3}, {25, 3}, {5, 2}, {5, 9}, {-1, 300}})
            EXPECT_FALSE(m.UstawSzerokosci(adres, kod)) << adres << " " << kod;
        for (const auto& [sloty, bity, najwiecej] : grupy)
            for (int slot : sloty) {
                const int b = najszersze ? najwiecej : bity;
                EXPECT_EQ(m.Szerokosc(slot), b) << slot;
                EXPECT_EQ(m.Maska(slot), b ? 0xFFFFFFFFu >> (32 - b) : 0u) << slot;
            }
        ASSERT_TRUE(m.UstawSzerokosci(24, 8));
    }
    EXPECT_EQ(m.MaskaSlowa(), 0xFFFFFFFFu);
    EXPECT_EQ(m.MaskaAdresu(), 0xFFFFFFu);
}

TEST_F(Maszyna, ZmianaSzerokosciNieTykaWartosci) {
    m.UstawSzerokosci(8, 8);
    m.UstawRejestr(Slot::AK, 0xFFFF);
    m.UstawSzerokosci(5, 3);
    EXPECT_EQ(m.Wartosc(Slot::AK), 0xFFFFu);
    m.Zwieksz(Slot::AK);
    EXPECT_EQ(m.Wartosc(Slot::AK), 0u);
    m.Zmniejsz(Slot::AK);
    EXPECT_EQ(m.Wartosc(Slot::AK), 255u);
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
    EXPECT_EQ(std::tuple(m.Wartosc(Slot::X), m.Zatrzymana(), m.Zajeta(Slot::MagA)),
              std::tuple(0u, false, false));
    EXPECT_EQ(std::tuple(m.BiezacyWiersz(), m.BiezacyTekst()), std::tuple(-1, ""));
    EXPECT_EQ(m.CzytajPaO(3), 9u);
}

TEST_F(Maszyna, PaOKomorki) {
    EXPECT_EQ(m.CzytajPaO(12), 0u);
    m.PiszPaO(3, 0xA7);
    const TKomorka* k = m.PaO().Znajdz(3);
    ASSERT_NE(k, nullptr);
    EXPECT_EQ(std::tuple(k->Kod, k->Argument, k->Rodzaj), std::tuple(5, 7, "000"));
    // A store keeps the kind the loader gave; the order is the order of first writes.
    m.WstawKomorke(1, 4, 21, "110");
    m.PiszPaO(1, 0x20);
    m.WstawKomorke(-7, 0, -1, "010");
    m.WstawKomorke(1u << 30, 1, 2, "010");
    ASSERT_EQ(m.PaO().Rozmiar(), 4u);
    const TKomorka& k1 = m.PaO().Komorki()[1];
    EXPECT_EQ(std::tuple(k1.Adres, k1.Kod, k1.Argument, k1.Rodzaj), std::tuple(1, 1, 0, "110"));
    EXPECT_EQ(m.CzytajPaO(1), 0x20u);
    EXPECT_EQ(m.CzytajPaO(-7), 0xFFFFFFFFu); // 0 * 32 + (-1)
    EXPECT_EQ(m.CzytajPaO(1u << 30), 34u);
    m.WyczyscPaO();
    EXPECT_EQ(m.CzytajPaO(3), 0u);
    m.UstawSzerokosci(24, 8);
    m.WstawKomorke(1, 255, 0xFFFFFF, "110");
    EXPECT_EQ(m.CzytajPaO(1), 0xFFFFFFFFu);
    // Read again at another width, and a stored cell read at once: 2 * 2^8 + 3.
    m.UstawSzerokosci(8, 8);
    EXPECT_EQ(m.CzytajPaO(1), 255u * 256 + 0xFFFFFF);
    m.WstawKomorke(200, 2, 3, "110");
    EXPECT_EQ(m.CzytajPaO(200), 515u);
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
