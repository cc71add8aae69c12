#pragma once
// Panel 1: the machine schematic with the run buttons, manual mode, the IRQ buttons and
// the per-tick message list.

#include <QStringList>

#include <cstdint>
#include <string_view>

#include "TRamkaPrzebiegu.h"

class QListWidget;
class QScrollArea;
class QScrollBar;
class QSplitter;
class TObrazMaszyny;

class TFrameMaszyna : public TRamkaPrzebiegu {
    Q_OBJECT
  public:
    explicit TFrameMaszyna(TSymulator& symulator, QWidget* parent = nullptr);

    void Odswiez() override { OdswiezMaszyne(); }
    void UstawJezyk(int n) override;
    // RysujMaszyne, then the memory scroll bar's range.
    void OdswiezMaszyne();
    // The image, the status text and the message list.
    void RysujMaszyne();

    QSplitter* Splitter1;
    QScrollArea* ScrollBox1;
    TObrazMaszyny* Image1;
    QScrollBar* ScrollBarPaO;
    QWidget* Panel_IRQ;
    QWidget* PanelBottom;
    QListWidget* ListBox1;

  public slots:
    void SpeedButtonRecznieClick();
    // Reset also ends a run in progress and empties the console.
    void SpeedButtonResetClick() override;

  protected:
    bool TaktReczny() const override;
    void PoZmianieStanu() override { RysujMaszyne(); }
    void PoZmianieArchitektury() override { OdswiezMaszyne(); }
    void Komunikat(std::string_view tekst) override;
    // The message list shows the messages of the tick the machine went back to.
    void PoCofnieciu() override;
    void PoczatekPrzebiegu() override { wBiegu = true; }
    void KoniecPrzebiegu() override;

  private:
    // The per-tick message list. During a run only the last tick's messages are kept and
    // shown at the next redraw, so a tick costs no list work.
    void BiezaceKomunikaty();
    void PokazKomunikaty();

    bool wBiegu = false;           // messages wait in `komunikaty`
    bool listaNieaktualna = false; // ListBox1 does not show `komunikaty` yet
    QStringList komunikaty;        // of the tick counted `taktKomunikatow`
    std::uint64_t taktKomunikatow = 0;
};
