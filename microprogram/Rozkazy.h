#pragma once
// The instruction list: 256 slots numbered from 1 with a count.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct TRozkaz {
    std::string Nazwa;
    std::string Opis;
    std::uint16_t Kod = 0;
    std::int32_t LiczbaArgumentow = 0;
    std::vector<std::string> Mikroprogram;
    std::vector<std::string> Mikrorozkazy; // rebuilt by every compilation
};

class TListaRozkazow {
  public:
    static constexpr int MaksRozkazow = 256;

    int Count() const { return count; }
    // Record i, 1 <= i <= Count().
    TRozkaz& operator[](int i) { return rozkazy[static_cast<std::size_t>(i - 1)]; }
    const TRozkaz& operator[](int i) const { return rozkazy[static_cast<std::size_t>(i - 1)]; }

    void UstawStandardowe();
    void UsunWszystkie();
    // Appends "nop<c>" with the first free code up to `maksKod`; the new index, or 0
    // when every code is taken or the table is full.
    int DodajRozkaz(std::uint32_t maksKod);
    // The last record moves into slot i.
    void UsunRozkaz(int i);
    std::string NazwaUnikalna(std::string_view baza) const;
    // Index of the last record with this name, 0 when none.
    int ZnajdzNazwe(std::string_view nazwa) const;
    // Index of the first record with this code, 0 when none.
    int ZnajdzKod(std::int64_t kod) const;
    // Replaces the whole list; at most 256 records are taken.
    void Zastap(std::vector<TRozkaz> nowe);

  private:
    std::array<TRozkaz, MaksRozkazow> rozkazy;
    int count = 0;
};
