// The assembler on arbitrary text. The first byte picks the address width and whether the
// instruction list also holds odd entries (a negative, a large and a two-argument count,
// and a name given twice), so those paths are reached too. With one more bit the large
// count is in the billions, but only when the corpus is replayed as a test (its entry
// "ogromny"): every use of such a count fills in the whole budget of zero words, which
// would hold the fuzzer to a few inputs per second.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "TSymulator.h"
#include "Tekst.h"

namespace {

void DodajRozkazy(TListaRozkazow& lista, std::int32_t duzo) {
    std::vector<TRozkaz> nowe;
    for (int i = 1; i <= lista.Count(); ++i)
        nowe.push_back(lista[i]);
    const struct {
        const char* nazwa;
        int kod;
        std::int32_t argumenty;
    } dodatkowe[] = {{"ujemny", 6, -7}, {"ogromny", 7, duzo}, {"dwa", 7, 2}, {"pob", 2, 3}};
    for (const auto& d : dodatkowe) {
        TRozkaz r;
        r.Nazwa = d.nazwa;
        r.Kod = static_cast<std::uint16_t>(d.kod);
        r.LiczbaArgumentow = d.argumenty;
        nowe.push_back(r);
    }
    lista.Zastap(std::move(nowe));
}

#ifdef POWTORKA_KORPUSU
constexpr std::int32_t OgromnaLiczba = 2000000000;
#else
constexpr std::int32_t OgromnaLiczba = 100;
#endif

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dane, std::size_t rozmiar) {
    if (rozmiar == 0) return 0;
    // One simulator for all inputs, as the program keeps one: its construction would cost
    // more than a short assembly. What an input sets is set again for every input.
    static TSymulator s;
    s.Maszyna.UstawSzerokosci(5 + dane[0] % 20, 3);
    s.ListaRozkazow.UstawStandardowe();
    if (dane[0] & 0x80) DodajRozkazy(s.ListaRozkazow, (dane[0] & 0x40) ? OgromnaLiczba : 20);
    const std::string_view bajty(reinterpret_cast<const char*>(dane + 1), rozmiar - 1);
    s.KompilujProgram(tekst::PodzielNaLinie(tekst::OdczytajTekst(bajty)));

    const TWynikAsemblacji& w = s.WynikAsemblacji;
    // Every clean line gives at most one placed, resolved and one-or-more word lines.
    if (w.Czyste.size() > w.Zrodlo.size() || w.Rozmieszczone.size() > w.Czyste.size() ||
        w.Rozwiazane.size() != w.Rozmieszczone.size() ||
        s.Maszyna.PaO().Rozmiar() > w.Slowa.size() || w.Uzupelnione > MaksUzupelnien)
        std::abort();
    for (const auto& l : w.Komunikaty)
        if (l.rfind("[Błąd] ...(", 0) != 0 && l != "[Błąd krytyczny] - Za mało pamięci!" &&
            l.rfind("[Błąd krytyczny] - Program za duży", 0) != 0)
            std::abort();
    return 0;
}
