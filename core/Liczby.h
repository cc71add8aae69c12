#pragma once
// Number texts shared by every view.

#include <cstdint>
#include <string>

std::string Dwojkowo(std::int64_t wartosc, int minCyfr);
// Base 2, 10 or 16 ("$" prefix); any other base gives "?".
std::string FormatujLiczbe(std::int32_t wartosc, int podstawa, int szerokosc);
// The same with the "0x" prefix for base 16.
std::string FormatujLiczbe0x(std::int32_t wartosc, int podstawa, int szerokosc);
