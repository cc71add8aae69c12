#pragma once

#include "TRamka.h"

class TFrameRozkaz : public TRamka {
    Q_OBJECT
  public:
    explicit TFrameRozkaz(TSymulator& symulator, QWidget* parent = nullptr);
};
