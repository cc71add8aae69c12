#include "TFrameProgram.h"

TFrameProgram::TFrameProgram(TSymulator& symulator, QWidget* parent) : TRamka(symulator, parent) {}
