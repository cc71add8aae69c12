#pragma once
// How the owner tells the front ends what an operation changed. The window's panels, the
// runner, a web page and the tests implement it; nothing here knows any of them.

#include <cstdint>
#include <string_view>

// What changed; one operation may report several kinds at once.
enum class TZmiana : std::uint32_t {
    Brak = 0,
    Architektura = 1u << 0,      // signals, components, widths, the preset's name
    Rozkazy = 1u << 1,           // the instruction list
    Mikroprogram = 1u << 2,      // the microprogram memory was compiled anew
    Pamiec = 1u << 3,            // PaO as a whole (assembled, emptied)
    StanMaszyny = 1u << 4,       // registers, flags, the chosen and current signals
    Konsola = 1u << 5,           // the console device's texts
    Dziennik = 1u << 6,          // the debug log or its labels
    PunktyZatrzymania = 1u << 7, // the breakpoint list or its switch
    TrybPracy = 1u << 8,         // TrybPracy or ZadanieStopu
    Program = 1u << 9,           // a program text was loaded for the editor
    Cofniecie = 1u << 10,        // the machine went back in its history
};

constexpr TZmiana operator|(TZmiana a, TZmiana b) {
    return static_cast<TZmiana>(static_cast<std::uint32_t>(a) | static_cast<std::uint32_t>(b));
}
// True when `zbior` holds any of the kinds in `co`.
constexpr bool Zawiera(TZmiana zbior, TZmiana co) {
    return (static_cast<std::uint32_t>(zbior) & static_cast<std::uint32_t>(co)) != 0;
}

class TSluchaczSymulatora {
  public:
    virtual ~TSluchaczSymulatora() = default;
    // An operation of the owner changed these kinds of state.
    virtual void Zmiana(TZmiana co) { (void)co; }

    // What the machine reports while it ticks, passed on as it comes.
    // A machine message (bus and JAL errors, breakpoint hits); it is in the log too.
    virtual void Komunikat(std::string_view tekst) { (void)tekst; }
    // A tick begins: the per-tick message list empties. Told only to a listener that says
    // it wants it when it subscribes: this comes every tick, and "Program" runs millions.
    virtual void PoczatekTaktu() {}
    virtual bool ChcePoczatkowTaktow() const { return false; }
    // The output device printed or took input during a tick.
    virtual void ZmianaKonsoli() {}
};
