#include "Wyglad.h"

#include <QApplication>
#include <QFontInfo>
#include <QStyle>
#include <QStyleFactory>

#include <cstdio>

namespace {

QFont Czcionka(const char* rodzina, QFont::StyleHint wskazowka, int piksele) {
    QFont f(QString::fromLatin1(rodzina));
    f.setStyleHint(wskazowka);
    f.setPixelSize(piksele);
    return f;
}

} // namespace

QFont CzcionkaOgolna() {
    return Czcionka("Liberation Sans", QFont::SansSerif, 12);
}

QFont CzcionkaStala(int piksele) {
    QFont f = Czcionka("Liberation Mono", QFont::Monospace, piksele);
    f.setFixedPitch(true);
    return f;
}

QFont CzcionkaSchematu(int piksele) {
    return Czcionka("Arial", QFont::SansSerif, piksele);
}

std::vector<TWymaganaCzcionka> CzcionkiOkna() {
    return {{CzcionkaOgolna(), QStringLiteral("Liberation Sans")},
            {CzcionkaStala(), QStringLiteral("Liberation Mono")},
            {CzcionkaSchematu(12), QStringLiteral("Liberation Sans")}};
}

QStringList BrakujaceCzcionki(const std::vector<TWymaganaCzcionka>& czcionki) {
    QStringList w;
    for (const TWymaganaCzcionka& c : czcionki) {
        // Without the foundry Qt appends when two foundries give one family ("X [urw]").
        const QString jest = QFontInfo(c.Czcionka).family().section(QStringLiteral(" ["), 0, 0);
        if (jest.compare(c.Rodzina, Qt::CaseInsensitive) == 0) continue;
        const QString nazwa =
            c.Czcionka.family() == c.Rodzina
                ? QStringLiteral("Brak czcionki „%1”").arg(c.Rodzina)
                : QStringLiteral("Czcionka „%1” nie jest „%2”").arg(c.Czcionka.family(), c.Rodzina);
        w << QStringLiteral("%1 (pakiet %2): zamiast niej „%3”, okno wygląda inaczej.")
                 .arg(nazwa, QLatin1String(PakietCzcionek), jest);
    }
    return w;
}

void UstawWyglad(QApplication& aplikacja) {
    // Before any dialog is made: Qt's dialogs follow the window's font, style and language.
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    if (QStyle* styl = QStyleFactory::create(QStringLiteral("Fusion"))) {
        aplikacja.setStyle(styl);
        QApplication::setPalette(styl->standardPalette());
    }
    QApplication::setFont(CzcionkaOgolna());
    for (const QString& linia : BrakujaceCzcionki(CzcionkiOkna()))
        std::fprintf(stderr, "symulator: %s\n", linia.toUtf8().constData());
}
