#pragma once
// What the panels with run buttons share: the flat 85 x 25 bar buttons and the loop that
// carries a "Rozkaz" or "Program" command to its end while the window stays responsive.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QString>
#include <QToolButton>

#include "Sterowanie.h"

inline QToolButton* PrzyciskPaska(QWidget* rodzic, const char* nazwa, const QString& napis,
                                  bool przelacznik = false) {
    auto* p = new QToolButton(rodzic);
    p->setObjectName(QString::fromLatin1(nazwa));
    p->setText(napis);
    p->setAutoRaise(true);
    p->setCheckable(przelacznik);
    p->setFixedSize(85, 25);
    p->setFocusPolicy(Qt::NoFocus);
    return p;
}

// Runs the command in slices of about 20 ms and lets the window handle its events between
// them, so Stop, the console and closing the window reach the run. `poRozkazach` is called
// after a slice in which an instruction finished: the views show whole instructions only.
template <class F> void PrzebiegDoKonca(TPrzebieg& przebieg, F&& poRozkazach) {
    QElapsedTimer zegar;
    while (przebieg.Trwa()) {
        zegar.start();
        bool rozkazy = false;
        do
            rozkazy |= przebieg.Porcja(4096).Rozkazy > 0;
        while (przebieg.Trwa() && zegar.elapsed() < 20);
        if (rozkazy) poRozkazach();
        if (przebieg.Trwa()) QCoreApplication::processEvents();
    }
}
