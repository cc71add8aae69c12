#pragma once

#include "TRamka.h"

class TFrameMaszyna : public TRamka {
    Q_OBJECT
  public:
    explicit TFrameMaszyna(TSymulator& symulator, QWidget* parent = nullptr);
};
