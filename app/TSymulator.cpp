#include "TSymulator.h"

TSymulator::TSymulator()
    : Maszyna(Architektura, PamiecMikroprogramu, Konsola, Dziennik, PunktyZatrzymania, StanPracy) {
    Maszyna.UstawSzerokosci(5, 3);
    Maszyna.Reset();
    ListaRozkazow.UstawStandardowe();
}
