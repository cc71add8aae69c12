#include <QApplication>

#include "TFormMain.h"
#include "TSymulator.h"

int main(int argc, char* argv[]) {
    QApplication aplikacja(argc, argv);
    TSymulator symulator;
    TFormMain okno(symulator);
    okno.show();
    return aplikacja.exec();
}
