#pragma once
// The 61 control signals: one row each with number, name, component, place in the fixed
// execution order and what it needs; and a microinstruction decoded into a set of them.

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

inline constexpr int LiczbaSygnalow = 61;

// Signal numbers; 0 is "no signal".
enum class TSygnal : std::uint8_t {
    brak,
    wel,
    wyl,
    il,
    dl,
    wyls,
    wex,
    wyx,
    ix,
    dx,
    wey,
    wyy,
    iy,
    dy,
    wez,
    wyz,
    iz,
    dz,
    wei,
    wyad,
    czyt,
    pisz,
    wea,
    wes,
    wys,
    werb,
    wyrb,
    weja,
    weak,
    wyak,
    iak,
    dak,
    dod,
    ode,
    przep,
    shl,
    shr,
    and_,
    or_,
    not_,
    xor_,
    mnoz,
    dziel,
    wyg,
    start,
    werm,
    wyrm,
    wyap,
    eni,
    rint,
    assa,
    as,
    sa,
    weu,
    wyu,
    iu,
    du,
    wev,
    wyv,
    iv,
    dv,
    stp
};

// The component (`TArchitektura::Elementy` index) a signal makes present.
enum class TKomponent : std::int8_t {
    Brak = -1, // "start" and "stp" belong to no component
    L,
    X,
    Y,
    Z,
    RB_we,
    RB_wy,
    G,
    Przerwania,
    PaO,
    I,
    Jal,
    U,
    V,
    Polaczenie
};

// What a signal needs to act without a message in a tick that starts from empty buses.
enum class TWymaganie : std::uint8_t {
    Nic,
    JedynyNaA,   // drives bus A: no other driver of A in the tick
    JedynyNaS,   // drives bus S: no other driver of S
    NadawcaA,    // reads bus A: a driver of A
    NadawcaS,    // reads bus S: a driver of S
    Weja,        // a JAL operation: "weja" gives it its input
    OperacjaJal, // "weak": a JAL operation gives it its value
    Sprawdzenie  // a bus link: always checked
};

struct TOpisSygnalu {
    TSygnal Numer;
    std::string_view Nazwa;
    TKomponent Komponent;
    // Positions in the order in which the signals of one tick act; -1 for none. Only
    // "eni" acts twice.
    std::int8_t Krok, DrugiKrok;
    TWymaganie Wymaga;
};

