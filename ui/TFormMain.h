#pragma once

#include <QMainWindow>

class TSymulator;

class TFormMain : public QMainWindow {
    Q_OBJECT
  public:
    explicit TFormMain(TSymulator& symulator, QWidget* parent = nullptr);

  private:
    TSymulator& symulator;
};
