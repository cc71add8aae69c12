// Peak memory of one assembly per megabyte of program text. Every allocation of the
// process is counted, so the figure is what the assembly really takes on top of the
// text the caller already holds.

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "TSymulator.h"

namespace {

std::atomic<std::size_t> biezace{0}, szczyt{0};

void Dodaj(std::size_t n) {
    const std::size_t teraz = biezace.fetch_add(n) + n;
    std::size_t s = szczyt.load();
    while (teraz > s && !szczyt.compare_exchange_weak(s, teraz)) {
    }
}

// The program: `linia(i)` repeated until `bajtow` bytes with line ends.
template <class F> std::vector<std::string> Program(std::size_t bajtow, F linia) {
    std::vector<std::string> p;
    std::size_t n = 0;
    for (int i = 0; n < bajtow; ++i) {
        p.push_back(linia(i));
        n += p.back().size() + 2;
    }
    return p;
}

template <class F> void Pomiar(benchmark::State& state, F linia) {
    const std::size_t bajtow = static_cast<std::size_t>(state.range(0)) << 20;
    const auto program = Program(bajtow, linia);
    std::size_t najwiecej = 0;
    for (auto _ : state) {
        TSymulator s;
        s.Maszyna.UstawSzerokosci(24, 8);
        const std::size_t przed = biezace.load();
        szczyt.store(przed);
        s.KompilujProgram(program);
        najwiecej = std::max(najwiecej, szczyt.load() - przed);
        if (s.WynikAsemblacji.Komunikaty.size() == 1 &&
            s.WynikAsemblacji.Komunikaty[0].find("Program za duży") != std::string::npos)
            state.SkipWithError("ponad budżet");
    }
    state.counters["szczyt_MB"] = static_cast<double>(najwiecej) / (1 << 20);
    state.counters["bajtow_na_bajt_wejscia"] =
        static_cast<double>(najwiecej) / static_cast<double>(bajtow);
}

void BM_PamiecRpa(benchmark::State& state) {
    Pomiar(state, [](int) { return std::string("rpa"); });
}

void BM_PamiecNieznane(benchmark::State& state) {
    Pomiar(state, [](int) { return std::string("a"); });
}

void BM_PamiecEtykiety(benchmark::State& state) {
    Pomiar(state, [](int i) {
        return "e" + std::to_string(i) + ":\tSOB e" + std::to_string(i / 2) + "   // skok wstecz";
    });
}

} // namespace

void* operator new(std::size_t n) {
    Dodaj(n);
    if (void* p = std::malloc(n + sizeof(std::max_align_t))) {
        *static_cast<std::size_t*>(p) = n;
        return static_cast<char*>(p) + sizeof(std::max_align_t);
    }
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept {
    if (!p) return;
    void* poczatek = static_cast<char*>(p) - sizeof(std::max_align_t);
    biezace.fetch_sub(*static_cast<std::size_t*>(poczatek));
    std::free(poczatek);
}

void operator delete(void* p, std::size_t) noexcept {
    operator delete(p);
}

BENCHMARK(BM_PamiecRpa)->Arg(8)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_PamiecNieznane)->Arg(8)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_PamiecEtykiety)->Arg(8)->Unit(benchmark::kMillisecond)->Iterations(1);

BENCHMARK_MAIN();
