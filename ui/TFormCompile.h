#pragma once
// The compile-result window: the assembler's label table and its five line lists.
// A developer's window; its captions are not translated.

#include <QDialog>

class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTreeWidget;
struct TWynikAsemblacji;

class TFormCompile : public QDialog {
    Q_OBJECT
  public:
    explicit TFormCompile(QWidget* parent = nullptr);

    // Fills the pages from what the last assembly left.
    void Pokaz(const TWynikAsemblacji& wynik);

    QTabWidget* PageControl;
    QTreeWidget* ListView1;                                // labels
    QPlainTextEdit *Memo1, *Memo2, *Memo3, *Memo4, *Memo5; // source, clean, placed, resolved, words
    QPushButton* ButtonZamknij;
};
