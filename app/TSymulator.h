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
#include "Sterowanie.h"

#include <chrono>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// What one slice of a run may do. The run stops for the slice after `Takty` ticks or once
// `Czas` has passed (the clock is read every few hundred ticks), whichever comes first.
struct TPorcjaPrzebiegu {
    std::uint64_t Takty = std::numeric_limits<std::uint64_t>::max();
    std::chrono::nanoseconds Czas = std::chrono::nanoseconds::max();
    // Then the instruction in progress is finished, within the same time once more, so the
    // views never show half an instruction.
    bool DokonczRozkaz = false;
    // The listeners hear of the machine at a slice's end only when at least this long has
    // passed since they last heard during this run, and only at an instruction boundary;
    // 0 tells them at every slice's end. The run's end is always told.
    std::chrono::nanoseconds OkresZgloszen{0};
};

// What one slice did, and whether its end was told to the listeners.
struct TWynikPorcjiPrzebiegu : TWynikPorcji {
    bool Zgloszona = false;
};

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
    // "U": the signals ticked in `sygnaly` (by name), all others as they are.
    void ZastosujPresetU(const std::vector<std::pair<std::string, bool>>& sygnaly);
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
    // "Takt": with `reczny` the chosen signals. Takt's result; Brak on a halted machine
    // and while a run is in progress.
    TWynikTaktu Takt(bool reczny);
    // "Takt wstecz" and "Rozkaz wstecz"; nothing while a run is in progress. The ticks
    // undone, 0 when there was nothing to undo.
    bool TaktWstecz();
    std::size_t RozkazWstecz();
    // 0 idle, 1 manual; a running program keeps its mode.
    void UstawTrybPracy(TTrybPracy tryb);
    // Sets ZadanieStopu and ends the run in progress.
    void Stop();
    // Manual mode: signal i (1..LiczbaSygnalow) chosen or not; every choice cleared; only
    // the signals `numery` chosen.
    void PrzelaczSygnal(int i);
    void UstawSygnal(int i, bool wybrany);
    void WyczyscWybraneSygnaly();
    void WybierzSygnaly(std::span<const int> numery);

    // ---- a run in slices ----
    // "Rozkaz" and "Program" run in slices between which a front end handles its own
    // events: the window's timer, the runner's scheduled interrupts, the web page's
    // commands. The listeners hear of the machine at slice ends, never per tick.
    // Starts the command; false (nothing starts) on a halted machine or while a run is in
    // progress. "Program" sets the run mode to Program, which the listeners are told.
    bool RozpocznijPrzebieg(TPolecenie polecenie);
    // A run is in progress: started here and not ended, or the run mode is Program.
    bool TrwaPrzebieg() const {
        return przebieg.has_value() || StanPracy.TrybPracy == TTrybPracy::Program;
    }
    // The command of the run in progress or of the last one, and its ticks so far.
    TPolecenie PoleceniePrzebiegu() const { return polecenie; }
    std::uint64_t TaktyPrzebiegu() const { return przebieg ? przebieg->Takty() : taktyOstatniego; }
    // One slice of the run in progress; `poTakcie(TWynikTaktu)` as for TPrzebieg::Porcja.
    // When the run ends in it, the run mode returns and the listeners are told.
    TWynikPorcjiPrzebiegu PorcjaPrzebiegu(const TPorcjaPrzebiegu& p);
    template <class F>
    TWynikPorcjiPrzebiegu PorcjaPrzebiegu(const TPorcjaPrzebiegu& p, F&& poTakcie);
    // Ends the run in progress now, between two ticks, and tells the listeners.
    void ZakonczPrzebieg();

    // ---- registers, memory, devices ----
    void UstawRejestr(int slot, std::uint32_t wartosc);
    void ZwiekszRejestr(int slot);
    void ZmniejszRejestr(int slot);
    // How the schematic shows register `slot`: 2, 10 or 16.
    void UstawPodstawe(int slot, int podstawa);
    void PiszPaO(std::int64_t adres, std::uint32_t slowo);
    void WyczyscPaO();
    void ZglosPrzerwanie(int n);
    void UstawWejscie(std::string tekst);
    // A key let go in the console's input line.
    void KlawiszWLiniiWejscia();
    void WyczyscKonsole();
    void WyczyscDziennik();

    // ---- breakpoints ----
    bool DodajPunkt(const TPunktZatrzymania& p, std::string& blad);
    void UsunPunkt(int k);
    void UsunPunkty();
    void IgnorujPunkty(bool tak);

  private:
    // Tells every listener; only the operations do, so no front end announces a change
    // the owner did not make.
    void Zglos(TZmiana co);
    // After a slice: ends a finished run and tells the listeners what the slice changed.
    void PoPorcji(TWynikPorcjiPrzebiegu& w, const TPorcjaPrzebiegu& p);

    // The machine's own reports, passed on to the listeners.
    void Komunikat(std::string_view tekst) override;
    void PoczatekTaktu() override;
    void ZmianaKonsoli() override;

    std::vector<TSluchaczSymulatora*> sluchacze;
    std::vector<TSluchaczSymulatora*> sluchaczeTaktow; // those told of every tick's start
    bool sluchaczeTaktowNieaktualni = false;

    // The run in progress, and what it did since the listeners last heard of it.
    std::optional<TPrzebieg> przebieg;
    TPolecenie polecenie = TPolecenie::Rozkaz;
    std::uint64_t taktyOstatniego = 0;
    std::chrono::steady_clock::time_point ostatnieZgloszenie;
    bool zmianaKonsoli = false, nowyKomunikat = false;

    // What the last compilation read of each instruction.
    struct TSkompilowany {
        std::string Nazwa;
        std::uint16_t Kod;
        std::vector<std::string> Mikroprogram;
    };
    std::vector<TSkompilowany> skompilowane;
    void ZapamietajSkompilowane();
};

