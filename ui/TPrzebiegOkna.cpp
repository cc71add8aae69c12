#include "TPrzebiegOkna.h"

#include <QTimer>

#include "TSymulator.h"

TPrzebiegOkna::TPrzebiegOkna(TSymulator& symulator, QObject* parent)
    : QObject(parent), symulator(symulator) {
    // Interval 0: the next slice comes as soon as the window's pending events are handled.
    zegarPorcji = new QTimer(this);
    zegarPorcji->setInterval(0);
    connect(zegarPorcji, &QTimer::timeout, this, &TPrzebiegOkna::Porcja);
}

// A run still in progress ends with the loop that drives it, which returns TrybPracy to
// Bezczynny. The window ends its run before its panels go, so nobody left is told.
TPrzebiegOkna::~TPrzebiegOkna() {
    if (wlasny) symulator.ZakonczPrzebieg();
}

bool TPrzebiegOkna::Trwa() const {
    return wlasny && symulator.TrwaPrzebieg();
}

TPolecenie TPrzebiegOkna::Polecenie() const {
    return symulator.PoleceniePrzebiegu();
}

std::uint64_t TPrzebiegOkna::Takty() const {
    return symulator.TaktyPrzebiegu();
}

// Another loop's run in progress counts as well: two loops must never tick one machine.
bool TPrzebiegOkna::Zajety() const {
    return symulator.TrwaPrzebieg();
}

void TPrzebiegOkna::Takt(bool reczny) {
    if (Zajety()) return;
    if (symulator.Takt(reczny) == TWynikTaktu::Brak) return;
    emit ZmianaStanu();
}

bool TPrzebiegOkna::MoznaWstecz() const {
    return !Zajety() && !symulator.Historia.Pusta();
}

void TPrzebiegOkna::TaktWstecz() {
    if (Zajety() || !symulator.TaktWstecz()) return;
    emit Wstecz();
    emit ZmianaStanu();
}

void TPrzebiegOkna::RozkazWstecz() {
    if (Zajety() || !symulator.RozkazWstecz()) return;
    emit Wstecz();
    emit ZmianaStanu();
}

void TPrzebiegOkna::Rozkaz() {
    Uruchom(TPolecenie::Rozkaz);
}

void TPrzebiegOkna::Program() {
    Uruchom(TPolecenie::Program);
}

void TPrzebiegOkna::Stop() {
    symulator.Stop();
    Zakoncz();
}

void TPrzebiegOkna::Uruchom(TPolecenie p) {
    // A halted machine, or a run already in progress, starts nothing.
    if (!symulator.RozpocznijPrzebieg(p)) return;
    wlasny = true;
    emit PoczatekPrzebiegu(p);
    // The first slice at once: an ordinary "Rozkaz" is over before the click returns.
    Porcja();
    if (wlasny) zegarPorcji->start();
}

void TPrzebiegOkna::Porcja() {
    if (!wlasny) {
        zegarPorcji->stop();
        return;
    }
    TPorcjaPrzebiegu porcja;
    porcja.Czas = CzasPorcji;
    porcja.DokonczRozkaz = true;
    porcja.OkresZgloszen = OkresRysowania;
    const TWynikPorcjiPrzebiegu w = symulator.PorcjaPrzebiegu(porcja);
    if (w.Zakonczone)
        Zakoncz();
    else if (w.Zgloszona)
        emit ZmianaStanu();
}

// The owner has ended the run (and told the views) or ends it here.
void TPrzebiegOkna::Zakoncz() {
    zegarPorcji->stop();
    if (!wlasny) return;
    wlasny = false;
    symulator.ZakonczPrzebieg();
    emit ZmianaStanu();
    emit KoniecPrzebiegu(Polecenie());
}
