#pragma once

#include "TRamka.h"

class TFrameCPU : public TRamka {
    Q_OBJECT
  public:
    explicit TFrameCPU(TSymulator& symulator, QWidget* parent = nullptr);
};
