#pragma once
// How the core tells its viewers what happened. The core never calls a window.

#include <string_view>

class TSluchaczMaszyny {
  public:
    virtual ~TSluchaczMaszyny() = default;
    // A machine message (bus and JAL errors, breakpoint hits).
    virtual void Komunikat(std::string_view tekst) { (void)tekst; }
    // A tick begins: the per-tick message list empties.
    virtual void PoczatekTaktu() {}
    // The output device printed or the console's texts changed.
    virtual void ZmianaKonsoli() {}
    // Anything else a view shows changed; redraw when convenient.
    virtual void ZmianaStanu() {}
};
