#pragma once
// The 61 control signals: names, numbers, components and the fixed execution order.

#include <array>
#include <cstdint>
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

inline constexpr std::array<std::string_view, LiczbaSygnalow + 1> NazwySygnalow = {
    "",      "wel",   "wyl",  "il",   "dl",   "wyls", "wex",  "wyx",  "ix",   "dx",    "wey",
    "wyy",   "iy",    "dy",   "wez",  "wyz",  "iz",   "dz",   "wei",  "wyad", "czyt",  "pisz",
    "wea",   "wes",   "wys",  "werb", "wyrb", "weja", "weak", "wyak", "iak",  "dak",   "dod",
    "ode",   "przep", "shl",  "shr",  "and",  "or",   "not",  "xor",  "mnoz", "dziel", "wyg",
    "start", "werm",  "wyrm", "wyap", "eni",  "rint", "assa", "as",   "sa",   "weu",   "wyu",
    "iu",    "du",    "wev",  "wyv",  "iv",   "dv",   "stp"};

// Component flag (`Elementy` index) each signal makes present; -1 for "start" and "stp".
inline constexpr std::array<std::int8_t, LiczbaSygnalow + 1> KomponentSygnalu = {
    -1, 0, 0,  0, 0, 0, 1,  1,  1,  1,  2,  2,  2,  2,  3,  3,  3,  3,  9,  9,  8,
    8,  8, 8,  8, 4, 5, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10,
    10, 6, -1, 7, 7, 7, 7,  7,  13, 13, 13, 11, 11, 11, 11, 12, 12, 12, 12, -1};

// The order in which the signals of one tick act; "eni" acts twice.
inline constexpr std::array<TSygnal, 63> KolejnoscWykonania = {
    TSygnal::czyt,  TSygnal::pisz, TSygnal::eni,   TSygnal::wyad, TSygnal::wys,  TSygnal::wyx,
    TSygnal::wyy,   TSygnal::wyz,  TSygnal::wyu,   TSygnal::wyv,  TSygnal::wyrb, TSygnal::wyg,
    TSygnal::wyl,   TSygnal::wyls, TSygnal::wyrm,  TSygnal::wyap, TSygnal::wyak, TSygnal::assa,
    TSygnal::as,    TSygnal::sa,   TSygnal::start, TSygnal::weja, TSygnal::dod,  TSygnal::ode,
    TSygnal::przep, TSygnal::mnoz, TSygnal::dziel, TSygnal::shl,  TSygnal::shr,  TSygnal::and_,
    TSygnal::or_,   TSygnal::not_, TSygnal::xor_,  TSygnal::rint, TSygnal::eni,  TSygnal::il,
    TSygnal::ix,    TSygnal::iy,   TSygnal::iz,    TSygnal::iu,   TSygnal::iv,   TSygnal::iak,
    TSygnal::dl,    TSygnal::dx,   TSygnal::dy,    TSygnal::dz,   TSygnal::du,   TSygnal::dv,
    TSygnal::dak,   TSygnal::wel,  TSygnal::wex,   TSygnal::wey,  TSygnal::wez,  TSygnal::weu,
    TSygnal::wev,   TSygnal::wei,  TSygnal::wea,   TSygnal::wes,  TSygnal::werb, TSygnal::werm,
    TSygnal::weak,  TSygnal::stp,  TSygnal::brak};

// A decoded microinstruction: one bit per step of KolejnoscWykonania. Decoding is done
// once; executing walks the set bits in order with no text work.
struct TZestawSygnalow {
    std::uint64_t kroki = 0;
    // Kept with every Dodaj, so a tick only reads it.
    bool bezKomunikatow = true;
    std::array<bool, LiczbaSygnalow + 1> Zawiera() const;
    bool Pusty() const { return kroki == 0; }
    // True when no signal of the set can report a message in a tick that starts from
    // empty buses: each bus is driven at most once, everything read from a bus or JAL was
    // written earlier in the same tick, and no bus link is used.
    bool BezKomunikatow() const { return bezKomunikatow; }
    void Dodaj(int numer);
    bool operator==(const TZestawSygnalow&) const = default;
};

int NumerSygnalu(std::string_view slowo);
std::string NazwaSygnalu(int numer);
std::vector<std::string_view> SlowaMikrorozkazu(std::string_view tekst);
TZestawSygnalow DekodujMikrorozkaz(std::string_view tekst);
// True when `nazwa` stands as a whole word in `tekst` (blank-separated).
bool SlowoWTekscie(std::string_view tekst, std::string_view nazwa);
