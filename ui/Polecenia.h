#pragma once
// The flat 85 x 25 buttons of the panels' top bars.

#include <QString>
#include <QToolButton>

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
