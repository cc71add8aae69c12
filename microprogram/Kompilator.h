#pragma once
// The microprogram compiler: the instruction list into the microprogram memory.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Architektura.h"
#include "PamiecMikroprogramu.h"
#include "Rozkazy.h"

// Rows 0 .. 8191 besides the fetch row.
inline constexpr std::int32_t MaksWierszyMikroprogramu = 8192;

// The three texts of the developer's trace window, as line lists.
struct TSladKompilacji {
    std::vector<std::string> Memo1; // Mikrorozkazy of the instruction compiled last
    std::vector<std::string> Memo2; // pass 1: "=name=", then ">microinstruction<" lines
    std::vector<std::string> Memo3; // one "|label|signals|if-clause|terminator|" line per row
};

// Rebuilds the whole table from the list. Messages are appended to `komunikaty`; the
// caller clears it when it wants a fresh one. `maksKod` is the largest instruction code.
void KompilujMikroprogram(TListaRozkazow& lista, const TArchitektura& arch, std::uint32_t maksKod,
                          TPamiecMikroprogramu& pamiec, std::vector<std::string>& komunikaty,
                          TSladKompilacji* slad = nullptr);

// The steps, usable one by one.
std::string NormalizujTekst(std::string_view tekst);
void PodzielNaMikrorozkazy(TRozkaz& rozkaz, TSladKompilacji* slad = nullptr);
void KompilujMikrorozkaz(std::string_view nazwa, std::string_view mikrorozkaz,
                         TWierszMikroprogramu& wiersz, const TArchitektura& arch,
                         std::vector<std::string>& komunikaty, TSladKompilacji* slad = nullptr);
void KompilujWarunek(std::string_view klauzula, TWierszMikroprogramu& wiersz,
                     std::vector<std::string>& komunikaty);
bool CzyDozwolony(std::string_view slowo, const TArchitektura& arch);
void ZglosBlad(std::vector<std::string>& komunikaty, std::string_view nazwa,
               std::string_view tekst);
