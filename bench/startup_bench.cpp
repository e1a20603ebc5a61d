// The time from the splash window's end to page 1 shown, the part of start-up the program
// itself spends (the splash's two seconds aside): loading the three pages and showing them.
#include <benchmark/benchmark.h>

#include <QElapsedTimer>

#include "ui/module1.h"

namespace {

void AfterSplash(benchmark::State& state) {
    for (auto _ : state) {
        vapomet::ui::Module1 program(QLocale::c());
        program.setEndProgram([] {});
        QElapsedTimer clock;
        QObject::connect(&program, &vapomet::ui::Module1::splashUnloaded,
                         [&clock] { clock.start(); });
        qint64 shown = 0;
        QObject::connect(&program, &vapomet::ui::Module1::mainShown,
                         [&clock, &shown] { shown = clock.nsecsElapsed(); });
        program.startUp(std::chrono::milliseconds(0));
        state.SetIterationTime(static_cast<double>(shown) * 1e-9);
    }
}
BENCHMARK(AfterSplash)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
