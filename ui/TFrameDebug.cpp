#include "TFrameDebug.h"

TFrameDebug::TFrameDebug(TSymulator& symulator, QWidget* parent) : TRamka(symulator, parent) {}
