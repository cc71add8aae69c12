#include "Konsola.h"

#include <algorithm>

#include "Tekst.h"

std::uint8_t TKonsola::PobierzZnak(std::string* pobrane) {
    if (wejscie.empty()) return 0;
    std::size_t dlugosc = 1;
    const std::uint8_t kod = tekst::PierwszyZnakCp1250(wejscie, dlugosc);
    if (pobrane) pobrane->assign(wejscie, 0, dlugosc);
    wejscie.erase(0, dlugosc);
    return kod;
}

std::string TKonsola::WyjscieTekst() const {
    std::string t;
    for (std::size_t i = 0; i < wyjscie.size(); ++i) {
        if (i) t += '\n';
        t += wyjscie[i];
    }
    return t;
}

void TKonsola::Wypisz(std::uint8_t kod) {
    if (kod == 13) {
        wyjscie.emplace_back();
    } else {
        if (wyjscie.empty()) wyjscie.emplace_back();
        const char c = static_cast<char>(kod);
        wyjscie.back() += tekst::DekodujCp1250(std::string_view(&c, 1));
    }
    if (++znakow > MaksZnakow) Przytnij();
}

void TKonsola::Przytnij() {
    // Keep the newer half; a single overlong line is cut from its start.
    std::size_t suma = 0, od = wyjscie.size();
    while (od > 0 && suma + wyjscie[od - 1].size() + 1 <= MaksZnakow / 2)
        suma += wyjscie[--od].size() + 1;
    if (od == wyjscie.size()) {
        std::string& ostatnia = wyjscie.back();
        ostatnia.erase(0, ostatnia.size() - MaksZnakow / 2);
        wyjscie.erase(wyjscie.begin(), wyjscie.end() - 1);
        suma = ostatnia.size();
    } else {
        wyjscie.erase(wyjscie.begin(), wyjscie.begin() + static_cast<std::ptrdiff_t>(od));
    }
    znakow = suma;
}

void TKonsola::PrzywrocWyjscie(const TStanWyjscia& stan) {
    if (stan.linie > wyjscie.size()) return;
    wyjscie.resize(stan.linie);
    if (!wyjscie.empty() && stan.dlugoscOstatniej < wyjscie.back().size())
        wyjscie.back().resize(stan.dlugoscOstatniej);
    znakow = std::min(znakow, stan.znakow);
}

void TKonsola::Wyczysc() {
    wejscie.clear();
    wyjscie.clear();
    znakow = 0;
}
