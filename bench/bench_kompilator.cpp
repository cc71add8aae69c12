// Compiling a full instruction set: 256 instructions of 30 lines each.

#include <benchmark/benchmark.h>

#include "Kompilator.h"
#include "TSymulator.h"

namespace {

// Labels, conditional jumps, several microinstructions on a line and one spread over two.
std::vector<std::string> Mikroprogram() {
    std::vector<std::string> l = {"czyt wys wei il ;"};
    for (int k = 1; k < 29; ++k) {
        const std::string e = "e" + std::to_string(k);
        switch (k % 4) {
        case 0:
            l.push_back(e + ": wyad wea ;");
            break;
        case 1:
            l.push_back("if z then e" + std::to_string(k + 3) + " wyl wea ;");
            break;
        case 2:
            l.push_back("czyt wys weja\tdod weak");
            break;
        case 3:
            l.push_back("wyl wea ; " + e + ":WYAK wes ;");
            break;
        }
    }
    l.push_back("wyl pisz wea !");
    return l;
}

void Przygotuj(TSymulator& s) {
    s.ZastosujPreset("Max");
    s.Maszyna.UstawSzerokosci(5, 8);
    std::vector<TRozkaz> rozkazy;
    for (int i = 0; i < 256; ++i) {
        TRozkaz r;
        r.Nazwa = "r" + std::to_string(i);
        r.Kod = static_cast<std::uint16_t>(i);
        r.Mikroprogram = Mikroprogram();
        rozkazy.push_back(std::move(r));
    }
    s.ListaRozkazow.Zastap(std::move(rozkazy));
}

void BM_Kompilacja(benchmark::State& state) {
    TSymulator s;
    Przygotuj(s);
    const bool zeSladem = state.range(0) != 0;
    std::vector<std::string> komunikaty;
    TSladKompilacji slad;
    for (auto _ : state) {
        komunikaty.clear();
        KompilujMikroprogram(s.ListaRozkazow, s.Architektura, s.Maszyna.MaskaKodu(),
                             s.PamiecMikroprogramu, komunikaty, zeSladem ? &slad : nullptr);
        benchmark::DoNotOptimize(s.PamiecMikroprogramu.Rozmiar());
    }
    if (!komunikaty.empty()) state.SkipWithError(komunikaty.front().c_str());
    state.counters["wiersze"] = s.PamiecMikroprogramu.Rozmiar();
    state.SetLabel(zeSladem ? "ze śladem" : "bez śladu");
}

BENCHMARK(BM_Kompilacja)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
