#pragma once
// Panel 5: the console, the input and output devices and the interrupt requests.

#include "TRamka.h"

#include <QString>

#include <array>
#include <cstddef>
#include <string>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTimer;
class QToolButton;

class TFrameKonsola : public TRamka {
    Q_OBJECT
  public:
    explicit TFrameKonsola(TSymulator& symulator, QWidget* parent = nullptr);

    void Odswiez() override { PokazKonsole(); }
    void UstawJezyk(int n) override;
    // Shows the console's parts the current architecture has: the interrupt buttons with
    // the interrupts, the output area with the output side of the buffer ("werb"), the
    // input line with its input side ("wyrb").
    void PokazKonsole();
    // Empties the output area and the input line.
    void WyczyscKonsole();
    // Both texts as the console device holds them now. Cheap when nothing changed.
    void OdswiezTeksty();

    QPlainTextEdit* Memo1;
    QLineEdit* Edit1;
    QWidget* Panel_IRQ;
    QLabel* LabelBrak; // shown only when the machine has none of the parts above
    // SpeedButton1 .. SpeedButton8, left to right; index 0 unused.
    std::array<QToolButton*, 9> SpeedButtonIRQ{};
    QToolButton* SpeedButtonWyczysc;

  public slots:
    void SpeedButtonWyczyscClick() { WyczyscKonsole(); }

  protected:
    bool eventFilter(QObject* obiekt, QEvent* zdarzenie) override;
    // Another architecture shows other parts; the owner's changes of the texts show at
    // once, the device's during ticks a moment later.
    void Zmiana(TZmiana co) override;
    void ZmianaKonsoli() override;

  private:
    void Edit1Change(const QString& tekst);
    void Edit1KeyUp();

    QTimer* zegar;
    // The panel's own edit of the input line is on show already.
    bool wlasnaZmiana = false;
    // The input line as it was last shown.
    QString pokazaneWejscie;
    // What the output area shows: its line count, the first line and the last one.
    std::size_t pokazaneLinie = 0;
    std::string pierwszaLinia, ostatniaLinia;
};
