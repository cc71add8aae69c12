#pragma once
// The one object that owns the whole simulator state. The window creates exactly one;
// every test and the command-line runner create their own.

#include "Architektura.h"
#include "Asembler.h"
#include "Dziennik.h"
#include "Historia.h"
#include "Kompilator.h"
#include "Konsola.h"
#include "Maszyna.h"
#include "PamiecMikroprogramu.h"
#include "Programy.h"
#include "PunktyZatrzymania.h"
#include "Rozkazy.h"

#include <cstdint>
#include <string>
#include <vector>

class TSymulator {
  public:
    TSymulator();
    TSymulator(const TSymulator&) = delete;
    TSymulator& operator=(const TSymulator&) = delete;

    TArchitektura Architektura;
    TPamiecMikroprogramu PamiecMikroprogramu;
    TKonsola Konsola;
    TDziennik Dziennik;
    TPunktyZatrzymania PunktyZatrzymania;
    TStanPracy StanPracy;
    TMaszyna Maszyna;
    TListaRozkazow ListaRozkazow;

    // The way back, on from the start. Reset, loading, compiling and any change of the
    // architecture clear it; the runner, which never goes back, switches it off.
    THistoria Historia;
    // "Takt wstecz" and "Rozkaz wstecz"; false when there was nothing to undo.
    bool TaktWstecz() { return Historia.CofnijTakt(Maszyna); }
    bool RozkazWstecz() { return Historia.CofnijRozkaz(Maszyna) > 0; }

    // The microprogram compiler's messages (the instruction editor's list): every
    // compilation appends, the caller clears when it wants a fresh list.
    std::vector<std::string> KomunikatyMikroprogramu;
    // What the last compilation left for the developer's trace window.
    TSladKompilacji SladKompilacji;
    // Rebuilds the microprogram memory from the instruction list, for the current
    // architecture and code width.
    void KompilujMikroprogram();
    // The instruction list has changed since the last compilation (a name, a code or a
    // microprogram line, or instructions added or removed), so the machine runs a table
    // that no longer matches it.
    bool MikroprogramNieaktualny() const;

    // The current preset's name, shown in the status bar; a machine file leaves it as it is.
    std::string NazwaPresetu;
    // "K" .. "Max": signals, components, display defaults. False for an unknown name.
    bool ZastosujPreset(const std::string& nazwa);

    TListaProgramow ListaProgramow;
    // What the last assembly left for the compile-result window.
    TWynikAsemblacji WynikAsemblacji;
    // Assembles into PaO, the interrupt addresses and the debug label list; the messages
    // are in WynikAsemblacji.Komunikaty. The caller resets the machine afterwards.
    void KompilujProgram(const std::vector<std::string>& zrodlo);

  private:
    // What the last compilation read of each instruction.
    struct TSkompilowany {
        std::string Nazwa;
        std::uint16_t Kod;
        std::vector<std::string> Mikroprogram;
    };
    std::vector<TSkompilowany> skompilowane;
};
