#include "PaO.h"

#include <algorithm>

TKomorka& TPaO::Komorka(std::int64_t adres) {
    std::int32_t* miejsce;
    if (adres >= 0 && adres < ZakresStron) {
        const auto s = static_cast<std::size_t>(adres >> BityStrony);
        if (s >= strony.size()) strony.resize(s + 1);
        if (!strony[s]) {
            strony[s] = std::make_unique<TStrona>();
            strony[s]->fill(-1);
        }
        miejsce = &(*strony[s])[static_cast<std::size_t>(adres) & (RozmiarStrony - 1)];
    } else {
        miejsce = &inne.try_emplace(adres, -1).first->second;
    }
    if (*miejsce < 0) {
        *miejsce = static_cast<std::int32_t>(komorki.size());
        komorki.push_back(TKomorka{adres, 0, 0, "000"});
    }
    return komorki[static_cast<std::size_t>(*miejsce)];
}

std::uint32_t TPaO::CzytajKomorke(std::int64_t adres, int bityAdresu) const {
    const TKomorka* k = Znajdz(adres);
    return k ? Slowo(*k, bityAdresu) : 0;
}

void TPaO::PiszKomorke(std::int64_t adres, std::uint32_t slowo, int bityAdresu) {
    const std::uint32_t maska =
        bityAdresu >= 32 ? 0xFFFFFFFFu : (std::uint32_t{1} << bityAdresu) - 1;
    TKomorka& k = Komorka(adres);
    k.Argument = static_cast<std::int32_t>(slowo & maska);
    k.Kod =
        bityAdresu >= 32 ? 0 : static_cast<std::int32_t>((slowo - (slowo & maska)) >> bityAdresu);
    Odswiez(k);
}

void TPaO::Wstaw(std::int64_t adres, std::int32_t kod, std::int32_t argument,
                 TRodzajKomorki rodzaj) {
    TKomorka& k = Komorka(adres);
    k.Kod = kod;
    k.Argument = argument;
    k.Rodzaj = rodzaj;
    Odswiez(k);
}

void TPaO::UsunOstatnia(std::int64_t adres) {
    const std::int32_t i = Indeks(adres);
    if (i < 0 || static_cast<std::size_t>(i) + 1 != komorki.size()) return;
    komorki.pop_back();
    if (static_cast<std::uint64_t>(adres) < slowa.size())
        slowa[static_cast<std::size_t>(adres)] = 0;
    if (adres >= 0 && adres < ZakresStron)
        (*strony[static_cast<std::size_t>(adres >> BityStrony)])[static_cast<std::size_t>(adres) &
                                                                 (RozmiarStrony - 1)] = -1;
    else
        inne.erase(adres);
}

void TPaO::Wyczysc() {
    // The room goes back too: the next program may be far smaller.
    std::vector<TKomorka>().swap(komorki);
    std::vector<std::unique_ptr<TStrona>>().swap(strony);
    std::unordered_map<std::int64_t, std::int32_t>().swap(inne);
    std::fill(slowa.begin(), slowa.end(), 0u);
}

void TPaO::UstawBityAdresu(int bity) {
    if (bity == bitySlow) return;
    bitySlow = bity >= 0 && bity <= MaksBitowSlow ? bity : -1;
    slowa.assign(bitySlow < 0 ? 0 : std::size_t{1} << bitySlow, 0u);
    for (const TKomorka& k : komorki)
        Odswiez(k);
}
