#pragma once
// Read-only fixed-pitch text pages of the compile-result and trace windows.

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QStringList>

#include <string>
#include <vector>

inline QPlainTextEdit* PoleTylkoDoOdczytu(QWidget* rodzic) {
    auto* m = new QPlainTextEdit(rodzic);
    m->setReadOnly(true);
    m->setLineWrapMode(QPlainTextEdit::NoWrap);
    m->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    return m;
}

inline void WypelnijPole(QPlainTextEdit* m, const std::vector<std::string>& linie) {
    QStringList tekst;
    for (const auto& l : linie) tekst << QString::fromStdString(l);
    m->setPlainText(tekst.join(QLatin1Char('\n')));
}
