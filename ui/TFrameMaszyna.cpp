#include "TFrameMaszyna.h"

#include <QListWidget>
#include <QScrollArea>
#include <QSplitter>
#include <QToolButton>

#include "Polecenia.h"
#include "TSymulator.h"

TFrameMaszyna::TFrameMaszyna(TSymulator& symulator, QWidget* parent) : TRamka(symulator, parent) {
    setObjectName(QStringLiteral("FrameMaszyna1"));
    GornyPasek->setObjectName(QStringLiteral("PanelTop"));
    GornyPasek->setFixedHeight(34);
    UkladPaska->setSpacing(0);
    SpeedButtonRecznie =
        PrzyciskPaska(GornyPasek, "SpeedButtonRecznie", QStringLiteral("Ręcznie"), true);
    SpeedButtonTakt = PrzyciskPaska(GornyPasek, "SpeedButtonTakt", QStringLiteral("Takt [F7]"));
    SpeedButtonRozkaz =
        PrzyciskPaska(GornyPasek, "SpeedButtonRozkaz", QStringLiteral("Rozkaz [F8]"));
    SpeedButtonProgram =
        PrzyciskPaska(GornyPasek, "SpeedButtonProgram", QStringLiteral("Program [F9]"));
    SpeedButtonReset = PrzyciskPaska(GornyPasek, "SpeedButtonReset", QStringLiteral("Reset"));
    SpeedButtonStop = PrzyciskPaska(GornyPasek, "SpeedButtonStop", QStringLiteral("Stop"));
    for (QToolButton* p : {SpeedButtonRecznie, SpeedButtonTakt, SpeedButtonRozkaz,
                           SpeedButtonProgram, SpeedButtonReset, SpeedButtonStop})
        UkladPaska->addWidget(p);
    UkladPaska->addStretch(1);

    // The schematic above, the message list below, a splitter between them.
    Splitter1 = new QSplitter(Qt::Vertical, this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setHandleWidth(2);
    Splitter1->setChildrenCollapsible(false);
    ScrollBox1 = new QScrollArea(Splitter1);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setFrameShape(QFrame::NoFrame);
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

    connect(SpeedButtonRecznie, &QToolButton::clicked, this,
            &TFrameMaszyna::SpeedButtonRecznieClick);
    connect(SpeedButtonTakt, &QToolButton::clicked, this, &TFrameMaszyna::SpeedButtonTaktClick);
    connect(SpeedButtonRozkaz, &QToolButton::clicked, this, &TFrameMaszyna::SpeedButtonRozkazClick);
    connect(SpeedButtonProgram, &QToolButton::clicked, this,
            &TFrameMaszyna::SpeedButtonProgramClick);
    connect(SpeedButtonReset, &QToolButton::clicked, this, &TFrameMaszyna::SpeedButtonResetClick);
    connect(SpeedButtonStop, &QToolButton::clicked, this, &TFrameMaszyna::SpeedButtonStopClick);
}

void TFrameMaszyna::OdswiezMaszyne() {
    RysujMaszyne();
}

void TFrameMaszyna::RysujMaszyne() {
    emit TekstStatusu(QLatin1Char(' ') + QString::fromStdString(symulator.Maszyna.BiezacyTekst()));
}

void TFrameMaszyna::DodajKomunikat(const QString& tekst) {
    ListBox1->addItem(tekst);
}

void TFrameMaszyna::WyczyscKomunikaty() {
    ListBox1->clear();
}

void TFrameMaszyna::SpeedButtonRecznieClick() {
    TStanPracy& stan = symulator.StanPracy;
    stan.TrybPracy = stan.TrybPracy == 1 ? 0 : 1;
    emit ZmianaDostepnosci();
    symulator.Maszyna.WyczyscWybrane();
    RysujMaszyne();
}

void TFrameMaszyna::SpeedButtonTaktClick() {
    if (PolecenieTakt(symulator.Maszyna, symulator.StanPracy.TrybPracy == 1) == 0) return;
    RysujMaszyne();
    emit ZmianaDostepnosci();
}

// A second run must not start inside a running one.
bool TFrameMaszyna::PrzebiegTrwa() const {
    return wPrzebiegu || symulator.StanPracy.TrybPracy == 2;
}

void TFrameMaszyna::SpeedButtonRozkazClick() {
    if (PrzebiegTrwa()) return;
    TPrzebieg przebieg(symulator.Maszyna, TPolecenie::Rozkaz);
    if (!przebieg.Trwa()) return;
    wPrzebiegu = true;
    SpeedButtonStop->show();
    PrzebiegDoKonca(przebieg, [] {});
    wPrzebiegu = false;
    RysujMaszyne();
    SpeedButtonStop->hide();
    emit ZmianaDostepnosci();
}

void TFrameMaszyna::SpeedButtonProgramClick() {
    if (PrzebiegTrwa()) return;
    TPrzebieg przebieg(symulator.Maszyna, TPolecenie::Program);
    if (!przebieg.Trwa()) return;
    wPrzebiegu = true;
    emit ZmianaDostepnosci();
    PrzebiegDoKonca(przebieg, [this] { RysujMaszyne(); });
    wPrzebiegu = false;
    RysujMaszyne();
    emit ZmianaDostepnosci();
}

void TFrameMaszyna::SpeedButtonResetClick() {
    symulator.StanPracy.ZadanieStopu = true;
    symulator.Maszyna.Reset();
    emit WyczyscKonsole();
    RysujMaszyne();
    emit ZmianaDostepnosci();
}

void TFrameMaszyna::SpeedButtonStopClick() {
    symulator.StanPracy.ZadanieStopu = true;
}
