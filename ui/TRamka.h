#pragma once
// The small base every panel of the main window shares: a top bar for its buttons and a
// refresh hook the main window calls each time it brings the panel up.

#include <QFrame>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QWidget>

class TSymulator;

class TRamka : public QWidget {
    Q_OBJECT
  public:
    explicit TRamka(TSymulator& symulator, QWidget* parent = nullptr);

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