template <class F>
TWynikPorcjiPrzebiegu TSymulator::PorcjaPrzebiegu(const TPorcjaPrzebiegu& p, F&& poTakcie) {
    TWynikPorcjiPrzebiegu w;
    if (!przebieg) {
        w.Zakonczone = true;
        return w;
    }
    const auto dodaj = [&w](const TWynikPorcji& c) {
        w.Takty += c.Takty;
        w.Rozkazy += c.Rozkazy;
        if (c.Takty > 0) w.KoniecRozkazu = c.KoniecRozkazu;
        w.StopWPorcji = w.StopWPorcji || c.StopWPorcji;
    };
    using Zegar = std::chrono::steady_clock;
    const bool naCzas = p.Czas != std::chrono::nanoseconds::max();
    const Zegar::time_point start = naCzas ? Zegar::now() : Zegar::time_point{};
    const auto przed = [&](std::chrono::nanoseconds limit) {
        return !naCzas || Zegar::now() - start < limit;
    };
    if (!naCzas) {
        // No clock to read: the whole slice in one loop, as fast as a tick goes.
        dodaj(przebieg->Porcja(p.Takty, poTakcie));
    } else {
        constexpr std::uint64_t Kawalek = 1024;
        while (przebieg->Trwa() && w.Takty < p.Takty && przed(p.Czas))
            dodaj(przebieg->Porcja(std::min(Kawalek, p.Takty - w.Takty), poTakcie));
    }
    if (p.DokonczRozkaz) {
        // A microprogram that never finishes an instruction still yields.
        const auto drugi = p.Czas > std::chrono::nanoseconds::max() / 2 ? p.Czas : 2 * p.Czas;
        while (przebieg->Trwa() && !w.KoniecRozkazu && w.Takty < p.Takty && przed(drugi))
            dodaj(przebieg->Porcja(1, poTakcie));
    }
    PoPorcji(w, p);
    return w;
}
