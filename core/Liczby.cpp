#include "Liczby.h"

#include <cstdio>

std::string Dwojkowo(std::int64_t wartosc, int minCyfr) {
    if (minCyfr > 64) minCyfr = 64;
    std::string t;
    for (int bit = 0; bit < 64; ++bit) {
        const std::int64_t p = std::int64_t{1} << bit;
        if (!(bit < 63 && p <= wartosc) && static_cast<int>(t.size()) >= minCyfr) break;
        t.insert(t.begin(), (wartosc & p) == p ? '1' : '0');
    }
    return t;
}

namespace {

int CyfryHex(int szerokosc) {
    if (szerokosc >= 1 && szerokosc <= 28) return (szerokosc + 3) / 4;
    return 8;
}

std::string Formatuj(std::int32_t wartosc, int podstawa, int szerokosc, const char* prefiks) {
    switch (podstawa) {
    case 2:
        return Dwojkowo(wartosc, szerokosc);
    case 10:
        return std::to_string(wartosc);
    case 16: {
        char bufor[16];
        std::snprintf(bufor, sizeof bufor, "%0*X", CyfryHex(szerokosc),
                      static_cast<std::uint32_t>(wartosc));
        return std::string(prefiks) + bufor;
    }
    default:
        return "?";
    }
}

} // namespace

std::string FormatujLiczbe(std::int32_t wartosc, int podstawa, int szerokosc) {
    return Formatuj(wartosc, podstawa, szerokosc, "$");
}

std::string FormatujLiczbe0x(std::int32_t wartosc, int podstawa, int szerokosc) {
    return Formatuj(wartosc, podstawa, szerokosc, "0x");
}
