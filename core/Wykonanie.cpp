// One microinstruction and one tick.

#include <bit>

#include "Historia.h"
#include "Konsola.h"
#include "Maszyna.h"
#include "PunktyZatrzymania.h"
#include "Sluchacz.h"

void TMaszyna::PoczatekTaktu() {
    ++numerTaktu;
    if (sluchacz && poczatkiTaktow) sluchacz->PoczatekTaktu();
}

void TMaszyna::WyczyscMagistrale() {
    PoczatekTaktu();
    WyczyscMagistraleTaktu();
}

[[gnu::always_inline]] inline void TMaszyna::WyczyscMagistraleTaktu() {
    // Written out: this runs on every tick.
    W(Slot::MagA) = 0, F(Slot::MagA) = false;
    W(Slot::MagS) = 0, F(Slot::MagS) = false;
    W(Slot::JAL_in) = 0, F(Slot::JAL_in) = false;
    W(Slot::JAL_out) = 0, F(Slot::JAL_out) = false;
    urzadzenieGotowe = false;
}

void TMaszyna::WykonajMikrorozkaz(std::string_view tekst) {
    WykonajZestaw(DekodujMikrorozkaz(tekst));
}

template <bool Sprawdzaj>
void TMaszyna::Wystaw(int magistrala, std::uint32_t wartosc, std::string_view komunikatZajetej) {
    if (Sprawdzaj && F(magistrala)) ZglosKomunikat(komunikatZajetej);
    W(magistrala) = wartosc;
    F(magistrala) = true;
}

template <bool Sprawdzaj>
void TMaszyna::Zatrzasnij(int rejestr, int magistrala, std::string_view komunikatPustej) {
    if (Sprawdzaj && !F(magistrala)) {
        ZglosKomunikat(komunikatPustej);
        return;
    }
    W(rejestr) = W(magistrala) & M(rejestr);
}

template <bool Sprawdzaj> bool TMaszyna::JalGotowy(std::string_view komunikat) {
    if (!Sprawdzaj || F(Slot::JAL_in)) return true;
    ZglosKomunikat(komunikat);
    return false;
}

void TMaszyna::WynikJal(std::uint64_t r) {
    W(Slot::JAL_out) = static_cast<std::uint32_t>(r) & M(Slot::AK);
    F(Slot::JAL_out) = true;
}

[[gnu::always_inline]] inline void TMaszyna::Wei() {
    const std::uint32_t w = W(Slot::MagS);
    W(Slot::AD) = w & maskaAdresu;
    // A stored word may be wider than address and code together; the code register keeps
    // its own width, so the next row is always an entry row.
    W(Slot::KOD) = ((w - W(Slot::AD)) >> bityAdresu) & maskaKodu;
}

void TMaszyna::Eni() {
    const std::uint32_t p = W(Slot::RZ) & ~W(Slot::RM) & 0xFFu;
    if (p == 0) return;
    const int k = std::bit_width(p) - 1;
    W(Slot::RP) = (std::uint32_t{1} << k) & M(Slot::RP);
    W(Slot::AP) =
        static_cast<std::uint32_t>(arch.Przerwania[static_cast<std::size_t>(k + 1)].Adres);
}

// The checks depend on what the tick has driven so far, so the unchecked path is only for
// Takt, which starts from empty buses; a set run on its own is always checked.
void TMaszyna::WykonajZestaw(const TZestawSygnalow& zestaw) {
    WykonajKroki<true>(zestaw.kroki);
}

template <bool Sprawdzaj> void TMaszyna::WykonajKroki(std::uint64_t kroki) {
    for (std::uint64_t m = kroki; m != 0; m &= m - 1)
        Wykonaj<Sprawdzaj>(KolejnoscWykonania[static_cast<std::size_t>(std::countr_zero(m))]);
}

// "pisz": PiszPaO, with the history's check in place rather than behind a call.
[[gnu::always_inline]] inline void TMaszyna::PiszWTakcie() {
    if (historia) historia->PrzedZapisemWTakcie(*this, W(Slot::A));
    pao.Pisz(W(Slot::A), W(Slot::S), bityAdresu);
}

