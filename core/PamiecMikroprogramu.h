#pragma once
// The compiled microprogram memory that run control reads. The compiler fills it.

#include <cstdint>
#include <string>
#include <vector>

#include "Sygnaly.h"

enum class TWarunek : std::uint8_t { Brak, Z, Zak, Pak, N, Np, Nm, Int, Nieznany };

TWarunek WarunekZNazwy(std::string_view nazwa);

struct TWierszMikroprogramu {
    // What a tick needs, decoded once by the compiler; first, so a tick reads one place.
    TZestawSygnalow Zestaw;
    std::int32_t NumerCel0 = -1, NumerCel1 = -1;
    TWarunek KodWarunku = TWarunek::Brak;
    // The seven texts as the view shows them.
    std::string Adres, Rozkaz, Etykieta, Sygnaly, Cel0, Cel1, Warunek;
};

class TPamiecMikroprogramu {
  public:
    TPamiecMikroprogramu();
    // Row r (from -1). A row outside the table reads as an empty row that ends the
    // instruction, so a machine running an old table after a width change cannot stray.
    const TWierszMikroprogramu& Wiersz(std::int32_t r) const {
        // Unsigned, rows -2 and below come out larger than any table; compared in bytes, so
        // with no division.
        const std::size_t i = static_cast<std::size_t>(static_cast<std::int64_t>(r) + 1);
        const auto bajty = reinterpret_cast<const char*>(wiersze.data() + wiersze.size()) -
                           reinterpret_cast<const char*>(wiersze.data());
        if (i * sizeof(TWierszMikroprogramu) >= static_cast<std::size_t>(bajty)) return pusty;
        return wiersze[i];
    }
    // What a row outside the table reads as.
    const TWierszMikroprogramu& Pusty() const { return pusty; }
    // Number of rows from -1 on.
    int Rozmiar() const { return static_cast<int>(wiersze.size()); }
    // Rows -1 .. liczba-2; the compiler writes through this.
    std::vector<TWierszMikroprogramu>& Wiersze() { return wiersze; }
    const std::vector<TWierszMikroprogramu>& Wiersze() const { return wiersze; }

  private:
    std::vector<TWierszMikroprogramu> wiersze;
    TWierszMikroprogramu pusty;
};

TWierszMikroprogramu WierszPobrania();
