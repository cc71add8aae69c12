#include "TSymulator.h"

#include "Presety.h"

TSymulator::TSymulator()
    : Maszyna(Architektura, PamiecMikroprogramu, Konsola, Dziennik, PunktyZatrzymania, StanPracy) {
    Maszyna.UstawSzerokosci(5, 3);
    ZastosujPreset("K");
    Maszyna.Reset();
    ListaRozkazow.UstawStandardowe();
    KompilujMikroprogram();
    ListaProgramow.UstawStartowe();
}

bool TSymulator::ZastosujPreset(const std::string& nazwa) {
    if (!::ZastosujPreset(Architektura, nazwa)) return false;
    NazwaPresetu = nazwa;
    return true;
}

void TSymulator::KompilujMikroprogram() {
    ::KompilujMikroprogram(ListaRozkazow, Architektura, Maszyna.MaskaKodu(), PamiecMikroprogramu,
                           KomunikatyMikroprogramu, &SladKompilacji);
}

void TSymulator::KompilujProgram(const std::vector<std::string>& zrodlo) {
    ::KompilujProgram(zrodlo, ListaRozkazow, Maszyna, Architektura, Dziennik, WynikAsemblacji);
}
