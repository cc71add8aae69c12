#include "ModelPamieciMikroprogramu.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QStyle>
#include <QTableView>

#include "PamiecMikroprogramu.h"

TModelPamieciMikroprogramu::TModelPamieciMikroprogramu(const TPamiecMikroprogramu& pamiec,
                                                       TUklad uklad, QObject* parent)
    : QAbstractTableModel(parent), pamiec(pamiec), uklad(uklad) {}

void TModelPamieciMikroprogramu::Odswiez(bool wszystkie) {
    beginResetModel();
    wiersze.clear();
    wiersze.push_back(-1);
    for (std::int32_t r = 0; r <= pamiec.Rozmiar() - 2; ++r)
        if (wszystkie || !pamiec.Wiersz(r).Rozkaz.empty()) wiersze.push_back(r);
    endResetModel();
}

int TModelPamieciMikroprogramu::rowCount(const QModelIndex& rodzic) const {
    return rodzic.isValid() ? 0 : static_cast<int>(wiersze.size());
}

int TModelPamieciMikroprogramu::columnCount(const QModelIndex& rodzic) const {
    if (rodzic.isValid()) return 0;
    return uklad == TUklad::Panel ? 6 : 7;
}

const std::string& TModelPamieciMikroprogramu::Pole(std::int32_t numer, int kolumna) const {
    const TWierszMikroprogramu& w = pamiec.Wiersz(numer);
    if (uklad == TUklad::Tabela) {
        switch (kolumna) {
        case 0:
            return w.Adres;
        case 1:
            return w.Rozkaz;
        case 2:
            return w.Etykieta;
        case 3:
            return w.Sygnaly;
        case 4:
            return w.Cel0;
        case 5:
            return w.Cel1;
        default:
            return w.Warunek;
        }
    }
    switch (kolumna) {
    case 0:
        return w.Adres;
    case 1:
        return w.Rozkaz;
    case 2:
        return w.Sygnaly;
    case 3:
        return w.Warunek;
    case 4:
        return w.Cel0;
    default:
        return w.Cel1;
    }
}

QVariant TModelPamieciMikroprogramu::data(const QModelIndex& indeks, int rola) const {
    if (!indeks.isValid() || indeks.row() >= rowCount()) return {};
    if (rola != Qt::DisplayRole) return {};
    return QString::fromStdString(
        Pole(wiersze[static_cast<std::size_t>(indeks.row())], indeks.column()));
}

QVariant TModelPamieciMikroprogramu::headerData(int sekcja, Qt::Orientation kierunek,
                                                int rola) const {
    if (kierunek != Qt::Horizontal || rola != Qt::DisplayRole) return {};
    if (uklad == TUklad::Tabela) return QString();
    switch (sekcja) {
    case 1:
        return QStringLiteral("Rozkaz");
    case 2:
        return QStringLiteral("Sygnały");
    case 4:
        return QStringLiteral("=0");
    case 5:
        return QStringLiteral("=1");
    default:
        return QString();
    }
}

int TModelPamieciMikroprogramu::NajszerszyTekst(int kolumna, const QFont& czcionkaKomorek,
                                                const QFont& czcionkaNaglowka,
                                                bool zNaglowkiem) const {
    const QFontMetrics fm(czcionkaKomorek);
    int najszerszy = 0;
    for (std::int32_t numer : wiersze)
        najszerszy = std::max(najszerszy,
                              fm.horizontalAdvance(QString::fromStdString(Pole(numer, kolumna))));
    if (zNaglowkiem)
        najszerszy = std::max(
            najszerszy, QFontMetrics(czcionkaNaglowka)
                            .horizontalAdvance(
                                headerData(kolumna, Qt::Horizontal, Qt::DisplayRole).toString()));
    return najszerszy;
}

void DopasujKolumny(QTableView* widok, const TModelPamieciMikroprogramu& model, int zapas,
                    bool zNaglowkiem) {
    // The cell draws its text inside a focus-frame margin on either side; the widths are
    // measured for the text alone, as a plain text grid measures them.
    const int marginesKomorki =
        2 * (widok->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widok) + 1);
    for (int k = 0; k < model.columnCount(); ++k)
        widok->setColumnWidth(k, model.NajszerszyTekst(k, widok->font(),
                                                       widok->horizontalHeader()->font(),
                                                       zNaglowkiem) +
                                     zapas + marginesKomorki);
}