template <bool Sprawdzaj> [[gnu::always_inline]] inline void TMaszyna::Wykonaj(TSygnal s) {
    using enum TSygnal;
    const std::uint32_t maskaSlowa = M(Slot::AK);
    switch (s) {
    case brak:
        break;
    // memory
    case czyt:
        W(Slot::S) = CzytajPaO(W(Slot::A));
        break;
    case pisz:
        PiszWTakcie();
        break;
    // bus drivers
    case wyad:
        Wystaw<Sprawdzaj>(Slot::MagA, W(Slot::AD), "WYAD - Magistrala adresowa w uzyciu");
        break;
    case wys:
        Wystaw<Sprawdzaj>(Slot::MagS, W(Slot::S), "WYS - Magistrala słowowa w uzyciu");
        break;
    case wyx:
        Wystaw<Sprawdzaj>(Slot::MagS, W(Slot::X), "WYX - Magistrala słowowa w uzyciu");
        break;
    case wyy:
        Wystaw<Sprawdzaj>(Slot::MagS, W(Slot::Y), "WYY - Magistrala słowowa w uzyciu");
        break;
    case wyz:
        Wystaw<Sprawdzaj>(Slot::MagS, W(Slot::Z), "WYZ - Magistrala słowowa w uzyciu");
        break;
    case wyu:
        Wystaw<Sprawdzaj>(Slot::MagA, W(Slot::U), "WYU - Magistrala adresowa w uzyciu");
        break;
    case wyv:
        Wystaw<Sprawdzaj>(Slot::MagA, W(Slot::V), "WYV - Magistrala adresowa w uzyciu");
        break;
    case wyrb:
        Wystaw<Sprawdzaj>(Slot::MagS, W(Slot::RB_wy), "WYRB - Magistrala słowowa w uzyciu");
        break;
    case wyg:
        Wystaw<Sprawdzaj>(Slot::MagS, W(Slot::G), "WYG - Magistrala słowowa w uzyciu");
        break;
    case wyl:
        Wystaw<Sprawdzaj>(Slot::MagA, W(Slot::L), "WYL - Magistrala adresowa w uzyciu");
        break;
    case wyls:
        Wystaw<Sprawdzaj>(Slot::MagS, W(Slot::L), "WYLS - Magistrala słowowa w uzyciu");
        break;
    case wyrm:
        Wystaw<Sprawdzaj>(Slot::MagA, W(Slot::RM), "WYRM - Magistrala adresowa w uzyciu");
        break;
    case wyap:
        Wystaw<Sprawdzaj>(Slot::MagA, W(Slot::AP), "WYAP - Magistrala adresowa w uzyciu");
        break;
    case wyak:
        Wystaw<Sprawdzaj>(Slot::MagS, W(Slot::AK), "WYAK - Magistrala słowowa w uzyciu");
        break;
    // bus links
    case assa:
        if (F(Slot::MagA) && F(Slot::MagS)) {
            ZglosKomunikat("ASSA - Obie magistrale w użyciu");
        } else if (!F(Slot::MagA) && !F(Slot::MagS)) {
            ZglosKomunikat("ASSA - Połączenie pustych magistral");
        } else if (F(Slot::MagA)) {
            W(Slot::MagS) = W(Slot::MagA);
            F(Slot::MagS) = true;
        } else {
            W(Slot::MagA) = W(Slot::MagS);
            F(Slot::MagA) = true;
        }
        break;
    case as:
        if (F(Slot::MagS)) ZglosKomunikat("AS - Magistrala słowowa w użyciu");
        if (!F(Slot::MagA)) ZglosKomunikat("AS - Pusta magistrala adresowa");
        W(Slot::MagS) = W(Slot::MagA);
        F(Slot::MagS) = true;
        break;
    case sa:
        if (F(Slot::MagA)) ZglosKomunikat("SA - Magistrala adresowa w użyciu");
        if (!F(Slot::MagS)) ZglosKomunikat("SA - Pusta magistrala słowowa");
        W(Slot::MagA) = W(Slot::MagS);
        F(Slot::MagA) = true;
        break;
    // device
    case start:
        Przeslanie();
        break;
    // JAL
    case weja:
        if (Sprawdzaj && !F(Slot::MagS)) {
            ZglosKomunikat("WEJA - Próba odczytu z pustej magistrali słowowej S");
        } else {
            W(Slot::JAL_in) = W(Slot::MagS) & maskaSlowa;
            F(Slot::JAL_in) = true;
        }
        break;
    case dod:
        if (JalGotowy<Sprawdzaj>("DOD - Stan nieokreślony w \"JAL_in\"")) {
            const std::uint64_t r = std::uint64_t{W(Slot::AK)} + W(Slot::JAL_in);
            const std::uint32_t n = r > maskaSlowa;
            W(Slot::N) = n, W(Slot::NP) = n, W(Slot::NM) = 0;
            WynikJal(r);
        }
        break;
    case ode:
        if (JalGotowy<Sprawdzaj>("ODE - Stan nieokreślony w \"JAL_in\"")) {
            const std::int64_t r = std::int64_t{W(Slot::AK)} - std::int64_t{W(Slot::JAL_in)};
            const std::uint32_t n = r < 0;
            W(Slot::N) = n, W(Slot::NP) = 0, W(Slot::NM) = n;
            WynikJal(static_cast<std::uint64_t>(r));
        }
        break;
    case przep:
        if (JalGotowy<Sprawdzaj>("PRZEP - Stan nieokreślony w \"JAL_in\""))
            WynikJal(W(Slot::JAL_in));
        break;
    case mnoz:
        if (JalGotowy<Sprawdzaj>("MNOZ - Stan nieokreślony w \"JAL_in\""))
            WynikJal(std::uint64_t{W(Slot::AK)} * W(Slot::JAL_in));
        break;
    case dziel:
        if (JalGotowy<Sprawdzaj>("DZIEL - Stan nieokreślony w \"JAL_in\"")) {
            if (W(Slot::JAL_in) == 0) {
                WynikJal(W(Slot::AK));
                ZglosPrzerwanie(1);
            } else {
                WynikJal(W(Slot::AK) / W(Slot::JAL_in));
            }
        }
        break;
    case shl:
        if (JalGotowy<Sprawdzaj>("SHL - Stan nieokreślony w \"JAL_in\""))
            WynikJal(std::uint64_t{W(Slot::JAL_in)} * 2);
        break;
    case shr:
        if (JalGotowy<Sprawdzaj>("SHR - Stan nieokreślony w \"JAL_in\""))
            WynikJal(W(Slot::JAL_in) / 2);
        break;
    case and_:
        if (JalGotowy<Sprawdzaj>("AND - Stan nieokreślony w \"JAL_in\""))
            WynikJal(W(Slot::AK) & W(Slot::JAL_in));
        break;
    case or_:
        if (JalGotowy<Sprawdzaj>("OR - Stan nieokreślony w \"JAL_in\""))
            WynikJal(W(Slot::AK) | W(Slot::JAL_in));
        break;
    case not_:
        if (JalGotowy<Sprawdzaj>("NOT - Stan nieokreślony w \"JAL_in\""))
            WynikJal(~W(Slot::JAL_in));
        break;
    case xor_:
        if (JalGotowy<Sprawdzaj>("XOR - Stan nieokreślony w \"JAL_in\""))
            WynikJal(W(Slot::AK) ^ W(Slot::JAL_in));
        break;
    // interrupts
    case eni:
        Eni();
        break;
    case rint:
        W(Slot::RZ) &= ~W(Slot::RP);
        W(Slot::RP) = 0;
        break;
    // increments and decrements (in a tick: not the editing Zwieksz, which tells the history)
    case il:
        W(Slot::L) = (W(Slot::L) + 1) & M(Slot::L);
        break;
    case ix:
        W(Slot::X) = (W(Slot::X) + 1) & M(Slot::X);
        break;
    case iy:
        W(Slot::Y) = (W(Slot::Y) + 1) & M(Slot::Y);
        break;
    case iz:
        W(Slot::Z) = (W(Slot::Z) + 1) & M(Slot::Z);
        break;
    case iu:
        W(Slot::U) = (W(Slot::U) + 1) & M(Slot::U);
        break;
    case iv:
        W(Slot::V) = (W(Slot::V) + 1) & M(Slot::V);
        break;
    case iak: {
        const std::uint32_t n = W(Slot::AK) >= maskaSlowa;
        W(Slot::AK) = n ? 0 : W(Slot::AK) + 1;
        W(Slot::N) = n, W(Slot::NP) = n, W(Slot::NM) = 0;
        break;
    }
    case dl:
        W(Slot::L) = (W(Slot::L) - 1) & M(Slot::L);
        break;
    case dx:
        W(Slot::X) = (W(Slot::X) - 1) & M(Slot::X);
        break;
    case dy:
        W(Slot::Y) = (W(Slot::Y) - 1) & M(Slot::Y);
        break;
    case dz:
        W(Slot::Z) = (W(Slot::Z) - 1) & M(Slot::Z);
        break;
    case du:
        W(Slot::U) = (W(Slot::U) - 1) & M(Slot::U);
        break;
    case dv:
        W(Slot::V) = (W(Slot::V) - 1) & M(Slot::V);
        break;
    case dak: {
        const std::uint32_t n = W(Slot::AK) == 0;
        W(Slot::AK) = n ? maskaSlowa : W(Slot::AK) - 1;
        W(Slot::N) = n, W(Slot::NP) = 0, W(Slot::NM) = n;
        break;
    }
    // latches
    case wel:
        Zatrzasnij<Sprawdzaj>(Slot::L, Slot::MagA,
                              "WEL - Próba odczytu z pustej magistrali adresowej A");
        break;
    case wex:
        Zatrzasnij<Sprawdzaj>(Slot::X, Slot::MagS,
                              "WEX - Próba odczytu z pustej magistrali słowowej S");
        break;
    case wey:
        Zatrzasnij<Sprawdzaj>(Slot::Y, Slot::MagS,
                              "WEY - Próba odczytu z pustej magistrali słowowej S");
        break;
    case wez:
        Zatrzasnij<Sprawdzaj>(Slot::Z, Slot::MagS,
                              "WEZ - Próba odczytu z pustej magistrali słowowej S");
        break;
    case weu:
        Zatrzasnij<Sprawdzaj>(Slot::U, Slot::MagA,
                              "WEU - Próba odczytu z pustej magistrali adresowej A");
        break;
    case wev:
        Zatrzasnij<Sprawdzaj>(Slot::V, Slot::MagA,
                              "WEV - Próba odczytu z pustej magistrali adresowej A");
        break;
    case wei:
        if (Sprawdzaj && !F(Slot::MagS)) {
            ZglosKomunikat("WEI - Próba odczytu z pustej magistrali słowowej S");
        } else {
            Wei();
        }
        break;
    case wea:
        Zatrzasnij<Sprawdzaj>(Slot::A, Slot::MagA,
                              "WEA - Próba odczytu z pustej magistrali adresowej A");
        break;
    case wes:
        Zatrzasnij<Sprawdzaj>(Slot::S, Slot::MagS,
                              "WES - Próba odczytu z pustej magistrali słowowej S");
        break;
    case werb:
        Zatrzasnij<Sprawdzaj>(Slot::RB_we, Slot::MagS,
                              "WERB - Próba odczytu z pustej magistrali słowowej S");
        break;
    case werm:
        if (Sprawdzaj && !F(Slot::MagA))
            ZglosKomunikat("WERM - Próba odczytu z pustej magistrali adresowej A");
        else
            W(Slot::RM) = W(Slot::MagA);
        break;
    case weak:
        if (Sprawdzaj && !F(Slot::JAL_out))
            ZglosKomunikat("WEAK - Próba odczytu z pustej JA-L");
        else
            W(Slot::AK) = W(Slot::JAL_out) & maskaSlowa;
        break;
    case stp:
        zatrzymana = true;
        break;
    }
}

