#include "TFrameCPU.h"

#include <QCoreApplication>
#include <QListView>
#include <QListWidget>
#include <QPainter>
#include <QScrollBar>
#include <QSplitter>
#include <QStringListModel>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QWheelEvent>

#include <algorithm>

#include "Liczby.h"
#include "Opisy.h"
#include "TSymulator.h"
#include "TekstyPamieci.h"
#include "Wyglad.h"

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

// The registers of the list, in its order.
struct TRejestrCPU {
    int Slot;
    const char* Nazwa; // padded to four characters
};
constexpr std::array<TRejestrCPU, 5> RejestryCPU = {{
    {Slot::L, "L   "},
    {Slot::AK, "AK  "},
    {Slot::AD, "AD  "},
    {Slot::A, "A   "},
    {Slot::S, "S   "},
}};

// The seven flags, each the run control's condition of that name.
struct TFlagaCPU {
    TWarunek Warunek;
    int Slot; // whose tooltip it has
    const char* Nazwa;
};
constexpr std::array<TFlagaCPU, 7> FlagiCPU = {{
    {TWarunek::Z, Slot::Znak, "Z   "},
    {TWarunek::N, Slot::N, "N   "},
    {TWarunek::Np, Slot::NP, "NP  "},
    {TWarunek::Nm, Slot::NM, "NM  "},
    {TWarunek::Int, Slot::INT, "INT "},
    {TWarunek::Pak, Slot::PAK, "PAK "},
    {TWarunek::Zak, Slot::ZAK, "ZAK "},
}};

// The marks of the listing, each shown where its register points.
struct TZnacznik {
    int Slot;
    const char* Tekst;
};
constexpr std::array<TZnacznik, 10> Znaczniki = {{
    {Slot::L, "L"},
    {Slot::X, "X"},
    {Slot::Y, "Y"},
    {Slot::Z, "Z"},
    {Slot::U, "U"},
    {Slot::V, "V"},
    {Slot::A, "A"},
    {Slot::S, "S"},
    {Slot::AD, "AD"},
    {Slot::AK, "AK"},
}};

enum class TRodzajListy : std::uint8_t { Rejestry, Pamiec, Flagi };

// The lists draw their own lines: a fixed row height, the text at a fixed offset, white
// when selected, and for the registers red while the line carries the change mark.
class TDelegatCPU : public QStyledItemDelegate {
  public:
    TDelegatCPU(TRodzajListy rodzaj, int wysokosc, QObject* rodzic)
        : QStyledItemDelegate(rodzic), rodzaj(rodzaj), wysokosc(wysokosc) {}

    QSize sizeHint(const QStyleOptionViewItem& opcje, const QModelIndex& indeks) const override {
        const QString t = indeks.data().toString();
        return {opcje.fontMetrics.horizontalAdvance(t) + 4, wysokosc};
    }

    void paint(QPainter* p, const QStyleOptionViewItem& opcje,
               const QModelIndex& indeks) const override {
        const bool zaznaczony = opcje.state.testFlag(QStyle::State_Selected);
        QString t = indeks.data().toString();
        QColor kolor = zaznaczony ? QColor(Qt::white) : QColor(Qt::black);
        QPoint poczatek = opcje.rect.topLeft();
        if (rodzaj == TRodzajListy::Rejestry) {
            if (!zaznaczony && t.startsWith(QLatin1Char('+'))) kolor = Qt::red;
            t.remove(0, 1);
        } else if (rodzaj == TRodzajListy::Pamiec) {
            poczatek += QPoint(2, 1);
        }
        p->save();
        p->fillRect(opcje.rect, zaznaczony ? opcje.palette.highlight() : opcje.palette.base());
        p->setFont(opcje.font);
        p->setPen(kolor);
        p->drawText(QRect(poczatek, opcje.rect.bottomRight()),
                    Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, t);
        p->restore();
    }

  private:
    TRodzajListy rodzaj;
    int wysokosc;
};

