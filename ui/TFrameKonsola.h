#pragma once

#include "TRamka.h"

class TFrameKonsola : public TRamka {
    Q_OBJECT
  public:
    explicit TFrameKonsola(TSymulator& symulator, QWidget* parent = nullptr);
};
