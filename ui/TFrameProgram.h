#pragma once

#include "TRamka.h"

class TFrameProgram : public TRamka {
    Q_OBJECT
  public:
    explicit TFrameProgram(TSymulator& symulator, QWidget* parent = nullptr);
};