// One row per signal, in number order; row 0 is "no signal". Adding a signal is one row.
// Columns: number, name, component, step in the order (and the second step), what it needs.
inline constexpr std::array<TOpisSygnalu, LiczbaSygnalow + 1> TablicaSygnalow = [] {
    using enum TSygnal;
    using enum TKomponent;
    using enum TWymaganie;
    return std::array<TOpisSygnalu, LiczbaSygnalow + 1>{{
        {brak, "", Brak, -1, -1, Nic},
        {wel, "wel", L, 49, -1, NadawcaA},
        {wyl, "wyl", L, 12, -1, JedynyNaA},
        {il, "il", L, 35, -1, Nic},
        {dl, "dl", L, 42, -1, Nic},
        {wyls, "wyls", L, 13, -1, JedynyNaS},
        {wex, "wex", X, 50, -1, NadawcaS},
        {wyx, "wyx", X, 5, -1, JedynyNaS},
        {ix, "ix", X, 36, -1, Nic},
        {dx, "dx", X, 43, -1, Nic},
        {wey, "wey", Y, 51, -1, NadawcaS},
        {wyy, "wyy", Y, 6, -1, JedynyNaS},
        {iy, "iy", Y, 37, -1, Nic},
        {dy, "dy", Y, 44, -1, Nic},
        {wez, "wez", Z, 52, -1, NadawcaS},
        {wyz, "wyz", Z, 7, -1, JedynyNaS},
        {iz, "iz", Z, 38, -1, Nic},
        {dz, "dz", Z, 45, -1, Nic},
        {wei, "wei", I, 55, -1, NadawcaS},
        {wyad, "wyad", I, 3, -1, JedynyNaA},
        {czyt, "czyt", PaO, 0, -1, Nic},
        {pisz, "pisz", PaO, 1, -1, Nic},
        {wea, "wea", PaO, 56, -1, NadawcaA},
        {wes, "wes", PaO, 57, -1, NadawcaS},
        {wys, "wys", PaO, 4, -1, JedynyNaS},
        {werb, "werb", RB_we, 58, -1, NadawcaS},
        {wyrb, "wyrb", RB_wy, 10, -1, JedynyNaS},
        {weja, "weja", Jal, 21, -1, NadawcaS},
        {weak, "weak", Jal, 60, -1, OperacjaJal},
        {wyak, "wyak", Jal, 16, -1, JedynyNaS},
        {iak, "iak", Jal, 41, -1, Nic},
        {dak, "dak", Jal, 48, -1, Nic},
        {dod, "dod", Jal, 22, -1, Weja},
        {ode, "ode", Jal, 23, -1, Weja},
        {przep, "przep", Jal, 24, -1, Weja},
        {shl, "shl", Jal, 27, -1, Weja},
        {shr, "shr", Jal, 28, -1, Weja},
        {and_, "and", Jal, 29, -1, Weja},
        {or_, "or", Jal, 30, -1, Weja},
        {not_, "not", Jal, 31, -1, Weja},
        {xor_, "xor", Jal, 32, -1, Weja},
        {mnoz, "mnoz", Jal, 25, -1, Weja},
        {dziel, "dziel", Jal, 26, -1, Weja},
        {wyg, "wyg", G, 11, -1, JedynyNaS},
        {start, "start", Brak, 20, -1, Nic},
        {werm, "werm", Przerwania, 59, -1, NadawcaA},
        {wyrm, "wyrm", Przerwania, 14, -1, JedynyNaA},
        {wyap, "wyap", Przerwania, 15, -1, JedynyNaA},
        {eni, "eni", Przerwania, 2, 34, Nic},
        {rint, "rint", Przerwania, 33, -1, Nic},
        {assa, "assa", Polaczenie, 17, -1, Sprawdzenie},
        {as, "as", Polaczenie, 18, -1, Sprawdzenie},
        {sa, "sa", Polaczenie, 19, -1, Sprawdzenie},
        {weu, "weu", U, 53, -1, NadawcaA},
        {wyu, "wyu", U, 8, -1, JedynyNaA},
        {iu, "iu", U, 39, -1, Nic},
        {du, "du", U, 46, -1, Nic},
        {wev, "wev", V, 54, -1, NadawcaA},
        {wyv, "wyv", V, 9, -1, JedynyNaA},
        {iv, "iv", V, 40, -1, Nic},
        {dv, "dv", V, 47, -1, Nic},
        {stp, "stp", Brak, 61, -1, Nic},
    }};
}();

// The steps of one tick: "eni" takes two of them.
inline constexpr int LiczbaKrokow = LiczbaSygnalow + 1;

// Built from the table once, at compile time.
inline constexpr std::array<std::string_view, LiczbaSygnalow + 1> NazwySygnalow = [] {
    std::array<std::string_view, LiczbaSygnalow + 1> n{};
    for (const TOpisSygnalu& s : TablicaSygnalow)
        n[static_cast<std::size_t>(s.Numer)] = s.Nazwa;
    return n;
}();

// The order in which the signals of one tick act; the step after the last is "no signal".
inline constexpr std::array<TSygnal, LiczbaKrokow + 1> KolejnoscWykonania = [] {
    std::array<TSygnal, LiczbaKrokow + 1> k{};
    for (const TOpisSygnalu& s : TablicaSygnalow)
        for (std::int8_t krok : {s.Krok, s.DrugiKrok})
            if (krok >= 0) k[static_cast<std::size_t>(krok)] = s.Numer;
    return k;
}();

