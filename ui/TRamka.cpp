#include "TRamka.h"

#include "TSymulator.h"

TRamka::TRamka(TSymulator& symulator, QWidget* parent) : QWidget(parent), symulator(symulator) {
    auto* uklad = new QVBoxLayout(this);
    uklad->setContentsMargins(0, 0, 0, 0);
    uklad->setSpacing(0);
    GornyPasek = new QFrame(this);
    GornyPasek->setFrameShape(QFrame::StyledPanel);
    UkladPaska = new QHBoxLayout(GornyPasek);
    UkladPaska->setContentsMargins(4, 2, 4, 2);
    UkladPaska->setSpacing(2);
    uklad->addWidget(GornyPasek);
    UkladTresci = new QVBoxLayout;
    UkladTresci->setContentsMargins(4, 4, 4, 4);
    uklad->addLayout(UkladTresci, 1);
    symulator.Subskrybuj(this);
}

TRamka::~TRamka() {
    symulator.Wypisz(this);
}

QWidget* TRamka::ZMarginesem(QWidget* rodzic, QLayout* uklad) {
    auto* p = new QWidget(rodzic);
    p->setLayout(uklad);
    uklad->setContentsMargins(4, 4, 4, 4);
    return p;
}

QWidget* TRamka::ZMarginesem(QWidget* rodzic, QWidget* tresc) {
    auto* uklad = new QVBoxLayout;
    uklad->addWidget(tresc);
    return ZMarginesem(rodzic, uklad);
}
