// Assembling a 100 000-line program: labels, instructions, data words, comments, "org".

#include <benchmark/benchmark.h>

#include "TSymulator.h"

namespace {

std::vector<std::string> Program(int linii) {
    std::vector<std::string> p;
    p.reserve(static_cast<std::size_t>(linii));
    p.push_back("// program do pomiaru");
    int i = 0;
    while (static_cast<int>(p.size()) < linii) {
        const std::string n = std::to_string(i);
        switch (i % 10) {
        case 0:
            p.push_back("petla" + n + ":  pob dana" + n + "   // początek bloku");
            break;
        case 1:
            p.push_back("        dod jeden");
            break;
        case 2:
            p.push_back("\tład    wynik" + std::to_string(i - 2));
            break;
        case 3:
            p.push_back("        som petla" + std::to_string(i - 3));
            break;
        case 4:
            p.push_back("");
            break;
        case 5:
            p.push_back("        sob dalej" + n);
            break;
        case 6:
            p.push_back("dana" + std::to_string(i - 6) + ": rst $1F");
            break;
        case 7:
            p.push_back("wynik" + std::to_string(i - 7) + ":\trpa");
            break;
        case 8:
            p.push_back("DALEJ" + std::to_string(i - 3) + ": RST -17 // komentarz");
            break;
        default:
            p.push_back("        ode x10");
            break;
        }
        ++i;
    }
    p.push_back("jeden: rst 1");
    p.push_back("kon");
    return p;
}

void BM_KompilujProgram(benchmark::State& state) {
    TSymulator s;
    s.Maszyna.UstawSzerokosci(24, 8);
    const auto program = Program(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        s.KompilujProgram(program);
        benchmark::DoNotOptimize(s.Maszyna.PaO().Rozmiar());
    }
    if (!s.WynikAsemblacji.Komunikaty.empty())
        state.SkipWithError(s.WynikAsemblacji.Komunikaty.front().c_str());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

} // namespace

BENCHMARK(BM_KompilujProgram)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
