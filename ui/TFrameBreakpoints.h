#pragma once
// Panel 7: the breakpoint list with "Dodaj", "Usuń" and the switch that ignores them all.

#include "Modalnie.h"
#include "TRamka.h"

#include <functional>

class QCheckBox;
class QDialog;
class QToolButton;
class QTreeWidget;
class TFormBreakpoint;

class TFrameBreakpoints : public TRamka {
    Q_OBJECT
  public:
    explicit TFrameBreakpoints(TSymulator& symulator, QWidget* parent = nullptr);

    void Odswiez() override { OdswiezPunkty(); }
    // Rebuilds the list from the machine's breakpoints.
    void OdswiezPunkty();

    // The dialog and the message boxes run through this (OtworzModalnie by default); the
    // main window hands in its own, so tests answer them all in one place.
    TWykonajModalnie WykonajModalnie;

    QToolButton* SpeedButtonDodaj;
    QToolButton* SpeedButtonUsun;
    QCheckBox* CheckBoxIgnoruj;
    // Columns "ID" (zero width, the breakpoint's number) and "Warunek".
    QTreeWidget* ListViewPunkty;
    TFormBreakpoint* FormBreakpoint;

  public slots:
    void SpeedButtonDodajClick();
    void SpeedButtonUsunClick();

  protected:
    void Zmiana(TZmiana co) override;

  private:
    void Informacja(const QString& tekst);

    // The switch's own change is on show already.
    bool wlasnaZmiana = false;
};
