#pragma once
// The instruction-set file (".roz"): the count, then per instruction its name,
// description, code, argument count, the number of microprogram lines and the lines.

#include <string>
#include <vector>

#include "Rozkazy.h"

// The lines of the file for the whole list.
std::vector<std::string> LiniePlikuRozkazow(const TListaRozkazow& lista);

// Reads the records from the file's lines. A file that cannot be read whole gives false
// and a Polish message naming the line and its text; `rozkazy` is then empty.
// A file that ends inside the last microprogram's lines loads with the missing lines
// empty; `uwaga` (when given) then says how many were missing, and is empty otherwise.
bool CzytajLiniePlikuRozkazow(const std::vector<std::string>& linie, std::vector<TRozkaz>& rozkazy,
                              std::string& blad, std::string* uwaga = nullptr);

// The list is replaced only by a file that loads whole; otherwise it stays as it was.
bool WczytajPlikRozkazow(const std::string& sciezka, TListaRozkazow& lista, std::string& blad,
                         std::string* uwaga = nullptr);
bool ZapiszPlikRozkazow(const std::string& sciezka, const TListaRozkazow& lista, std::string& blad);
