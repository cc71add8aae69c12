#pragma once
// Which parts of the machine exist, the manual choices and the display bases.

#include <array>
#include <cstdint>
#include <string>

#include "Sygnaly.h"

inline constexpr int LiczbaSlotow = 29;
inline constexpr int LiczbaElementow = 14;

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
};

struct TRejestrArchitektury {
    std::int32_t Podstawa = 0; // display base: 2, 10 or 16
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
    bool Element(TKomponent k) const { return Element(static_cast<int>(k)); }
};

// "stp" always exists; each component flag is set when one of its signals exists.
void WyprowadzElementy(TArchitektura& a);
