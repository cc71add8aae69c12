#pragma once
// Panel 4: the processor as registers, flags and a memory listing, with its run buttons.

#include "TRamka.h"

class QToolButton;

class TFrameCPU : public TRamka {
    Q_OBJECT
  public:
    explicit TFrameCPU(TSymulator& symulator, QWidget* parent = nullptr);

    void Odswiez() override { OdswiezCPU(); }
    void OdswiezCPU();

    QToolButton* SpeedButtonTakt;
    QToolButton* SpeedButtonRozkaz;
    QToolButton* SpeedButtonProgram;
    QToolButton* SpeedButtonReset;
    QToolButton* SpeedButtonStop;

  public slots:
    void SpeedButtonTaktClick();
    void SpeedButtonRozkazClick();
    void SpeedButtonProgramClick();
    void SpeedButtonResetClick();
    void SpeedButtonStopClick();

  signals:
    void TekstStatusu(const QString& tekst);
    void ZmianaDostepnosci();

  private:
    bool PrzebiegTrwa() const;
    bool wPrzebiegu = false;
};
