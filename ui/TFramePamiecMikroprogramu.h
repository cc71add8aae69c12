#pragma once
// The microprogram memory view: the compiled rows as run control will execute them,
// all of them or without the empty ones. A snapshot: refilled by the refresh and the two
// buttons only.

#include "TRamka.h"

class QTableView;
class QToolButton;
class TModelPamieciMikroprogramu;

class TFramePamiecMikroprogramu : public TRamka {
    Q_OBJECT
  public:
    explicit TFramePamiecMikroprogramu(TSymulator& symulator, QWidget* parent = nullptr);

    // Panel refresh: the rows by the button that is down, then every column sized to its
    // widest text, header included.
    void Odswiez() override;
    // Copies the table into the grid; the column widths stay.
    void Odswiez(bool wszystkie);

    QToolButton* SpeedButtonWszystkie;
    QToolButton* SpeedButtonUkryjPuste;
    QTableView* StringGridPamiecMikroprogramu;
    TModelPamieciMikroprogramu* Model;

  public slots:
    // The menu commands: put the button down and run its action.
    void PokazWszystkie();
    void UkryjPuste();

  protected:
    // Another architecture: the snapshot is taken anew.
    void Zmiana(TZmiana co) override;
};
