#pragma once
// The one object that owns the whole simulator state, and the facade every front end calls
// to change it. The window creates exactly one; every test and the command-line runner
// create their own. Reading the members directly is fine; every change goes through an
// operation below, and each operation tells the listeners what kind of thing changed.

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
#include "Sluchacz.h"
#include "SluchaczSymulatora.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// What the architecture dialog applies: the widths and a preset; a preset without its own
// signals ("U") takes the signals ticked in the dialog's list (all others as they are).
struct TWyborArchitektury {
    int BityAdresu = 5;
    int BityKodu = 3;
    std::string Preset = "K";
    std::vector<std::pair<std::string, bool>> Sygnaly;
};

class TSymulator : private TSluchaczMaszyny {
  public:
    TSymulator();
    ~TSymulator() override;
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

    // ---- listeners ----
    // Listeners are told in the order they subscribed; each stays until it leaves.
    void Subskrybuj(TSluchaczSymulatora* s);
    void Wypisz(TSluchaczSymulatora* s);
    // Tells every listener. The operations call it; so does a run in progress when its
    // views should show the machine.
    void Zglos(TZmiana co);

    // ---- files ----
    // The byte forms take and give a file's contents (Windows-1250, or UTF-8 on reading);
    // the path forms read or write the file and do the same. A file that cannot be read
    // or written changes nothing and leaves a Polish message in `blad`.
    // ".roz": the instruction set; `uwaga` says when a file ended inside a microprogram.
    bool WczytajRozkazyZBajtow(std::string_view bajty, std::string& blad,
                               std::string* uwaga = nullptr);
    bool WczytajRozkazy(const std::string& sciezka, std::string& blad,
                        std::string* uwaga = nullptr);
    bool ZapiszRozkazyDoBajtow(std::string& bajty, std::string& blad) const;
    bool ZapiszRozkazy(const std::string& sciezka, std::string& blad) const;
    // ".mas": the signals that exist.
    bool WczytajMaszyneZBajtow(std::string_view bajty, std::string& blad);
    bool WczytajMaszyne(const std::string& sciezka, std::string& blad);
    bool ZapiszMaszyneDoBajtow(std::string& bajty, std::string& blad) const;
    bool ZapiszMaszyne(const std::string& sciezka, std::string& blad) const;
    // ".prg": a loaded program goes to ZrodloProgramu for the editor; memory keeps the old
    // program until it is assembled. Saving writes the lines the editor holds.
    bool WczytajProgramZBajtow(std::string_view bajty, std::string& blad);
    bool WczytajProgram(const std::string& sciezka, std::string& blad);
    static bool ZapiszProgramDoBajtow(const std::vector<std::string>& linie, std::string& bajty,
                                      std::string& blad);
    static bool ZapiszProgram(const std::string& sciezka, const std::vector<std::string>& linie,
                              std::string& blad);
    // The program text last loaded (a file or an entry of the program list).
    std::vector<std::string> ZrodloProgramu;
    TListaProgramow ListaProgramow;
    // The entry of the program list with this name into ZrodloProgramu; false when none.
    bool WybierzProgram(std::string_view nazwa);

    // ---- architecture ----
    // The current preset's name, shown in the status bar; a machine file leaves it as it is.
    std::string NazwaPresetu;
    // "K" .. "Max": signals, components, display defaults. False for an unknown name.
    bool ZastosujPreset(const std::string& nazwa);
    // The dialog's choice: widths, then PaO emptied, then the preset.
    void ZastosujArchitekture(const TWyborArchitektury& wybor);
    // Address 5..24, code 3..8; anything else is refused and changes nothing.
    bool UstawSzerokosci(int bityAdresu, int bityKodu);
    // The whole record at once (the runner's prepared machine).
    void UstawArchitekture(const TArchitektura& a);

    // ---- instruction list ----
    // Instruction i (1..Count) replaced by `r`.
    void ZmienRozkaz(int i, const TRozkaz& r);
    // A new instruction with the first free code; its index, 0 when every code is taken.
    int DodajRozkaz();
    void UsunRozkaz(int i);
    void UsunWszystkieRozkazy();
    void UstawStandardoweRozkazy();
    void UstawRozkazy(const TListaRozkazow& lista);

    // ---- compiling ----
    // The microprogram compiler's messages (the instruction editor's list): those of the
    // last compilation, so a long session does not pile them up.
    std::vector<std::string> KomunikatyMikroprogramu;
    // Those of the last compilation alone.
    std::span<const std::string> KomunikatyOstatniejKompilacji() const;
    // What the last compilation left for the developer's trace window.
    TSladKompilacji SladKompilacji;
    // Rebuilds the microprogram memory from the instruction list, for the current
    // architecture and code width.
    void KompilujMikroprogram();
    // The instruction list has changed since the last compilation (a name, a code or a
    // microprogram line, or instructions added or removed), so the machine runs a table
    // that no longer matches it.
    bool MikroprogramNieaktualny() const;
    // What the last assembly left for the compile-result window.
    TWynikAsemblacji WynikAsemblacji;
    // Assembles into PaO, the interrupt addresses and the debug label list; the messages
    // are in WynikAsemblacji.Komunikaty. The caller resets the machine afterwards.
    void KompilujProgram(const std::vector<std::string>& zrodlo);

    // ---- running ----
    // The way back, on from the start. Reset, loading, compiling and any change of the
    // architecture clear it; the runner, which never goes back, switches it off.
    THistoria Historia;
    void Reset();
    // "Takt": with `reczny` the chosen signals. Takt's result, 0 on a halted machine.
    TWynikTaktu Takt(bool reczny);
    // "Takt wstecz" and "Rozkaz wstecz"; false when there was nothing to undo.
    bool TaktWstecz();
    bool RozkazWstecz();
    // 0 idle, 1 manual; a running program keeps its mode.
    void UstawTrybPracy(TTrybPracy tryb);
    // Asks the run in progress to end at its next check.
    void Stop();
    // Manual mode: signal i (1..LiczbaSygnalow) chosen or not; every choice cleared.
    void PrzelaczSygnal(int i);
    void WyczyscWybraneSygnaly();

    // ---- registers, memory, devices ----
    void UstawRejestr(int slot, std::uint32_t wartosc);
    void ZwiekszRejestr(int slot);
    void ZmniejszRejestr(int slot);
    // How the schematic shows register `slot`: 2, 10 or 16.
    void UstawPodstawe(int slot, int podstawa);
    void PiszPaO(std::int64_t adres, std::uint32_t slowo);
    void ZglosPrzerwanie(int n);
    void UstawWejscie(std::string tekst);
    // A key let go in the console's input line.
    void KlawiszWLiniiWejscia();
    void WyczyscKonsole();
    void WyczyscDziennik();

    // ---- breakpoints ----
    bool DodajPunkt(const TPunktZatrzymania& p, std::string& blad);
    void UsunPunkt(int k);
    void IgnorujPunkty(bool tak);

  private:
    // The machine's own reports, passed on to the listeners.
    void Komunikat(std::string_view tekst) override;
    void PoczatekTaktu() override;
    void ZmianaKonsoli() override;

    std::vector<TSluchaczSymulatora*> sluchacze;

    // What the last compilation read of each instruction.
    struct TSkompilowany {
        std::string Nazwa;
        std::uint16_t Kod;
        std::vector<std::string> Mikroprogram;
    };
    std::vector<TSkompilowany> skompilowane;
};
