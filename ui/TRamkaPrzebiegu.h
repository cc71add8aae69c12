#pragma once
// The base of the two panels with run buttons (schematic and CPU): the buttons "Takt",
// "Rozkaz", "Takt wstecz", "Rozkaz wstecz", "Program", "Reset", "Stop" in the top bar and
// the run loop they drive.

#include "TRamka.h"

class QToolButton;
class TPrzebiegOkna;

class TRamkaPrzebiegu : public TRamka {
    Q_OBJECT
  public:
    // `reczny` puts the "Ręcznie" toggle before the run buttons.
    TRamkaPrzebiegu(TSymulator& symulator, QWidget* parent, bool reczny);

    // The run loop the buttons drive; the panel has its own until the main window gives
    // it the one both panels share.
    void UstawPrzebieg(TPrzebiegOkna* p);
    TPrzebiegOkna* Przebieg() const { return przebieg; }

    QToolButton* SpeedButtonRecznie = nullptr;
    QToolButton* SpeedButtonTakt;
    QToolButton* SpeedButtonRozkaz;
    QToolButton* SpeedButtonTaktWstecz;
    QToolButton* SpeedButtonRozkazWstecz;
    QToolButton* SpeedButtonProgram;
    QToolButton* SpeedButtonReset;
    QToolButton* SpeedButtonStop;

  public slots:
    void SpeedButtonTaktClick();
    void SpeedButtonRozkazClick();
    void SpeedButtonTaktWsteczClick();
    void SpeedButtonRozkazWsteczClick();
    void SpeedButtonProgramClick();
    virtual void SpeedButtonResetClick() = 0;
    void SpeedButtonStopClick();

  signals:
    // Text for the second panel of the main window's status bar.
    void TekstStatusu(const QString& tekst);

  protected:
    // Whether "Takt" executes the chosen signals instead of the microprogram.
    virtual bool TaktReczny() const { return false; }
    // From the owner: the machine went back, then anything the panel shows changed.
    void Zmiana(TZmiana co) override;
    // The machine changed; the panel redraws.
    virtual void PoZmianieStanu() = 0;
    // The architecture changed (the widths with it); by default a redraw.
    virtual void PoZmianieArchitektury() { PoZmianieStanu(); }
    // The machine went back; the redraw follows.
    virtual void PoCofnieciu() {}
    // A run started or ended (also one started from the other panel).
    virtual void PoczatekPrzebiegu() {}
    virtual void KoniecPrzebiegu() {}

    TPrzebiegOkna* przebieg = nullptr;
};
