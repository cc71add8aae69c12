#pragma once
// The console device: the input line the user types into and the output area.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class TKonsola {
  public:
    const std::string& Wejscie() const { return wejscie; }
    void UstawWejscie(std::string tekst) { wejscie = std::move(tekst); }
    bool WejsciePuste() const { return wejscie.empty(); }
    // Removes the first character of the input line and returns its Windows-1250 code.
    std::uint8_t PobierzZnak();

    // The output area, line by line; empty when nothing was printed.
    const std::vector<std::string>& Wyjscie() const { return wyjscie; }
    std::string WyjscieTekst() const;
    // Code 13 starts a new line; any other code is appended to the last line.
    void Wypisz(std::uint8_t kod);
    void Wyczysc();

    // A machine that prints forever must not exhaust memory: the oldest lines go first.
    static constexpr std::size_t MaksZnakow = 8u * 1024 * 1024;

  private:
    void Przytnij();

    std::string wejscie;
    std::vector<std::string> wyjscie;
    std::size_t znakow = 0;
};
