#include "TFormArchitektura.h"

#include <QEvent>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStyle>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "Presety.h"
#include "TSymulator.h"

namespace {

QString Q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// Component names of the radio buttons, in the order of the preset table.
constexpr std::array<const char*, 6> NazwyRadia = {"RadioButtonK",   "RadioButtonKPlus",
                                                   "RadioButtonL",   "RadioButtonEK",
                                                   "RadioButtonMax", "RadioButtonU"};
static_assert(NazwyRadia.size() == Presety.size());

QSpinBox* UpDown(QWidget* rodzic, const char* nazwa, int od, int doWartosci) {
    auto* u = new QSpinBox(rodzic);
    u->setObjectName(QString::fromLatin1(nazwa));
    u->setRange(od, doWartosci);
    u->setValue(od);
    u->setWrapping(false);
    u->setFixedWidth(56);
    return u;
}

QTableWidgetItem* Komorka(const QString& tekst, bool edytowalna) {
    auto* k = new QTableWidgetItem(tekst);
    if (!edytowalna) k->setFlags(k->flags() & ~Qt::ItemIsEditable);
    return k;
}

} // namespace

TFormArchitektura::TFormArchitektura(TSymulator& symulator, QWidget* parent)
    : QDialog(parent), symulator(symulator) {
    setObjectName(QStringLiteral("FormArchitektura"));
    setWindowTitle(QStringLiteral("Architektura"));
    setModal(true);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    BudujTyp();
    BudujAdresy();
    BudujSygnaly();

    BitBtnAnuluj = new QPushButton(QStringLiteral("Anuluj"), this);
    BitBtnAnuluj->setObjectName(QStringLiteral("BitBtnAnuluj"));
    BitBtnAnuluj->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    BitBtnZastosuj = new QPushButton(QStringLiteral("Zastosuj"), this);
    BitBtnZastosuj->setObjectName(QStringLiteral("BitBtnZastosuj"));
    BitBtnZastosuj->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));
    BitBtnZastosuj->setDefault(true);
    connect(BitBtnAnuluj, &QPushButton::clicked, this, &TFormArchitektura::BitBtnAnulujClick);
    connect(BitBtnZastosuj, &QPushButton::clicked, this, &TFormArchitektura::BitBtnZastosujClick);

    auto* uklad = new QVBoxLayout(this);
    uklad->addWidget(PageControl1, 1);
    auto* dol = new QHBoxLayout;
    dol->addStretch(1);
    dol->addWidget(BitBtnAnuluj);
    dol->addWidget(BitBtnZastosuj);
    uklad->addLayout(dol);
    resize(520, 420);
}

void TFormArchitektura::BudujTyp() {
    TabSheetTyp = new QWidget(PageControl1);
    TabSheetTyp->setObjectName(QStringLiteral("TabSheetTyp"));
    auto* uklad = new QVBoxLayout(TabSheetTyp);

    auto* grupa = new QGroupBox(TabSheetTyp);
    auto* ukladGrupy = new QVBoxLayout(grupa);
    for (std::size_t i = 0; i < Presety.size(); ++i) {
        auto* r = new QRadioButton(Q(Presety[i].Etykieta), grupa);
        r->setObjectName(QString::fromLatin1(NazwyRadia[i]));
        ukladGrupy->addWidget(r);
        RadioButtony[i] = r;
    }
    uklad->addWidget(grupa);

    auto* szerokosci = new QGridLayout;
    UpDownIleBityAdresowe = UpDown(TabSheetTyp, "UpDownIleBityAdresowe", 5, 24);
    UpDownIleBityKodu = UpDown(TabSheetTyp, "UpDownIleBityKodu", 3, 8);
    szerokosci->addWidget(new QLabel(QStringLiteral("Ilość bitów adresowych"), TabSheetTyp), 0, 0);
    szerokosci->addWidget(UpDownIleBityAdresowe, 0, 1);
    szerokosci->addWidget(new QLabel(QStringLiteral("Ilość bitów kodu"), TabSheetTyp), 1, 0);
    szerokosci->addWidget(UpDownIleBityKodu, 1, 1);
    szerokosci->setColumnStretch(2, 1);
    uklad->addLayout(szerokosci);
    uklad->addStretch(1);
    PageControl1->addTab(TabSheetTyp, QStringLiteral("Typ"));
}

