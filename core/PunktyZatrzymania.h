#pragma once
// Breakpoints: conditions on a register, bus or memory cell tested after every tick.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct TPunktZatrzymania {
    std::int32_t Co = 0;
    std::int32_t AdresKomorki = 0;
    std::int32_t Relacja = 0;
    std::int32_t Wartosc1 = 0;
    std::int32_t Wartosc2 = 0;
};

inline constexpr std::array<std::string_view, 21> NazwyObserwowanych = {
    "Akumulator AK",
    "Licznik rozkazów L",
    "Rejestr instrukcji I",
    "Rejestr instrukcji I (część adresowa)",
    "Rejestr instrukcji I (część kodowa)",
    "Rejestr A (PaO)",
    "Rejestr S (PaO)",
    "Komórka pamięci (PaO)",
    "Rejestr X",
    "Rejestr Y",
    "Rejestr Z",
    "Magistrala adresowa A",
    "Magistrala słowowa S",
    "Rejestr zgłoszeń RZ",
    "Rejestr maski RM",
    "Rejestr przerwania RP",
    "Adres przerwania AP",
    "Rejestr-bufor wejściowy",
    "Rejestr-bufor wyjściowy",
    "Rejestr U",
    "Rejestr V"};

inline constexpr std::array<std::string_view, 7> NazwyRelacji = {"równa się",
                                                                 "jest różny od",
                                                                 "jest większy od",
                                                                 "jest równy lub większy od",
                                                                 "jest mniejszy od",
                                                                 "jest równy lub mniejszy od",
                                                                 "zawiera się w przedziale"};

inline constexpr int KomorkaPamieci = 7;
inline constexpr int RelacjaPrzedzial = 6;

class TPunktyZatrzymania {
  public:
    static constexpr int MaksPunktow = 1024;

    int Count() const { return static_cast<int>(punkty.size()); }
    bool Puste() const { return punkty.empty(); }
    // Numbered from 1.
    const TPunktZatrzymania& Punkt(int k) const { return punkty[static_cast<std::size_t>(k - 1)]; }
    // Appends as number Count()+1; false (and nothing added) when the list is full or the
    // record names no watched value or relation.
    bool DodajPunkt(const TPunktZatrzymania& p, std::string& blad);
    // The last breakpoint moves into number k.
    void UsunPunkt(int k);
    void UsunWszystkie() { punkty.clear(); }
    std::string OpisPunktu(int k) const;

    bool Ignoruj = false;

  private:
    std::vector<TPunktZatrzymania> punkty;
};

bool RelacjaSpelniona(const TPunktZatrzymania& p, std::int32_t v);