// Line `i` of a list of fixed length: the item's texts are replaced, never the item.
void UstawLinie(QListWidget* lista, int i, const QString& tekst, const QString& opis) {
    QListWidgetItem* item = lista->item(i);
    if (!item) {
        item = new QListWidgetItem(tekst);
        lista->addItem(item);
    }
    if (item->text() != tekst) item->setText(tekst);
    if (item->toolTip() != opis) item->setToolTip(opis);
}

void UstawWyglad(QListView* lista, TRodzajListy rodzaj, int wysokosc) {
    lista->setFont(CzcionkaStala(12));
    lista->setFrameShape(QFrame::NoFrame);
    QPalette paleta = lista->palette();
    paleta.setColor(QPalette::Base, paleta.color(QPalette::Button));
    lista->setPalette(paleta);
    lista->setUniformItemSizes(true);
    lista->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lista->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lista->setItemDelegate(new TDelegatCPU(rodzaj, wysokosc, lista));
}

QWidget* PustyPanel(QWidget* rodzic, const char* nazwa) {
    auto* p = new QFrame(rodzic);
    p->setObjectName(QString::fromLatin1(nazwa));
    p->setFrameShape(QFrame::NoFrame);
    return p;
}

} // namespace

// The memory listing holds only the rows that are visible.
class TModelPamieciCPU : public QStringListModel {
  public:
    using QStringListModel::QStringListModel;
    Qt::ItemFlags flags(const QModelIndex& indeks) const override {
        return QStringListModel::flags(indeks) & ~Qt::ItemIsEditable;
    }
};

TFrameCPU::TFrameCPU(TSymulator& symulator, QWidget* parent)
    : TRamkaPrzebiegu(symulator, parent, false) {
    setObjectName(QStringLiteral("FrameCPU1"));
    // Left: the listing with its scroll bar above an empty panel. Right: the registers and
    // flags above an empty panel.
    Splitter3 = new QSplitter(Qt::Horizontal, this);
    Splitter3->setObjectName(QStringLiteral("Splitter3"));
    Splitter3->setChildrenCollapsible(false);
    Splitter1 = new QSplitter(Qt::Vertical, Splitter3);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setChildrenCollapsible(false);
    auto* panelPamieci = new QWidget(Splitter1);
    panelPamieci->setObjectName(QStringLiteral("PanelPamiec"));
    auto* ukladPamieci = new QHBoxLayout(panelPamieci);
    ukladPamieci->setContentsMargins(0, 0, 0, 0);
    ukladPamieci->setSpacing(0);
    ListBoxPamiecProgram = new QListView(panelPamieci);
    ListBoxPamiecProgram->setObjectName(QStringLiteral("ListBoxPamiecProgram"));
    UstawWyglad(ListBoxPamiecProgram, TRodzajListy::Pamiec, WysokoscWierszaPamieci);
    ListBoxPamiecProgram->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    modelPamieci = new TModelPamieciCPU(this);
    ListBoxPamiecProgram->setModel(modelPamieci);
    ScrollBar1 = new QScrollBar(Qt::Vertical, panelPamieci);
    ScrollBar1->setObjectName(QStringLiteral("ScrollBar1"));
    ScrollBar1->setFixedWidth(16);
    ScrollBar1->setRange(0, 0);
    ukladPamieci->addWidget(ListBoxPamiecProgram, 1);
    ukladPamieci->addWidget(ScrollBar1);
    Splitter1->addWidget(panelPamieci);
    Splitter1->addWidget(PustyPanel(Splitter1, "PanelPamieciDol"));
    Splitter1->setStretchFactor(0, 1);
    Splitter1->setStretchFactor(1, 0);
    Splitter1->setSizes({400, 103});

    Splitter2 = new QSplitter(Qt::Vertical, Splitter3);
    Splitter2->setObjectName(QStringLiteral("Splitter2"));
    Splitter2->setChildrenCollapsible(false);
    auto* panelRejestrow = new QWidget(Splitter2);
    panelRejestrow->setObjectName(QStringLiteral("PanelRejestry"));
    auto* ukladRejestrow = new QHBoxLayout(panelRejestrow);
    ukladRejestrow->setContentsMargins(0, 0, 0, 0);
    ukladRejestrow->setSpacing(0);
    ListBoxRejestry = new QListWidget(panelRejestrow);
    ListBoxRejestry->setObjectName(QStringLiteral("ListBoxRejestry"));
    UstawWyglad(ListBoxRejestry, TRodzajListy::Rejestry, WysokoscWierszaRejestrow);
    ListBoxFlagi = new QListWidget(panelRejestrow);
    ListBoxFlagi->setObjectName(QStringLiteral("ListBoxFlagi"));
    UstawWyglad(ListBoxFlagi, TRodzajListy::Flagi, WysokoscWierszaRejestrow);
    ListBoxFlagi->setFixedWidth(89);
    ukladRejestrow->addWidget(ListBoxRejestry, 1);
    ukladRejestrow->addWidget(ListBoxFlagi);
    Splitter2->addWidget(panelRejestrow);
    Splitter2->addWidget(PustyPanel(Splitter2, "PanelRejestrowDol"));
    Splitter2->setStretchFactor(0, 0);
    Splitter2->setStretchFactor(1, 1);
    Splitter2->setSizes({129, 400});

    Splitter3->addWidget(Splitter1);
    Splitter3->addWidget(Splitter2);
    Splitter3->setStretchFactor(0, 1);
    Splitter3->setStretchFactor(1, 0);
    Splitter3->setSizes({500, 201});
    UkladTresci->setContentsMargins(0, 0, 0, 0);
    UkladTresci->addWidget(Splitter3);

    // Any change of the listing's height (the panel resized, a splitter moved) changes
    // how many rows it shows; the wheel over it moves the scroll bar.
    ListBoxPamiecProgram->viewport()->installEventFilter(this);
    connect(ScrollBar1, &QScrollBar::valueChanged, this, [this] { OdswiezPamiec(); });
}

