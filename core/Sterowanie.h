#pragma once
// The run commands "Takt", "Rozkaz" and "Program" as operations of the model.

#include <cstdint>
#include <limits>
#include <type_traits>

#include "Maszyna.h"

enum class TPolecenie : std::uint8_t { Rozkaz, Program };

// What one slice of a run did.
struct TWynikPorcji {
    std::uint64_t Takty = 0;    // ticks run in this slice
    std::uint64_t Rozkazy = 0;  // instructions finished in this slice
    bool KoniecRozkazu = false; // the slice's last tick finished an instruction
    bool Zakonczone = false;    // the command has ended
    // It ended at a stop request made during the slice: in a tick, that is a breakpoint.
    bool StopWPorcji = false;
};

// The function between ticks for a slice that needs none: the slice then runs its ticks in
// the machine's own loop (TMaszyna::Takty), which is faster than one call per tick.
struct TBezWgladu {
    bool operator()(TWynikTaktu) const { return true; }
};

// The "Takt" command: on a halted machine nothing (Brak); with `reczny` the chosen signals,
// whose choice is then cleared; otherwise one tick of the microprogram. Takt's result.
TWynikTaktu PolecenieTakt(TMaszyna& m, bool reczny);

// One "Rozkaz" or "Program" command, from its start to its end condition. The runner
// and the tests run it whole with a function called between ticks; the window runs it
// in slices and handles its events between them. Both go through the one loop below,
// so a tick is never run twice or lost between slices.
class TPrzebieg {
  public:
    // Starts the command; on a halted machine nothing starts and Trwa() is false.
    // "Program" sets TrybPracy to Program; both clear ZadanieStopu.
    TPrzebieg(TMaszyna& maszyna, TPolecenie polecenie);
    ~TPrzebieg() { Zakoncz(); }
    TPrzebieg(const TPrzebieg&) = delete;
    TPrzebieg& operator=(const TPrzebieg&) = delete;

    bool Trwa() const { return trwa; }
    TPolecenie Polecenie() const { return polecenie; }
    // Ticks run by the command so far.
    std::uint64_t Takty() const { return takty; }

    // Runs at most `maksTaktow` ticks, fewer when the command ends. `poTakcie(TWynikTaktu)`
    // is called after every tick with Takt's result; returning false ends the command
    // there. The command ends after a tick that halted the machine ("stp"), after a tick
    // after which ZadanieStopu is set, and for "Rozkaz" after a tick that finished an
    // instruction; a stop requested between slices ends it before the next tick.
    template <class F> TWynikPorcji Porcja(std::uint64_t maksTaktow, F&& poTakcie);
    TWynikPorcji Porcja(std::uint64_t maksTaktow) { return Porcja(maksTaktow, TBezWgladu{}); }
    template <class F> TWynikPorcji DoKonca(F&& poTakcie) {
        return Porcja(std::numeric_limits<std::uint64_t>::max(), poTakcie);
    }

    // Ends the command now ("Program" returns TrybPracy to Bezczynny); the end condition and the
    // destructor call it too, and a second call does nothing.
    void Zakoncz();

  private:
    TMaszyna& m;
    TStanPracy& stan;
    TPolecenie polecenie;
    bool trwa = false;
    std::uint64_t takty = 0;
};

template <class F> TWynikPorcji TPrzebieg::Porcja(std::uint64_t maksTaktow, F&& poTakcie) {
    // The counts stay in locals, never in the result, which a tick could reach through
    // memory: so a slice that is not inlined keeps them in registers. For the same reason
    // the machine, the run state and the command are read once: the tick is a call the
    // compiler cannot see into, and members would be read again after every tick.
    std::uint64_t n = 0, rozkazy = 0;
    bool koniecRozkazu = false;
    // Stop, Reset or closing the window may have come since the last slice.
    if (trwa && (stan.ZadanieStopu || m.Zatrzymana())) Zakoncz();
    TMaszyna& maszyna = m;
    const TStanPracy& st = stan;
    const bool jedenRozkaz = polecenie == TPolecenie::Rozkaz;
    // The command ends after a tick that halted, asked to stop or finished its instruction.
    const auto konczy = [&] {
        return maszyna.Zatrzymana() || st.ZadanieStopu || (koniecRozkazu && jedenRozkaz);
    };
    if constexpr (std::is_same_v<std::remove_cvref_t<F>, TBezWgladu>) {
        if (trwa && maksTaktow > 0) {
            const TWynikSerii s = maszyna.Takty(maksTaktow, jedenRozkaz);
            n = s.Takty, rozkazy = s.Rozkazy, koniecRozkazu = s.KoniecRozkazu;
            if (konczy()) Zakoncz();
        }
    } else {
        while (trwa && n < maksTaktow) {
            const TWynikTaktu r = maszyna.Takt();
            ++n;
            koniecRozkazu = r == TWynikTaktu::KoniecRozkazu;
            rozkazy += koniecRozkazu;
            if (!poTakcie(r) || konczy()) Zakoncz();
        }
    }
    takty += n;
    // A request standing before the slice ended the command before its first tick.
    return {n, rozkazy, koniecRozkazu, !trwa, n > 0 && st.ZadanieStopu};
}