void TFormArchitektura::BudujAdresy() {
    TabSheetAdresy = new QWidget(PageControl1);
    TabSheetAdresy->setObjectName(QStringLiteral("TabSheetAdresy"));
    auto* uklad = new QGridLayout(TabSheetAdresy);

    // The fixed row and column are the headers.
    StringGrid1 = new QTableWidget(8, 2, TabSheetAdresy);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setHorizontalHeaderLabels({QStringLiteral("Etykieta"), QStringLiteral("Adres")});
    QStringList wiersze;
    for (int i = 1; i <= 8; ++i)
        wiersze << QStringLiteral("Przerwanie nr %1").arg(i);
    StringGrid1->setVerticalHeaderLabels(wiersze);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->verticalHeader()->setDefaultSectionSize(20);
    StringGrid1->horizontalHeader()->setStretchLastSection(true);

    StringGrid2 = new QTableWidget(2, 1, TabSheetAdresy);
    StringGrid2->setObjectName(QStringLiteral("StringGrid2"));
    StringGrid2->setHorizontalHeaderLabels({QStringLiteral("Adres")});
    StringGrid2->setVerticalHeaderLabels(
        {QStringLiteral("Urządzenie wejściowe"), QStringLiteral("Urządzenie wyjściowe")});
    StringGrid2->verticalHeader()->setDefaultSectionSize(20);
    StringGrid2->horizontalHeader()->setStretchLastSection(true);
    StringGrid2->setMaximumHeight(20 * 2 + StringGrid2->horizontalHeader()->sizeHint().height() +
                                  4);

    auto* uwagi = new QVBoxLayout;
    uwagi->addWidget(new QLabel(QStringLiteral("Klawiatura - 8 bit"), TabSheetAdresy));
    uwagi->addWidget(new QLabel(QStringLiteral("Dzielenie przez zero - 1 bit"), TabSheetAdresy));
    uwagi->addStretch(1);

    uklad->addWidget(StringGrid1, 0, 0);
    uklad->addLayout(uwagi, 0, 1);
    uklad->addWidget(StringGrid2, 1, 0);
    uklad->setColumnStretch(0, 1);
    uklad->setRowStretch(0, 1);
    PageControl1->addTab(TabSheetAdresy, QStringLiteral("Adresy"));
}

void TFormArchitektura::BudujSygnaly() {
    TabSheetSygnaly = new QWidget(PageControl1);
    TabSheetSygnaly->setObjectName(QStringLiteral("TabSheetSygnaly"));
    auto* uklad = new QVBoxLayout(TabSheetSygnaly);
    CheckListBox1 = new QListWidget(TabSheetSygnaly);
    CheckListBox1->setObjectName(QStringLiteral("CheckListBox1"));
    CheckListBox1->setSortingEnabled(true);
    // Columns filled top to bottom, as a check list with five columns.
    CheckListBox1->setFlow(QListView::TopToBottom);
    CheckListBox1->setWrapping(true);
    CheckListBox1->setResizeMode(QListView::Adjust);
    CheckListBox1->setUniformItemSizes(true);
    CheckListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    // Always room for five columns of 13 names, so nothing spills over to the right.
    CheckListBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    CheckListBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    CheckListBox1->setMinimumHeight(
        (LiczbaSygnalow + 4) / 5 * (CheckListBox1->fontMetrics().height() + 4) + 4);
    uklad->addWidget(CheckListBox1);
    PageControl1->addTab(TabSheetSygnaly, QStringLiteral("Sygnały"));
    // The list is filled each time its tab becomes visible.
    TabSheetSygnaly->installEventFilter(this);
    CheckListBox1->viewport()->installEventFilter(this);
}

