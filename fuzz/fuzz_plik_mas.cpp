// The machine-file reader on arbitrary bytes: whatever it reads, the architecture it
// yields saves and reads back to the same signals and components.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "PlikMaszyny.h"
#include "Tekst.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dane, std::size_t rozmiar) {
    const std::string bajty(reinterpret_cast<const char*>(dane), rozmiar);
    TArchitektura a, b;
    ZastosujLinieMaszyny(a, tekst::PodzielNaLinie(tekst::OdczytajTekst(bajty)));
    if (!a.Jest(NumerSygnalu("stp"))) std::abort();
    const auto linie = LinieMaszyny(a);
    for (const auto& l : linie)
        if (NumerSygnalu(l) == 0) std::abort();
    ZastosujLinieMaszyny(b, linie);
    for (int s = 1; s <= LiczbaSygnalow; ++s)
        if (a.Jest(s) != b.Jest(s)) std::abort();
    if (a.Elementy != b.Elementy) std::abort();
    return 0;
}
