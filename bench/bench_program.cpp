// Ticks per second of "Program" on the standard set: the counting loop of the worked
// example, which never halts.

#include <benchmark/benchmark.h>

#include "Sterowanie.h"
#include "TSymulator.h"

namespace {

void Petla(TSymulator& s) {
    const int slowa[][3] = {{0, 4, 21}, {1, 3, 20}, {2, 4, 20}, {3, 1, 22}, {4, 3, 20},
                            {5, 5, 2},  {6, 0, 0},  {20, 0, 0}, {21, 0, 0}, {22, 0, 1}};
    for (const auto& k : slowa)
        s.Maszyna.WstawKomorke(k[0], k[1], k[2], "110");
    s.Maszyna.Reset();
}

// Bare ticks.
void BM_Takt(benchmark::State& state) {
    TSymulator s;
    Petla(s);
    for (auto _ : state)
        benchmark::DoNotOptimize(s.Maszyna.Takt());
    state.SetItemsProcessed(state.iterations());
}

// The command in slices of 65536 ticks, as the window runs it.
void BM_ProgramPorcjami(benchmark::State& state) {
    TSymulator s;
    Petla(s);
    TPrzebieg program(s.Maszyna, TPolecenie::Program);
    std::uint64_t takty = 0;
    for (auto _ : state)
        takty += program.Porcja(65536).Takty;
    state.SetItemsProcessed(static_cast<std::int64_t>(takty));
}

// The whole command with a function between ticks that counts them and ends the run,
// as the command-line runner does.
void BM_ProgramZLicznikiem(benchmark::State& state) {
    TSymulator s;
    std::uint64_t takty = 0;
    for (auto _ : state) {
        Petla(s);
        std::uint64_t ile = 0;
        TPrzebieg program(s.Maszyna, TPolecenie::Program);
        program.DoKonca([&](int) { return ++ile < 1000000; });
        takty += ile;
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(takty));
}

BENCHMARK(BM_Takt);
BENCHMARK(BM_ProgramPorcjami);
BENCHMARK(BM_ProgramZLicznikiem)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
