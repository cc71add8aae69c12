#pragma once
// The developer's window: the compiled table with all seven fields and the compiler's
// trace of the last compilation.

#include <QDialog>

class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTableView;
class TModelPamieciMikroprogramu;
class TSymulator;

class TFormMikroProgram : public QDialog {
    Q_OBJECT
  public:
    explicit TFormMikroProgram(TSymulator& symulator, QWidget* parent = nullptr);

    // Takes the table and the trace of the last compilation; the columns are sized to
    // the widest text below the header.
    void Odswiez();

    QTabWidget* PageControl;
    QTableView* StringGridKod;
    TModelPamieciMikroprogramu* Model;
    QPlainTextEdit *Memo1, *Memo2, *Memo3;
    QPushButton* ButtonZamknij;

  private:
    TSymulator& symulator;
};
