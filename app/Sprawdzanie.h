#pragma once
// Expected states: a JSON file holding any part of the runner's report, checked against
// the report of a finished run.

#include <nlohmann/json.hpp>

#include <map>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

#include "Maszyna.h"

// The registers and flags of the report, with the component (`Elementy` index) each
// belongs to; a flag's slot is 0 when the flag is worked out from other registers.
struct TRejestrRaportu {
    const char* Nazwa;
    int Slot;
    int Element;
};
inline constexpr TRejestrRaportu RejestryRaportu[] = {
    {"L", Slot::L, 0},         {"A", Slot::A, 8},        {"S", Slot::S, 8},   {"KOD", Slot::KOD, 9},
    {"AD", Slot::AD, 9},       {"AK", Slot::AK, 10},     {"X", Slot::X, 1},   {"Y", Slot::Y, 2},
    {"Z", Slot::Z, 3},         {"U", Slot::U, 11},       {"V", Slot::V, 12},  {"RZ", Slot::RZ, 7},
    {"RM", Slot::RM, 7},       {"RP", Slot::RP, 7},      {"AP", Slot::AP, 7}, {"G", Slot::G, 6},
    {"RB_we", Slot::RB_we, 4}, {"RB_wy", Slot::RB_wy, 5}};
struct TFlagaRaportu {
    const char* Nazwa;
    TWarunek Warunek;
    int Slot;
    int Element;
};
inline constexpr TFlagaRaportu FlagiRaportu[] = {
    {"Z", TWarunek::Z, 0, 10},          {"N", TWarunek::N, Slot::N, 10},
    {"NP", TWarunek::Np, Slot::NP, 10}, {"NM", TWarunek::Nm, Slot::NM, 10},
    {"INT", TWarunek::Int, 0, 7},       {"PAK", TWarunek::Pak, 0, 10},
    {"ZAK", TWarunek::Zak, 0, 10}};

const TRejestrRaportu* ZnajdzRejestr(std::string_view nazwa);
const TFlagaRaportu* ZnajdzFlage(std::string_view nazwa);

// One compared value: where it is in the report, what was expected, what there is.
struct TSprawdzenie {
    std::string Sciezka; // "AK", "[20]", "flags.Z", "ticks", "registers.FOO" ...
    nlohmann::ordered_json Oczekiwane;
    nlohmann::ordered_json Jest; // null when the report has no such value
    bool Zgodne = false;
    std::string Linia; // "AK: oczekiwano 44, jest 43"
};

// A loaded expectation file. Read-only once loaded, so many runs may check against it at
// once.
class TOczekiwania {
  public:
    // False with a message in `blad` (line and column for a JSON syntax error) when the
    // file cannot be read or is not a JSON object with valid patterns.
    bool Wczytaj(const std::string& sciezka, std::string& blad);
    bool WczytajTekst(const std::string& tekst, const std::string& nazwa, std::string& blad);

    // Every expected value against the report `raport` of machine `m`.
    std::vector<TSprawdzenie> Sprawdz(const nlohmann::ordered_json& raport,
                                      const TMaszyna& m) const;

  private:
    nlohmann::ordered_json korzen;
    std::map<std::string, std::regex> wzorce; // every "matches" text, compiled once

    bool Pasuje(const nlohmann::ordered_json& oczekiwane, const nlohmann::ordered_json& jest) const;
    void Porownaj(const std::string& sciezka, const nlohmann::ordered_json& oczekiwane,
                  const nlohmann::ordered_json* jest, const char* brak,
                  std::vector<TSprawdzenie>& wynik) const;
};
