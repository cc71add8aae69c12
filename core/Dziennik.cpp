#include "Dziennik.h"

std::string TekstPominietych(std::size_t ile) {
    return "(pominięto " + std::to_string(ile) + " starszych komunikatów)";
}

void TDziennik::Dopisz(std::string_view tekst) {
    if (linie.size() >= MaksLinii) {
        linie.pop_front();
        ++pominiete;
    }
    linie.emplace_back(tekst);
    nowosci = true;
    ++wersja;
}

void TDziennik::UsunNowsze(std::size_t rozmiar) {
    if (Rozmiar() <= rozmiar) return;
    while (!linie.empty() && Rozmiar() > rozmiar)
        linie.pop_back();
    ++wersja;
}

void TDziennik::Wyczysc() {
    linie.clear();
    pominiete = 0;
    nowosci = false;
    ++wersja;
}

std::vector<std::string> TDziennik::Linie() const {
    std::vector<std::string> w;
    w.reserve(linie.size() + 1);
    if (pominiete) w.push_back(TekstPominietych(pominiete));
    w.insert(w.end(), linie.begin(), linie.end());
    return w;
}
