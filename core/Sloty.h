#pragma once
// Slot numbers, fixed: the machine, the schematic, the architecture record and the
// breakpoints use them, and the prepared signal sets name their registers by them.

namespace Slot {
inline constexpr int L = 1, X = 2, Y = 3, Z = 4, RB_we = 5, RB_wy = 6, G = 7, RZ = 8, RM = 9,
                     RP = 10, AP = 11, A = 12, S = 13, KOD = 14, AD = 15, MagA = 16, MagS = 17,
                     AK = 18, JAL_in = 19, JAL_out = 20, N = 21, NP = 22, NM = 23, Znak = 24,
                     INT = 25, PAK = 26, ZAK = 27, U = 28, V = 29;
}
