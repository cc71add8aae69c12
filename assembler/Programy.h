#pragma once
// The program list the editor takes its first text from, and the program file.

#include <array>
#include <string>
#include <string_view>
#include <vector>

struct TProgram {
    std::string Nazwa;
    std::string Opis;
    std::vector<std::string> Tekst;
};

// 16 slots numbered from 1 with a count.
class TListaProgramow {
  public:
    static constexpr int MaksProgramow = 16;

    int Count() const { return count; }
    // Entry i, 1 <= i <= Count().
    TProgram& operator[](int i) { return programy[static_cast<std::size_t>(i - 1)]; }
    const TProgram& operator[](int i) const { return programy[static_cast<std::size_t>(i - 1)]; }

    // Start-up: one empty entry "Program".
    void UstawStartowe();
    // Index of the last entry with this name, 0 when none.
    int ZnajdzNazwe(std::string_view nazwa) const;

  private:
    std::array<TProgram, MaksProgramow> programy;
    int count = 0;
};

// The program file: the editor's lines, each followed by CR LF, in Windows-1250. Reading
// takes CR LF, CR or LF and leaves `linie` untouched on failure, with a message in `blad`.
bool WczytajPlikProgramu(const std::string& sciezka, std::vector<std::string>& linie,
                         std::string& blad);
bool ZapiszPlikProgramu(const std::string& sciezka, const std::vector<std::string>& linie,
                        std::string& blad);
