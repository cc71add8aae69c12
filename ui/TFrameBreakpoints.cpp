#include "TFrameBreakpoints.h"

#include <QCheckBox>

#include "Polecenia.h"
#include "TSymulator.h"

TFrameBreakpoints::TFrameBreakpoints(TSymulator& symulator, QWidget* parent)
    : TRamka(symulator, parent) {
    setObjectName(QStringLiteral("FrameBreakpoints1"));
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
    UkladTresci->addStretch(1);

    connect(SpeedButtonDodaj, &QToolButton::clicked, this,
            &TFrameBreakpoints::SpeedButtonDodajClick);
    connect(SpeedButtonUsun, &QToolButton::clicked, this, &TFrameBreakpoints::SpeedButtonUsunClick);
    connect(CheckBoxIgnoruj, &QCheckBox::toggled, this,
            [this](bool tak) { this->symulator.PunktyZatrzymania.Ignoruj = tak; });
}

void TFrameBreakpoints::OdswiezPunkty() {}

void TFrameBreakpoints::SpeedButtonDodajClick() {}

void TFrameBreakpoints::SpeedButtonUsunClick() {}
