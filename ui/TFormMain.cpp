#include "TFormMain.h"

#include "TSymulator.h"

TFormMain::TFormMain(TSymulator& symulator, QWidget* parent) : QMainWindow(parent), symulator(symulator) {
    setWindowTitle(QStringLiteral("Symulator komputera dydaktycznego 1.00"));
    resize(750, 720);
}
