// The web module's dispatcher on arbitrary input: every line is one command to the same
// simulator, so one input can load files, assemble, run and edit in any order. Every
// answer must say "ok", with a reason when it is false. Slices are held
// to a few ticks and milliseconds so that no input runs long.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "Api.h"
#include "TSymulator.h"

// libFuzzer's entropic scheduling keeps a frequency for each of the ~20 000 features a whole
// session reaches, and that bookkeeping took more than half of the time; plain scheduling
// reaches the same coverage with twice the inputs. Put first, so a flag given by hand wins.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static char bezEntropii[] = "-entropic=0";
    static std::vector<char*> argumenty;
    argumenty.assign(*argv, *argv + *argc);
    argumenty.insert(argumenty.begin() + 1, bezEntropii);
    argumenty.push_back(nullptr);
    *argc += 1;
    *argv = argumenty.data();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dane, std::size_t rozmiar) {
    TSymulator s;
    TApi api(s);
    api.Limity = {256, 1};
    std::string_view tekst(reinterpret_cast<const char*>(dane), rozmiar);
    while (!tekst.empty()) {
        const auto koniec = std::min(tekst.find('\n'), tekst.size());
        // Answers are written by the JSON library, so their shape is all there is to check;
        // parsing the schematic's large picture again would cost most of the time.
        const std::string odpowiedz = api.Wywolaj(tekst.substr(0, koniec));
        if (!odpowiedz.starts_with(R"({"ok":true)") &&
            !odpowiedz.starts_with(R"({"ok":false,"blad":")"))
            std::abort();
        tekst.remove_prefix(std::min(koniec + 1, tekst.size()));
    }
    return 0;
}
