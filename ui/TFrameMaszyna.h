#pragma once
// Panel 1: the machine schematic with the run buttons, manual mode, the IRQ buttons and
// the per-tick message list.

#include <QStringList>

#include "TRamka.h"

class QListWidget;
class QScrollArea;
class QScrollBar;
class QSplitter;
class QToolButton;
class TObrazMaszyny;
class TPrzebiegOkna;

class TFrameMaszyna : public TRamka {
    Q_OBJECT
  public:
    explicit TFrameMaszyna(TSymulator& symulator, QWidget* parent = nullptr);

    void Odswiez() override { OdswiezMaszyne(); }
    // RysujMaszyne, then the memory scroll bar's range.
    void OdswiezMaszyne();
    // The image, the status text and the message list.
    void RysujMaszyne();

    // The run loop the buttons drive; the panel has its own until the main window gives
    // it the one it shares with the CPU panel.
    void UstawPrzebieg(TPrzebiegOkna* p);
    TPrzebiegOkna* Przebieg() const { return przebieg; }

    // The per-tick message list. During a run only the last tick's messages are kept and
    // shown at the next redraw, so a tick costs no list work.
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
    TObrazMaszyny* Image1;
    QScrollBar* ScrollBarPaO;
    QWidget* Panel_IRQ;
    QWidget* PanelBottom;
    QListWidget* ListBox1;

  public slots:
    void SpeedButtonRecznieClick();
    void SpeedButtonTaktClick();
    void SpeedButtonRozkazClick();
    void SpeedButtonProgramClick();
    void SpeedButtonResetClick();
    void SpeedButtonStopClick();

  signals:
    // Text for the second panel of the main window's status bar.
    void TekstStatusu(const QString& tekst);
    // The run mode or the stop flag may have changed: the main window re-enables commands.
    void ZmianaDostepnosci();
    // The schematic's Reset empties the console as well.
    void WyczyscKonsole();

  private:
    void PokazKomunikaty();

    TPrzebiegOkna* przebieg = nullptr;
    bool wBiegu = false;           // messages wait in `komunikaty`
    bool listaNieaktualna = false; // ListBox1 does not show `komunikaty` yet
    bool listaPusta = true;
    QStringList komunikaty;
};
