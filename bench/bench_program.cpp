// Ticks per second of "Program" on the standard set: the counting loop of the worked
// example, which never halts.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <map>
#include <string>
#include <vector>

#include "PetlaPrzykladu.h"
#include "TSymulator.h"

// A minimal decoded interpreter of the standard set: no flags, no bus checks, no messages.
// It is the limit Takt is measured against, on the same loop, in the same binary.
namespace wzorzec {

enum : std::uint16_t {
    CZYT = 1,
    PISZ = 2,
    WYAD = 4,
    WYS = 8,
    WYL = 16,
    WYAK = 32,
    WEJA = 64,
    DOD = 128,
    PRZEP = 256,
    IL = 512,
    WEL = 1024,
    WEI = 2048,
    WEA = 4096,
    WES = 8192,
    WEAK = 16384
};
struct TWiersz {
    std::uint16_t sygnaly;
    std::int8_t nastepny; // 0 the fetch, -1 the row of KOD
};
// Row 0 is the fetch, rows 1..8 the entries of codes 0..7, then continuations.
constexpr TWiersz Wiersze[] = {
    {CZYT | WYS | WEI | IL, -1},
    {0, 0},                        // stop (never reached here)
    {WYAD | WEA, 9},               // dod
    {0, 0},                        // ode
    {WYAD | WYAK | WES | WEA, 10}, // ład
    {WYAD | WEA, 11},              // pob
    {WYAD | WEL | WEA, 0},         // sob
    {0, 0},
    {0, 0},
    {CZYT | WYS | WEJA | DOD | WEAK | WYL | WEA, 0},   // dod, second tick
    {WYL | PISZ | WEA, 0},                             // ład, second tick
    {CZYT | WYS | WEJA | PRZEP | WEAK | WYL | WEA, 0}, // pob, second tick
};

struct TMaszynaWzorcowa {
    std::array<std::uint32_t, 32> pao{};
    std::uint32_t L = 0, A = 0, S = 0, AK = 0, KOD = 0, AD = 0, jal = 0, wynik = 0;
    int wiersz = 0;

    void Takt() {
        const TWiersz& w = Wiersze[wiersz];
        const std::uint16_t z = w.sygnaly;
        std::uint32_t magA = 0, magS = 0;
        if (z & CZYT) S = pao[A & 31];
        if (z & PISZ) pao[A & 31] = S;
        if (z & WYAD) magA = AD;
        if (z & WYS) magS = S;
        if (z & WYL) magA = L;
        if (z & WYAK) magS = AK;
        if (z & WEJA) jal = magS & 0xFF;
        if (z & DOD) wynik = (AK + jal) & 0xFF;
        if (z & PRZEP) wynik = jal;
        if (z & IL) L = (L + 1) & 31;
        if (z & WEL) L = magA & 31;
        if (z & WEI) AD = magS & 31, KOD = (magS >> 5) & 7;
        if (z & WEA) A = magA & 31;
        if (z & WES) S = magS & 0xFF;
        if (z & WEAK) AK = wynik;
        wiersz = w.nastepny < 0 ? static_cast<int>(KOD) + 1 : w.nastepny;
    }
};

// Ticks in a function of their own that starts a cache line, as the machine's own loop
// does: where the linker puts either then does not change its speed.
[[gnu::noinline, gnu::aligned(64)]] void Takty(TMaszynaWzorcowa& m, std::uint64_t n) {
    for (; n > 0; --n)
        m.Takt();
}

} // namespace wzorzec

