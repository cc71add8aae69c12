#pragma once
// The breakpoint dialog: what is watched, the relation and the values compared with.

#include <QDialog>

#include "PunktyZatrzymania.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TFormBreakpoint : public QDialog {
    Q_OBJECT
  public:
    explicit TFormBreakpoint(QWidget* parent = nullptr);

    // Both lists filled with their first entries chosen, value 2 and the address hidden,
    // all three fields "0". Runs each time the dialog is shown.
    void FormShow();
    // The record as the dialog holds it; hidden fields are read too, and a field that
    // holds no integer gives 0.
    TPunktZatrzymania Punkt() const;

    QComboBox* ComboBoxCo;
    QComboBox* ComboBoxRelacja;
    QLineEdit* EditWartosc1;
    QLineEdit* EditWartosc2;
    QLineEdit* EditAdres;
    QPushButton* BitBtnZastosuj;
    QPushButton* BitBtnAnuluj;

  protected:
    void showEvent(QShowEvent* zdarzenie) override;

  private:
    void ComboBoxCoChange();
    void ComboBoxRelacjaChange();

    QLabel* LabelWartosc2;
    QLabel* LabelAdres;
};

// A field's text as an integer: decimal, or hexadecimal after "$" or "0x"; 0 otherwise.
std::int32_t LiczbaPola(const QString& tekst);
