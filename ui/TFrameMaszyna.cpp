#include "TFrameMaszyna.h"

#include <QListWidget>
#include <QScrollArea>
#include <QSplitter>
#include <QToolButton>

#include "TObrazMaszyny.h"
#include "TPrzebiegOkna.h"
#include "TSymulator.h"

TFrameMaszyna::TFrameMaszyna(TSymulator& symulator, QWidget* parent)
    : TRamkaPrzebiegu(symulator, parent, true) {
    setObjectName(QStringLiteral("FrameMaszyna1"));
    // The schematic above, the message list below, a splitter between them.
    Splitter1 = new QSplitter(Qt::Vertical, this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setHandleWidth(2);
    Splitter1->setChildrenCollapsible(false);
    ScrollBox1 = new QScrollArea(Splitter1);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    ScrollBox1->setWidgetResizable(true);
    // The image 4 pixels from the top, centred while the box is wider than it.
    auto* tlo = new QWidget;
    auto* uklad = new QHBoxLayout(tlo);
    uklad->setContentsMargins(4, 4, 4, 4);
    Image1 = new TObrazMaszyny(symulator, tlo);
    uklad->addWidget(Image1, 0, Qt::AlignHCenter | Qt::AlignTop);
    ScrollBox1->setWidget(tlo);
    ScrollBarPaO = Image1->ScrollBarPaO;
    Panel_IRQ = Image1->Panel_IRQ;

    PanelBottom = new QWidget(Splitter1);
    PanelBottom->setObjectName(QStringLiteral("PanelBottom"));
    auto* dol = new QVBoxLayout(PanelBottom);
    dol->setContentsMargins(4, 4, 4, 4);
    ListBox1 = new QListWidget(PanelBottom);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setFocusPolicy(Qt::NoFocus);
    dol->addWidget(ListBox1);
    Splitter1->addWidget(ScrollBox1);
    Splitter1->addWidget(PanelBottom);
    Splitter1->setStretchFactor(0, 1);
    Splitter1->setStretchFactor(1, 0);
    Splitter1->setSizes({485, 61});
    UkladTresci->setContentsMargins(0, 0, 0, 0);
    UkladTresci->addWidget(Splitter1);

    connect(Image1, &TObrazMaszyny::TekstStatusu, this, &TFrameMaszyna::TekstStatusu);
    connect(SpeedButtonRecznie, &QToolButton::clicked, this,
            &TFrameMaszyna::SpeedButtonRecznieClick);
}

void TFrameMaszyna::KoniecPrzebiegu() {
    wBiegu = false;
    PokazKomunikaty();
}

void TFrameMaszyna::OdswiezMaszyne() {
    PokazKomunikaty();
    Image1->OdswiezMaszyne();
}

void TFrameMaszyna::RysujMaszyne() {
    PokazKomunikaty();
    Image1->RysujMaszyne();
}

// The list shows the last tick's messages: a message of a newer tick than those held
// starts the list again, and a tick without messages leaves it empty at the next redraw.
// Telling ticks apart by the machine's count spares every tick a call.
void TFrameMaszyna::BiezaceKomunikaty() {
    const std::uint64_t takt = symulator.Maszyna.NumerTaktu();
    if (taktKomunikatow == takt) return;
    taktKomunikatow = takt;
    if (komunikaty.isEmpty()) return;
    komunikaty.clear();
    listaNieaktualna = true;
}

void TFrameMaszyna::PokazKomunikaty() {
    BiezaceKomunikaty();
    if (!listaNieaktualna) return;
    listaNieaktualna = false;
    ListBox1->clear();
    ListBox1->addItems(komunikaty);
}

void TFrameMaszyna::PoCofnieciu() {
    komunikaty.clear();
    for (const std::string& k : symulator.Historia.KomunikatyOstatniego(symulator.Dziennik))
        komunikaty << QString::fromStdString(k);
    taktKomunikatow = symulator.Maszyna.NumerTaktu();
    listaNieaktualna = true;
}

// During a run the list waits for the next redraw; otherwise it shows the message at once.
void TFrameMaszyna::Komunikat(std::string_view tekst) {
    BiezaceKomunikaty();
    const QString t = QString::fromUtf8(tekst.data(), static_cast<qsizetype>(tekst.size()));
    komunikaty << t;
    if (wBiegu)
        listaNieaktualna = true;
    else if (listaNieaktualna)
        PokazKomunikaty();
    else
        ListBox1->addItem(t);
}

// Unlike the menu's item it also clears the chosen signals, and so redraws.
void TFrameMaszyna::SpeedButtonRecznieClick() {
    const TTrybPracy tryb = symulator.StanPracy.TrybPracy;
    if (tryb == TTrybPracy::Program) return;
    symulator.UstawTrybPracy(tryb == TTrybPracy::Reczny ? TTrybPracy::Bezczynny
                                                        : TTrybPracy::Reczny);
    symulator.WyczyscWybraneSygnaly();
}

bool TFrameMaszyna::TaktReczny() const {
    return symulator.StanPracy.TrybPracy == TTrybPracy::Reczny;
}

void TFrameMaszyna::SpeedButtonResetClick() {
    przebieg->Stop();
    symulator.Reset();
    symulator.WyczyscKonsole();
}

void TFrameMaszyna::UstawJezyk(int n) {
    Image1->UstawJezyk(n);
}
