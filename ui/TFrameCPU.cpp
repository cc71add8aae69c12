#include "TFrameCPU.h"

TFrameCPU::TFrameCPU(TSymulator& symulator, QWidget* parent) : TRamka(symulator, parent) {}
