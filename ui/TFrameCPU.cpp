#include "TFrameCPU.h"

#include "Polecenia.h"
#include "TSymulator.h"

TFrameCPU::TFrameCPU(TSymulator& symulator, QWidget* parent) : TRamka(symulator, parent) {
    setObjectName(QStringLiteral("FrameCPU1"));
    GornyPasek->setObjectName(QStringLiteral("PanelTop"));
    GornyPasek->setFixedHeight(34);
    UkladPaska->setSpacing(0);
    SpeedButtonTakt = PrzyciskPaska(GornyPasek, "SpeedButtonTakt", QStringLiteral("Takt [F7]"));
    SpeedButtonRozkaz =
        PrzyciskPaska(GornyPasek, "SpeedButtonRozkaz", QStringLiteral("Rozkaz [F8]"));
    SpeedButtonProgram =
        PrzyciskPaska(GornyPasek, "SpeedButtonProgram", QStringLiteral("Program [F9]"));
    SpeedButtonReset = PrzyciskPaska(GornyPasek, "SpeedButtonReset", QStringLiteral("Reset"));
    SpeedButtonStop = PrzyciskPaska(GornyPasek, "SpeedButtonStop", QStringLiteral("Stop"));
    for (QToolButton* p : {SpeedButtonTakt, SpeedButtonRozkaz, SpeedButtonProgram, SpeedButtonReset,
                           SpeedButtonStop})
        UkladPaska->addWidget(p);
    UkladPaska->addStretch(1);
    UkladTresci->addStretch(1);

    connect(SpeedButtonTakt, &QToolButton::clicked, this, &TFrameCPU::SpeedButtonTaktClick);
    connect(SpeedButtonRozkaz, &QToolButton::clicked, this, &TFrameCPU::SpeedButtonRozkazClick);
    connect(SpeedButtonProgram, &QToolButton::clicked, this, &TFrameCPU::SpeedButtonProgramClick);
    connect(SpeedButtonReset, &QToolButton::clicked, this, &TFrameCPU::SpeedButtonResetClick);
    connect(SpeedButtonStop, &QToolButton::clicked, this, &TFrameCPU::SpeedButtonStopClick);
}

void TFrameCPU::OdswiezCPU() {
    emit TekstStatusu(QLatin1Char(' ') + QString::fromStdString(symulator.Maszyna.BiezacyTekst()));
}

// The CPU panel's Takt runs the microprogram also in manual mode.
void TFrameCPU::SpeedButtonTaktClick() {
    if (PolecenieTakt(symulator.Maszyna, false) == 0) return;
    OdswiezCPU();
    emit ZmianaDostepnosci();
}

bool TFrameCPU::PrzebiegTrwa() const {
    return wPrzebiegu || symulator.StanPracy.TrybPracy == 2;
}

void TFrameCPU::SpeedButtonRozkazClick() {
    if (PrzebiegTrwa()) return;
    TPrzebieg przebieg(symulator.Maszyna, TPolecenie::Rozkaz);
    if (!przebieg.Trwa()) return;
    wPrzebiegu = true;
    SpeedButtonStop->show();
    PrzebiegDoKonca(przebieg, [] {});
    wPrzebiegu = false;
    OdswiezCPU();
    SpeedButtonStop->hide();
    emit ZmianaDostepnosci();
}

void TFrameCPU::SpeedButtonProgramClick() {
    if (PrzebiegTrwa()) return;
    TPrzebieg przebieg(symulator.Maszyna, TPolecenie::Program);
    if (!przebieg.Trwa()) return;
    wPrzebiegu = true;
    emit ZmianaDostepnosci();
    PrzebiegDoKonca(przebieg, [this] { OdswiezCPU(); });
    wPrzebiegu = false;
    OdswiezCPU();
    emit ZmianaDostepnosci();
}

void TFrameCPU::SpeedButtonResetClick() {
    symulator.Maszyna.Reset();
    OdswiezCPU();
    emit ZmianaDostepnosci();
}

void TFrameCPU::SpeedButtonStopClick() {
    symulator.StanPracy.ZadanieStopu = true;
}
