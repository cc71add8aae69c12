// "Program" in the window: ticks per second of the worked example's loop while the
// main window's schematic redraws, redraws per second, and how long Stop takes to end the run.
// Runs offscreen unless QT_QPA_PLATFORM says otherwise.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QToolButton>

#include <string>
#include <vector>

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

void BM_ProgramWOknie(benchmark::State& state) {
    const int czasMs = static_cast<int>(state.range(0));
    double takty = 0, malowania = 0, stopMs = 0, maksStopMs = 0, sekundy = 0;
    for (auto _ : state) {
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

        const double s_ = koniec / 1e9;
        const double opoznienie = (koniec - qint64(czasMs) * 1000000) / 1e6;
        takty += static_cast<double>(okno.Przebieg->Takty());
        malowania += licznik.Malowania;
        sekundy += s_;
        stopMs += opoznienie;
        maksStopMs = std::max(maksStopMs, opoznienie);
        state.SetIterationTime(s_);
    }
    state.counters["takty_na_s"] = takty / sekundy;
    state.counters["malowania_na_s"] = malowania / sekundy;
    state.counters["stop_ms"] = stopMs / static_cast<double>(state.iterations());
    state.counters["stop_ms_maks"] = maksStopMs;
}
BENCHMARK(BM_ProgramWOknie)
    ->Arg(2000)
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// One full redraw of the schematic (preset "Max": every signal drawn).
void BM_RysujMaszyne(benchmark::State& state) {
    TSymulator s;
    s.ZastosujPreset("Max");
    TObrazMaszyny obraz(s);
    for (auto _ : state)
        obraz.RysujMaszyne();
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RysujMaszyne)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication aplikacja(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
