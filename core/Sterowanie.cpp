#include "Sterowanie.h"

TWynikTaktu PolecenieTakt(TMaszyna& m, bool reczny) {
    if (m.Zatrzymana()) return TWynikTaktu::Brak;
    if (!reczny) return m.Takt();
    const TWynikTaktu r = m.TaktReczny();
    m.WyczyscWybrane();
    return r;
}

TPrzebieg::TPrzebieg(TMaszyna& maszyna, TPolecenie polecenie)
    : m(maszyna), stan(maszyna.Stan()), polecenie(polecenie) {
    if (m.Zatrzymana()) return;
    trwa = true;
    if (polecenie == TPolecenie::Program) stan.TrybPracy = TTrybPracy::Program;
    stan.ZadanieStopu = false;
}

void TPrzebieg::Zakoncz() {
    if (!trwa) return;
    trwa = false;
    // This also ends manual mode.
    if (polecenie == TPolecenie::Program) stan.TrybPracy = TTrybPracy::Bezczynny;
}
