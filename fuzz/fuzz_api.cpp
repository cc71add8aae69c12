// The web module's dispatcher on arbitrary input: every line is one command to the same
// simulator, so one input can load files, assemble, run and edit in any order. Every
// answer must be a JSON object saying "ok", with a reason when it is false. Slices are held
// to a few ticks and milliseconds so that no input runs long.

#include <nlohmann/json.hpp>

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "Api.h"
#include "TSymulator.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dane, std::size_t rozmiar) {
    TSymulator s;
    TApi api(s);
    api.Limity = {100000, 20};
    std::string_view tekst(reinterpret_cast<const char*>(dane), rozmiar);
    while (!tekst.empty()) {
        const auto koniec = std::min(tekst.find('\n'), tekst.size());
        const auto odpowiedz = nlohmann::json::parse(api.Wywolaj(tekst.substr(0, koniec)));
        const auto ok = odpowiedz.find("ok");
        if (ok == odpowiedz.end() || !ok->is_boolean()) std::abort();
        if (!ok->get<bool>() && !odpowiedz.at("blad").is_string()) std::abort();
        tekst.remove_prefix(std::min(koniec + 1, tekst.size()));
    }
    return 0;
}
