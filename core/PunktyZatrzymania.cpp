#include "PunktyZatrzymania.h"

bool TPunktyZatrzymania::DodajPunkt(const TPunktZatrzymania& p, std::string& blad) {
    if (Count() >= MaksPunktow) {
        blad = "Nie można dodać punktu zatrzymania: lista mieści najwyżej " +
               std::to_string(MaksPunktow) + " punktów.";
        return false;
    }
    if (p.Co < 0 || p.Co >= static_cast<int>(NazwyObserwowanych.size()) || p.Relacja < 0 ||
        p.Relacja >= static_cast<int>(NazwyRelacji.size())) {
        blad = "Nieprawidłowy punkt zatrzymania.";
        return false;
    }
    punkty.push_back(p);
    return true;
}

void TPunktyZatrzymania::UsunPunkt(int k) {
    if (k < 1 || k > Count()) return;
    punkty[static_cast<std::size_t>(k - 1)] = punkty.back();
    punkty.pop_back();
}

std::string TPunktyZatrzymania::OpisPunktu(int k) const {
    const TPunktZatrzymania& p = Punkt(k);
    std::string t(NazwyObserwowanych[static_cast<std::size_t>(p.Co)]);
    if (p.Co == KomorkaPamieci) t += " o adresie " + std::to_string(p.AdresKomorki);
    t += " ";
    t += NazwyRelacji[static_cast<std::size_t>(p.Relacja)];
    t += " " + std::to_string(p.Wartosc1);
    if (p.Relacja == RelacjaPrzedzial) t += " - " + std::to_string(p.Wartosc2);
    return t;
}

bool RelacjaSpelniona(const TPunktZatrzymania& p, std::int32_t v) {
    switch (p.Relacja) {
    case 0:
        return v == p.Wartosc1;
    case 1:
        return v != p.Wartosc1;
    case 2:
        return v > p.Wartosc1;
    case 3:
        return v >= p.Wartosc1;
    case 4:
        return v < p.Wartosc1;
    case 5:
        return v <= p.Wartosc1;
    case 6:
        return p.Wartosc1 <= v && v <= p.Wartosc2;
    default:
        return false;
    }
}
