// The instruction-set file reader on arbitrary bytes: it reads a whole list or refuses
// with a message, and what it reads is written back to the same lines.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "Kompilator.h"
#include "PlikRozkazow.h"
#include "Tekst.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dane, std::size_t rozmiar) {
    const std::string_view bajty(reinterpret_cast<const char*>(dane), rozmiar);
    const std::vector<std::string> linie = tekst::PodzielNaLinie(tekst::OdczytajTekst(bajty));
    std::vector<TRozkaz> rozkazy;
    std::string blad, uwaga;
    if (!CzytajLiniePlikuRozkazow(linie, rozkazy, blad, &uwaga)) {
        if (blad.empty() || !rozkazy.empty()) std::abort();
        return 0;
    }
    if (rozkazy.size() > static_cast<std::size_t>(TListaRozkazow::MaksRozkazow)) std::abort();
    // Only a file cut short in its last microprogram, by no more than a microprogram
    // memory holds, reads with lines missing, and then it says so.
    std::size_t wierszy = 1;
    for (const auto& r : rozkazy)
        wierszy += 5 + r.Mikroprogram.size();
    if (uwaga.empty() != (wierszy <= linie.size())) std::abort();
    if (wierszy > linie.size() + static_cast<std::size_t>(MaksWierszyMikroprogramu)) std::abort();

    TListaRozkazow lista;
    lista.Zastap(rozkazy);
    const std::vector<std::string> zapisane = LiniePlikuRozkazow(lista);
    std::vector<TRozkaz> ponownie;
    if (!CzytajLiniePlikuRozkazow(zapisane, ponownie, blad)) std::abort();
    if (ponownie.size() != rozkazy.size()) std::abort();
    for (std::size_t i = 0; i < rozkazy.size(); ++i) {
        const TRozkaz &a = rozkazy[i], &b = ponownie[i];
        if (a.Nazwa != b.Nazwa || a.Opis != b.Opis || a.Kod != b.Kod ||
            a.LiczbaArgumentow != b.LiczbaArgumentow || a.Mikroprogram != b.Mikroprogram)
            std::abort();
    }
    if (LiniePlikuRozkazow(lista) != zapisane) std::abort();
    return 0;
}
