#include "Sygnaly.h"

#include <bit>

#include "Sloty.h"

namespace {

// The steps of each signal as bits, and the steps of the signals with each need: all
// computed from the table at compile time, so decoding and ticks only read them.
constexpr std::array<std::uint64_t, LiczbaSygnalow + 1> BudujMaskiKrokow() {
    std::array<std::uint64_t, LiczbaSygnalow + 1> m{};
    for (const TOpisSygnalu& s : TablicaSygnalow)
        for (std::int8_t krok : {s.Krok, s.DrugiKrok})
            if (krok >= 0) m[static_cast<std::size_t>(s.Numer)] |= std::uint64_t{1} << krok;
    return m;
}
constexpr auto MaskaKrokow = BudujMaskiKrokow();

constexpr std::uint64_t Kroki(TWymaganie w) {
    std::uint64_t m = 0;
    for (const TOpisSygnalu& s : TablicaSygnalow)
        if (s.Wymaga == w) m |= MaskaKrokow[static_cast<std::size_t>(s.Numer)];
    return m;
}

using enum TSygnal;
constexpr std::uint64_t WystawiajaA = Kroki(TWymaganie::JedynyNaA);
constexpr std::uint64_t WystawiajaS = Kroki(TWymaganie::JedynyNaS);
constexpr std::uint64_t CzytajaA = Kroki(TWymaganie::NadawcaA);
constexpr std::uint64_t CzytajaS = Kroki(TWymaganie::NadawcaS);
constexpr std::uint64_t Polaczenia = Kroki(TWymaganie::Sprawdzenie);
constexpr std::uint64_t OperacjeJal = Kroki(TWymaganie::Weja);
constexpr std::uint64_t CzytajaWynikJal = Kroki(TWymaganie::OperacjaJal);

constexpr bool NajwyzejJeden(std::uint64_t m) {
    return (m & (m - 1)) == 0;
}

// Every driver comes before every reader in the order of execution.
constexpr bool ObliczBezKomunikatow(std::uint64_t kroki) {
    return (kroki & Polaczenia) == 0 && NajwyzejJeden(kroki & WystawiajaA) &&
           NajwyzejJeden(kroki & WystawiajaS) && (!(kroki & CzytajaA) || (kroki & WystawiajaA)) &&
           (!(kroki & CzytajaS) || (kroki & WystawiajaS)) &&
           (!(kroki & OperacjeJal) || (kroki & MaskaKrokow[static_cast<std::size_t>(weja)])) &&
           (!(kroki & CzytajaWynikJal) || (kroki & OperacjeJal));
}

// What each signal means to the phases of a prepared tick; a signal not listed is a step.
struct TRolaSygnalu {
    enum TRodzaj : std::uint8_t { Krok, NaA, NaS, KrokRejestru, Zatrzasniecie } rodzaj = Krok;
    std::uint8_t slot = 0, zrodlo = 0;
    std::int8_t o = 0;
};
struct TWpisRoli {
    TSygnal s;
    TRolaSygnalu r;
};
constexpr std::uint8_t U8(int slot) {
    return static_cast<std::uint8_t>(slot);
}
constexpr TWpisRoli Role[] = {
    {wyad, {TRolaSygnalu::NaA, U8(Slot::AD)}},
    {wyl, {TRolaSygnalu::NaA, U8(Slot::L)}},
    {wyrm, {TRolaSygnalu::NaA, U8(Slot::RM)}},
    {wyap, {TRolaSygnalu::NaA, U8(Slot::AP)}},
    {wyu, {TRolaSygnalu::NaA, U8(Slot::U)}},
    {wyv, {TRolaSygnalu::NaA, U8(Slot::V)}},
    {wys, {TRolaSygnalu::NaS, U8(Slot::S)}},
    {wyx, {TRolaSygnalu::NaS, U8(Slot::X)}},
    {wyy, {TRolaSygnalu::NaS, U8(Slot::Y)}},
    {wyz, {TRolaSygnalu::NaS, U8(Slot::Z)}},
    {wyrb, {TRolaSygnalu::NaS, U8(Slot::RB_wy)}},
    {wyg, {TRolaSygnalu::NaS, U8(Slot::G)}},
    {wyls, {TRolaSygnalu::NaS, U8(Slot::L)}},
    {wyak, {TRolaSygnalu::NaS, U8(Slot::AK)}},
    {il, {TRolaSygnalu::KrokRejestru, U8(Slot::L), 0, 1}},
    {ix, {TRolaSygnalu::KrokRejestru, U8(Slot::X), 0, 1}},
    {iy, {TRolaSygnalu::KrokRejestru, U8(Slot::Y), 0, 1}},
    {iz, {TRolaSygnalu::KrokRejestru, U8(Slot::Z), 0, 1}},
    {iu, {TRolaSygnalu::KrokRejestru, U8(Slot::U), 0, 1}},
    {iv, {TRolaSygnalu::KrokRejestru, U8(Slot::V), 0, 1}},
    {dl, {TRolaSygnalu::KrokRejestru, U8(Slot::L), 0, -1}},
    {dx, {TRolaSygnalu::KrokRejestru, U8(Slot::X), 0, -1}},
    {dy, {TRolaSygnalu::KrokRejestru, U8(Slot::Y), 0, -1}},
    {dz, {TRolaSygnalu::KrokRejestru, U8(Slot::Z), 0, -1}},
    {du, {TRolaSygnalu::KrokRejestru, U8(Slot::U), 0, -1}},
    {dv, {TRolaSygnalu::KrokRejestru, U8(Slot::V), 0, -1}},
    {wel, {TRolaSygnalu::Zatrzasniecie, U8(Slot::L), U8(Slot::MagA)}},
    {weu, {TRolaSygnalu::Zatrzasniecie, U8(Slot::U), U8(Slot::MagA)}},
    {wev, {TRolaSygnalu::Zatrzasniecie, U8(Slot::V), U8(Slot::MagA)}},
    {wea, {TRolaSygnalu::Zatrzasniecie, U8(Slot::A), U8(Slot::MagA)}},
    {wex, {TRolaSygnalu::Zatrzasniecie, U8(Slot::X), U8(Slot::MagS)}},
    {wey, {TRolaSygnalu::Zatrzasniecie, U8(Slot::Y), U8(Slot::MagS)}},
    {wez, {TRolaSygnalu::Zatrzasniecie, U8(Slot::Z), U8(Slot::MagS)}},
    {wes, {TRolaSygnalu::Zatrzasniecie, U8(Slot::S), U8(Slot::MagS)}},
    {werb, {TRolaSygnalu::Zatrzasniecie, U8(Slot::RB_we), U8(Slot::MagS)}},
    {weak, {TRolaSygnalu::Zatrzasniecie, U8(Slot::AK), U8(Slot::JAL_out)}},
};
constexpr std::array<TRolaSygnalu, LiczbaSygnalow + 1> BudujRole() {
    std::array<TRolaSygnalu, LiczbaSygnalow + 1> r{};
    for (const TWpisRoli& w : Role)
        r[static_cast<std::size_t>(w.s)] = w.r;
    return r;
}
constexpr auto RoleSygnalow = BudujRole();

// Every driver of a bus must be known to the phases, and only the drivers.
constexpr bool RoleSpojne() {
    for (const TOpisSygnalu& s : TablicaSygnalow) {
        const auto rodzaj = RoleSygnalow[static_cast<std::size_t>(s.Numer)].rodzaj;
        if ((s.Wymaga == TWymaganie::JedynyNaA) != (rodzaj == TRolaSygnalu::NaA) ||
            (s.Wymaga == TWymaganie::JedynyNaS) != (rodzaj == TRolaSygnalu::NaS))
            return false;
    }
    return true;
}
static_assert(RoleSpojne());

// The bus links follow the drivers in the order.
constexpr int PierwszyPoWystawieniu = TablicaSygnalow[static_cast<std::size_t>(assa)].Krok;

TPrzygotowanie Przygotuj(std::uint64_t kroki) {
    TPrzygotowanie p;
    for (std::uint64_t m = kroki; m != 0; m &= m - 1) {
        const int krok = std::countr_zero(m);
        const TSygnal s = KolejnoscWykonania[static_cast<std::size_t>(krok)];
        const TRolaSygnalu& r = RoleSygnalow[static_cast<std::size_t>(s)];
        const std::uint64_t bit = std::uint64_t{1} << krok;
        if (s == czyt) {
            p.czyt = true;
        } else if (s == pisz) {
            p.pisz = true;
        } else if (s == wei) {
            p.wei = true;
        } else if (s == weja) {
            p.maskaWeja = ~std::uint32_t{0};
        } else if (r.rodzaj == TRolaSygnalu::NaA) {
            p.zrodloA = r.slot;
        } else if (r.rodzaj == TRolaSygnalu::NaS) {
            p.zrodloS = r.slot;
        } else if (r.rodzaj == TRolaSygnalu::KrokRejestru) {
            p.krokiRejestrow[p.liczbaKrokowRejestrow++] = {r.slot, r.o};
        } else if (r.rodzaj == TRolaSygnalu::Zatrzasniecie) {
            p.zatrzasniecia[p.liczbaZatrzasniec++] = {r.slot, r.zrodlo};
        } else if (krok < PierwszyPoWystawieniu) {
            p.krokiPrzed |= bit; // the first step of "eni"
        } else {
            p.krokiPo |= bit;
        }
    }
    return p;
}

} // namespace

