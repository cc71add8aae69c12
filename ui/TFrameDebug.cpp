#include "TFrameDebug.h"

#include <QFontDatabase>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSplitter>
#include <QTextCursor>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include "Polecenia.h"
#include "TSymulator.h"

TFrameDebug::TFrameDebug(TSymulator& symulator, QWidget* parent) : TRamka(symulator, parent) {
    setObjectName(QStringLiteral("FrameDebug1"));
    GornyPasek->setObjectName(QStringLiteral("PanelTop"));
    GornyPasek->setFixedHeight(34);
    SpeedButtonWyczysc = PrzyciskPaska(GornyPasek, "SpeedButtonWyczysc", QStringLiteral("Wyczyść"));
    UkladPaska->addWidget(SpeedButtonWyczysc);
    UkladPaska->addStretch(1);

    Splitter1 = new QSplitter(Qt::Vertical, this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setChildrenCollapsible(false);
    MemoDebug = new QPlainTextEdit;
    MemoDebug->setObjectName(QStringLiteral("MemoDebug"));
    MemoDebug->setReadOnly(true);
    MemoDebug->setLineWrapMode(QPlainTextEdit::NoWrap);
    MemoDebug->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MemoDebug->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ListViewEtykiety = new QTreeWidget;
    ListViewEtykiety->setObjectName(QStringLiteral("ListViewEtykiety"));
    ListViewEtykiety->setHeaderLabels({QStringLiteral("Etykieta"), QStringLiteral("Adres")});
    ListViewEtykiety->setRootIsDecorated(false);
    ListViewEtykiety->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListViewEtykiety->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListViewEtykiety->setUniformRowHeights(true);
    ListViewEtykiety->header()->resizeSection(0, 160);
    Splitter1->addWidget(ZMarginesem(Splitter1, MemoDebug));
    Splitter1->addWidget(ZMarginesem(Splitter1, ListViewEtykiety));
    Splitter1->setStretchFactor(0, 1);
    Splitter1->setStretchFactor(1, 1);
    UkladTresci->setContentsMargins(0, 0, 0, 0);
    UkladTresci->addWidget(Splitter1);

    zegar = new QTimer(this);
    zegar->setSingleShot(true);
    zegar->setInterval(50);
    connect(zegar, &QTimer::timeout, this, [this] {
        if (isVisible()) OdswiezLog();
    });
    connect(SpeedButtonWyczysc, &QToolButton::clicked, this, &TFrameDebug::SpeedButtonWyczyscClick);
}

void TFrameDebug::Odswiez() {
    OdswiezLog();
}

void TFrameDebug::DopiszDoLogu() {
    if (!zegar->isActive()) zegar->start();
}

void TFrameDebug::Zmiana(TZmiana co) {
    if (Zawiera(co, TZmiana::Dziennik)) DopiszDoLogu();
}

void TFrameDebug::Komunikat(std::string_view) {
    DopiszDoLogu();
    emit Nowosci(true);
}

void TFrameDebug::WyczyscLog() {
    symulator.WyczyscDziennik();
    MemoDebug->clear();
    pokazaneLinie = 0;
    pokazanePominiete = 0;
    wersja = symulator.Dziennik.Wersja();
    emit Nowosci(false);
}

void TFrameDebug::OdswiezLog() {
    const TDziennik& d = symulator.Dziennik;
    if (d.Wersja() == wersja) return;
    wersja = d.Wersja();
    OdswiezEtykiety();

    // New lines are appended; once old ones were dropped the note at the top changes and
    // the whole log is shown afresh.
    const std::vector<std::string> linie = d.Linie();
    const bool dopisz = d.Pominiete() == pokazanePominiete && linie.size() >= pokazaneLinie;
    QString tekst;
    for (std::size_t i = dopisz ? pokazaneLinie : 0; i < linie.size(); ++i) {
        if (i > 0) tekst += QLatin1Char('\n');
        tekst += QString::fromStdString(linie[i]);
    }
    if (dopisz) {
        if (!tekst.isEmpty()) {
            QTextCursor c(MemoDebug->document());
            c.movePosition(QTextCursor::End);
            c.insertText(tekst);
        }
    } else {
        MemoDebug->setPlainText(tekst);
    }
    pokazaneLinie = linie.size();
    pokazanePominiete = d.Pominiete();
    MemoDebug->verticalScrollBar()->setValue(MemoDebug->verticalScrollBar()->maximum());
}

void TFrameDebug::OdswiezEtykiety() {
    const auto& etykiety = symulator.Dziennik.Etykiety();
    if (etykiety == pokazaneEtykiety) return;
    pokazaneEtykiety = etykiety;
    ListViewEtykiety->clear();
    QList<QTreeWidgetItem*> wiersze;
    for (const auto& [nazwa, adres] : etykiety)
        wiersze << new QTreeWidgetItem(
            QStringList{QString::fromStdString(nazwa), QString::fromStdString(adres)});
    ListViewEtykiety->addTopLevelItems(wiersze);
}
