#include "PamiecMikroprogramu.h"

TWarunek WarunekZNazwy(std::string_view nazwa) {
    if (nazwa.empty()) return TWarunek::Brak;
    if (nazwa == "z") return TWarunek::Z;
    if (nazwa == "zak") return TWarunek::Zak;
    if (nazwa == "pak") return TWarunek::Pak;
    if (nazwa == "n") return TWarunek::N;
    if (nazwa == "np") return TWarunek::Np;
    if (nazwa == "nm") return TWarunek::Nm;
    if (nazwa == "int") return TWarunek::Int;
    return TWarunek::Nieznany;
}

TWierszMikroprogramu WierszPobrania() {
    TWierszMikroprogramu w;
    w.Adres = "-1";
    w.Sygnaly = "czyt wys wei il";
    w.Cel0 = w.Cel1 = "?";
    w.Zestaw = DekodujMikrorozkaz(w.Sygnaly);
    return w;
}

TPamiecMikroprogramu::TPamiecMikroprogramu() {
    wiersze.push_back(WierszPobrania());
}
