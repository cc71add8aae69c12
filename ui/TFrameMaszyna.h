#pragma once
// Panel 1: the machine schematic with the run buttons, manual mode and the per-tick
// message list.

#include "TRamka.h"

class QListWidget;
class QScrollArea;
class QSplitter;
class QToolButton;

class TFrameMaszyna : public TRamka {
    Q_OBJECT
  public:
    explicit TFrameMaszyna(TSymulator& symulator, QWidget* parent = nullptr);

    void Odswiez() override { OdswiezMaszyne(); }
    void OdswiezMaszyne();
    void RysujMaszyne();

    // The per-tick message list.
    void DodajKomunikat(const QString& tekst);
    void WyczyscKomunikaty();

    QToolButton* SpeedButtonRecznie;
    QToolButton* SpeedButtonTakt;
    QToolButton* SpeedButtonRozkaz;
    QToolButton* SpeedButtonProgram;
    QToolButton* SpeedButtonReset;
    QToolButton* SpeedButtonStop;
    QSplitter* Splitter1;
    QScrollArea* ScrollBox1;
    QWidget* PanelBottom;
    QListWidget* ListBox1;

  public slots:
    void SpeedButtonRecznieClick();
    void SpeedButtonTaktClick();
    void SpeedButtonRozkazClick();
    void SpeedButtonProgramClick();
    void SpeedButtonResetClick();
    void SpeedButtonStopClick();

  private:
    bool PrzebiegTrwa() const;
    bool wPrzebiegu = false;

  signals:
    // Text for the second panel of the main window's status bar.
    void TekstStatusu(const QString& tekst);
    // The run mode or the stop flag may have changed: the main window re-enables commands.
    void ZmianaDostepnosci();
    // The schematic's Reset empties the console as well.
    void WyczyscKonsole();
};
