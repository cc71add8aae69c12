// "Program" in the window: ticks per second of the worked example's loop while the
// main window's schematic redraws, redraws per second, and how long Stop takes to end the run;
// beside it the same loop run as the command-line runner runs it, and the ratio of the two.
// Runs offscreen unless QT_QPA_PLATFORM says otherwise.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "Sterowanie.h"
#include "TFormMain.h"
#include "TFrameMaszyna.h"
#include "TObrazMaszyny.h"
#include "TPrzebiegOkna.h"
#include "TSymulator.h"

namespace {

const std::vector<std::string> Przyklad = {
    "        pob zero",   "        ład liczba", "petla:  pob liczba", "        dod jeden",
    "        ład liczba", "        sob petla",  "        stop",       "        org 20",
    "liczba: rpa",        "zero:   rst 0",      "jeden:  rst 1",      "        kon"};

// Counts the paints that reach the screen, not the redraw requests.
class TLicznikMalowan : public QObject {
  public:
    int Malowania = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        Malowania += e->type() == QEvent::Paint;
        return false;
    }
};

// One "Program" in the window, stopped by a click on Stop after czasMs.
struct TPomiar {
    double Takty = 0, Malowania = 0, Sekundy = 0, StopMs = 0;
};
TPomiar ProgramWOknie(int czasMs) {
    TSymulator s;
    TFormMain okno(s);
    okno.show();
    QCoreApplication::processEvents(); // the first show's set-up
    s.KompilujProgram(Przyklad);
    s.Maszyna.Reset();
    TFrameMaszyna& panel = *okno.FrameMaszyna1;
    panel.OdswiezMaszyne();
    TLicznikMalowan licznik;
    panel.Image1->installEventFilter(&licznik);
    QCoreApplication::processEvents();
    licznik.Malowania = 0;

    QEventLoop petla;
    QElapsedTimer zegar;
    qint64 koniec = 0;
    QObject::connect(okno.Przebieg, &TPrzebiegOkna::KoniecPrzebiegu, &petla, [&] {
        koniec = zegar.nsecsElapsed();
        petla.quit();
    });
    // The user presses Stop at czasMs; the press is handled at the next slice boundary.
    QTimer::singleShot(czasMs, Qt::PreciseTimer, panel.SpeedButtonStop, &QToolButton::click);
    zegar.start();
    panel.SpeedButtonProgram->click();
    petla.exec();
    return {static_cast<double>(okno.Przebieg->Takty()), static_cast<double>(licznik.Malowania),
            koniec / 1e9, (koniec - qint64(czasMs) * 1000000) / 1e6};
}

// The same program for the same time as the runner runs it: no history, no window, nothing
// between ticks, so the machine runs slices of 65536 ticks in its own loop; the time is
// read between slices.
TPomiar ProgramRunnera(int czasMs) {
    const auto czas = std::chrono::milliseconds(czasMs);
    TSymulator s;
    s.Maszyna.UstawHistorie(nullptr);
    s.KompilujProgram(Przyklad);
    s.Maszyna.Reset();
    std::uint64_t ile = 0;
    const auto poczatek = std::chrono::steady_clock::now();
    auto teraz = poczatek;
    s.RozpocznijPrzebieg(TPolecenie::Program);
    while (s.TrwaPrzebieg() && teraz - poczatek < czas) {
        ile += s.PorcjaPrzebiegu({.Takty = 65536}).Takty;
        teraz = std::chrono::steady_clock::now();
    }
    s.ZakonczPrzebieg();
    return {static_cast<double>(ile), 0, std::chrono::duration<double>(teraz - poczatek).count(),
            0};
}

