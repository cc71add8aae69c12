#pragma once

#include "TRamka.h"

class TFrameDebug : public TRamka {
    Q_OBJECT
  public:
    explicit TFrameDebug(TSymulator& symulator, QWidget* parent = nullptr);
};
