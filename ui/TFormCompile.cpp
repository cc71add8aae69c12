#include "TFormCompile.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "Asembler.h"
#include "PoleTekstowe.h"

TFormCompile::TFormCompile(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("FormCompile"));
    resize(520, 420);
    PageControl = new QTabWidget(this);
    ListView1 = new QTreeWidget(this);
    ListView1->setRootIsDecorated(false);
    ListView1->setHeaderLabels({QStringLiteral("Etykieta"), QStringLiteral("Adres")});
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    PageControl->addTab(ListView1, QStringLiteral("TabSheet1"));
    Memo1 = PoleTylkoDoOdczytu(this);
    Memo2 = PoleTylkoDoOdczytu(this);
    Memo3 = PoleTylkoDoOdczytu(this);
    Memo4 = PoleTylkoDoOdczytu(this);
    Memo5 = PoleTylkoDoOdczytu(this);
    int n = 2;
    for (QPlainTextEdit* m : {Memo1, Memo2, Memo3, Memo4, Memo5})
        PageControl->addTab(m, QStringLiteral("TabSheet%1").arg(n++));
    ButtonZamknij = UlozStronyIZamknij(this, PageControl);
}

void TFormCompile::Pokaz(const TWynikAsemblacji& wynik) {
    ListView1->clear();
    for (const auto& [nazwa, adres] : wynik.Etykiety)
        ListView1->addTopLevelItem(
            new QTreeWidgetItem({QString::fromStdString(nazwa), QString::fromStdString(adres)}));
    WypelnijPole(Memo1, wynik.Zrodlo);
    WypelnijPole(Memo2, wynik.Czyste);
    WypelnijPole(Memo3, wynik.Rozmieszczone);
    WypelnijPole(Memo4, wynik.Rozwiazane);
    WypelnijPole(Memo5, wynik.Slowa);
}
