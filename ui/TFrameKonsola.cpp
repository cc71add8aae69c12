#include "TFrameKonsola.h"

#include "Polecenia.h"
#include "TSymulator.h"

TFrameKonsola::TFrameKonsola(TSymulator& symulator, QWidget* parent) : TRamka(symulator, parent) {
    setObjectName(QStringLiteral("FrameKonsola1"));
    GornyPasek->setObjectName(QStringLiteral("PanelTop"));
    GornyPasek->setFixedHeight(34);
    SpeedButtonWyczysc = PrzyciskPaska(GornyPasek, "SpeedButtonWyczysc", QStringLiteral("Wyczyść"));
    UkladPaska->addWidget(SpeedButtonWyczysc);
    UkladPaska->addStretch(1);
    UkladTresci->addStretch(1);
    connect(SpeedButtonWyczysc, &QToolButton::clicked, this,
            &TFrameKonsola::SpeedButtonWyczyscClick);
}

void TFrameKonsola::PokazKonsole() {}

void TFrameKonsola::WyczyscKonsole() {
    symulator.Konsola.Wyczysc();
}
