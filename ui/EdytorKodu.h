#pragma once
// A plain-text editor for program and microprogram texts: fixed-pitch font, no word
// wrap, Tab types a tab, and an optional gutter whose numbers match the line numbers the
// assembler reports (it counts from 0).

#include <QPlainTextEdit>
#include <QStringList>

class QPaintEvent;

class TEdytorKodu : public QPlainTextEdit {
    Q_OBJECT
  public:
    explicit TEdytorKodu(QWidget* parent = nullptr);

    // Numbers shown in the gutter start at `pierwszy`; without a call there is no gutter.
    void PokazNumeryLinii(int pierwszy);

    // The text as a line list: a line break at the very end does not start a further,
    // empty line, and an empty editor has no lines.
    QStringList Linie() const;
    // How many lines Linie() gives; the gutter numbers exactly these.
    int LiczbaLinii() const;
    // Replaces the whole text in one step (one undo step, no intermediate state).
    void UstawLinie(const QStringList& linie);
    // Puts the cursor at the start of line `numer` as the gutter numbers it and shows it.
    void IdzDoLinii(int numer);

    int SzerokoscMarginesu() const;
    void RysujMargines(QPaintEvent* zdarzenie);

  protected:
    void resizeEvent(QResizeEvent* zdarzenie) override;

  private:
    void UstawMargines();
    void PrzewinMargines(const QRect& obszar, int dy);

    QWidget* margines = nullptr;
    int pierwszyNumer = 0;
};