namespace {

// Bare ticks, without the history, as the runner runs them.
void BM_Takt(benchmark::State& state) {
    TSymulator s;
    s.Maszyna.UstawHistorie(nullptr);
    Petla(s);
    for (auto _ : state)
        benchmark::DoNotOptimize(s.Maszyna.Takt());
    state.SetItemsProcessed(state.iterations());
}

// The owner's run in slices of 65536 ticks, with the history, as the window runs it.
void BM_ProgramPorcjami(benchmark::State& state) {
    TSymulator s;
    Petla(s);
    s.RozpocznijPrzebieg(TPolecenie::Program);
    std::uint64_t takty = 0;
    for (auto _ : state)
        takty += s.PorcjaPrzebiegu({.Takty = 65536}).Takty;
    state.SetItemsProcessed(static_cast<std::int64_t>(takty));
}

// The owner's run as the command-line runner runs it without a trace: nothing between
// ticks, so the machine runs the slice in its own loop; the run ends after a million ticks.
void BM_ProgramZLicznikiem(benchmark::State& state) {
    TSymulator s;
    s.Maszyna.UstawHistorie(nullptr);
    std::uint64_t takty = 0;
    for (auto _ : state) {
        Petla(s);
        s.RozpocznijPrzebieg(TPolecenie::Program);
        takty += s.PorcjaPrzebiegu({.Takty = 1000000}).Takty;
        s.ZakonczPrzebieg();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(takty));
}

// The same with a function called between ticks, as the runner's trace has it.
void BM_ProgramZFunkcja(benchmark::State& state) {
    TSymulator s;
    s.Maszyna.UstawHistorie(nullptr);
    std::uint64_t takty = 0;
    for (auto _ : state) {
        Petla(s);
        std::uint64_t ile = 0;
        s.RozpocznijPrzebieg(TPolecenie::Program);
        s.PorcjaPrzebiegu({}, [&](TWynikTaktu) { return ++ile < 1000000; });
        takty += ile;
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(takty));
}

// The reference interpreter on the same loop: as the fetch of the worked example leaves it.
wzorzec::TMaszynaWzorcowa PetlaWzorcowa() {
    wzorzec::TMaszynaWzorcowa m;
    for (const auto& k : SlowaPetli)
        m.pao[static_cast<std::size_t>(k[0])] = static_cast<std::uint32_t>(k[1] << 5 | k[2]);
    return m;
}

// The two loops must compute the same thing, or the ratio means nothing.
bool TeSameStany() {
    TSymulator s;
    Petla(s);
    auto m = PetlaWzorcowa();
    for (int t = 0; t < 100000; ++t) {
        s.Maszyna.Takt();
        m.Takt();
        if (s.Maszyna.Wartosc(Slot::AK) != m.AK || s.Maszyna.Wartosc(Slot::L) != m.L ||
            s.Maszyna.Wartosc(Slot::A) != m.A || s.Maszyna.CzytajPaO(20) != m.pao[20])
            return false;
    }
    return true;
}

void BM_Wzorzec(benchmark::State& state) {
    constexpr std::uint64_t Porcja = 65536;
    auto m = PetlaWzorcowa();
    for (auto _ : state) {
        wzorzec::Takty(m, Porcja);
        benchmark::DoNotOptimize(m.wiersz);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(Porcja));
}

// The runner's loop and the reference loop in turns, a million ticks each, as many pairs
// as the run takes; the median of the pairs' ratios, so that a pair that another program
// on the machine slowed down does not move it. Time is CPU time of this thread.
void BM_RunnerIWzorzecNaPrzemian(benchmark::State& state) {
    constexpr std::uint64_t Milion = 1'000'000;
    TSymulator s;
    s.Maszyna.UstawHistorie(nullptr);
    Petla(s);
    s.RozpocznijPrzebieg(TPolecenie::Program);
    auto m = PetlaWzorcowa();
    const auto czas = [](auto&& f) {
        timespec a{}, b{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &a);
        f();
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &b);
        return static_cast<double>(b.tv_sec - a.tv_sec) + (b.tv_nsec - a.tv_nsec) / 1e9;
    };
    std::vector<double> stosunki;
    double czasRunnera = 0, czasWzorca = 0;
    int i = 0;
    for (auto _ : state) {
        double runner = 0, wzorzec = 0;
        const auto runnera = [&] { runner = czas([&] { s.PorcjaPrzebiegu({.Takty = Milion}); }); };
        const auto wzorca = [&] { wzorzec = czas([&] { wzorzec::Takty(m, Milion); }); };
        if (i++ % 2 == 0) {
            runnera();
            wzorca();
        } else {
            wzorca();
            runnera();
        }
        benchmark::DoNotOptimize(m.wiersz);
        stosunki.push_back(wzorzec / runner);
        czasRunnera += runner, czasWzorca += wzorzec;
    }
    const double takty = static_cast<double>(stosunki.size() * Milion);
    state.counters["runner_takty_na_s"] = takty / czasRunnera;
    state.counters["wzorzec_takty_na_s"] = takty / czasWzorca;
    std::sort(stosunki.begin(), stosunki.end());
    const std::size_t p = stosunki.size() / 2;
    state.counters["stosunek_mediana"] =
        stosunki.size() % 2 ? stosunki[p] : (stosunki[p - 1] + stosunki[p]) / 2;
    s.ZakonczPrzebieg();
}

