#pragma once
// Main memory: a sparse table of cells in the order they were first written.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

struct TKomorka {
    std::int64_t Adres = 0;
    std::int32_t Kod = 0;
    std::int32_t Argument = 0;
    std::string Rodzaj = "000"; // "110", "111", "010" or "000"
};

class TPaO {
  public:
    // The cell at `adres`, or nullptr.
    const TKomorka* Znajdz(std::int64_t adres) const {
        const std::int32_t i = Indeks(adres);
        return i < 0 ? nullptr : &komorki[static_cast<std::size_t>(i)];
    }
    // Word = code * 2^bityAdresu + argument, as the 32 bits a register holds.
    std::uint32_t Czytaj(std::int64_t adres, int bityAdresu) const {
        const TKomorka* k = Znajdz(adres);
        if (!k) return 0;
        return static_cast<std::uint32_t>(
            (static_cast<std::uint64_t>(static_cast<std::int64_t>(k->Kod)) << bityAdresu) +
            static_cast<std::uint64_t>(static_cast<std::int64_t>(k->Argument)));
    }
    // Splits the word into code and argument; a new cell gets the kind "000".
    void Pisz(std::int64_t adres, std::uint32_t slowo, int bityAdresu);
    // The loader's store: replaces code, argument and kind.
    void Wstaw(std::int64_t adres, std::int32_t kod, std::int32_t argument, std::string rodzaj);
    void Wyczysc();
    // Takes back the newest cell, which must be at `adres`, as if never written.
    void UsunOstatnia(std::int64_t adres);

    const std::vector<TKomorka>& Komorki() const { return komorki; }
    std::size_t Rozmiar() const { return komorki.size(); }

  private:
    // Addresses a register can hold (0..2^24-1) go through a two-level page table, so
    // "czyt" and "pisz" cost two array reads; any other address through a hash map.
    static constexpr int BityStrony = 12;
    static constexpr std::int64_t ZakresStron = std::int64_t{1} << 24;
    using TStrona = std::array<std::int32_t, std::size_t{1} << BityStrony>;

    std::int32_t Indeks(std::int64_t adres) const {
        if (adres >= 0 && adres < ZakresStron) {
            const auto s = static_cast<std::size_t>(adres >> BityStrony);
            if (s >= strony.size() || !strony[s]) return -1;
            return (*strony[s])[static_cast<std::size_t>(adres) & ((std::size_t{1} << BityStrony) - 1)];
        }
        auto it = inne.find(adres);
        return it == inne.end() ? -1 : it->second;
    }
    TKomorka& Komorka(std::int64_t adres);

    std::vector<TKomorka> komorki;
    std::vector<std::unique_ptr<TStrona>> strony;
    std::unordered_map<std::int64_t, std::int32_t> inne;
};
