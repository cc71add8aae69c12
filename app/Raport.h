#pragma once
// The runner's JSON report of a machine and the texts of its --set and --break values,
// shared by the runner and the web module so both say the same.

#include <nlohmann/json.hpp>

#include <cstdint>
#include <string>
#include <vector>

#include "PunktyZatrzymania.h"

class TSymulator;

// A value put into the machine between ticks.
struct TUstawienie {
    int Slot = 0; // a register or flag slot, or 0 for a memory word
    std::int64_t Adres = 0;
    std::uint32_t Wartosc = 0;
};

// The report after `takty` ticks of a run; `punktTrafiony` when a breakpoint held after one
// of them. With `mikroprogram` the compiled microprogram memory as well.
nlohmann::ordered_json RaportJson(const TSymulator& s, std::uint64_t takty, bool punktTrafiony,
                                  const std::vector<std::string>& komunikatyMikroprogramu,
                                  bool mikroprogram);

// JSON as text; text that is not UTF-8 is replaced rather than refused.
std::string TekstJson(const nlohmann::ordered_json& j, int wciecie = -1);

// "NAZWA=WARTOŚĆ" or "[ADRES]=WARTOŚĆ", checked against the machine `s` has now. False with
// a Polish message in `blad` (which quotes `t`).
bool CzytajUstawienie(const std::string& t, const TSymulator& s, TUstawienie& u, std::string& blad);
void ZastosujUstawienie(TSymulator& s, const TUstawienie& u);

// "CO RELACJA WARTOŚĆ1 [WARTOŚĆ2] [@ADRES]". False with a Polish message in `blad`.
bool CzytajPunkt(const std::string& t, TPunktZatrzymania& p, std::string& blad);

// A whole decimal number with an optional sign and nothing else.
bool CzytajCalkowita(const std::string& t, long long& w);
