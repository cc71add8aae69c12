#pragma once
// The debug log: every machine message, oldest first, and the labels of the last assembly.

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class TDziennik {
  public:
    // A run that reports on every tick must not exhaust memory: the newest lines stay,
    // and one line at the top says how many older ones were dropped.
    static constexpr std::size_t MaksLinii = 100000;

    void Dopisz(std::string_view tekst);
    void Wyczysc();
    // The log as shown, the note about dropped lines first when there is one.
    std::vector<std::string> Linie() const;
    std::size_t Pominiete() const { return pominiete; }
    // Lines ever kept since the last clear, the dropped ones included.
    std::size_t Rozmiar() const { return pominiete + linie.size(); }
    // Removes the newest lines until Rozmiar() is `rozmiar`, as far as any are left.
    void UsunNowsze(std::size_t rozmiar);
    std::size_t Wersja() const { return wersja; }
    bool MaNowosci() const { return nowosci; }

    using TEtykiety = std::vector<std::pair<std::string, std::string>>;
    void PokazEtykiety(TEtykiety etykiety) {
        this->etykiety = std::move(etykiety);
        ++wersja;
    }
    const TEtykiety& Etykiety() const { return etykiety; }

  private:
    std::deque<std::string> linie;
    std::size_t pominiete = 0;
    std::size_t wersja = 0;
    bool nowosci = false;
    TEtykiety etykiety;
};

std::string TekstPominietych(std::size_t ile);
