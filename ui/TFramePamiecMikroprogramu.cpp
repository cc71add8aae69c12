#include "TFramePamiecMikroprogramu.h"

#include <QButtonGroup>
#include <QHeaderView>
#include <QTableView>
#include <QToolButton>

#include "ModelPamieciMikroprogramu.h"
#include "TSymulator.h"

namespace {
constexpr int WysokoscWiersza = 18;
}

TFramePamiecMikroprogramu::TFramePamiecMikroprogramu(TSymulator& symulator, QWidget* parent)
    : TRamka(symulator, parent) {
    auto przycisk = [this](const QString& napis) {
        auto* b = new QToolButton(GornyPasek);
        b->setText(napis);
        b->setAutoRaise(true);
        b->setCheckable(true);
        b->setMinimumHeight(26);
        UkladPaska->addWidget(b);
        return b;
    };
    SpeedButtonWszystkie = przycisk(QStringLiteral("Pokaż wszystkie"));
    SpeedButtonWszystkie->setObjectName(QStringLiteral("SpeedButtonWszystkie"));
    SpeedButtonUkryjPuste = przycisk(QStringLiteral("Ukryj puste wiersze"));
    SpeedButtonUkryjPuste->setObjectName(QStringLiteral("SpeedButtonUkryjPuste"));
    UkladPaska->addStretch(1);
    auto* grupa = new QButtonGroup(this);
    grupa->setExclusive(true);
    grupa->addButton(SpeedButtonWszystkie);
    grupa->addButton(SpeedButtonUkryjPuste);
    SpeedButtonWszystkie->setChecked(true);
    connect(SpeedButtonWszystkie, &QToolButton::clicked, this, [this] { Odswiez(true); });
    connect(SpeedButtonUkryjPuste, &QToolButton::clicked, this, [this] { Odswiez(false); });

    Model = new TModelPamieciMikroprogramu(symulator.PamiecMikroprogramu,
                                           TModelPamieciMikroprogramu::TUklad::Panel, this);
    StringGridPamiecMikroprogramu = new QTableView(this);
    StringGridPamiecMikroprogramu->setObjectName(QStringLiteral("StringGridPamiecMikroprogramu"));
    StringGridPamiecMikroprogramu->setModel(Model);
    StringGridPamiecMikroprogramu->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGridPamiecMikroprogramu->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGridPamiecMikroprogramu->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGridPamiecMikroprogramu->setWordWrap(false);
    StringGridPamiecMikroprogramu->verticalHeader()->hide();
    StringGridPamiecMikroprogramu->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // The minimum first: the default is clamped to it, and a header left to compute its
    // own minimum from the font would push the rows up.
    StringGridPamiecMikroprogramu->verticalHeader()->setMinimumSectionSize(WysokoscWiersza);
    StringGridPamiecMikroprogramu->verticalHeader()->setDefaultSectionSize(WysokoscWiersza);
    StringGridPamiecMikroprogramu->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft |
                                                                           Qt::AlignVCenter);
    StringGridPamiecMikroprogramu->horizontalHeader()->setHighlightSections(false);
    StringGridPamiecMikroprogramu->horizontalHeader()->setStretchLastSection(false);
    UkladTresci->addWidget(StringGridPamiecMikroprogramu);
}

void TFramePamiecMikroprogramu::Odswiez(bool wszystkie) {
    Model->Odswiez(wszystkie);
}

void TFramePamiecMikroprogramu::Odswiez() {
    Odswiez(SpeedButtonWszystkie->isChecked());
    DopasujKolumny(StringGridPamiecMikroprogramu, *Model, 6, true);
}

void TFramePamiecMikroprogramu::Zmiana(TZmiana co) {
    if (Zawiera(co, TZmiana::Architektura)) Odswiez();
}

void TFramePamiecMikroprogramu::PokazWszystkie() {
    SpeedButtonWszystkie->setChecked(true);
    Odswiez(true);
}

void TFramePamiecMikroprogramu::UkryjPuste() {
    SpeedButtonUkryjPuste->setChecked(true);
    Odswiez(false);
}
