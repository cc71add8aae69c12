#include "PlikMaszyny.h"

#include "Sygnaly.h"
#include "Tekst.h"

std::vector<std::string> LinieMaszyny(const TArchitektura& a) {
    std::vector<std::string> linie;
    for (int s = 1; s <= LiczbaSygnalow; ++s)
        if (a.Sygnaly[static_cast<std::size_t>(s)].Jest) linie.push_back(NazwaSygnalu(s));
    return linie;
}

void ZastosujLinieMaszyny(TArchitektura& a, const std::vector<std::string>& linie) {
    for (auto& s : a.Sygnaly)
        s.Jest = false;
    for (const auto& l : linie) {
        const int s = NumerSygnalu(l);
        if (s != 0) a.Sygnaly[static_cast<std::size_t>(s)].Jest = true;
    }
    WyprowadzElementy(a);
}

bool ZapiszMaszyne(const std::string& sciezka, const TArchitektura& a, std::string& blad) {
    return tekst::ZapiszLinie(sciezka, LinieMaszyny(a), blad);
}

bool WczytajMaszyne(const std::string& sciezka, TArchitektura& a, std::string& blad) {
    std::vector<std::string> linie;
    if (!tekst::WczytajLinie(sciezka, linie, blad)) return false;
    ZastosujLinieMaszyny(a, linie);
    return true;
}
