#include "TFrameBreakpoints.h"

TFrameBreakpoints::TFrameBreakpoints(TSymulator& symulator, QWidget* parent) : TRamka(symulator, parent) {}
