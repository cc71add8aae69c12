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

// A run still in progress ends with its TPrzebieg, which returns TrybPracy to Bezczynny.
TPrzebiegOkna::~TPrzebiegOkna() = default;

bool TPrzebiegOkna::Trwa() const {
    return przebieg && przebieg->Trwa();
}

std::uint64_t TPrzebiegOkna::Takty() const {
    return przebieg ? przebieg->Takty() : taktyOstatniego;
}

// Another panel's run in progress counts as well: two loops must never tick one machine.
bool TPrzebiegOkna::Zajety() const {
    return przebieg || symulator.StanPracy.TrybPracy == TTrybPracy::Program;
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
    if (Zajety()) return;
    auto nowy = std::make_unique<TPrzebieg>(symulator.Maszyna, p);
    if (!nowy->Trwa()) return; // a halted machine does nothing
    przebieg = std::move(nowy);
    polecenie = p;
    odRysowania.start();
    emit PoczatekPrzebiegu(p);
    // "Program" has changed the run mode; "Rozkaz" leaves the commands as they are.
    if (p == TPolecenie::Program) symulator.Zglos(TZmiana::TrybPracy);
    // The first slice at once: an ordinary "Rozkaz" is over before the click returns.
    Porcja();
    if (przebieg) zegarPorcji->start();
}

void TPrzebiegOkna::Porcja() {
    if (!przebieg) {
        zegarPorcji->stop();
        return;
    }
    constexpr std::uint64_t Kawalek = 1024;
    const qint64 budzet = std::chrono::nanoseconds(CzasPorcji).count();
    QElapsedTimer zegar;
    zegar.start();
    bool naGranicy = false;
    auto policz = [&](const TWynikPorcji& w) {
        if (w.Takty > 0) naGranicy = w.KoniecRozkazu;
    };
    while (przebieg->Trwa() && zegar.nsecsElapsed() < budzet)
        policz(przebieg->Porcja(Kawalek));
    // Finish the instruction in progress so the views show it whole; a microprogram that
    // never finishes one still yields after a second budget.
    while (przebieg->Trwa() && !naGranicy && zegar.nsecsElapsed() < 2 * budzet)
        policz(przebieg->Porcja(1));
    if (!przebieg->Trwa()) {
        Zakoncz();
        return;
    }
    if (naGranicy && odRysowania.elapsed() >= OkresRysowania.count()) {
        odRysowania.start();
        symulator.Zglos(TZmiana::StanMaszyny);
        emit ZmianaStanu();
    }
}

void TPrzebiegOkna::Zakoncz() {
    zegarPorcji->stop();
    if (!przebieg) return;
    przebieg->Zakoncz();
    taktyOstatniego = przebieg->Takty();
    przebieg.reset();
    symulator.Zglos(TZmiana::StanMaszyny | TZmiana::TrybPracy);
    emit ZmianaStanu();
    emit KoniecPrzebiegu(polecenie);
}
