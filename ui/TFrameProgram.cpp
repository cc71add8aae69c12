#include "TFrameProgram.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QRegularExpression>
#include <QSplitter>
#include <QTableWidget>
#include <QToolButton>

#include "EdytorKodu.h"
#include "ListaKomunikatow.h"
#include "Podswietlanie.h"
#include "TFormCompile.h"
#include "TSymulator.h"

namespace {
constexpr int WysokoscWiersza = 18;
} // namespace

TFrameProgram::TFrameProgram(TSymulator& symulator, QWidget* parent) : TRamka(symulator, parent) {
    GornyPasek->setFixedHeight(34);
    SpeedButtonKompiluj = new QToolButton(GornyPasek);
    SpeedButtonKompiluj->setObjectName(QStringLiteral("SpeedButtonKompiluj"));
    SpeedButtonKompiluj->setText(QStringLiteral("Kompiluj"));
    SpeedButtonKompiluj->setIcon(QIcon(TListaKomunikatow::Obraz(1)));
    SpeedButtonKompiluj->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    SpeedButtonKompiluj->setAutoRaise(true);
    SpeedButtonKompiluj->setToolTip(QStringLiteral("Kompiluj program (Ctrl+F9)"));
    UkladPaska->addWidget(SpeedButtonKompiluj);
    SpeedButton2 = new QToolButton(GornyPasek);
    SpeedButton2->setText(QStringLiteral("Debug"));
    SpeedButton2->setAutoRaise(true);
    SpeedButton2->hide();
    UkladPaska->addWidget(SpeedButton2);
    ComboBoxProgram = new QComboBox(GornyPasek);
    ComboBoxProgram->hide();
    UkladPaska->addWidget(ComboBoxProgram);
    UkladPaska->addStretch(1);

    Memo2 = new TEdytorKodu(this);
    Memo2->setObjectName(QStringLiteral("Memo2"));
    Memo2->PokazNumeryLinii(0);
    podswietlanie = new TPodswietlanieProgramu(Memo2->document());

    StringGrid_IRQ = new QTableWidget(8, 2, this);
    StringGrid_IRQ->setObjectName(QStringLiteral("StringGrid_IRQ"));
    StringGrid_IRQ->setHorizontalHeaderLabels({QString(), QStringLiteral("Etykieta")});
    StringGrid_IRQ->verticalHeader()->hide();
    StringGrid_IRQ->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid_IRQ->verticalHeader()->setMinimumSectionSize(WysokoscWiersza);
    StringGrid_IRQ->verticalHeader()->setDefaultSectionSize(WysokoscWiersza);
    StringGrid_IRQ->horizontalHeader()->setFixedHeight(WysokoscWiersza + 1);
    StringGrid_IRQ->horizontalHeader()->setHighlightSections(false);
    StringGrid_IRQ->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid_IRQ->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The labels are fixed ("int1" .. "int8"); the grid names them, it does not edit them.
    StringGrid_IRQ->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid_IRQ->setSelectionMode(QAbstractItemView::NoSelection);
    StringGrid_IRQ->setFocusPolicy(Qt::NoFocus);

    ListBox1 = new TListaKomunikatow(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    connect(ListBox1, &TListaKomunikatow::KomunikatWybrany, this, &TFrameProgram::IdzDoKomunikatu);

    PanelIRQ = ZMarginesem(this, StringGrid_IRQ);
    PanelIRQ->layout()->setAlignment(StringGrid_IRQ, Qt::AlignTop | Qt::AlignLeft);
    PanelInfo = ZMarginesem(this, ListBox1);
    auto* poziomy = new QSplitter(Qt::Horizontal);
    poziomy->addWidget(ZMarginesem(this, Memo2));
    poziomy->addWidget(PanelIRQ);
    poziomy->setStretchFactor(0, 1);
    poziomy->setStretchFactor(1, 0);
    poziomy->setSizes({565, 185});
    auto* pionowy = new QSplitter(Qt::Vertical);
    pionowy->addWidget(poziomy);
    pionowy->addWidget(PanelInfo);
    pionowy->setStretchFactor(0, 1);
    pionowy->setStretchFactor(1, 0);
    pionowy->setSizes({500, 109});
    UkladTresci->setContentsMargins(0, 0, 0, 0);
    UkladTresci->addWidget(pionowy);

    FormCompile = new TFormCompile(this);

    connect(SpeedButtonKompiluj, &QToolButton::clicked, this,
            &TFrameProgram::SpeedButtonKompilujClick);
    connect(SpeedButton2, &QToolButton::clicked, this, &TFrameProgram::SpeedButton2Click);
    connect(ComboBoxProgram, &QComboBox::activated, this, &TFrameProgram::WybierzProgram);
    OdswiezProgram();
}

void TFrameProgram::OdswiezProgram() {
    QSet<QString> nazwy;
    for (int i = 1; i <= symulator.ListaRozkazow.Count(); ++i)
        nazwy.insert(QString::fromStdString(symulator.ListaRozkazow[i].Nazwa));
    podswietlanie->UstawMnemoniki(nazwy);

    if (!symulator.Architektura.Element(TKomponent::Przerwania)) {
        PanelIRQ->hide();
        return;
    }
    for (int i = 1; i <= 8; ++i) {
        auto* nazwa = new QTableWidgetItem(QStringLiteral("Przerwanie nr %1").arg(i));
        nazwa->setBackground(palette().color(QPalette::Button));
        StringGrid_IRQ->setItem(i - 1, 0, nazwa);
        StringGrid_IRQ->setItem(
            i - 1, 1,
            new QTableWidgetItem(QString::fromStdString(
                symulator.Architektura.Przerwania[static_cast<std::size_t>(i)].Etykieta)));
    }
    const int marginesKomorki = 2 * (StringGrid_IRQ->style()->pixelMetric(
                                         QStyle::PM_FocusFrameHMargin, nullptr, StringGrid_IRQ) +
                                     1);
    const int szerokosc =
        StringGrid_IRQ->fontMetrics().horizontalAdvance(StringGrid_IRQ->item(0, 0)->text()) + 6 +
        marginesKomorki;
    StringGrid_IRQ->setColumnWidth(0, szerokosc);
    StringGrid_IRQ->setColumnWidth(1, szerokosc);
    StringGrid_IRQ->setFixedSize(2 * szerokosc + 6, 9 * (WysokoscWiersza + 1) + 4);
    StringGrid_IRQ->show();
    PanelIRQ->show();
}

std::vector<std::string> TFrameProgram::LinieProgramu() const {
    std::vector<std::string> linie;
    for (const QString& l : Memo2->Linie())
        linie.push_back(l.toStdString());
    return linie;
}

void TFrameProgram::UstawLinieProgramu(const std::vector<std::string>& linie) {
    QStringList l;
    for (const auto& s : linie)
        l << QString::fromStdString(s);
    Memo2->UstawLinie(l);
}

void TFrameProgram::WypelnijListeProgramow() {
    ComboBoxProgram->clear();
    for (int i = 1; i <= symulator.ListaProgramow.Count(); ++i)
        ComboBoxProgram->addItem(QString::fromStdString(symulator.ListaProgramow[i].Nazwa));
}

void TFrameProgram::WybierzProgram() {
    // A name no entry bears leaves the editor as it is.
    symulator.WybierzProgram(ComboBoxProgram->currentText().toStdString());
}

void TFrameProgram::Zmiana(TZmiana co) {
    if (Zawiera(co, TZmiana::Architektura | TZmiana::Rozkazy)) OdswiezProgram();
    if (Zawiera(co, TZmiana::Program)) UstawLinieProgramu(symulator.ZrodloProgramu);
}

void TFrameProgram::SpeedButtonKompilujClick() {
    ListBox1->clear();
    ListBox1->Dodaj(QStringLiteral("Kompilacja"));
    const std::vector<std::string> zrodlo = LinieProgramu();
    QElapsedTimer czas;
    czas.start();
    symulator.KompilujProgram(zrodlo);
    const qint64 d = czas.elapsed();
    for (const auto& k : symulator.WynikAsemblacji.Komunikaty)
        ListBox1->Dodaj(QString::fromStdString(k));
    ListBox1->Dodaj(d == 0 ? QStringLiteral("Czas kompilacji: poniżej 1 ms")
                           : QStringLiteral("Czas kompilacji: %1 ms").arg(d));
    symulator.Reset();
    emit Skompilowano();
}

void TFrameProgram::SpeedButton2Click() {
    FormCompile->Pokaz(symulator.WynikAsemblacji);
    WykonajModalnie(*FormCompile, [](int) {});
}

void TFrameProgram::IdzDoKomunikatu(const QString& tekst) {
    // Assembler messages carry the source line counted from 0: "[Błąd] ...(N): ...".
    static const QRegularExpression wzor(QStringLiteral("^\\[Błąd\\] \\.\\.\\.\\((\\d+)\\)"));
    const auto m = wzor.match(tekst);
    if (m.hasMatch()) Memo2->IdzDoLinii(m.captured(1).toInt());
}
