#include "ListaKomunikatow.h"

#include <QPainter>
#include <QPainterPath>
#include <QStyledItemDelegate>

namespace {

class TRysowanieKomunikatu : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& opcje, const QModelIndex& indeks) const override {
        const QString tekst = indeks.data().toString();
        return {20 + opcje.fontMetrics.horizontalAdvance(tekst) + 4,
                TListaKomunikatow::WysokoscWiersza};
    }

    void paint(QPainter* p, const QStyleOptionViewItem& opcje,
               const QModelIndex& indeks) const override {
        const QRect r = opcje.rect;
        const bool wybrany = opcje.state & QStyle::State_Selected;
        p->fillRect(r, opcje.palette.color(wybrany ? QPalette::Highlight : QPalette::Base));
        const int ostatni = indeks.model()->rowCount() - 1;
        int obraz = -1;
        if (indeks.row() == ostatni)
            obraz = 0;
        else if (indeks.row() == 0)
            obraz = 1;
        if (obraz >= 0) p->drawPixmap(r.left() + 2, r.top(), TListaKomunikatow::Obraz(obraz));
        p->setPen(opcje.palette.color(wybrany ? QPalette::HighlightedText : QPalette::Text));
        p->setFont(opcje.font);
        p->drawText(QRect(r.left() + 20, r.top() + 2, r.width() - 20, r.height() - 2),
                    Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, indeks.data().toString());
    }
};

} // namespace

TListaKomunikatow::TListaKomunikatow(QWidget* parent) : QListWidget(parent) {
    setItemDelegate(new TRysowanieKomunikatu(this));
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* w) { emit KomunikatWybrany(w->text()); });
}

void TListaKomunikatow::Dodaj(const QString& tekst) {
    addItem(tekst);
    // The item that was last until now loses its image.
    if (count() > 1) update(visualItemRect(item(count() - 2)));
}

QStringList TListaKomunikatow::Teksty() const {
    QStringList t;
    for (int i = 0; i < count(); ++i)
        t << item(i)->text();
    return t;
}

QPixmap TListaKomunikatow::Obraz(int numer) {
    const qreal skala = 2;
    QPixmap obraz(QSize(16, 16) * skala);
    obraz.setDevicePixelRatio(skala);
    obraz.fill(Qt::transparent);
    QPainter p(&obraz);
    p.setRenderHint(QPainter::Antialiasing);
    if (numer == 1) {
        // Start of a compile: a gear.
        p.translate(8, 8);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x3a, 0x5f, 0x9e));
        for (int z = 0; z < 8; ++z) {
            p.drawRect(QRectF(-1.5, -7.5, 3, 4));
            p.rotate(45);
        }
        p.drawEllipse(QPointF(0, 0), 5, 5);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(0, 0), 2, 2);
    } else {
        // End of a compile, the time line: a clock.
        p.setPen(QPen(QColor(0x2e, 0x7d, 0x32), 1.4));
        p.setBrush(QColor(0xf1, 0xf8, 0xe9));
        p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
        p.setPen(QPen(QColor(0x1b, 0x3a, 0x1c), 1.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(8, 8), QPointF(8, 3.5));
        p.drawLine(QPointF(8, 8), QPointF(11, 9.5));
    }
    return obraz;
}
