#include "TRamkaPrzebiegu.h"

#include <QToolButton>

#include <algorithm>

#include "Polecenia.h"
#include "TPrzebiegOkna.h"

TRamkaPrzebiegu::TRamkaPrzebiegu(TSymulator& symulator, QWidget* parent, bool reczny)
    : TRamka(symulator, parent) {
    GornyPasek->setObjectName(QStringLiteral("PanelTop"));
    GornyPasek->setFixedHeight(34);
    UkladPaska->setSpacing(0);
    if (reczny) {
        SpeedButtonRecznie =
            PrzyciskPaska(GornyPasek, "SpeedButtonRecznie", QStringLiteral("Ręcznie"), true);
        UkladPaska->addWidget(SpeedButtonRecznie);
    }
    SpeedButtonTakt = PrzyciskPaska(GornyPasek, "SpeedButtonTakt", QStringLiteral("Takt [F7]"));
    SpeedButtonRozkaz =
        PrzyciskPaska(GornyPasek, "SpeedButtonRozkaz", QStringLiteral("Rozkaz [F8]"));
    SpeedButtonTaktWstecz =
        PrzyciskPaska(GornyPasek, "SpeedButtonTaktWstecz", QStringLiteral("Takt wstecz"));
    SpeedButtonTaktWstecz->setToolTip(QStringLiteral("Takt wstecz [Shift+F7]"));
    SpeedButtonRozkazWstecz =
        PrzyciskPaska(GornyPasek, "SpeedButtonRozkazWstecz", QStringLiteral("Rozkaz wstecz"));
    SpeedButtonRozkazWstecz->setToolTip(QStringLiteral("Rozkaz wstecz [Shift+F8]"));
    // The keys are in the tooltips; the caption alone may still outgrow the bar's width.
    for (QToolButton* p : {SpeedButtonTaktWstecz, SpeedButtonRozkazWstecz})
        p->setFixedWidth(std::max(85, p->fontMetrics().horizontalAdvance(p->text()) + 12));
    SpeedButtonProgram =
        PrzyciskPaska(GornyPasek, "SpeedButtonProgram", QStringLiteral("Program [F9]"));
    SpeedButtonReset = PrzyciskPaska(GornyPasek, "SpeedButtonReset", QStringLiteral("Reset"));
    SpeedButtonStop = PrzyciskPaska(GornyPasek, "SpeedButtonStop", QStringLiteral("Stop"));
    for (QToolButton* p :
         {SpeedButtonTakt, SpeedButtonRozkaz, SpeedButtonTaktWstecz, SpeedButtonRozkazWstecz,
          SpeedButtonProgram, SpeedButtonReset, SpeedButtonStop})
        UkladPaska->addWidget(p);
    UkladPaska->addStretch(1);

    connect(SpeedButtonTakt, &QToolButton::clicked, this, &TRamkaPrzebiegu::SpeedButtonTaktClick);
    connect(SpeedButtonRozkaz, &QToolButton::clicked, this,
            &TRamkaPrzebiegu::SpeedButtonRozkazClick);
    connect(SpeedButtonTaktWstecz, &QToolButton::clicked, this,
            &TRamkaPrzebiegu::SpeedButtonTaktWsteczClick);
    connect(SpeedButtonRozkazWstecz, &QToolButton::clicked, this,
            &TRamkaPrzebiegu::SpeedButtonRozkazWsteczClick);
    connect(SpeedButtonProgram, &QToolButton::clicked, this,
            &TRamkaPrzebiegu::SpeedButtonProgramClick);
    connect(SpeedButtonReset, &QToolButton::clicked, this, &TRamkaPrzebiegu::SpeedButtonResetClick);
    connect(SpeedButtonStop, &QToolButton::clicked, this, &TRamkaPrzebiegu::SpeedButtonStopClick);

    UstawPrzebieg(new TPrzebiegOkna(symulator, this));
}

void TRamkaPrzebiegu::UstawPrzebieg(TPrzebiegOkna* p) {
    if (przebieg) {
        disconnect(przebieg, nullptr, this, nullptr);
        if (przebieg->parent() == this) przebieg->deleteLater();
    }
    przebieg = p;
    connect(p, &TPrzebiegOkna::PoczatekPrzebiegu, this, [this](TPolecenie polecenie) {
        PoczatekPrzebiegu();
        if (polecenie == TPolecenie::Rozkaz) SpeedButtonStop->show();
    });
    connect(p, &TPrzebiegOkna::KoniecPrzebiegu, this, [this](TPolecenie polecenie) {
        KoniecPrzebiegu();
        if (polecenie == TPolecenie::Rozkaz) SpeedButtonStop->hide();
    });
    if (p->Trwa())
        PoczatekPrzebiegu();
    else
        KoniecPrzebiegu();
}

void TRamkaPrzebiegu::Zmiana(TZmiana co) {
    if (Zawiera(co, TZmiana::Cofniecie)) PoCofnieciu();
    if (Zawiera(co, TZmiana::Architektura))
        PoZmianieArchitektury();
    else if (Zawiera(co, TZmiana::StanMaszyny | TZmiana::Pamiec | TZmiana::Rozkazy))
        PoZmianieStanu();
}

void TRamkaPrzebiegu::SpeedButtonTaktClick() {
    przebieg->Takt(TaktReczny());
}
void TRamkaPrzebiegu::SpeedButtonRozkazClick() {
    przebieg->Rozkaz();
}
void TRamkaPrzebiegu::SpeedButtonTaktWsteczClick() {
    przebieg->TaktWstecz();
}
void TRamkaPrzebiegu::SpeedButtonRozkazWsteczClick() {
    przebieg->RozkazWstecz();
}
void TRamkaPrzebiegu::SpeedButtonProgramClick() {
    przebieg->Program();
}
void TRamkaPrzebiegu::SpeedButtonStopClick() {
    przebieg->Stop();
}
