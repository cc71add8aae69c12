#pragma once
// The machine file (".mas"): the names of the signals that exist, one a line.

#include <string>
#include <vector>

#include "Architektura.h"

std::vector<std::string> LinieMaszyny(const TArchitektura& a);
// Every signal named by a line exists, all others not; components are derived again.
void ZastosujLinieMaszyny(TArchitektura& a, const std::vector<std::string>& linie);

bool ZapiszMaszyne(const std::string& sciezka, const TArchitektura& a, std::string& blad);
// A file that cannot be read changes nothing.
bool WczytajMaszyne(const std::string& sciezka, TArchitektura& a, std::string& blad);
