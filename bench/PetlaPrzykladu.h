#pragma once
// The counting loop of the worked example as PaO words, for the benchmarks of "Program":
// pob 21; ład 20; petla: pob 20; dod 22; ład 20; sob petla; stop; at 20 the count, 21
// zero, 22 one. It never halts.

#include <array>

#include "TSymulator.h"

// Address, code, argument.
inline constexpr std::array<std::array<int, 3>, 10> SlowaPetli = {{{0, 4, 21},
                                                                   {1, 3, 20},
                                                                   {2, 4, 20},
                                                                   {3, 1, 22},
                                                                   {4, 3, 20},
                                                                   {5, 5, 2},
                                                                   {6, 0, 0},
                                                                   {20, 0, 0},
                                                                   {21, 0, 0},
                                                                   {22, 0, 1}}};

inline void Petla(TSymulator& s) {
    for (const auto& k : SlowaPetli)
        s.Maszyna.WstawKomorke(k[0], k[1], k[2], "110");
    s.Maszyna.Reset();
}
