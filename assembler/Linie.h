#pragma once
// A list of text lines kept in one buffer: the characters of all lines one after another
// and the end of each line, about 8 bytes per line besides the text itself.

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

// The bytes a task may still take; every list asks before it grows.
class TBudzet {
  public:
    explicit TBudzet(std::size_t limit = 0) : limit(limit) {}
    std::size_t Limit() const { return limit; }
    std::size_t Zajete() const { return zajete; }
    bool Przekroczony() const { return przekroczony; }
    // Takes `n` bytes; false (and nothing taken) when they do not fit.
    bool Wez(std::size_t n) {
        if (przekroczony || n > limit - zajete) return !(przekroczony = true);
        zajete += n;
        return true;
    }
    void Oddaj(std::size_t n) { zajete -= n < zajete ? n : zajete; }
    // Marks the task as refused, as when memory ran out outside the count.
    void Przekrocz() { przekroczony = true; }
    void Zeruj(std::size_t nowyLimit) {
        limit = nowyLimit;
        zajete = 0;
        przekroczony = false;
    }

  private:
    std::size_t limit;
    std::size_t zajete = 0;
    bool przekroczony = false;
};

class TLinie {
  public:
    class const_iterator {
      public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = std::string_view;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = std::string_view;
        const_iterator() = default;
        const_iterator(const TLinie* l, std::size_t i) : l(l), i(i) {}
        std::string_view operator*() const { return (*l)[i]; }
        std::string_view operator[](difference_type n) const {
            return (*l)[i + static_cast<std::size_t>(n)];
        }
        const_iterator& operator++() { return ++i, *this; }
        const_iterator operator++(int) { return {l, i++}; }
        const_iterator& operator--() { return --i, *this; }
        const_iterator operator--(int) { return {l, i--}; }
        const_iterator& operator+=(difference_type n) {
            return i += static_cast<std::size_t>(n), *this;
        }
        const_iterator& operator-=(difference_type n) {
            return i -= static_cast<std::size_t>(n), *this;
        }
        const_iterator operator+(difference_type n) const {
            return {l, i + static_cast<std::size_t>(n)};
        }
        friend const_iterator operator+(difference_type n, const_iterator a) { return a + n; }
        const_iterator operator-(difference_type n) const {
            return {l, i - static_cast<std::size_t>(n)};
        }
        difference_type operator-(const const_iterator& o) const {
            return static_cast<difference_type>(i) - static_cast<difference_type>(o.i);
        }
        bool operator==(const const_iterator& o) const { return i == o.i; }
        auto operator<=>(const const_iterator& o) const { return i <=> o.i; }

      private:
        const TLinie* l = nullptr;
        std::size_t i = 0;
    };
    using iterator = const_iterator;
    using value_type = std::string_view;
    using size_type = std::size_t;

    TLinie() = default;
    TLinie(const std::vector<std::string>& linie) {
        std::size_t n = 0;
        for (const auto& l : linie)
            n += l.size();
        tekst.reserve(n);
        konce.reserve(linie.size());
        for (const auto& l : linie)
            Dodaj(l);
    }

    std::size_t size() const { return konce.size(); }
    bool empty() const { return konce.empty(); }
    std::string_view operator[](std::size_t i) const {
        const std::size_t od = i ? konce[i - 1] : 0;
        return std::string_view(tekst).substr(od, konce[i] - od);
    }
    std::string_view front() const { return (*this)[0]; }
    std::string_view back() const { return (*this)[size() - 1]; }
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

    // Bytes held, spare room included.
    std::size_t Bajty() const { return tekst.capacity() + konce.capacity() * sizeof(std::size_t); }

    // Empties the list; the room stays for the next filling.
    void clear() {
        tekst.clear();
        konce.clear();
    }
    // Empties the list and gives its room back.
    void Zwolnij() {
        std::string().swap(tekst);
        std::vector<std::size_t>().swap(konce);
    }

    // Adds a line without asking a budget (the source as the user holds it).
    void Dodaj(std::string_view l) {
        tekst += l;
        konce.push_back(tekst.size());
    }

    // Begins a line of at most `maks` bytes, growing the room first when needed; false
    // when the budget cannot give that room (nothing grows then). The line is written by
    // appending to the returned buffer, then kept by Zakoncz or dropped by Porzuc.
    std::string* Zacznij(std::size_t maks, TBudzet& budzet) {
        if (konce.size() == konce.capacity()) {
            const std::size_t nowa = konce.capacity() ? konce.capacity() * 2 : 64;
            if (!budzet.Wez((nowa - konce.capacity()) * sizeof(std::size_t))) return nullptr;
            konce.reserve(nowa);
        }
        if (tekst.capacity() - tekst.size() < maks) {
            std::size_t nowa = tekst.capacity() * 2;
            if (nowa < tekst.size() + maks) nowa = tekst.size() + maks;
            if (!budzet.Wez(nowa - tekst.capacity())) return nullptr;
            tekst.reserve(nowa);
        }
        return &tekst;
    }
    void Zakoncz() { konce.push_back(tekst.size()); }
    void Porzuc() { tekst.resize(size() ? konce.back() : 0); }
    // The text of the line being written.
    std::string_view Biezaca() const {
        return std::string_view(tekst).substr(size() ? konce.back() : 0);
    }

    std::vector<std::string> Kopia() const { return {begin(), end()}; }
    friend bool operator==(const TLinie& a, const std::vector<std::string>& b) {
        if (a.size() != b.size()) return false;
        for (std::size_t i = 0; i < b.size(); ++i)
            if (a[i] != b[i]) return false;
        return true;
    }

  private:
    std::string tekst;
    std::vector<std::size_t> konce;
};
