#include "TFrameBreakpoints.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QMessageBox>
#include <QToolButton>
#include <QTreeWidget>

#include "Polecenia.h"
#include "TFormBreakpoint.h"
#include "TSymulator.h"

TFrameBreakpoints::TFrameBreakpoints(TSymulator& symulator, QWidget* parent)
    : TRamka(symulator, parent) {
    setObjectName(QStringLiteral("FrameBreakpoints1"));
    WykonajModalnie = OtworzModalnie;
    GornyPasek->setObjectName(QStringLiteral("PanelTop"));
    GornyPasek->setFixedHeight(34);
    UkladPaska->setSpacing(0);
    SpeedButtonDodaj = PrzyciskPaska(GornyPasek, "SpeedButtonDodaj", QStringLiteral("Dodaj"));
    SpeedButtonUsun = PrzyciskPaska(GornyPasek, "SpeedButtonUsun", QStringLiteral("Usuń"));
    CheckBoxIgnoruj = new QCheckBox(QStringLiteral("Ignoruj punkty zatrzymania"), GornyPasek);
    CheckBoxIgnoruj->setObjectName(QStringLiteral("CheckBoxIgnoruj"));
    UkladPaska->addWidget(SpeedButtonDodaj);
    UkladPaska->addWidget(SpeedButtonUsun);
    UkladPaska->addSpacing(12);
    UkladPaska->addWidget(CheckBoxIgnoruj);
    UkladPaska->addStretch(1);

    ListViewPunkty = new QTreeWidget(this);
    ListViewPunkty->setObjectName(QStringLiteral("ListViewPunkty"));
    ListViewPunkty->setHeaderLabels({QStringLiteral("ID"), QStringLiteral("Warunek")});
    ListViewPunkty->setRootIsDecorated(false);
    ListViewPunkty->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListViewPunkty->setSelectionMode(QAbstractItemView::SingleSelection);
    ListViewPunkty->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListViewPunkty->setUniformRowHeights(true);
    ListViewPunkty->header()->setMinimumSectionSize(0);
    ListViewPunkty->header()->resizeSection(0, 0);
    ListViewPunkty->header()->setStretchLastSection(true);
    UkladTresci->addWidget(ListViewPunkty);

    FormBreakpoint = new TFormBreakpoint(this);

    connect(SpeedButtonDodaj, &QToolButton::clicked, this,
            &TFrameBreakpoints::SpeedButtonDodajClick);
    connect(SpeedButtonUsun, &QToolButton::clicked, this, &TFrameBreakpoints::SpeedButtonUsunClick);
    connect(CheckBoxIgnoruj, &QCheckBox::toggled, this, [this](bool tak) {
        wlasnaZmiana = true;
        this->symulator.IgnorujPunkty(tak);
        wlasnaZmiana = false;
    });
}

void TFrameBreakpoints::Zmiana(TZmiana co) {
    if (Zawiera(co, TZmiana::PunktyZatrzymania) && !wlasnaZmiana) OdswiezPunkty();
}

void TFrameBreakpoints::OdswiezPunkty() {
    const TPunktyZatrzymania& punkty = symulator.PunktyZatrzymania;
    CheckBoxIgnoruj->setChecked(punkty.Ignoruj);
    ListViewPunkty->clear();
    QList<QTreeWidgetItem*> wiersze;
    for (int k = 1; k <= punkty.Count(); ++k)
        wiersze << new QTreeWidgetItem(
            QStringList{QString::number(k), QString::fromStdString(punkty.OpisPunktu(k))});
    ListViewPunkty->addTopLevelItems(wiersze);
}

void TFrameBreakpoints::Informacja(const QString& tekst) {
    ZapytajRaz(WykonajModalnie,
               new QMessageBox(QMessageBox::Information, QStringLiteral("Informacja"), tekst,
                               QMessageBox::Ok, this));
}

void TFrameBreakpoints::SpeedButtonDodajClick() {
    WykonajModalnie(*FormBreakpoint, [this](int wynik) {
        if (wynik != QDialog::Accepted) return;
        std::string blad;
        // A full list refuses the breakpoint and says why.
        if (!symulator.DodajPunkt(FormBreakpoint->Punkt(), blad))
            Informacja(QString::fromStdString(blad));
    });
}

void TFrameBreakpoints::SpeedButtonUsunClick() {
    const QList<QTreeWidgetItem*> zaznaczone = ListViewPunkty->selectedItems();
    if (zaznaczone.isEmpty()) {
        Informacja(QStringLiteral("Zaznacz punkt zatrzymania do usunięcia!"));
        return;
    }
    const int k = zaznaczone.first()->text(0).toInt();
    auto* pytanie = new QMessageBox(QMessageBox::Question, QStringLiteral("Pytanie"),
                                    QStringLiteral("Usunąć punkt zatrzymania?"),
                                    QMessageBox::Yes | QMessageBox::No, this);
    pytanie->setDefaultButton(QMessageBox::No);
    ZapytajRaz(WykonajModalnie, pytanie, [this, k](int wynik) {
        if (wynik == QMessageBox::No) return;
        symulator.UsunPunkt(k);
    });
}