// The window's "Program" and the runner's, one after the other in every iteration (in
// turns, which goes first), so that the machine's drift over a run falls on both alike.
// Many short pairs rather than a few long ones: the ratio of each pair is taken, and
// their median stands for the run, so that a pair that another program on the machine
// slowed down does not move it.
void BM_ProgramWOknieIRunnera(benchmark::State& state) {
    const int czasMs = static_cast<int>(state.range(0));
    TPomiar okno, runner;
    double maksStopMs = 0;
    std::vector<double> stosunki;
    int i = 0;
    for (auto _ : state) {
        TPomiar o, r;
        if (i++ % 2 == 0) {
            o = ProgramWOknie(czasMs);
            r = ProgramRunnera(czasMs);
        } else {
            r = ProgramRunnera(czasMs);
            o = ProgramWOknie(czasMs);
        }
        okno.Takty += o.Takty, okno.Malowania += o.Malowania, okno.Sekundy += o.Sekundy;
        okno.StopMs += o.StopMs;
        maksStopMs = std::max(maksStopMs, o.StopMs);
        runner.Takty += r.Takty, runner.Sekundy += r.Sekundy;
        stosunki.push_back((o.Takty / o.Sekundy) / (r.Takty / r.Sekundy));
        state.SetIterationTime(o.Sekundy + r.Sekundy);
    }
    const double iteracje = static_cast<double>(state.iterations());
    std::sort(stosunki.begin(), stosunki.end());
    const std::size_t p = stosunki.size() / 2;
    state.counters["takty_na_s"] = okno.Takty / okno.Sekundy;
    state.counters["malowania_na_s"] = okno.Malowania / okno.Sekundy;
    state.counters["stop_ms"] = okno.StopMs / iteracje;
    state.counters["stop_ms_maks"] = maksStopMs;
    state.counters["runner_takty_na_s"] = runner.Takty / runner.Sekundy;
    state.counters["stosunek_mediana"] =
        stosunki.size() % 2 ? stosunki[p] : (stosunki[p - 1] + stosunki[p]) / 2;
}
BENCHMARK(BM_ProgramWOknieIRunnera)
    ->Arg(500)
    ->Iterations(16)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The schematic redrawn (preset "Max": every signal drawn) after each tick of the worked
// example, as in a run: the image is painted anew only where the picture changed (0).
// At zoom 1.5 a picture pixel is no whole number of image pixels, so every redraw paints
// the whole image (1).
void BM_RysujMaszyne(benchmark::State& state) {
    TSymulator s;
    s.ZastosujPreset("Max");
    s.KompilujProgram(Przyklad);
    s.Maszyna.Reset();
    TObrazMaszyny obraz(s);
    if (state.range(0) == 1) obraz.UstawSkale(1.5);
    for (auto _ : state) {
        PolecenieTakt(s.Maszyna, false);
        obraz.RysujMaszyne();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RysujMaszyne)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The usual table, then the window's "Program" against the runner's.
class TRaport : public benchmark::ConsoleReporter {
  public:
    std::map<std::string, std::map<std::string, double>> Liczniki;
    void ReportRuns(const std::vector<Run>& przebiegi) override {
        ConsoleReporter::ReportRuns(przebiegi);
        for (const auto& p : przebiegi)
            if (p.aggregate_name == "median" || p.aggregate_name.empty())
                for (const auto& [nazwa, l] : p.counters)
                    Liczniki[p.run_name.function_name][nazwa] = l.value;
    }
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication aplikacja(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    TRaport raport;
    benchmark::RunSpecifiedBenchmarks(&raport);
    auto& l = raport.Liczniki;
    if (l.count("BM_ProgramWOknieIRunnera")) {
        auto& w = l["BM_ProgramWOknieIRunnera"];
        std::printf("Program w oknie %6.1f M taktów/s przy %.0f malowaniach/s, runner %6.1f M "
                    "taktów/s, stosunek %.2f (mediana par %.2f)\n",
                    w["takty_na_s"] / 1e6, w["malowania_na_s"], w["runner_takty_na_s"] / 1e6,
                    w["takty_na_s"] / w["runner_takty_na_s"], w["stosunek_mediana"]);
    }
    benchmark::Shutdown();
    return 0;
}