// ---- run control ----

bool TMaszyna::WarunekSpelniony(TWarunek w) const {
    switch (w) {
    case TWarunek::Z:
        return (W(Slot::AK) >> (BitySlowa() - 1)) & 1u;
    case TWarunek::Zak:
        return W(Slot::AK) == 0;
    case TWarunek::Pak:
        return (W(Slot::AK) & 1u) == 0;
    case TWarunek::N:
        return W(Slot::N) == 1;
    case TWarunek::Np:
        return W(Slot::NP) == 1;
    case TWarunek::Nm:
        return W(Slot::NM) == 1;
    case TWarunek::Int:
        return W(Slot::RP) != 0;
    case TWarunek::Brak:
    case TWarunek::Nieznany:
        return false;
    }
    return false;
}

bool TMaszyna::WarunekSpelniony(std::string_view nazwa) const {
    return WarunekSpelniony(WarunekZNazwy(nazwa));
}

// The row that follows `w` by its targets and condition.
[[gnu::always_inline]] inline std::int32_t TMaszyna::Cel(const TWierszMikroprogramu& w) const {
    if (w.KodWarunku == TWarunek::Brak) return w.NumerCel0;
    return WarunekSpelniony(w.KodWarunku) ? w.NumerCel1 : w.NumerCel0;
}

