#include "Presety.h"

#include "Sygnaly.h"

namespace {

struct TDomyslnyRejestr {
    int odSlotu, doSlotu, podstawa;
};

constexpr std::array<TDomyslnyRejestr, 9> DomyslneRejestry = {{
    {1, 6, 10},   // L, X, Y, Z, RB_we, RB_wy
    {7, 7, 2},    // G
    {8, 10, 2},   // RZ, RM, RP
    {11, 15, 10}, // AP, A, S, KOD, AD
    {16, 17, 10}, // buses
    {18, 18, 10}, // AK
    {21, 24, 2},  // N, NP, NM, sign flag
    {28, 29, 10}, // U, V
    {19, 20, 0},  // JAL latches: nothing to show
}};

} // namespace

const TPreset* ZnajdzPreset(std::string_view nazwa) {
    for (const auto& p : Presety)
        if (p.Nazwa == nazwa) return &p;
    return nullptr;
}

void UstawDomyslneRejestry(TArchitektura& a) {
    for (auto& r : a.Rejestry)
        r.Podstawa = 0;
    for (const auto& d : DomyslneRejestry)
        for (int s = d.odSlotu; s <= d.doSlotu; ++s)
            a.Rejestry[static_cast<std::size_t>(s)].Podstawa = d.podstawa;
}

bool ZastosujPreset(TArchitektura& a, std::string_view nazwa) {
    const TPreset* p = ZnajdzPreset(nazwa);
    if (!p || p->Sygnaly.empty()) return false;
    const bool wszystkie = p->Sygnaly == "*";
    for (int s = 1; s <= LiczbaSygnalow; ++s)
        a.Sygnaly[static_cast<std::size_t>(s)].Jest = wszystkie;
    if (!wszystkie)
        for (auto slowo : SlowaMikrorozkazu(p->Sygnaly))
            a.Sygnaly[static_cast<std::size_t>(NumerSygnalu(slowo))].Jest = true;
    WyprowadzElementy(a);
    UstawDomyslneRejestry(a);
    return true;
}

void ZastosujPresetU(TArchitektura& a,
                     const std::vector<std::pair<std::string, bool>>& zaznaczenia) {
    for (const auto& [nazwa, jest] : zaznaczenia) {
        const int s = NumerSygnalu(nazwa);
        if (s != 0) a.Sygnaly[static_cast<std::size_t>(s)].Jest = jest;
    }
    WyprowadzElementy(a);
    UstawDomyslneRejestry(a);
}

int LiczbaIstniejacychSygnalow(const TArchitektura& a) {
    int n = 0;
    for (int s = 1; s <= LiczbaSygnalow; ++s)
        n += a.Sygnaly[static_cast<std::size_t>(s)].Jest;
    return n;
}
