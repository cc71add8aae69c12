#include "TFrameMaszyna.h"

TFrameMaszyna::TFrameMaszyna(TSymulator& symulator, QWidget* parent) : TRamka(symulator, parent) {}
