#include "EdytorKodu.h"

#include <algorithm>

#include <QPaintEvent>
#include <QPainter>
#include <QTextBlock>

#include "Wyglad.h"

namespace {

class TMargines : public QWidget {
  public:
    explicit TMargines(TEdytorKodu* edytor) : QWidget(edytor), edytor(edytor) {}
    QSize sizeHint() const override { return {edytor->SzerokoscMarginesu(), 0}; }

  protected:
    void paintEvent(QPaintEvent* zdarzenie) override { edytor->RysujMargines(zdarzenie); }

  private:
    TEdytorKodu* edytor;
};

} // namespace

TEdytorKodu::TEdytorKodu(QWidget* parent) : QPlainTextEdit(parent) {
    const QFont czcionka = CzcionkaStala();
    setFont(czcionka);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(false);
    setTabStopDistance(QFontMetricsF(czcionka).horizontalAdvance(QLatin1Char(' ')) * 8);
}

void TEdytorKodu::PokazNumeryLinii(int pierwszy) {
    pierwszyNumer = pierwszy;
    if (!margines) {
        margines = new TMargines(this);
        connect(this, &QPlainTextEdit::blockCountChanged, this, &TEdytorKodu::UstawMargines);
        connect(this, &QPlainTextEdit::updateRequest, this, &TEdytorKodu::PrzewinMargines);
    }
    UstawMargines();
    margines->show();
}

int TEdytorKodu::SzerokoscMarginesu() const {
    if (!margines) return 0;
    int cyfry = 1;
    for (int n = std::max(1, LiczbaLinii() - 1 + pierwszyNumer); n >= 10; n /= 10)
        ++cyfry;
    return 8 + fontMetrics().horizontalAdvance(QLatin1Char('9')) * std::max(cyfry, 2);
}

void TEdytorKodu::UstawMargines() {
    setViewportMargins(SzerokoscMarginesu(), 0, 0, 0);
}

void TEdytorKodu::PrzewinMargines(const QRect& obszar, int dy) {
    if (dy)
        margines->scroll(0, dy);
    else
        margines->update(0, obszar.y(), margines->width(), obszar.height());
    if (obszar.contains(viewport()->rect())) UstawMargines();
}

void TEdytorKodu::resizeEvent(QResizeEvent* zdarzenie) {
    QPlainTextEdit::resizeEvent(zdarzenie);
    if (!margines) return;
    const QRect r = contentsRect();
    margines->setGeometry(QRect(r.left(), r.top(), SzerokoscMarginesu(), viewport()->height()));
}

void TEdytorKodu::RysujMargines(QPaintEvent* zdarzenie) {
    QPainter p(margines);
    p.fillRect(zdarzenie->rect(), palette().color(QPalette::Window));
    p.setPen(palette().color(QPalette::Mid));
    p.drawLine(margines->width() - 1, zdarzenie->rect().top(), margines->width() - 1,
               zdarzenie->rect().bottom());
    const int biezacy = textCursor().blockNumber();
    const int linie = LiczbaLinii();
    QTextBlock blok = firstVisibleBlock();
    int gora = qRound(blockBoundingGeometry(blok).translated(contentOffset()).top());
    int dol = gora + qRound(blockBoundingRect(blok).height());
    while (blok.isValid() && gora <= zdarzenie->rect().bottom()) {
        if (blok.isVisible() && dol >= zdarzenie->rect().top() && blok.blockNumber() < linie) {
            QFont f = font();
            f.setBold(blok.blockNumber() == biezacy);
            p.setFont(f);
            p.setPen(palette().color(blok.blockNumber() == biezacy ? QPalette::WindowText
                                                                   : QPalette::Dark));
            p.drawText(0, gora, margines->width() - 5, fontMetrics().height(), Qt::AlignRight,
                       QString::number(blok.blockNumber() + pierwszyNumer));
        }
        blok = blok.next();
        gora = dol;
        dol = gora + qRound(blockBoundingRect(blok).height());
    }
}

QStringList TEdytorKodu::Linie() const {
    QStringList linie;
    for (QTextBlock b = document()->firstBlock(); b.isValid(); b = b.next())
        linie << b.text();
    // The last block is what follows the final line break; it is a line only when it
    // holds text.
    if (!linie.isEmpty() && linie.back().isEmpty()) linie.removeLast();
    return linie;
}

int TEdytorKodu::LiczbaLinii() const {
    const QTextBlock ostatni = document()->lastBlock();
    return blockCount() - (ostatni.text().isEmpty() ? 1 : 0);
}

void TEdytorKodu::UstawLinie(const QStringList& linie) {
    // No line break after the last line, so the cursor at the end stays on it; only a
    // final empty line needs one, or it would not be a line.
    QString tekst = linie.join(QLatin1Char('\n'));
    if (!linie.isEmpty() && linie.back().isEmpty()) tekst += QLatin1Char('\n');
    setPlainText(tekst);
}

void TEdytorKodu::IdzDoLinii(int numer) {
    const QTextBlock blok = document()->findBlockByNumber(numer - pierwszyNumer);
    if (!blok.isValid()) return;
    QTextCursor k(blok);
    setTextCursor(k);
    centerCursor();
    setFocus(Qt::OtherFocusReason);
}
