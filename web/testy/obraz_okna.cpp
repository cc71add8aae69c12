// The window's own image of the schematic in one state, for the page's canvas to be
// compared with: machine Max, a program assembled and run for a number of ticks, signals
// chosen, then the schematic widget paints it as the window does (offscreen).
// obraz_okna PROGRAM TICKS IMAGE.ppm PICTURE.json [SIGNAL...]
// Writes the image as binary PPM and the window's picture description (measured with the
// window's own fonts) as JSON.
#include <QApplication>
#include <QImage>

#include <fstream>
#include <iostream>
#include <string>

#include "SchematJson.h"
#include "TObrazMaszyny.h"
#include "TSymulator.h"

int main(int argc, char** argv) {
    if (argc < 5) {
        std::cerr << "użycie: obraz_okna PROGRAM TAKTY OBRAZ.ppm OPIS.json [SYGNAŁ...]\n";
        return 2;
    }
    QApplication aplikacja(argc, argv);
    TSymulator s;
    s.ZastosujPreset("Max");
    s.KompilujMikroprogram();
    std::string blad;
    if (!s.WczytajProgram(argv[1], blad)) {
        std::cerr << blad << "\n";
        return 1;
    }
    s.KompilujProgram(s.ZrodloProgramu);
    s.Reset();
    const long takty = std::stol(argv[2]);
    for (long i = 0; i < takty && s.Takt(false) != TWynikTaktu::Brak; ++i) {
    }
    for (int i = 5; i < argc; ++i) {
        const int n = NumerSygnalu(argv[i]);
        if (n <= 0 || !s.Architektura.Jest(n)) {
            std::cerr << "nieznany sygnał " << argv[i] << "\n";
            return 1;
        }
        s.PrzelaczSygnal(n);
    }
    TObrazMaszyny schemat(s);
    schemat.RysujMaszyne();
    const QImage obraz = schemat.Obraz().convertToFormat(QImage::Format_RGB888);
    if (!obraz.save(QString::fromLocal8Bit(argv[3]), "PPM")) {
        std::cerr << "nie można zapisać " << argv[3] << "\n";
        return 1;
    }
    std::ofstream opis(argv[4], std::ios::binary);
    opis << SchematJson(schemat.Schemat()).dump() << "\n";
    return opis ? 0 : 1;
}
