#include "Programy.h"

#include "Tekst.h"

void TListaProgramow::UstawStartowe() {
    for (auto& p : programy)
        p = TProgram{};
    programy[0] = TProgram{"Program", "Program", {}};
    count = 1;
}

int TListaProgramow::ZnajdzNazwe(std::string_view nazwa) const {
    for (int i = count; i >= 1; --i)
        if ((*this)[i].Nazwa == nazwa) return i;
    return 0;
}

bool WczytajPlikProgramu(const std::string& sciezka, std::vector<std::string>& linie,
                         std::string& blad) {
    std::vector<std::string> nowe;
    if (!tekst::WczytajLinie(sciezka, nowe, blad)) return false;
    linie = std::move(nowe);
    return true;
}

bool ZapiszPlikProgramu(const std::string& sciezka, const std::vector<std::string>& linie,
                        std::string& blad) {
    return tekst::ZapiszLinie(sciezka, linie, blad);
}
