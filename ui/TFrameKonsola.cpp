#include "TFrameKonsola.h"

TFrameKonsola::TFrameKonsola(TSymulator& symulator, QWidget* parent) : TRamka(symulator, parent) {}