namespace szczegoly {
constexpr bool TablicaSygnalowSpojna() {
    std::array<int, LiczbaKrokow> uzyte{};
    for (std::size_t n = 0; n < TablicaSygnalow.size(); ++n) {
        const TOpisSygnalu& s = TablicaSygnalow[n];
        if (static_cast<std::size_t>(s.Numer) != n) return false;
        if ((n == 0) != (s.Krok < 0) || s.Krok >= LiczbaKrokow || s.DrugiKrok >= LiczbaKrokow)
            return false;
        for (std::int8_t krok : {s.Krok, s.DrugiKrok})
            if (krok >= 0) ++uzyte[static_cast<std::size_t>(krok)];
    }
    for (int u : uzyte)
        if (u != 1) return false;
    return true;
}
} // namespace szczegoly
// Rows in number order, and every step of the order taken by exactly one signal.
static_assert(szczegoly::TablicaSygnalowSpojna());

// A set that BezKomunikatow() clears, worked out once for a tick that starts from empty
// buses. Each bus has one driver at most and every reader comes after what it reads, so
// the tick runs in phases with no checks and no dispatch for the common signals:
//   "czyt"; "pisz"; the other step before the drivers (the first of "eni");
//   the drivers, one copy per bus (slot 0 always holds 0, so "no driver" copies 0);
//   "weja";
//   the remaining steps in the order (device, JAL operations, interrupts, "iak", "dak",
//   "werm", "stp");
//   the increments and decrements of L, X, Y, Z, U and V;
//   the latches that copy a bus, or JAL's result, into a register under its mask; "wei".
// No phase touches what an earlier phase's steps that come later in the order read or
// write, so the phases give exactly what the order gives.
struct TPrzygotowanie {
    struct TKrokRejestru {
        std::uint8_t slot;
        std::int8_t o; // +1 or -1
        bool operator==(const TKrokRejestru&) const = default;
    };
    struct TZatrzasniecie {
        std::uint8_t rejestr, zrodlo;
        bool operator==(const TZatrzasniecie&) const = default;
    };
    bool czyt = false, pisz = false, wei = false;
    std::uint8_t zrodloA = 0, zrodloS = 0; // the slot driving each bus; 0 for none
    std::uint32_t maskaWeja = 0;           // all ones with "weja"
    std::uint64_t krokiPrzed = 0, krokiPo = 0;
    std::uint8_t liczbaKrokowRejestrow = 0, liczbaZatrzasniec = 0;
    std::array<TKrokRejestru, 12> krokiRejestrow{};
    std::array<TZatrzasniecie, 10> zatrzasniecia{};
    bool operator==(const TPrzygotowanie&) const = default;
};

// A decoded microinstruction: one bit per step of KolejnoscWykonania. Decoding is done
// once; executing walks the set bits in order with no text work.
struct TZestawSygnalow {
    std::uint64_t kroki = 0;
    // Kept with every Dodaj, so a tick only reads them.
    bool bezKomunikatow = true;
    TPrzygotowanie przygotowanie;
    std::array<bool, LiczbaSygnalow + 1> Zawiera() const;
    bool Pusty() const { return kroki == 0; }
    // True when no signal of the set can report a message in a tick that starts from
    // empty buses: each bus is driven at most once, everything read from a bus or JAL was
    // written earlier in the same tick, and no bus link is used.
    bool BezKomunikatow() const { return bezKomunikatow; }
    // The phases of such a tick; meaningful only when BezKomunikatow().
    const TPrzygotowanie& Przygotowanie() const { return przygotowanie; }
    void Dodaj(int numer);
    bool operator==(const TZestawSygnalow&) const = default;
};

int NumerSygnalu(std::string_view slowo);
std::string NazwaSygnalu(int numer);
std::vector<std::string_view> SlowaMikrorozkazu(std::string_view tekst);
TZestawSygnalow DekodujMikrorozkaz(std::string_view tekst);
// True when `nazwa` stands as a whole word in `tekst` (blank-separated).
bool SlowoWTekscie(std::string_view tekst, std::string_view nazwa);
