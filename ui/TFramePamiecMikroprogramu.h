#pragma once

#include "TRamka.h"

class TFramePamiecMikroprogramu : public TRamka {
    Q_OBJECT
  public:
    explicit TFramePamiecMikroprogramu(TSymulator& symulator, QWidget* parent = nullptr);
};
