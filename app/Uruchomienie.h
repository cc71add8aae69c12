#pragma once
// Running programs headless: one program on its own TSymulator, its report as text or
// JSON and its checks; many programs on several threads, reported in their order.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Architektura.h"
#include "PunktyZatrzymania.h"
#include "Raport.h"
#include "Rozkazy.h"
#include "Sprawdzanie.h"

inline constexpr int KodZatrzymana = 0, KodNiezgodny = 1, KodZleUzycie = 2, KodLimit = 3,
                     KodPunkt = 4;

struct TPrzerwanieZaplanowane {
    std::uint64_t Takt; // raised just before this tick, counted from 1
    int Numer;
};

// Everything every program of one call shares; read-only while programs run.
struct TZadanie {
    TListaRozkazow ListaRozkazow;
    TArchitektura Architektura;
    int BityAdresu = 5, BityKodu = 3;
    std::vector<TPunktZatrzymania> Punkty;
    std::vector<TPrzerwanieZaplanowane> Przerwania; // sorted by tick
    std::vector<TUstawienie> Ustawienia;            // put in after the reset, before the run
    std::uint64_t MaksTaktow = 10000000;
    std::string Wejscie;
    std::string Slad;  // the trace file, for one program only
    std::string Obraz; // the schematic's picture description (JSON), for one program only
    const TOczekiwania* Oczekiwania = nullptr;
    bool Json = false;
    bool Mikroprogram = false;
    bool Scisle = false;         // compile errors fail the program instead of running it
    bool WieleProgramow = false; // JSON on one line with a "program" key, text under a heading
};

struct TWynikProgramu {
    std::string Program;
    int Kod = KodZatrzymana;
    std::string Wyjscie;      // for standard output
    std::string Bledy;        // for standard error
    bool Uruchomiony = false; // false when a file could not be read
    std::uint64_t Takty = 0;
    int Spelnione = 0, Niespelnione = 0;
    std::string PierwszaNiezgodnosc;
};

TWynikProgramu UruchomProgram(const TZadanie& z, const std::string& program);

// Runs the programs on `watki` threads, each on its own simulator, and hands every result
// to `gotowy` in program order, one call at a time (on one of the threads; all have ended
// when this returns). At most a few results per thread wait for their turn, so memory
// does not grow with the number of programs.
void UruchomProgramy(const TZadanie& z, const std::vector<std::string>& programy, int watki,
                     const std::function<void(TWynikProgramu&)>& gotowy);

// The worse of two exit codes of programs checked together: 2, then 1, 4, 3, 0.
int GorszyKod(int a, int b);