std::int32_t TMaszyna::NastepnyWiersz(std::int32_t r) const {
    return Cel(pamiec.Wiersz(r));
}

// The tick of a set that BezKomunikatow() clears, in the phases of its TPrzygotowanie.
[[gnu::always_inline]] inline void TMaszyna::WykonajPrzygotowany(const TPrzygotowanie& p) {
    urzadzenieGotowe = false;
    if (p.czyt) W(Slot::S) = CzytajPaO(W(Slot::A));
    if (p.pisz) PiszWTakcie();
    if (p.krokiPrzed) WykonajKroki<false>(p.krokiPrzed);
    W(Slot::MagA) = W(p.zrodloA), F(Slot::MagA) = p.zrodloA != 0;
    W(Slot::MagS) = W(p.zrodloS), F(Slot::MagS) = p.zrodloS != 0;
    W(Slot::JAL_in) = W(Slot::MagS) & M(Slot::AK) & p.maskaWeja;
    F(Slot::JAL_in) = p.maskaWeja != 0;
    W(Slot::JAL_out) = 0, F(Slot::JAL_out) = false;
    // In place, not through WykonajKroki: the steps left here are few and the call costs.
    for (std::uint64_t m = p.krokiPo; m != 0; m &= m - 1)
        Wykonaj<false>(KolejnoscWykonania[static_cast<std::size_t>(std::countr_zero(m))]);
    // The counts are bytes, which any store may alias: read once, not after every store.
    const int krokiRejestrow = p.liczbaKrokowRejestrow, zatrzasniecia = p.liczbaZatrzasniec;
    for (int i = 0; i < krokiRejestrow; ++i) {
        const auto [slot, o] = p.krokiRejestrow[static_cast<std::size_t>(i)];
        W(slot) = (W(slot) + static_cast<std::uint32_t>(o)) & M(slot);
    }
    for (int i = 0; i < zatrzasniecia; ++i) {
        const auto [rejestr, zrodlo] = p.zatrzasniecia[static_cast<std::size_t>(i)];
        W(rejestr) = W(zrodlo) & M(rejestr);
    }
    if (p.wei) Wei();
}

