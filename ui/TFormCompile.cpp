#include "TFormCompile.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "Asembler.h"

namespace {

QPlainTextEdit* Memo(QWidget* rodzic) {
    auto* m = new QPlainTextEdit(rodzic);
    m->setReadOnly(true);
    m->setLineWrapMode(QPlainTextEdit::NoWrap);
    m->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    return m;
}

void Wypelnij(QPlainTextEdit* m, const std::vector<std::string>& linie) {
    QStringList tekst;
    for (const auto& l : linie) tekst << QString::fromStdString(l);
    m->setPlainText(tekst.join(QLatin1Char('\n')));
}

} // namespace

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
    Memo1 = Memo(this);
    Memo2 = Memo(this);
    Memo3 = Memo(this);
    Memo4 = Memo(this);
    Memo5 = Memo(this);
    int n = 2;
    for (QPlainTextEdit* m : {Memo1, Memo2, Memo3, Memo4, Memo5})
        PageControl->addTab(m, QStringLiteral("TabSheet%1").arg(n++));
    ButtonZamknij = new QPushButton(QStringLiteral("Zamknij"), this);
    connect(ButtonZamknij, &QPushButton::clicked, this, &QDialog::accept);

    auto* uklad = new QVBoxLayout(this);
    uklad->addWidget(PageControl, 1);
    auto* dol = new QHBoxLayout;
    dol->addStretch(1);
    dol->addWidget(ButtonZamknij);
    uklad->addLayout(dol);
}

void TFormCompile::Pokaz(const TWynikAsemblacji& wynik) {
    ListView1->clear();
    for (const auto& [nazwa, adres] : wynik.Etykiety)
        ListView1->addTopLevelItem(new QTreeWidgetItem({QString::fromStdString(nazwa), QString::fromStdString(adres)}));
    Wypelnij(Memo1, wynik.Zrodlo);
    Wypelnij(Memo2, wynik.Czyste);
    Wypelnij(Memo3, wynik.Rozmieszczone);
    Wypelnij(Memo4, wynik.Rozwiazane);
    Wypelnij(Memo5, wynik.Slowa);
}
