#pragma once
// Panel 4: the processor as registers, flags and a memory listing, with its run buttons.

#include "TRamka.h"

#include <QString>

#include <array>
#include <cstdint>

class QListView;
class QListWidget;
class QScrollBar;
class QSplitter;
class QToolButton;
class TModelPamieciCPU;
class TPrzebiegOkna;

class TFrameCPU : public TRamka {
    Q_OBJECT
  public:
    static constexpr int WysokoscWierszaPamieci = 17;
    static constexpr int WysokoscWierszaRejestrow = 15;

    explicit TFrameCPU(TSymulator& symulator, QWidget* parent = nullptr);

    void Odswiez() override { OdswiezCPU(); }
    // Status text, registers with their change marks, flags and the memory listing.
    void OdswiezCPU();
    // The memory listing alone: as many whole rows as fit, from the scroll bar's position.
    void OdswiezPamiec();

    // The run loop the buttons drive; the panel has its own until the main window gives
    // it the one it shares with the schematic.
    void UstawPrzebieg(TPrzebiegOkna* p);
    TPrzebiegOkna* Przebieg() const { return przebieg; }

    // One listing line for address `a`: register marks, address, cell texts, disassembly.
    QString LiniaPamieci(std::uint32_t a) const;
    // Whole rows the listing has room for.
    int WidoczneWiersze() const;

    QToolButton* SpeedButtonTakt;
    QToolButton* SpeedButtonRozkaz;
    QToolButton* SpeedButtonProgram;
    QToolButton* SpeedButtonReset;
    QToolButton* SpeedButtonStop;
    QListView* ListBoxPamiecProgram;
    QScrollBar* ScrollBar1;
    QListWidget* ListBoxRejestry;
    QListWidget* ListBoxFlagi;
    QSplitter* Splitter1; // listing above, empty panel below
    QSplitter* Splitter2; // the two small lists above, empty panel below
    QSplitter* Splitter3; // left and right columns

  public slots:
    void SpeedButtonTaktClick();
    void SpeedButtonRozkazClick();
    void SpeedButtonProgramClick();
    void SpeedButtonResetClick();
    void SpeedButtonStopClick();

  signals:
    void TekstStatusu(const QString& tekst);
    void ZmianaDostepnosci();

  protected:
    bool eventFilter(QObject* obiekt, QEvent* zdarzenie) override;

  private:
    void OdswiezRejestry();
    void OdswiezFlagi();

    TPrzebiegOkna* przebieg = nullptr;
    TModelPamieciCPU* modelPamieci;
    // The value texts of L, AK, AD, A and S at the last refresh.
    std::array<QString, 5> pamietane;
};
