#include "Architektura.h"

TArchitektura::TArchitektura() {
    for (int i = 1; i <= 8; ++i)
        Przerwania[static_cast<std::size_t>(i)].Etykieta = "int" + std::to_string(i);
    Urzadzenia[1].Adres = 1;
    Urzadzenia[2].Adres = 2;
    Sygnaly[static_cast<std::size_t>(TSygnal::stp)].Jest = true;
}

void WyprowadzElementy(TArchitektura& a) {
    a.Sygnaly[static_cast<std::size_t>(TSygnal::stp)].Jest = true;
    a.Elementy.fill(false);
    for (int s = 1; s <= LiczbaSygnalow; ++s) {
        const int e = static_cast<int>(TablicaSygnalow[static_cast<std::size_t>(s)].Komponent);
        if (e >= 0 && a.Sygnaly[static_cast<std::size_t>(s)].Jest)
            a.Elementy[static_cast<std::size_t>(e)] = true;
    }
}
