#include "TFrameDebug.h"

#include "Polecenia.h"
#include "TSymulator.h"

TFrameDebug::TFrameDebug(TSymulator& symulator, QWidget* parent) : TRamka(symulator, parent) {
    setObjectName(QStringLiteral("FrameDebug1"));
    GornyPasek->setObjectName(QStringLiteral("PanelTop"));
    GornyPasek->setFixedHeight(34);
    SpeedButtonWyczysc = PrzyciskPaska(GornyPasek, "SpeedButtonWyczysc", QStringLiteral("Wyczyść"));
    UkladPaska->addWidget(SpeedButtonWyczysc);
    UkladPaska->addStretch(1);
    UkladTresci->addStretch(1);
    connect(SpeedButtonWyczysc, &QToolButton::clicked, this, &TFrameDebug::SpeedButtonWyczyscClick);
}

void TFrameDebug::WyczyscLog() {
    symulator.Dziennik.Wyczysc();
    emit Nowosci(false);
}
