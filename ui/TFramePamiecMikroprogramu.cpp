#include "TFramePamiecMikroprogramu.h"

TFramePamiecMikroprogramu::TFramePamiecMikroprogramu(TSymulator& symulator, QWidget* parent) : TRamka(symulator, parent) {}