// A tick of row `w`, the current row `r`, from its start on (the count and the listener are
// the caller's), without the history's and the breakpoints' parts. The row after it; the
// caller makes it current. Taking the row as a value keeps it in a register from one tick
// to the next: as a member it would be read back from memory after every store of a tick.
[[gnu::always_inline]] inline std::int32_t TMaszyna::WykonajWiersz(const TWierszMikroprogramu& w,
                                                                   std::int32_t r) {
    wierszTekstu = r;
    if (w.Zestaw.BezKomunikatow()) {
        WykonajPrzygotowany(w.Zestaw.Przygotowanie());
    } else {
        WyczyscMagistraleTaktu();
        WykonajKroki<true>(w.Zestaw.kroki);
    }
    return r == -1 ? static_cast<std::int32_t>(W(Slot::KOD)) : Cel(w);
}

TWynikTaktu TMaszyna::Takt() {
    const TWierszMikroprogramu& w = pamiec.Wiersz(biezacyWiersz);
    if (historia) historia->PrzedTaktem(*this);
    PoczatekTaktu();
    biezacyWiersz = WykonajWiersz(w, biezacyWiersz);
    if (!punkty.Puste()) SprawdzPunktyZatrzymania();
    if (historia) historia->PoTakcie(*this, false);
    return biezacyWiersz == -1 ? TWynikTaktu::KoniecRozkazu : TWynikTaktu::Takt;
}

