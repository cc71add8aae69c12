#pragma once
// Panel 5: the console, the input and output devices and the interrupt requests.

#include "TRamka.h"

class QToolButton;

class TFrameKonsola : public TRamka {
    Q_OBJECT
  public:
    explicit TFrameKonsola(TSymulator& symulator, QWidget* parent = nullptr);

    void Odswiez() override { PokazKonsole(); }
    // Shows the console's parts the current architecture has.
    void PokazKonsole();
    // Empties the output area and the input line.
    void WyczyscKonsole();

    QToolButton* SpeedButtonWyczysc;

  public slots:
    void SpeedButtonWyczyscClick() { WyczyscKonsole(); }
};
