// The cost of the way back, on the counting loop of the worked example: "Program" with
// and without the history, the memory that 1 000 000 ticks take, and the time to undo
// them all.

#include <benchmark/benchmark.h>

#include "Sterowanie.h"
#include "TSymulator.h"

namespace {

constexpr std::uint64_t Milion = 1'000'000;

void Petla(TSymulator& s) {
    const int slowa[][3] = {{0, 4, 21}, {1, 3, 20}, {2, 4, 20}, {3, 1, 22}, {4, 3, 20},
                            {5, 5, 2},  {6, 0, 0},  {20, 0, 0}, {21, 0, 0}, {22, 0, 1}};
    for (const auto& k : slowa)
        s.Maszyna.WstawKomorke(k[0], k[1], k[2], "110");
    s.Maszyna.Reset();
}

// "Program" for a million ticks, as the runner runs it: without the history (0), with it
// (1), and with a ring of 4096 ticks that is full all the time, so the oldest tick goes
// on every tick (2).
void BM_Program(benchmark::State& state) {
    TSymulator s;
    if (state.range(0) == 0) s.Maszyna.UstawHistorie(nullptr);
    if (state.range(0) == 2) s.Historia.UstawRozmiar(4096, THistoria::DomyslnyBudzet);
    std::uint64_t takty = 0;
    for (auto _ : state) {
        Petla(s);
        std::uint64_t ile = 0;
        TPrzebieg program(s.Maszyna, TPolecenie::Program);
        program.DoKonca([&](int) { return ++ile < Milion; });
        takty += ile;
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(takty));
}

// Undoing a million ticks one by one; the memory they took is reported as MB.
void BM_MilionWstecz(benchmark::State& state) {
    TSymulator s;
    double megabajty = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Petla(s);
        TPrzebieg program(s.Maszyna, TPolecenie::Program);
        std::uint64_t ile = 0;
        program.DoKonca([&](int) { return ++ile < Milion; });
        if (s.Historia.Takty() != Milion) state.SkipWithError("the history lost ticks");
        megabajty = static_cast<double>(s.Historia.Pamiec()) / (1 << 20);
        state.ResumeTiming();
        while (s.TaktWstecz()) {
        }
    }
    state.counters["MB"] = megabajty;
    state.counters["ticks"] = static_cast<double>(Milion);
}

BENCHMARK(BM_Program)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MilionWstecz)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
