#include "TLanguages.h"

#include <QString>

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
