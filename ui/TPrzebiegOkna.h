#pragma once
// The run commands in the window: "Takt", "Rozkaz", "Program" and "Stop", shared by the
// schematic and the CPU panel. The run is the owner's; the window drives its slices on
// the UI thread: a timer asks the owner for a few milliseconds of ticks that finish the
// instruction in progress, and returns to the event loop, so Stop, the console, the IRQ
// buttons and closing the window act at the next slice boundary. The owner tells the views
// to redraw at most every OkresRysowania, and only at an instruction boundary or at the end
// of the run, so they never show half an instruction.

#include <QObject>

#include <chrono>
#include <cstdint>

#include "Sterowanie.h"

class QTimer;
class TSymulator;

class TPrzebiegOkna : public QObject {
    Q_OBJECT
  public:
    explicit TPrzebiegOkna(TSymulator& symulator, QObject* parent = nullptr);
    ~TPrzebiegOkna() override;

    // A "Rozkaz" or "Program" is in progress.
    bool Trwa() const;
    // The command of the run in progress or of the last one.
    TPolecenie Polecenie() const;
    // Ticks run by the run in progress or by the last one.
    std::uint64_t Takty() const;
    // "Takt wstecz" and "Rozkaz wstecz" have something to undo and no run is in progress.
    bool MoznaWstecz() const;

    // Ticks of one slice, and the shortest time between two redraws during a run.
    std::chrono::milliseconds CzasPorcji{8};
    std::chrono::milliseconds OkresRysowania{30};

  public slots:
    // One tick; with `reczny` the signals chosen on the schematic. Nothing on a halted
    // machine or while a run is in progress.
    void Takt(bool reczny = false);
    // Runs until the current instruction ends.
    void Rozkaz();
    // Runs until "stp", Stop, a breakpoint, Reset or closing the window.
    void Program();
    // "Takt wstecz" and "Rozkaz wstecz"; nothing while a run is in progress.
    void TaktWstecz();
    void RozkazWstecz();
    // Ends the run in progress now (between two slices nothing is half done); also sets
    // ZadanieStopu, as the loop's own check would.
    void Stop();

  signals:
    // The views hear of every change from the owner; these follow for whoever watches
    // the run itself. The machine went back (ZmianaStanu follows).
    void Wstecz();
    // The machine changed and the views have been told.
    void ZmianaStanu();
    void PoczatekPrzebiegu(TPolecenie polecenie);
    void KoniecPrzebiegu(TPolecenie polecenie);

  private:
    bool Zajety() const;
    void Uruchom(TPolecenie p);
    void Porcja();
    void Zakoncz();

    TSymulator& symulator;
    // This loop started the owner's run in progress.
    bool wlasny = false;
    QTimer* zegarPorcji;
};
