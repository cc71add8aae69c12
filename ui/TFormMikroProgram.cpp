#include "TFormMikroProgram.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include "ModelPamieciMikroprogramu.h"
#include "PoleTekstowe.h"
#include "TSymulator.h"

TFormMikroProgram::TFormMikroProgram(TSymulator& symulator, QWidget* parent)
    : QDialog(parent), symulator(symulator) {
    setWindowTitle(QStringLiteral("MikroProgram"));
    resize(508, 412);
    PageControl = new QTabWidget(this);
    Model = new TModelPamieciMikroprogramu(symulator.PamiecMikroprogramu,
                                           TModelPamieciMikroprogramu::TUklad::Tabela, this);
    StringGridKod = new QTableView(this);
    StringGridKod->setModel(Model);
    StringGridKod->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGridKod->setWordWrap(false);
    StringGridKod->verticalHeader()->hide();
    StringGridKod->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGridKod->verticalHeader()->setMinimumSectionSize(18);
    StringGridKod->verticalHeader()->setDefaultSectionSize(18);
    StringGridKod->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    StringGridKod->horizontalHeader()->setFixedHeight(18);
    PageControl->addTab(StringGridKod, QStringLiteral("MikroProgram"));
    Memo1 = PoleTylkoDoOdczytu(this);
    Memo2 = PoleTylkoDoOdczytu(this);
    Memo3 = PoleTylkoDoOdczytu(this);
    PageControl->addTab(Memo1, QStringLiteral("Mikrorozkazy"));
    PageControl->addTab(Memo2, QStringLiteral("Podział"));
    PageControl->addTab(Memo3, QStringLiteral("Wiersze"));
    ButtonZamknij = UlozStronyIZamknij(this, PageControl);
}

void TFormMikroProgram::Odswiez() {
    Model->Odswiez(true);
    DopasujKolumny(StringGridKod, *Model, 4, false);
    WypelnijPole(Memo1, symulator.SladKompilacji.Memo1);
    WypelnijPole(Memo2, symulator.SladKompilacji.Memo2);
    WypelnijPole(Memo3, symulator.SladKompilacji.Memo3);
}