void TZestawSygnalow::Dodaj(int numer) {
    if (numer < 1 || numer > LiczbaSygnalow) return;
    kroki |= MaskaKrokow[static_cast<std::size_t>(numer)];
    bezKomunikatow = ObliczBezKomunikatow(kroki);
    przygotowanie = Przygotuj(kroki);
}

std::array<bool, LiczbaSygnalow + 1> TZestawSygnalow::Zawiera() const {
    std::array<bool, LiczbaSygnalow + 1> w{};
    for (int s = 1; s <= LiczbaSygnalow; ++s)
        w[static_cast<std::size_t>(s)] = (kroki & MaskaKrokow[static_cast<std::size_t>(s)]) != 0;
    return w;
}

int NumerSygnalu(std::string_view slowo) {
    if (slowo.empty()) return 0;
    for (int i = 1; i <= LiczbaSygnalow; ++i)
        if (NazwySygnalow[static_cast<std::size_t>(i)] == slowo) return i;
    return 0;
}

std::string NazwaSygnalu(int numer) {
    if (numer < 1 || numer > LiczbaSygnalow) return "???";
    return std::string(NazwySygnalow[static_cast<std::size_t>(numer)]);
}

// Only the blank separates words: a tab belongs to the word it stands in.
std::vector<std::string_view> SlowaMikrorozkazu(std::string_view tekst) {
    std::vector<std::string_view> slowa;
    std::size_t i = 0;
    while (i < tekst.size()) {
        while (i < tekst.size() && tekst[i] == ' ')
            ++i;
        std::size_t p = i;
        while (i < tekst.size() && tekst[i] != ' ')
            ++i;
        if (i > p) slowa.push_back(tekst.substr(p, i - p));
    }
    return slowa;
}

TZestawSygnalow DekodujMikrorozkaz(std::string_view tekst) {
    TZestawSygnalow z;
    for (auto slowo : SlowaMikrorozkazu(tekst))
        z.Dodaj(NumerSygnalu(slowo));
    return z;
}

bool SlowoWTekscie(std::string_view tekst, std::string_view nazwa) {
    std::string t = " ";
    t.append(tekst).append(" ");
    std::string n = " ";
    n.append(nazwa).append(" ");
    return t.find(n) != std::string::npos;
}