// Whichever panel started the run, a hidden panel catches up when it is brought up.
void TFrameCPU::PoZmianieStanu() {
    if (isVisible()) OdswiezCPU();
}

void TFrameCPU::PoCofnieciu() {
    const TMaszyna& m = symulator.Maszyna;
    for (std::size_t i = 0; i < RejestryCPU.size(); ++i)
        pamietane[i] = QString::number(static_cast<std::int32_t>(
            symulator.Historia.WartoscPrzedOstatnim(m, RejestryCPU[i].Slot)));
}

bool TFrameCPU::eventFilter(QObject* obiekt, QEvent* zdarzenie) {
    if (obiekt == ListBoxPamiecProgram->viewport()) {
        if (zdarzenie->type() == QEvent::Resize) {
            OdswiezPamiec();
        } else if (zdarzenie->type() == QEvent::Wheel) {
            QCoreApplication::sendEvent(ScrollBar1, zdarzenie);
            return true;
        }
    }
    return TRamka::eventFilter(obiekt, zdarzenie);
}

// ---- refresh ----

void TFrameCPU::OdswiezCPU() {
    emit TekstStatusu(QLatin1Char(' ') + Q(symulator.Maszyna.BiezacyTekst()));
    OdswiezRejestry();
    OdswiezFlagi();
    OdswiezPamiec();
}

// The lines are rewritten in place: emptying a list and filling it again leaves its
// layout to be redone later, and a repaint in between shows an empty list.
void TFrameCPU::OdswiezRejestry() {
    const TMaszyna& m = symulator.Maszyna;
    for (std::size_t i = 0; i < RejestryCPU.size(); ++i) {
        const QString wartosc = Q(m.WartoscTekst(RejestryCPU[i].Slot));
        const QChar znak = wartosc != pamietane[i] ? QLatin1Char('+') : QLatin1Char(' ');
        UstawLinie(ListBoxRejestry, static_cast<int>(i),
                   znak + QLatin1String(RejestryCPU[i].Nazwa) + wartosc,
                   OpisRejestru(RejestryCPU[i].Slot, jezyk));
        pamietane[i] = wartosc;
    }
}

