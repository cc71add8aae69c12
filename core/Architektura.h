#pragma once
// Which parts of the machine exist, the manual choices and the display bases.

#include <array>
#include <cstdint>
#include <string>

#include "Sygnaly.h"

inline constexpr int LiczbaSlotow = 29;
inline constexpr int LiczbaElementow = 14;

struct TObszar {
    std::int32_t Lewo = 0, Gora = 0, Prawo = 0, Dol = 0;
    bool Zawiera(int x, int y) const { return x >= Lewo && x < Prawo && y >= Gora && y < Dol; }
    // The edges excluded as well: what the boxes and labels answer to.
    bool ZawieraScisle(int x, int y) const { return Lewo < x && x < Prawo && Gora < y && y < Dol; }
    bool Pusty() const { return Prawo <= Lewo || Dol <= Gora; }
    bool operator==(const TObszar&) const = default;
};

// The components, as numbered in `Elementy` and in the machine file.
enum class TElement : std::uint8_t {
    L,
    X,
    Y,
    Z,
    RB_we, // output buffer side
    RB_wy, // input buffer side
    G,
    Przerwania,
    PaO,
    I,   // instruction register
    Jal, // with AK
    U,
    V,
    Polaczenie, // the link between buses A and S
};

struct TPrzerwanie {
    std::string Etykieta;
    std::int32_t Adres = 0;
};

struct TUrzadzenie {
    std::int32_t Adres = 0;
};

struct TSygnalArchitektury {
    bool Jest = false;
    bool Wybrany = false; // chosen for the next manual tick
    TObszar Obszar;
};

struct TRejestrArchitektury {
    TObszar Obszar;
    std::int32_t Podstawa = 0; // display base: 2, 10 or 16
    std::int32_t RodzajMenu = 0;
};

struct TArchitektura {
    std::array<bool, LiczbaElementow> Elementy{};
    std::array<TPrzerwanie, 9> Przerwania;                       // 1..8
    std::array<TUrzadzenie, 3> Urzadzenia;                       // 1 input, 2 output
    std::array<TSygnalArchitektury, LiczbaSygnalow + 1> Sygnaly; // 1..61
    std::array<TRejestrArchitektury, LiczbaSlotow + 1> Rejestry; // 1..29

    TArchitektura();

    bool Jest(int sygnal) const {
        return sygnal >= 1 && sygnal <= LiczbaSygnalow &&
               Sygnaly[static_cast<std::size_t>(sygnal)].Jest;
    }
    bool Element(int e) const {
        return e >= 0 && e < LiczbaElementow && Elementy[static_cast<std::size_t>(e)];
    }
    bool Element(TElement e) const { return Elementy[static_cast<std::size_t>(e)]; }
};

// "stp" always exists; each component flag is set when one of its signals exists.
void WyprowadzElementy(TArchitektura& a);
