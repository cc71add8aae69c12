#pragma once
// The console device: the input line the user types into and the output area.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TKonsola {
  public:
    const std::string& Wejscie() const { return wejscie; }
    void UstawWejscie(std::string tekst) { wejscie = std::move(tekst); }
    bool WejsciePuste() const { return wejscie.empty(); }
    // Removes the first character of the input line and returns its Windows-1250 code;
    // the bytes removed go to `pobrane` when given.
    std::uint8_t PobierzZnak(std::string* pobrane = nullptr);
    // Puts characters taken back at the start of the input line.
    void ZwrocZnaki(std::string_view znaki) { wejscie.insert(0, znaki); }

    // The output area, line by line; empty when nothing was printed.
    const std::vector<std::string>& Wyjscie() const { return wyjscie; }
    std::string WyjscieTekst() const;
    // Code 13 starts a new line; any other code is appended to the last line.
    void Wypisz(std::uint8_t kod);
    void Wyczysc();

    // How far the output area reached, to take back what was printed after it. Taking
    // back only shortens: output the user cleared or the trimming dropped stays away.
    struct TStanWyjscia {
        std::size_t linie = 0, dlugoscOstatniej = 0, znakow = 0;
    };
    TStanWyjscia StanWyjscia() const {
        return {wyjscie.size(), wyjscie.empty() ? 0 : wyjscie.back().size(), znakow};
    }
    void PrzywrocWyjscie(const TStanWyjscia& stan);

    // A machine that prints forever must not exhaust memory: the oldest lines go first.
    static constexpr std::size_t MaksZnakow = 8u * 1024 * 1024;

  private:
    void Przytnij();

    std::string wejscie;
    std::vector<std::string> wyjscie;
    std::size_t znakow = 0;
};
