#pragma once
// The assembler: program text to PaO words in seven steps. Steps 1-4 are text passes,
// each reading the line list of the step before; steps 5-7 load the result.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Linie.h"

class TListaRozkazow;
class TMaszyna;
class TDziennik;
struct TArchitektura;

// The bytes one assembly may hold (its line lists, messages, labels and the cells it
// loads); a program that needs more is refused with a message before it gets them.
inline constexpr std::size_t MaksPamieciAsemblacji = std::size_t{1} << 30;

// Everything one assembly leaves for the compile-result window.
struct TWynikAsemblacji {
    TLinie Zrodlo;        // as written
    TLinie Czyste;        // step 1
    TLinie Rozmieszczone; // step 2
    TLinie Rozwiazane;    // step 3
    TLinie Slowa;         // step 4, one line per word: address, code, argument, kind
    std::vector<std::pair<std::string, std::string>> Etykiety; // (name, address in decimal)
    std::vector<std::string> Komunikaty;

    // Continuation words of missing arguments (always 0) that step 3 filled in. Past
    // MaksUzupelnien they are not written out: such a word reads 0 from an empty cell
    // all the same, and an argument count from a file may run to billions.
    std::int64_t Uzupelnione = 0;
    // Highest address of a word step 4 did not write for that reason, -1 when none;
    // step 5 still reports it when it lies beyond the memory.
    std::int64_t NajwyzszyPominiety = -1;

    // The limit of the next assembly, and what the current one has taken.
    std::size_t MaksPamieci = MaksPamieciAsemblacji;
    TBudzet Budzet;
};

inline constexpr std::int64_t MaksUzupelnien = std::int64_t{1} << 16;

// Decimal with an optional sign, or hexadecimal after "$", "x" or "0x" (up to 32 bits,
// read as signed). 2147483647 is the conversion's mark for "not a number", so it is one.
bool CzytajLiczbe(std::string_view tekst, std::int32_t& wartosc);

void OczyscTekst(TWynikAsemblacji& w);
void RozmiescEtykiety(TWynikAsemblacji& w, const TListaRozkazow& lista);
void RozwiazArgumenty(TWynikAsemblacji& w, const TListaRozkazow& lista);
void KodujSlowa(TWynikAsemblacji& w, const TListaRozkazow& lista);
void ZaladujPamiec(TWynikAsemblacji& w, TMaszyna& maszyna);
void UstawWektoryPrzerwan(const TWynikAsemblacji& w, TArchitektura& arch);
void PokazEtykiety(const TWynikAsemblacji& w, TDziennik& dziennik);

// All seven steps. Never stops at an error; an assembly without messages succeeded.
// Does not reset the machine: the compile command does that afterwards.
void KompilujProgram(const std::vector<std::string>& zrodlo, const TListaRozkazow& lista,
                     TMaszyna& maszyna, TArchitektura& arch, TDziennik& dziennik,
                     TWynikAsemblacji& wynik);
