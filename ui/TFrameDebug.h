#pragma once
// Panel 6: the debug log of every machine message and the labels of the last assembly.

#include "TRamka.h"

class QToolButton;

class TFrameDebug : public TRamka {
    Q_OBJECT
  public:
    explicit TFrameDebug(TSymulator& symulator, QWidget* parent = nullptr);

    // Empties the log; the main window's Debug button returns to normal.
    void WyczyscLog();

    QToolButton* SpeedButtonWyczysc;

  public slots:
    void SpeedButtonWyczyscClick() { WyczyscLog(); }

  signals:
    // True when the log received lines since it was last cleared.
    void Nowosci(bool sa);
};
