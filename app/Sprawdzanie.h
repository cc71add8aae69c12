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

// The registers and flags of the report, with the component each belongs to; a flag's
// slot is 0 when the flag is worked out from other registers.
struct TRejestrRaportu {
    const char* Nazwa;
    int Slot;
    TKomponent Element;
};
inline constexpr TRejestrRaportu RejestryRaportu[] = {{"L", Slot::L, TKomponent::L},
                                                      {"A", Slot::A, TKomponent::PaO},
                                                      {"S", Slot::S, TKomponent::PaO},
                                                      {"KOD", Slot::KOD, TKomponent::I},
                                                      {"AD", Slot::AD, TKomponent::I},
                                                      {"AK", Slot::AK, TKomponent::Jal},
                                                      {"X", Slot::X, TKomponent::X},
                                                      {"Y", Slot::Y, TKomponent::Y},
                                                      {"Z", Slot::Z, TKomponent::Z},
                                                      {"U", Slot::U, TKomponent::U},
                                                      {"V", Slot::V, TKomponent::V},
                                                      {"RZ", Slot::RZ, TKomponent::Przerwania},
                                                      {"RM", Slot::RM, TKomponent::Przerwania},
                                                      {"RP", Slot::RP, TKomponent::Przerwania},
                                                      {"AP", Slot::AP, TKomponent::Przerwania},
                                                      {"G", Slot::G, TKomponent::G},
                                                      {"RB_we", Slot::RB_we, TKomponent::RB_we},
                                                      {"RB_wy", Slot::RB_wy, TKomponent::RB_wy}};
struct TFlagaRaportu {
    const char* Nazwa;
    TWarunek Warunek;
    int Slot;
    TKomponent Element;
};
inline constexpr TFlagaRaportu FlagiRaportu[] = {{"Z", TWarunek::Z, 0, TKomponent::Jal},
                                                 {"N", TWarunek::N, Slot::N, TKomponent::Jal},
                                                 {"NP", TWarunek::Np, Slot::NP, TKomponent::Jal},
                                                 {"NM", TWarunek::Nm, Slot::NM, TKomponent::Jal},
                                                 {"INT", TWarunek::Int, 0, TKomponent::Przerwania},
                                                 {"PAK", TWarunek::Pak, 0, TKomponent::Jal},
                                                 {"ZAK", TWarunek::Zak, 0, TKomponent::Jal}};

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
