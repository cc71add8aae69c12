// Microinstructions per second: the decoded route (what a tick runs) and the text route.

#include <benchmark/benchmark.h>

#include "TSymulator.h"

namespace {

const char* const Teksty[] = {"czyt wys wei il", "czyt wys weja dod weak wyl wea"};

void Przygotuj(TSymulator& s, int bityAdresu, int bityKodu) {
    s.Maszyna.UstawSzerokosci(bityAdresu, bityKodu);
    s.Maszyna.Reset();
    s.Maszyna.PiszPaO(0, 0x65);
}

void BM_Zdekodowany(benchmark::State& state) {
    TSymulator s;
    Przygotuj(s, static_cast<int>(state.range(1)), static_cast<int>(state.range(2)));
    const TZestawSygnalow z = DekodujMikrorozkaz(Teksty[state.range(0)]);
    for (auto _ : state) {
        s.Maszyna.WyczyscMagistrale();
        s.Maszyna.WykonajZestaw(z);
    }
    benchmark::DoNotOptimize(s.Maszyna.Wartosc(Slot::AK));
    state.SetItemsProcessed(state.iterations());
    state.SetLabel(Teksty[state.range(0)]);
}

void BM_Tekstowy(benchmark::State& state) {
    TSymulator s;
    Przygotuj(s, static_cast<int>(state.range(1)), static_cast<int>(state.range(2)));
    const char* tekst = Teksty[state.range(0)];
    for (auto _ : state) {
        s.Maszyna.WyczyscMagistrale();
        s.Maszyna.WykonajMikrorozkaz(tekst);
    }
    benchmark::DoNotOptimize(s.Maszyna.Wartosc(Slot::AK));
    state.SetItemsProcessed(state.iterations());
    state.SetLabel(tekst);
}

// Arguments: text, address bits, code bits (5+3 = 8-bit word, 24+8 = 32-bit word).
BENCHMARK(BM_Zdekodowany)->Args({0, 5, 3})->Args({0, 24, 8})->Args({1, 5, 3})->Args({1, 24, 8});
BENCHMARK(BM_Tekstowy)->Args({0, 5, 3})->Args({0, 24, 8})->Args({1, 5, 3})->Args({1, 24, 8});

} // namespace

BENCHMARK_MAIN();
