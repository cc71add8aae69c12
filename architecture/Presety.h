#pragma once
// The architecture presets and the derivation of components from signals.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "Architektura.h"

struct TPreset {
    std::string_view Nazwa;    // shown in the status bar
    std::string_view Etykieta; // the dialog's radio button
    std::string_view Sygnaly;  // blank-separated; "*" for every signal, "" for the user's own set
};

inline constexpr std::array<TPreset, 6> Presety = {{
    {"K", "Maszyna K",
     "wel wyl il wei wyad czyt pisz wea wes wys weja weak wyak dod ode przep stp"},
    {"K+", "Maszyna K+",
     "wel wyl il wei wyad czyt pisz wea wes wys weja weak wyak dod ode przep stp as sa"},
    {"L", "Maszyna L",
     "wel wyl il wei wyad czyt pisz wea wes wys weja weak wyak dod ode przep stp as sa wyls iak "
     "dak werm wyrm "
     "wyap eni rint"},
    {"EK", "Maszyna EK",
     "wel wyl il wei wyad czyt pisz wea wes wys weja weak wyak dod ode przep stp as sa wyls iak "
     "dak werm wyrm "
     "wyap eni rint wex wyx werb wyrb wyg start"},
    {"Max", "Maszyna Max", "*"},
    {"U", "Maszyna U", ""},
}};

// The preset of that name, or nullptr.
const TPreset* ZnajdzPreset(std::string_view nazwa);

// Signals, components and register display defaults of a fixed preset ("K" .. "Max").
// "U" and unknown names return false and change nothing.
bool ZastosujPreset(TArchitektura& a, std::string_view nazwa);

// Preset "U": the ticked signals (by name), the others keep their state; "stp" always.
void ZastosujPresetU(TArchitektura& a,
                     const std::vector<std::pair<std::string, bool>>& zaznaczenia);

// Display bases and pop-up menu kinds of the register boxes.
void UstawDomyslneRejestry(TArchitektura& a);

int LiczbaIstniejacychSygnalow(const TArchitektura& a);
