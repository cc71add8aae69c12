#pragma once
// Panel 4: the processor as registers, flags and a memory listing, with its run buttons.

#include "TRamkaPrzebiegu.h"

#include <QString>

#include <array>
#include <cstdint>

class QListView;
class QListWidget;
class QScrollBar;
class QSplitter;
class TModelPamieciCPU;

class TFrameCPU : public TRamkaPrzebiegu {
    Q_OBJECT
  public:
    static constexpr int WysokoscWierszaPamieci = 17;
    static constexpr int WysokoscWierszaRejestrow = 15;

    explicit TFrameCPU(TSymulator& symulator, QWidget* parent = nullptr);

    void Odswiez() override { OdswiezCPU(); }
    void UstawJezyk(int n) override;
    // Status text, registers with their change marks, flags and the memory listing.
    void OdswiezCPU();
    // The memory listing alone: as many whole rows as fit, from the scroll bar's position.
    void OdswiezPamiec();

    // One listing line for address `a`: register marks, address, cell texts, disassembly.
    QString LiniaPamieci(std::uint32_t a) const;
    // Whole rows the listing has room for.
    int WidoczneWiersze() const;

    QListView* ListBoxPamiecProgram;
    QScrollBar* ScrollBar1;
    QListWidget* ListBoxRejestry;
    QListWidget* ListBoxFlagi;
    QSplitter* Splitter1; // listing above, empty panel below
    QSplitter* Splitter2; // the two small lists above, empty panel below
    QSplitter* Splitter3; // left and right columns

  public slots:
    // Unlike the schematic's Reset it leaves the console and a run in progress alone.
    void SpeedButtonResetClick() override;

  protected:
    bool eventFilter(QObject* obiekt, QEvent* zdarzenie) override;
    void PoZmianieStanu() override;
    void PoZmianieArchitektury() override { OdswiezCPU(); }
    // The change marks are those of the tick the machine went back to.
    void PoCofnieciu() override;

  private:
    void OdswiezRejestry();
    void OdswiezFlagi();

    TModelPamieciCPU* modelPamieci;
    // The value texts of L, AK, AD, A and S at the last refresh.
    std::array<QString, 5> pamietane;
    int jezyk = 1;
};
