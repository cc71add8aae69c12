// The program-file reader on arbitrary bytes, and the writer on what it read.

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "Programy.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dane, std::size_t rozmiar) {
    // In memory where the system has it: a disk file would cost more than the parsing.
    static const std::filesystem::path katalog = std::filesystem::is_directory("/dev/shm")
                                                     ? std::filesystem::path("/dev/shm")
                                                     : std::filesystem::temp_directory_path();
    const std::string sciezka =
        (katalog / ("fuzz_plik_prg_" + std::to_string(getpid()) + ".prg")).string();
    {
        std::ofstream f(sciezka, std::ios::binary | std::ios::trunc);
        f.write(reinterpret_cast<const char*>(dane), static_cast<std::streamsize>(rozmiar));
    }
    std::vector<std::string> linie, ponownie;
    std::string blad;
    if (!WczytajPlikProgramu(sciezka, linie, blad)) std::abort();
    std::size_t znaki = 0;
    for (const auto& l : linie) {
        if (l.find_first_of("\r\n") != std::string::npos) std::abort();
        znaki += l.size();
    }
    if (znaki > rozmiar * 3) std::abort(); // decoding grows a byte to at most three
    // A save either refuses with a message or writes lines that read back as they were
    // written (the file is then pure Windows-1250 or pure ASCII).
    if (ZapiszPlikProgramu(sciezka, linie, blad)) {
        if (!WczytajPlikProgramu(sciezka, ponownie, blad)) std::abort();
        if (ponownie.size() != linie.size()) std::abort();
    } else if (blad.empty()) {
        std::abort();
    }
    std::filesystem::remove(sciezka);
    return 0;
}
