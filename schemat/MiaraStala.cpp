#include <array>

#include "Schemat.h"

namespace {

// Advances at 12 pixels of the printable ASCII characters, space to tilde; the bold
// italic face has the bold advances.
constexpr std::array<std::uint8_t, 95> Zwykle = {
    3, 3, 4, 7, 7, 11, 8, 2,  4,  4, 5, 7, 3, 4, 3, 3, 7, 7, 7, 7, 7, 7,  7, 7,
    7, 7, 3, 3, 7, 7,  7, 7,  12, 8, 8, 9, 9, 8, 7, 9, 9, 3, 6, 8, 7, 10, 9, 9,
    8, 9, 9, 8, 7, 9,  8, 11, 8,  8, 7, 3, 3, 3, 6, 7, 4, 7, 7, 6, 7, 7,  3, 7,
    7, 3, 3, 6, 3, 10, 7, 7,  7,  7, 4, 6, 3, 7, 6, 9, 6, 6, 6, 4, 3, 4,  7};
constexpr std::array<std::uint8_t, 95> Grube = {
    3, 4, 6, 7, 7, 11, 9, 3,  4,  4, 5, 7, 3, 4, 3, 3, 7, 7, 7, 7, 7, 7,  7, 7,
    7, 7, 4, 4, 7, 7,  7, 7,  12, 9, 9, 9, 9, 8, 7, 9, 9, 3, 7, 9, 7, 10, 9, 9,
    8, 9, 9, 8, 7, 9,  8, 11, 8,  8, 7, 4, 3, 4, 7, 7, 4, 7, 7, 7, 7, 7,  4, 7,
    7, 3, 3, 7, 3, 11, 7, 7,  7,  7, 5, 7, 4, 7, 7, 9, 7, 7, 6, 5, 3, 5,  7};
constexpr int Wielokropek = 12; // "…"
constexpr std::string_view TekstWielokropka = "\u2026";

// Width at 12 pixels; a character outside the table counts as "n".
int Szerokosc12(std::string_view tekst, bool gruba) {
    const auto& t = gruba ? Grube : Zwykle;
    int w = 0;
    for (std::size_t i = 0; i < tekst.size();) {
        const auto c = static_cast<unsigned char>(tekst[i]);
        if (c >= 0x80) {
            std::size_t n = 1;
            while (i + n < tekst.size() &&
                   (static_cast<unsigned char>(tekst[i + n]) & 0xC0) == 0x80)
                ++n;
            w += tekst.substr(i, n) == TekstWielokropka ? Wielokropek : t['n' - ' '];
            i += n;
            continue;
        }
        w += c >= ' ' && c <= '~' ? t[c - ' '] : 0;
        ++i;
    }
    return w;
}

} // namespace

int TMiaraStala::Szerokosc(std::string_view tekst, const TCzcionka& c) const {
    return (Szerokosc12(tekst, c.Gruba) * c.Rozmiar + 6) / 12;
}

int TMiaraStala::Wysokosc(const TCzcionka& c) const {
    return c.Rozmiar >= 12 ? c.Rozmiar + 2 : c.Rozmiar + 1;
}

std::string TMiaraStala::SkrocWSrodku(std::string_view tekst, const TCzcionka& c,
                                      int szerokosc) const {
    // Values are ASCII: as many characters from both ends as fit beside "…", the left
    // end taking the odd one.
    for (std::size_t zostaje = tekst.size(); zostaje-- > 0;) {
        const std::size_t lewa = (zostaje + 1) / 2, prawa = zostaje / 2;
        std::string t(tekst.substr(0, lewa));
        t += TekstWielokropka;
        t += tekst.substr(tekst.size() - prawa);
        if (Szerokosc(t, c) <= szerokosc) return t;
    }
    return std::string(TekstWielokropka);
}
