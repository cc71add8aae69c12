#pragma once
// Panel 7: the breakpoint list with "Dodaj", "Usuń" and the switch that ignores them all.

#include "TRamka.h"

class QCheckBox;
class QToolButton;

class TFrameBreakpoints : public TRamka {
    Q_OBJECT
  public:
    explicit TFrameBreakpoints(TSymulator& symulator, QWidget* parent = nullptr);

    void Odswiez() override { OdswiezPunkty(); }
    // Rebuilds the list from the machine's breakpoints.
    void OdswiezPunkty();

    QToolButton* SpeedButtonDodaj;
    QToolButton* SpeedButtonUsun;
    QCheckBox* CheckBoxIgnoruj;

  public slots:
    void SpeedButtonDodajClick();
    void SpeedButtonUsunClick();
};