void TFrameCPU::OdswiezFlagi() {
    const TMaszyna& m = symulator.Maszyna;
    for (std::size_t i = 0; i < FlagiCPU.size(); ++i)
        UstawLinie(ListBoxFlagi, static_cast<int>(i),
                   QLatin1String(FlagiCPU[i].Nazwa) +
                       QLatin1Char(m.WarunekSpelniony(FlagiCPU[i].Warunek) ? '1' : '0'),
                   OpisRejestru(FlagiCPU[i].Slot, jezyk));
}

// Only the tooltips: a refresh would take the change marks away.
void TFrameCPU::UstawJezyk(int n) {
    jezyk = n;
    for (std::size_t i = 0; i < RejestryCPU.size(); ++i)
        if (QListWidgetItem* item = ListBoxRejestry->item(static_cast<int>(i)))
            item->setToolTip(OpisRejestru(RejestryCPU[i].Slot, jezyk));
    for (std::size_t i = 0; i < FlagiCPU.size(); ++i)
        if (QListWidgetItem* item = ListBoxFlagi->item(static_cast<int>(i)))
            item->setToolTip(OpisRejestru(FlagiCPU[i].Slot, jezyk));
}

int TFrameCPU::WidoczneWiersze() const {
    return ListBoxPamiecProgram->viewport()->height() / WysokoscWierszaPamieci;
}

void TFrameCPU::OdswiezPamiec() {
    const TMaszyna& m = symulator.Maszyna;
    const int v = WidoczneWiersze();
    const std::int64_t maska = m.MaskaAdresu();
    // The scroll bar's maximum leaves the last page full; setting it may move the position.
    {
        const QSignalBlocker blokada(ScrollBar1);
        ScrollBar1->setMaximum(static_cast<int>(std::max<std::int64_t>(0, maska + 1 - v)));
        ScrollBar1->setPageStep(std::max(1, v));
    }
    const std::int64_t pierwszy = ScrollBar1->value();
    const std::int64_t ostatni = std::min<std::int64_t>(pierwszy + v - 1, maska);
    const int wiersze = static_cast<int>(std::max<std::int64_t>(0, ostatni - pierwszy + 1));
    if (modelPamieci->rowCount() == wiersze) {
        // The same rows: only the lines that changed are rewritten, in place.
        for (int r = 0; r < wiersze; ++r) {
            const QModelIndex indeks = modelPamieci->index(r);
            const QString linia = LiniaPamieci(static_cast<std::uint32_t>(pierwszy + r));
            if (indeks.data().toString() != linia) modelPamieci->setData(indeks, linia);
        }
        return;
    }
    QStringList linie;
    for (int r = 0; r < wiersze; ++r)
        linie << LiniaPamieci(static_cast<std::uint32_t>(pierwszy + r));
    modelPamieci->setStringList(linie);
    // Laid out now rather than at the next turn of the event loop, so no repaint can
    // come in between and show the listing empty.
    ListBoxPamiecProgram->doItemsLayout();
}

QString TFrameCPU::LiniaPamieci(std::uint32_t a) const {
    const TMaszyna& m = symulator.Maszyna;
    QString t;
    for (const TZnacznik& z : Znaczniki) {
        const QLatin1String znak(z.Tekst);
        t += m.Wartosc(z.Slot) == a ? QString(znak) : QString(znak.size(), QLatin1Char(' '));
    }
    t += QLatin1String("  ");
    t += Q(FormatujLiczbe0x(static_cast<std::int32_t>(a), 16, m.BityAdresu()));
    t += QLatin1String("  ");
    t += Q(TekstKomorki(m.PaO(), a));
    t += QLatin1String("  ");
    t += Q(OpisKomorki(m.PaO(), symulator.ListaRozkazow, a));
    return t;
}

// ---- run buttons ----

// The CPU panel's Takt runs the microprogram also in manual mode (the base's default).
void TFrameCPU::SpeedButtonResetClick() {
    symulator.Reset();
}
