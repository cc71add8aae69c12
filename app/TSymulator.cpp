#include "TSymulator.h"

#include "Presety.h"

TSymulator::TSymulator()
    : Maszyna(Architektura, PamiecMikroprogramu, Konsola, Dziennik, PunktyZatrzymania, StanPracy) {
    Maszyna.UstawHistorie(&Historia);
    Maszyna.UstawSzerokosci(5, 3);
    ZastosujPreset("K");
    Maszyna.Reset();
    ListaRozkazow.UstawStandardowe();
    KompilujMikroprogram();
    ListaProgramow.UstawStartowe();
}

bool TSymulator::ZastosujPreset(const std::string& nazwa) {
    if (!::ZastosujPreset(Architektura, nazwa)) return false;
    Historia.Wyczysc();
    NazwaPresetu = nazwa;
    return true;
}

void TSymulator::KompilujMikroprogram() {
    Historia.Wyczysc();
    ::KompilujMikroprogram(ListaRozkazow, Architektura, Maszyna.MaskaKodu(), PamiecMikroprogramu,
                           KomunikatyMikroprogramu, &SladKompilacji);
}

void TSymulator::KompilujProgram(const std::vector<std::string>& zrodlo) {
    ::KompilujProgram(zrodlo, ListaRozkazow, Maszyna, Architektura, Dziennik, WynikAsemblacji);
}
