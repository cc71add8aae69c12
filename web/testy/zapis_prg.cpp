// Saves a UTF-8 text as a program file the way the window's "Zapisz..." does, so the page's
// download can be compared with it byte for byte: zapis_prg TEXT_FILE PRG_FILE
#include <fstream>
#include <iostream>
#include <sstream>

#include "Programy.h"
#include "Tekst.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "użycie: zapis_prg PLIK_TEKSTU PLIK_PRG\n";
        return 2;
    }
    std::ifstream we(argv[1], std::ios::binary);
    std::stringstream tekst;
    tekst << we.rdbuf();
    std::string blad;
    if (!ZapiszPlikProgramu(argv[2], tekst::PodzielNaLinie(tekst.str()), blad)) {
        std::cerr << blad << "\n";
        return 1;
    }
    return 0;
}
