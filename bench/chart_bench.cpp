// Times of the diagrams: each chart's curves over its whole range and over a tenth of it, the
// chart drawn into a 1000 x 750 picture, and the state under the cursor on each chart.
//   build/bench/vapomet_ui_bench
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cstdlib>

#include "driver/chart.h"
#include "ui/diagram_window.h"
#include "ui/plot_widget.h"

namespace {

using namespace vapomet;

ChartView Tenth(ChartKind kind) {
    const ChartView full = FullView(kind);
    const ChartAxes axes = AxesOf(kind);
    const auto part = [](double lo, double hi, bool log) {
        return log ? std::pair(lo * std::pow(hi / lo, 0.45), lo * std::pow(hi / lo, 0.55))
                   : std::pair(lo + 0.45 * (hi - lo), lo + 0.55 * (hi - lo));
    };
    const auto [xLo, xHi] = part(full.xLo, full.xHi, axes.logX);
    const auto [yLo, yHi] = part(full.yLo, full.yHi, axes.logY);
    return {xLo, xHi, yLo, yHi};
}

void Curves(benchmark::State& state, ChartKind kind, bool zoomed) {
    const ChartView view = zoomed ? Tenth(kind) : FullView(kind);
    for (auto _ : state) benchmark::DoNotOptimize(ChartCurves(kind, view, false));
}

void Drawing(benchmark::State& state, ChartKind kind) {
    ui::PlotWidget plot;
    plot.resize(1000, 750);
    const ChartAxes axes = AxesOf(kind);
    plot.setAxes(AxisCaption(axes.x), axes.logX, AxisCaption(axes.y), axes.logY);
    const ChartView full = FullView(kind);
    plot.setHome({full.xLo, full.xHi, full.yLo, full.yHi});
    plot.resetRange();
    std::vector<ui::PlotCurve> curves;
    for (const ChartLine& line : ChartCurves(kind, full, true).lines)
        curves.push_back({line.points, QPen(Qt::blue), line.label});
    plot.setCurves(std::move(curves));
    QImage image(plot.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        plot.render(painter, image.rect());
    }
}

// The cursor at the middle of the chart's region of states, and beside the dome.
void UnderCursor(benchmark::State& state, ChartKind kind) {
    const QPointF points[] = {ChartPointOf(kind, StateAt(5.0, 700.0)),
                              ChartPointOf(kind, Mixture(SaturationAtT(450.0), 0.6)),
                              ChartPointOf(kind, StateAt(30.0, 400.0))};
    for (auto _ : state)
        for (const QPointF& point : points) benchmark::DoNotOptimize(StatesAtPoint(kind, point));
    state.SetItemsProcessed(state.iterations() * 3);
}

void Register() {
    for (const ChartKind kind : kChartKinds) {
        const std::string name = ChartName(kind).toStdString();
        benchmark::RegisterBenchmark(("Chart/" + name + "/whole").c_str(), Curves, kind, false)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("Chart/" + name + "/tenth").c_str(), Curves, kind, true)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("Drawing/" + name).c_str(), Drawing, kind)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("UnderCursor/" + name).c_str(), UnderCursor, kind)
            ->Unit(benchmark::kMicrosecond);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    Register();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