void TFormArchitektura::UlozKolumny() {
    // Rows of equal height share the list's height, so the names fill five columns.
    const int wiersze = std::max(1, (CheckListBox1->count() + 4) / 5);
    const int wysokosc = std::max(CheckListBox1->fontMetrics().height() + 4,
                                  (CheckListBox1->viewport()->height() - 2) / wiersze);
    const int szerokosc = std::max(40, (CheckListBox1->viewport()->width() - 2) / 5);
    CheckListBox1->setGridSize(QSize(szerokosc, wysokosc));
}

void TFormArchitektura::resizeEvent(QResizeEvent* zdarzenie) {
    QDialog::resizeEvent(zdarzenie);
    UlozKolumny();
}

bool TFormArchitektura::eventFilter(QObject* obiekt, QEvent* zdarzenie) {
    if (obiekt == TabSheetSygnaly && zdarzenie->type() == QEvent::Show) TabSheetSygnalyShow();
    if (obiekt == CheckListBox1->viewport() && zdarzenie->type() == QEvent::Resize) UlozKolumny();
    return QDialog::eventFilter(obiekt, zdarzenie);
}

void TFormArchitektura::showEvent(QShowEvent* zdarzenie) {
    FormShow();
    QDialog::showEvent(zdarzenie);
}

void TFormArchitektura::FormShow() {
    setWindowTitle(QStringLiteral("Architektura"));
    // The status bar's preset name picks the radio button; a name it does not know (a
    // machine file's signals keep the old name) leaves the choice as it was.
    for (std::size_t i = 0; i < Presety.size(); ++i)
        if (symulator.NazwaPresetu == Presety[i].Nazwa) RadioButtony[i]->setChecked(true);

    const TArchitektura& a = symulator.Architektura;
    for (int i = 1; i <= 8; ++i) {
        const TPrzerwanie& p = a.Przerwania[static_cast<std::size_t>(i)];
        StringGrid1->setItem(i - 1, 0, Komorka(QString::fromStdString(p.Etykieta), false));
        StringGrid1->setItem(i - 1, 1, Komorka(QString::number(p.Adres), false));
    }
    for (int i = 1; i <= 2; ++i)
        StringGrid2->setItem(
            i - 1, 0,
            Komorka(QString::number(a.Urzadzenia[static_cast<std::size_t>(i)].Adres), true));
}

void TFormArchitektura::TabSheetSygnalyShow() {
    CheckListBox1->setUpdatesEnabled(false);
    CheckListBox1->clear();
    const TArchitektura& a = symulator.Architektura;
    for (int s = 1; s <= LiczbaSygnalow; ++s) {
        auto* item = new QListWidgetItem(Q(NazwySygnalow[static_cast<std::size_t>(s)]));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(a.Jest(s) ? Qt::Checked : Qt::Unchecked);
        CheckListBox1->addItem(item);
    }
    CheckListBox1->setUpdatesEnabled(true);
    UlozKolumny();
}

void TFormArchitektura::BitBtnZastosujClick() {
    TWyborArchitektury wybor;
    wybor.BityAdresu = UpDownIleBityAdresowe->value();
    wybor.BityKodu = UpDownIleBityKodu->value();
    wybor.Preset.clear();
    for (std::size_t i = 0; i < Presety.size(); ++i) {
        if (!RadioButtony[i]->isChecked()) continue;
        wybor.Preset = std::string(Presety[i].Nazwa);
        // Only the items of the list's last filling count; an unfilled list keeps the
        // signals as they are.
        if (Presety[i].Sygnaly.empty())
            for (int k = 0; k < CheckListBox1->count(); ++k) {
                const QListWidgetItem* item = CheckListBox1->item(k);
                wybor.Sygnaly.emplace_back(item->text().toStdString(),
                                           item->checkState() == Qt::Checked);
            }
        break;
    }
    symulator.ZastosujArchitekture(wybor);
    accept();
}

void TFormArchitektura::BitBtnAnulujClick() {
    reject();
}
