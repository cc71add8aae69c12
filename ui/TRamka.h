#pragma once
// The small base every panel of the main window shares: a top bar for its buttons, a
// refresh hook the main window calls each time it brings the panel up, and a subscription
// to the owner, through which the panel hears of every change it shows.

#include <QFrame>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QWidget>

#include "SluchaczSymulatora.h"

class TSymulator;

class TRamka : public QWidget, protected TSluchaczSymulatora {
    Q_OBJECT
  public:
    explicit TRamka(TSymulator& symulator, QWidget* parent = nullptr);
    ~TRamka() override;

    // Called by the main window whenever the panel is brought up.
    virtual void Odswiez() {}
    // The interface language changed (1 Polish, 2 English): tooltips and hints follow it.
    virtual void UstawJezyk(int) {}

  protected:
    // A part of the panel that keeps a 4-pixel margin around its content.
    static QWidget* ZMarginesem(QWidget* rodzic, QWidget* tresc);
    static QWidget* ZMarginesem(QWidget* rodzic, QLayout* uklad);

    TSymulator& symulator;
    QFrame* GornyPasek;       // the panel's own top bar
    QHBoxLayout* UkladPaska;  // buttons go here, left to right
    QVBoxLayout* UkladTresci; // the panel's content below the bar
};
