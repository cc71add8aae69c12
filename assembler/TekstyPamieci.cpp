#include "TekstyPamieci.h"

#include "PaO.h"
#include "Rozkazy.h"

std::string TekstKomorki(const TPaO& pao, std::int64_t adres) {
    const TKomorka* k = pao.Znajdz(adres);
    if (!k) return "<??\?>";
    return std::to_string(k->Kod) + " " + std::to_string(k->Argument);
}

std::string OpisKomorki(const TPaO& pao, const TListaRozkazow& lista, std::int64_t adres) {
    const TKomorka* k = pao.Znajdz(adres);
    if (!k) return "<unknown>";
    // The first instruction of that code, as the microprogram memory has it.
    const int i = lista.ZnajdzKod(k->Kod);
    if (i == 0) return "<unknown>";
    const TRozkaz& r = lista[i];
    std::string t = r.Nazwa;
    if (r.LiczbaArgumentow >= 1) t += " " + std::to_string(k->Argument);
    if (r.LiczbaArgumentow > 1) t += " ...";
    return t;
}
