#pragma once

#include "TRamka.h"

class TFrameBreakpoints : public TRamka {
    Q_OBJECT
  public:
    explicit TFrameBreakpoints(TSymulator& symulator, QWidget* parent = nullptr);
};
