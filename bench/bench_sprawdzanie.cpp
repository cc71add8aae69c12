// Checking a lab's worth of submissions: 300 copies of the multiplication example against
// its expectation file, on 1 and 2 threads. Reports programs per second; the 2-thread run
// also reports its speed-up over 1 thread.

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "TSymulator.h"
#include "Uruchomienie.h"

namespace {

namespace fs = std::filesystem;
constexpr int LiczbaProgramow = 300;

struct TLaboratorium {
    fs::path folder;
    std::vector<std::string> programy;
    TOczekiwania oczekiwania;
    TZadanie zadanie;

    TLaboratorium() {
        folder = fs::temp_directory_path() / ("bench_sprawdzanie_" + std::to_string(::getpid()));
        fs::create_directories(folder);
        for (int i = 0; i < LiczbaProgramow; ++i) {
            const fs::path p = folder / ("student" + std::to_string(i) + ".prg");
            fs::copy_file(fs::path(KATALOG_PRZYKLADOW) / "mnozenie.prg", p,
                          fs::copy_options::overwrite_existing);
            programy.push_back(p.string());
        }
        std::string blad;
        if (!oczekiwania.Wczytaj((fs::path(KATALOG_PRZYKLADOW) / "mnozenie.json").string(), blad))
            throw blad;
        const TSymulator wzor; // the runner's defaults: standard set, machine K
        zadanie.ListaRozkazow = wzor.ListaRozkazow;
        zadanie.Architektura = wzor.Architektura;
        zadanie.Oczekiwania = &oczekiwania;
        zadanie.Json = true;
        zadanie.WieleProgramow = true;
    }
    ~TLaboratorium() {
        std::error_code ec;
        fs::remove_all(folder, ec);
    }
};

double programowNaSekunde1Watku = 0;

void BM_Sprawdzanie(benchmark::State& state) {
    static TLaboratorium lab;
    const int watki = static_cast<int>(state.range(0));
    std::int64_t zgodne = 0;
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state)
        UruchomProgramy(lab.zadanie, lab.programy, watki,
                        [&](TWynikProgramu& w) { zgodne += w.Kod == 0; });
    const double sekundy =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const auto programy = state.iterations() * LiczbaProgramow;
    if (zgodne != programy) state.SkipWithError("a check failed");
    state.SetItemsProcessed(programy);
    const double naSekunde = static_cast<double>(programy) / sekundy;
    state.counters["programy_na_s"] = naSekunde;
    if (watki == 1)
        programowNaSekunde1Watku = naSekunde;
    else if (programowNaSekunde1Watku > 0)
        state.counters["wzgledem_1_watku"] = naSekunde / programowNaSekunde1Watku;
}

} // namespace

BENCHMARK(BM_Sprawdzanie)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

BENCHMARK_MAIN();
