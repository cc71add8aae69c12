#include "TLanguages.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QString>
#include <QTranslator>

#include <cstdio>

std::string_view Napis(std::string_view skladnik, int jezyk) {
    if (jezyk != JezykPolski && jezyk != JezykAngielski) return {};
    for (const TNapis& n : Napisy)
        if (n.Skladnik == skladnik) return jezyk == JezykPolski ? n.Polski : n.Angielski;
    return {};
}

void UstawJezyk(int jezyk, const std::function<void(std::string_view, const QString&)>& przypisz) {
    if (jezyk != JezykPolski && jezyk != JezykAngielski) return;
    for (const TNapis& n : Napisy) {
        const std::string_view s = jezyk == JezykPolski ? n.Polski : n.Angielski;
        przypisz(n.Skladnik, QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())));
    }
}

TTlumaczenieQt::TTlumaczenieQt() = default;

TTlumaczenieQt::~TTlumaczenieQt() {
    if (zainstalowane) QCoreApplication::removeTranslator(polskie.get());
}

void TTlumaczenieQt::Ustaw(int jezyk) {
    if (jezyk == JezykAngielski) {
        if (zainstalowane) QCoreApplication::removeTranslator(polskie.get());
        zainstalowane = false;
        return;
    }
    if (jezyk != JezykPolski || zainstalowane) return;
    if (!polskie) {
        const QString katalog = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
        auto t = std::make_unique<QTranslator>();
        if (t->load(QStringLiteral("qtbase_pl"), katalog)) {
            polskie = std::move(t);
        } else if (!brakZgloszony) {
            brakZgloszony = true;
            std::fprintf(stderr,
                         "symulator: brak tłumaczenia Qt „qtbase_pl” w %s (pakiet "
                         "qt6-translations-l10n): przyciski i okna Qt będą po angielsku.\n",
                         katalog.toUtf8().constData());
        }
    }
    if (polskie) zainstalowane = QCoreApplication::installTranslator(polskie.get());
}
