#pragma once
// The machine's schematic as data: which boxes, signals, labels, lines, bus bars and the
// memory window exist for the architecture, how each looks in the current state, the
// value texts in their display bases, and the places a click or a pointer can hit.
// A front end paints the flat list of primitives in order and asks the hit test where
// the user pointed; it keeps no layout of its own.
//
// Everything is in image pixels (705 x 485), with the drawing rules of a plain canvas:
// rectangles include their top-left and exclude their bottom-right edge, and a line
// excludes its end point.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Architektura.h"

class TMaszyna;

using TKolor = std::uint32_t; // 0xRRGGBB

inline constexpr TKolor KolorTla = 0xF0F0F0; // the button face
inline constexpr TKolor KolorCzarny = 0x000000;
inline constexpr TKolor KolorAktywny = 0xFF0000;
inline constexpr TKolor KolorWybrany = 0x0000FF;

// A rectangle: left and top included, right and bottom excluded.
struct TObszar {
    std::int32_t Lewo = 0, Gora = 0, Prawo = 0, Dol = 0;
    bool Zawiera(int x, int y) const { return x >= Lewo && x < Prawo && y >= Gora && y < Dol; }
    // The edges excluded as well: what the boxes and labels answer to.
    bool ZawieraScisle(int x, int y) const { return Lewo < x && x < Prawo && Gora < y && y < Dol; }
    bool Pusty() const { return Prawo <= Lewo || Dol <= Gora; }
    bool operator==(const TObszar&) const = default;
};

// The schematic's type: its name (the only one is "Arial"), pixel size, weight, slant.
struct TCzcionka {
    std::string_view Nazwa = "Arial";
    std::int32_t Rozmiar = 12;
    bool Gruba = false, Kursywa = false;
    bool operator==(const TCzcionka&) const = default;
};

// How wide text is set. The window asks its own type engine; a front end without one
// uses TMiaraStala, a fixed table of the schematic's type.
class TMiaraTekstu {
  public:
    virtual ~TMiaraTekstu() = default;
    // Advance width of UTF-8 text, in pixels.
    virtual int Szerokosc(std::string_view tekst, const TCzcionka& c) const = 0;
    // Line height (ascent plus descent).
    virtual int Wysokosc(const TCzcionka& c) const = 0;
    // The text with its middle replaced by "…" so that it is at most `szerokosc` wide.
    virtual std::string SkrocWSrodku(std::string_view tekst, const TCzcionka& c,
                                     int szerokosc) const = 0;
};

// Liberation Sans ("Arial") advances per character at 12 pixels, scaled for smaller sizes.
// Close to a real type engine, within a pixel or two on long texts; the same everywhere.
class TMiaraStala : public TMiaraTekstu {
  public:
    int Szerokosc(std::string_view tekst, const TCzcionka& c) const override;
    int Wysokosc(const TCzcionka& c) const override;
    std::string SkrocWSrodku(std::string_view tekst, const TCzcionka& c,
                             int szerokosc) const override;
};

enum class TRodzajPrymitywu : std::uint8_t { Prostokat, Linia, Tekst, Piksel };

struct TPrymityw {
    TRodzajPrymitywu Rodzaj = TRodzajPrymitywu::Piksel;
    // Prostokat: left, top, right, bottom. Linia: from (X1, Y1) to (X2, Y2), the end
    // excluded; a slanted line steps along its longer axis, rounding half away from
    // zero. Tekst: the top-left corner of its line. Piksel: X1, Y1.
    std::int32_t X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    // The fill of a rectangle; the colour of a line, text or pixel.
    TKolor Kolor = KolorCzarny;
    // Prostokat: a one-pixel outline in KolorCzarny inside its edges.
    bool Obrys = false;
    // Linia, horizontal or vertical: pixels across, centred on the line.
    std::uint8_t Grubosc = 1;
    TCzcionka Czcionka;
    std::string Tekst; // UTF-8
    bool operator==(const TPrymityw&) const = default;
};

// The context menu a value box opens.
enum class TRodzajMenu : std::uint8_t {
    Brak,       // display only
    Rejestr,    // increment, decrement, value, zero, base
    Bit,        // set to 0 or 1
    Magistrala, // base only
};
TRodzajMenu MenuSlotu(int slot);

// What a point of the picture can hit.
enum class TRodzajMiejsca : std::uint8_t {
    Sygnal,     // a signal's label: chosen in manual mode
    Rejestr,    // a value box: its menu
    NazwaFlagi, // the name beside a flag box
    Magistrala, // a bus bar
};

struct TMiejsce {
    TRodzajMiejsca Rodzaj = TRodzajMiejsca::Rejestr;
    TObszar Obszar;
    std::int32_t Numer = 0; // the signal (1..61) or the slot (1..29)
    TRodzajMenu Menu = TRodzajMenu::Brak;
    // A box whose value is shown shortened: the whole value.
    std::string PelnaWartosc;
};

struct TObrazSchematu {
    static constexpr int Szerokosc = 705, Wysokosc = 485;

    std::vector<TPrymityw> Prymitywy; // painted in order
    std::vector<TMiejsce> Miejsca;    // in the order drawn
    // Where the front end puts its own controls; empty when the part is absent: the
    // memory window's scroll bar and the eight interrupt-request buttons.
    TObszar PasekPamieci, PrzyciskiPrzerwan;
    // The memory window shows the words from this address on; the last position that
    // still fills its nine rows.
    std::int64_t PozycjaPamieci = 0, OstatniaPozycjaPamieci = 0;

    // The signal label (highest number first) or value box (highest slot first) whose
    // rectangle strictly contains the point; otherwise a flag's name or a bus bar under
    // it. Nullptr when nothing is there.
    const TMiejsce* Trafienie(int x, int y) const;
    // Only labels, or only value boxes; nullptr when none.
    const TMiejsce* Sygnal(int x, int y) const;
    const TMiejsce* Rejestr(int x, int y) const;
    // The place of a signal's label or a slot's box as last drawn, nullptr when not drawn.
    const TMiejsce* Znajdz(TRodzajMiejsca rodzaj, int numer) const;
};

// The picture of the machine in its state: active signals red, chosen ones blue, values
// in each box's display base, the memory window from address `pozycjaPamieci`.
// Reuses the buffers of `obraz`.
void RysujSchemat(const TMaszyna& m, const TArchitektura& a, std::int64_t pozycjaPamieci,
                  const TMiaraTekstu& miara, TObrazSchematu& obraz);
