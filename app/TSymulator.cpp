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
    Maszyna.UtrwalBiezacyTekst();
    Historia.Wyczysc();
    ::KompilujMikroprogram(ListaRozkazow, Architektura, Maszyna.MaskaKodu(), PamiecMikroprogramu,
                           KomunikatyMikroprogramu, &SladKompilacji);
    skompilowane.clear();
    for (int i = 1; i <= ListaRozkazow.Count(); ++i) {
        const TRozkaz& r = ListaRozkazow[i];
        skompilowane.push_back({r.Nazwa, r.Kod, r.Mikroprogram});
    }
}

bool TSymulator::MikroprogramNieaktualny() const {
    if (static_cast<std::size_t>(ListaRozkazow.Count()) != skompilowane.size()) return true;
    for (int i = 1; i <= ListaRozkazow.Count(); ++i) {
        const TRozkaz& r = ListaRozkazow[i];
        const TSkompilowany& s = skompilowane[static_cast<std::size_t>(i - 1)];
        if (r.Nazwa != s.Nazwa || r.Kod != s.Kod || r.Mikroprogram != s.Mikroprogram) return true;
    }
    return false;
}

void TSymulator::KompilujProgram(const std::vector<std::string>& zrodlo) {
    ::KompilujProgram(zrodlo, ListaRozkazow, Maszyna, Architektura, Dziennik, WynikAsemblacji);
}