// Takt's loop with what cannot change between its ticks decided once: whether there is a
// history and whether there are breakpoints (both change only between ticks).
// At the start of a cache line: its speed then does not depend on where the linker puts it.
template <bool ZHistoria, bool ZPunktami>
[[gnu::aligned(64)]] TWynikSerii TMaszyna::TaktySerii(std::uint64_t maks, bool jedenRozkaz) {
    // Nothing changes the table while ticks run, so its place and size are read once: a
    // row is then one comparison and one address away.
    const TWierszMikroprogramu* const wiersze = pamiec.Wiersze().data();
    const std::size_t liczbaWierszy = pamiec.Wiersze().size();
    const TWierszMikroprogramu& pusty = pamiec.Pusty();
    std::uint64_t n = 0, rozkazy = 0;
    bool koniec = false;
    std::int32_t r = biezacyWiersz;
    // With the history, the ticks go in parts that end where a state is due, so a tick
    // does not count down to it: `doPunktu` as the history keeps it between ticks.
    int doPunktu = 0;
    if constexpr (ZHistoria) doPunktu = historia->PoczatekSerii(*this);
    while (n < maks) {
        std::uint64_t koniecPartii = maks;
        if constexpr (ZHistoria) {
            // The next tick is the one a state comes before; this part is its ticks.
            if (doPunktu <= 1) doPunktu = historia->PunktSerii(*this) + 1;
            koniecPartii = n + std::min<std::uint64_t>(maks - n, doPunktu - 1);
        }
        const std::uint64_t poczatekPartii = n;
        bool stop = false;
        while (n < koniecPartii) {
            const auto i = static_cast<std::size_t>(static_cast<std::int64_t>(r) + 1);
            const TWierszMikroprogramu& w = i < liczbaWierszy ? wiersze[i] : pusty;
            ++numerTaktu;
            r = WykonajWiersz(w, r);
            biezacyWiersz = r;
            if constexpr (ZPunktami) SprawdzPunktyZatrzymania();
            ++n;
            koniec = r == -1;
            rozkazy += koniec;
            if (zatrzymana || stan.ZadanieStopu || (koniec && jedenRozkaz)) {
                stop = true;
                break;
            }
        }
        doPunktu -= static_cast<int>(n - poczatekPartii);
        if (stop) break;
    }
    if constexpr (ZHistoria) historia->KoniecSerii(doPunktu);
    return {n, rozkazy, koniec};
}

TWynikSerii TMaszyna::Takty(std::uint64_t maks, bool jedenRozkaz) {
    // A listener told of every tick's start hears it from Takt, tick by tick.
    if (sluchacz && poczatkiTaktow) {
        TWynikSerii r;
        while (r.Takty < maks) {
            r.KoniecRozkazu = Takt() == TWynikTaktu::KoniecRozkazu;
            ++r.Takty;
            r.Rozkazy += r.KoniecRozkazu;
            if (zatrzymana || stan.ZadanieStopu || (r.KoniecRozkazu && jedenRozkaz)) break;
        }
        return r;
    }
    const bool zPunktami = !punkty.Puste();
    if (historia)
        return zPunktami ? TaktySerii<true, true>(maks, jedenRozkaz)
                         : TaktySerii<true, false>(maks, jedenRozkaz);
    return zPunktami ? TaktySerii<false, true>(maks, jedenRozkaz)
                     : TaktySerii<false, false>(maks, jedenRozkaz);
}

TWynikTaktu TMaszyna::TaktReczny() {
    return TaktRecznyZTekstem(TekstWybranych());
}

TWynikTaktu TMaszyna::TaktRecznyZTekstem(std::string tekst) {
    const TZestawSygnalow zestaw = DekodujMikrorozkaz(tekst);
    if (historia) historia->PrzedTaktem(*this);
    WyczyscMagistrale();
    wierszTekstu = TekstWlasny;
    biezacyTekst = std::move(tekst);
    WykonajZestaw(zestaw);
    SprawdzPunktyZatrzymania();
    if (historia) historia->PoTakcie(*this, true);
    return TWynikTaktu::Takt;
}
