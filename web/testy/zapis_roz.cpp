// Loads an instruction set file and saves it the way the window's "Zapisz..." does, so the
// page's download can be compared with it byte for byte: zapis_roz ROZ_IN ROZ_OUT
#include <iostream>

#include "TSymulator.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "użycie: zapis_roz PLIK_ROZ PLIK_WYNIKU\n";
        return 2;
    }
    TSymulator s;
    std::string blad;
    if (!s.WczytajRozkazy(argv[1], blad) || !s.ZapiszRozkazy(argv[2], blad)) {
        std::cerr << blad << "\n";
        return 1;
    }
    return 0;
}
