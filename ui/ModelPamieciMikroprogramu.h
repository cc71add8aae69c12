#pragma once
// The microprogram memory as a table model: it keeps only which rows to show and reads
// their texts from TPamiecMikroprogramu when the view paints them.

#include <QAbstractTableModel>
#include <QFont>
#include <vector>

class TPamiecMikroprogramu;
class QTableView;

class TModelPamieciMikroprogramu : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum class TUklad {
        Panel,  // the memory view: address, "Rozkaz", "Sygnały", condition, "=0", "=1"
        Tabela, // the developer's table: the seven fields in their order, empty header
    };

    TModelPamieciMikroprogramu(const TPamiecMikroprogramu& pamiec, TUklad uklad,
                               QObject* parent = nullptr);

    // Takes the rows anew: the fetch row, then rows 0.. in order, all of them or only
    // those that belong to an instruction.
    void Odswiez(bool wszystkie);
    // Row number in the memory of view row `wiersz`.
    std::int32_t NumerWiersza(int wiersz) const {
        return wiersze[static_cast<std::size_t>(wiersz)];
    }

    int rowCount(const QModelIndex& rodzic = {}) const override;
    int columnCount(const QModelIndex& rodzic = {}) const override;
    QVariant data(const QModelIndex& indeks, int rola) const override;
    QVariant headerData(int sekcja, Qt::Orientation kierunek, int rola) const override;

    // Width of the widest text of column `kolumna`, the header text too when asked.
    int NajszerszyTekst(int kolumna, const QFont& czcionkaKomorek, const QFont& czcionkaNaglowka,
                        bool zNaglowkiem) const;

  private:
    const std::string& Pole(std::int32_t wiersz, int kolumna) const;

    const TPamiecMikroprogramu& pamiec;
    TUklad uklad;
    std::vector<std::int32_t> wiersze;
};

// Sets every column of `widok` to its widest text plus `zapas` pixels besides the cell's
// own margins.
void DopasujKolumny(QTableView* widok, const TModelPamieciMikroprogramu& model, int zapas,
                    bool zNaglowkiem);
