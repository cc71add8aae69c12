#pragma once
// The two texts the program memory list shows for one PaO cell.

#include <cstdint>
#include <string>

class TPaO;
class TListaRozkazow;

// Code, a blank and argument ("5 7"); "<???>" when there is no cell.
std::string TekstKomorki(const TPaO& pao, std::int64_t adres);
// The instruction the cell decodes to ("dod 20", "... 7 ..."); "<unknown>" when there is
// no cell or no instruction has its code.
std::string OpisKomorki(const TPaO& pao, const TListaRozkazow& lista, std::int64_t adres);
