#include "TFrameRozkaz.h"

TFrameRozkaz::TFrameRozkaz(TSymulator& symulator, QWidget* parent) : TRamka(symulator, parent) {}
