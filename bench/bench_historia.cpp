// The cost of the way back, on the counting loop of the worked example: "Program" with
// and without the history, the memory that 1 000 000 ticks take, and the time to undo
// them all.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

#include "PetlaPrzykladu.h"
#include "Sterowanie.h"
#include "TSymulator.h"

namespace {

constexpr std::uint64_t Milion = 1'000'000;

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
        TPrzebieg program(s.Maszyna, TPolecenie::Program);
        takty += program.Porcja(Milion).Takty;
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
        program.Porcja(Milion);
        program.Zakoncz();
        if (s.Historia.Takty() != Milion) state.SkipWithError("the history lost ticks");
        megabajty = static_cast<double>(s.Historia.Pamiec()) / (1 << 20);
        state.ResumeTiming();
        while (s.TaktWstecz()) {
        }
    }
    state.counters["MB"] = megabajty;
    state.counters["ticks"] = static_cast<double>(Milion);
}

BENCHMARK(BM_Program)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MilionWstecz)->Unit(benchmark::kMillisecond)->Iterations(3);

// The usual table, then the cost of recording: the medians of "Program" with and without.
class TRaport : public benchmark::ConsoleReporter {
  public:
    std::map<std::string, double> Mediany;
    void ReportRuns(const std::vector<Run>& przebiegi) override {
        ConsoleReporter::ReportRuns(przebiegi);
        for (const auto& p : przebiegi)
            if (p.aggregate_name == "median") {
                const auto l = p.counters.find("items_per_second");
                if (l != p.counters.end())
                    Mediany[p.run_name.function_name + "/" + p.run_name.args] = l->second;
            }
    }
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    TRaport raport;
    benchmark::RunSpecifiedBenchmarks(&raport);
    const auto& m = raport.Mediany;
    const auto bez = m.find("BM_Program/0");
    for (const char* nazwa : {"BM_Program/1", "BM_Program/2"}) {
        const auto z = m.find(nazwa);
        if (bez != m.end() && z != m.end())
            std::printf("%s: %.1f M taktów/s, bez historii %.1f M taktów/s, wolniej o %.0f %%\n",
                        nazwa, z->second / 1e6, bez->second / 1e6,
                        (bez->second / z->second - 1) * 100);
    }
    benchmark::Shutdown();
    return 0;
}