// A program printing without end: the console keeps at most its limit of characters,
// so the memory stays bounded however long it prints.
void BM_DrukowanieBezKonca(benchmark::State& state) {
    TKonsola konsola;
    for (auto _ : state)
        for (std::size_t i = 0; i < TKonsola::MaksZnakow + 10; ++i)
            konsola.Wypisz('x');
    std::size_t znakow = 0;
    for (const auto& l : konsola.Wyjscie())
        znakow += l.size();
    if (znakow > TKonsola::MaksZnakow) state.SkipWithError("the console outgrew its limit");
    state.counters["znaki"] = static_cast<double>(znakow);
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(TKonsola::MaksZnakow));
}

BENCHMARK(BM_Wzorzec);
BENCHMARK(BM_Takt);
BENCHMARK(BM_ProgramPorcjami);
BENCHMARK(BM_ProgramZLicznikiem)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProgramZFunkcja)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RunnerIWzorzecNaPrzemian)->Iterations(40)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrukowanieBezKonca)->Unit(benchmark::kMillisecond);

// Prints the usual table, then the runner's loop against the reference loop.
class TRaport : public benchmark::ConsoleReporter {
  public:
    std::map<std::string, double> TaktyNaSekunde;
    double StosunekNaPrzemian = 0, RunnerNaPrzemian = 0, WzorzecNaPrzemian = 0;
    void ReportRuns(const std::vector<Run>& przebiegi) override {
        ConsoleReporter::ReportRuns(przebiegi);
        // With --benchmark_repetitions the median stands for the run.
        for (const auto& p : przebiegi) {
            const auto m = p.counters.find("stosunek_mediana");
            if (m != p.counters.end() &&
                (p.aggregate_name == "median" || p.aggregate_name.empty())) {
                StosunekNaPrzemian = m->second;
                RunnerNaPrzemian = p.counters.at("runner_takty_na_s");
                WzorzecNaPrzemian = p.counters.at("wzorzec_takty_na_s");
            }
            const auto l = p.counters.find("items_per_second");
            if (l == p.counters.end()) continue;
            if (p.aggregate_name == "median" || p.aggregate_name.empty())
                TaktyNaSekunde[p.run_name.function_name] = l->second;
        }
    }
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    if (!TeSameStany()) {
        std::fprintf(stderr, "pętla wzorcowa liczy co innego niż Takt\n");
        return 1;
    }
    TRaport raport;
    benchmark::RunSpecifiedBenchmarks(&raport);
    const auto& t = raport.TaktyNaSekunde;
    for (const char* nazwa :
         {"BM_Takt", "BM_ProgramPorcjami", "BM_ProgramZLicznikiem", "BM_ProgramZFunkcja"}) {
        const auto i = t.find(nazwa), w = t.find("BM_Wzorzec");
        if (i != t.end() && w != t.end())
            std::printf("%-24s %6.1f M taktów/s, wzorzec %6.1f M taktów/s, stosunek %.2f\n", nazwa,
                        i->second / 1e6, w->second / 1e6, i->second / w->second);
    }
    if (raport.StosunekNaPrzemian > 0)
        std::printf("na przemian: runner %6.1f M taktów/s, wzorzec %6.1f M taktów/s, stosunek "
                    "%.2f (mediana par)\n",
                    raport.RunnerNaPrzemian / 1e6, raport.WzorzecNaPrzemian / 1e6,
                    raport.StosunekNaPrzemian);
    benchmark::Shutdown();
    return 0;
}
