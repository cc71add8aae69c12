#pragma once
// Read-only fixed-pitch text pages of the compile-result and trace windows, and the
// layout those windows share.

#include <QDialog>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>
#include <QTabWidget>
#include <QVBoxLayout>

#include <string>
#include <vector>

#include "Wyglad.h"

inline QPlainTextEdit* PoleTylkoDoOdczytu(QWidget* rodzic) {
    auto* m = new QPlainTextEdit(rodzic);
    m->setReadOnly(true);
    m->setLineWrapMode(QPlainTextEdit::NoWrap);
    m->setFont(CzcionkaStala());
    return m;
}

template <class TLinieTekstu> void WypelnijPole(QPlainTextEdit* m, const TLinieTekstu& linie) {
    QStringList tekst;
    for (const auto& l : linie)
        tekst << QString::fromUtf8(l.data(), static_cast<qsizetype>(l.size()));
    m->setPlainText(tekst.join(QLatin1Char('\n')));
}

// The pages above a "Zamknij" button at the bottom right; returns the button.
inline QPushButton* UlozStronyIZamknij(QDialog* okno, QTabWidget* strony) {
    auto* zamknij = new QPushButton(QStringLiteral("Zamknij"), okno);
    QObject::connect(zamknij, &QPushButton::clicked, okno, &QDialog::accept);
    auto* uklad = new QVBoxLayout(okno);
    uklad->addWidget(strony, 1);
    auto* dol = new QHBoxLayout;
    dol->addStretch(1);
    dol->addWidget(zamknij);
    uklad->addLayout(dol);
    return zamknij;
}
