#pragma once
// Main memory: a sparse table of cells in the order they were first written.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The kind of a cell, "110", "111", "010" or "000", in four bytes.
class TRodzajKomorki {
  public:
    TRodzajKomorki(std::string_view t = "000") {
        for (std::size_t i = 0; i < 3; ++i)
            znaki[i] = i < t.size() ? t[i] : '\0';
    }
    TRodzajKomorki(const char* t) : TRodzajKomorki(std::string_view(t)) {}
    TRodzajKomorki(const std::string& t) : TRodzajKomorki(std::string_view(t)) {}
    std::string_view Widok() const {
        return {znaki.data(), std::char_traits<char>::length(znaki.data())};
    }
    std::string Tekst() const { return std::string(Widok()); }
    operator std::string() const { return Tekst(); }
    char& operator[](std::size_t i) { return znaki[i]; }
    char operator[](std::size_t i) const { return znaki[i]; }
    friend bool operator==(const TRodzajKomorki& a, const TRodzajKomorki& b) {
        return a.znaki == b.znaki;
    }
    friend bool operator==(const TRodzajKomorki& a, std::string_view b) { return a.Widok() == b; }
    friend bool operator==(const TRodzajKomorki& a, const char* b) { return a.Widok() == b; }
    friend std::string operator+(std::string a, const TRodzajKomorki& b) { return a += b.Widok(); }

  private:
    std::array<char, 4> znaki{};
};

struct TKomorka {
    std::int64_t Adres = 0;
    std::int32_t Kod = 0;
    std::int32_t Argument = 0;
    TRodzajKomorki Rodzaj;
};

class TPaO {
  public:
    // The cell at `adres`, or nullptr.
    const TKomorka* Znajdz(std::int64_t adres) const {
        const std::int32_t i = Indeks(adres);
        return i < 0 ? nullptr : &komorki[static_cast<std::size_t>(i)];
    }
    // Word = code * 2^bityAdresu + argument, as the 32 bits a register holds.
    [[gnu::always_inline]] std::uint32_t Czytaj(std::int64_t adres, int bityAdresu) const {
        if (bityAdresu == bitySlow && static_cast<std::uint64_t>(adres) < slowa.size()) [[likely]]
            return slowa[static_cast<std::size_t>(adres)];
        return CzytajKomorke(adres, bityAdresu);
    }
    // The address width the machine reads with. Up to MaksBitowSlow bits every address
    // has its word ready in a plain array, kept with every change, so "czyt" is one read.
    static constexpr int MaksBitowSlow = 16;
    void UstawBityAdresu(int bity);
    // Splits the word into code and argument; a new cell gets the kind "000". A cell that
    // exists at an address with a ready word is written in place, here.
    [[gnu::always_inline]] void Pisz(std::int64_t adres, std::uint32_t slowo, int bityAdresu) {
        if (bityAdresu == bitySlow && static_cast<std::uint64_t>(adres) < slowa.size()) [[likely]] {
            // Below 2^MaksBitowSlow, so on a page of the table.
            const auto s = static_cast<std::size_t>(adres >> BityStrony);
            if (s < strony.size() && strony[s]) [[likely]] {
                const std::int32_t i =
                    (*strony[s])[static_cast<std::size_t>(adres) & (RozmiarStrony - 1)];
                if (i >= 0) [[likely]] {
                    TKomorka& k = komorki[static_cast<std::size_t>(i)];
                    const std::uint32_t maska = (std::uint32_t{1} << bityAdresu) - 1;
                    k.Argument = static_cast<std::int32_t>(slowo & maska);
                    k.Kod = static_cast<std::int32_t>((slowo - (slowo & maska)) >> bityAdresu);
                    // Code and argument put together again give the word itself.
                    slowa[static_cast<std::size_t>(adres)] = slowo;
                    return;
                }
            }
        }
        PiszKomorke(adres, slowo, bityAdresu);
    }
    // The loader's store: replaces code, argument and kind.
    void Wstaw(std::int64_t adres, std::int32_t kod, std::int32_t argument, TRodzajKomorki rodzaj);
    void Wyczysc();
    // Room for `n` cells in all, so that a large load takes no more than it needs.
    void Rezerwuj(std::size_t n) { komorki.reserve(n); }
    // Takes back the newest cell, which must be at `adres`, as if never written.
    void UsunOstatnia(std::int64_t adres);

    const std::vector<TKomorka>& Komorki() const { return komorki; }
    std::size_t Rozmiar() const { return komorki.size(); }

    // Addresses a register can hold (0..2^24-1) go through a two-level page table, so
    // "czyt" and "pisz" cost two array reads; any other address through a hash map.
    static constexpr int BityStrony = 12;
    static constexpr std::size_t RozmiarStrony = std::size_t{1} << BityStrony;
    static constexpr std::int64_t ZakresStron = std::int64_t{1} << 24;
    using TStrona = std::array<std::int32_t, RozmiarStrony>;
    // What a page, and a hash-map entry, take (the entry roughly: node and bucket).
    static constexpr std::size_t BajtyStrony = sizeof(TStrona) + sizeof(void*);
    static constexpr std::size_t BajtyWpisu = 48;

  private:
    static std::uint32_t Slowo(const TKomorka& k, int bityAdresu) {
        return static_cast<std::uint32_t>(
            (static_cast<std::uint64_t>(static_cast<std::int64_t>(k.Kod)) << bityAdresu) +
            static_cast<std::uint64_t>(static_cast<std::int64_t>(k.Argument)));
    }
    // The ready word of a cell just changed, when its address has one.
    void Odswiez(const TKomorka& k) {
        if (static_cast<std::uint64_t>(k.Adres) < slowa.size())
            slowa[static_cast<std::size_t>(k.Adres)] = Slowo(k, bitySlow);
    }
    std::int32_t Indeks(std::int64_t adres) const {
        if (adres >= 0 && adres < ZakresStron) {
            const auto s = static_cast<std::size_t>(adres >> BityStrony);
            if (s >= strony.size() || !strony[s]) return -1;
            return (*strony[s])[static_cast<std::size_t>(adres) & (RozmiarStrony - 1)];
        }
        auto it = inne.find(adres);
        return it == inne.end() ? -1 : it->second;
    }
    TKomorka& Komorka(std::int64_t adres);
    std::uint32_t CzytajKomorke(std::int64_t adres, int bityAdresu) const;
    void PiszKomorke(std::int64_t adres, std::uint32_t slowo, int bityAdresu);

    std::vector<TKomorka> komorki;
    std::vector<std::unique_ptr<TStrona>> strony;
    std::unordered_map<std::int64_t, std::int32_t> inne;
    int bitySlow = -1;                // the width of `slowa`, -1 for none
    std::vector<std::uint32_t> slowa; // 2^bitySlow words, 0 where no cell is
};
