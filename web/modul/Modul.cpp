// The module's entry points: a session is one simulator with its dispatcher, created and
// freed by the page; a command goes in as UTF-8 JSON text and its answer comes back the
// same way, valid until the session's next command.

#include <emscripten/emscripten.h>

#include <string>

#include "Api.h"
#include "TSymulator.h"

struct TSesja {
    TSymulator symulator;
    TApi api{symulator};
    std::string odpowiedz;
};

extern "C" {

EMSCRIPTEN_KEEPALIVE TSesja* symulator_utworz() {
    return new TSesja; // owned by the page until symulator_usun
}

EMSCRIPTEN_KEEPALIVE const char* symulator_wywolaj(TSesja* sesja, const char* polecenie) {
    sesja->odpowiedz = sesja->api.Wywolaj(polecenie);
    return sesja->odpowiedz.c_str();
}

EMSCRIPTEN_KEEPALIVE void symulator_usun(TSesja* sesja) {
    delete sesja;
}
}
