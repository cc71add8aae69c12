#pragma once
// The architecture dialog: a preset and the two widths, the interrupt and device
// addresses, and the user's own signal set.

#include <QDialog>

#include <array>

class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTableWidget;
class QTabWidget;
class QWidget;
class TSymulator;

class TFormArchitektura : public QDialog {
    Q_OBJECT
  public:
    explicit TFormArchitektura(TSymulator& symulator, QWidget* parent = nullptr);

    // Caption, the current preset's radio button and the two grids; the up-downs keep
    // where they were left.
    void FormShow();
    // The signal list afresh from the architecture, sorted, ticked where a signal exists.
    void TabSheetSygnalyShow();
    // Widths, an empty PaO and the chosen preset; then closes. Nothing is reset or
    // recompiled.
    void BitBtnZastosujClick();
    void BitBtnAnulujClick();

    QTabWidget* PageControl1;
    QWidget* TabSheetTyp;
    QWidget* TabSheetAdresy;
    QWidget* TabSheetSygnaly;
    // In the order of the preset table: K, K+, L, EK, Max, U.
    std::array<QRadioButton*, 6> RadioButtony{};
    QSpinBox* UpDownIleBityAdresowe;
    QSpinBox* UpDownIleBityKodu;
    QTableWidget* StringGrid1; // interrupts
    QTableWidget* StringGrid2; // devices
    QListWidget* CheckListBox1;
    QPushButton* BitBtnAnuluj;
    QPushButton* BitBtnZastosuj;

  protected:
    void showEvent(QShowEvent* zdarzenie) override;
    bool eventFilter(QObject* obiekt, QEvent* zdarzenie) override;
    void resizeEvent(QResizeEvent* zdarzenie) override;

  private:
    void BudujTyp();
    void BudujAdresy();
    void BudujSygnaly();
    // Five columns whatever the list's width.
    void UlozKolumny();

    TSymulator& symulator;
};
