// The property diagrams: what each chart plots, the saturation curve, the isolines that suit
// it with as many values as the view shows, the state at a point of a chart, and the processes
// drawn from a state. Points are in the library's units (MPa, K, kJ/kg, kJ/(kg K), m3/kg);
// captions, the values of isolines and the words are in the units chosen, pressures absolute.
#pragma once

#include <QLocale>
#include <QPointF>
#include <QString>
#include <optional>
#include <vector>

#include "driver/pages.h"
#include "driver/units.h"
#include "property/state.h"

namespace vapomet {

enum class ChartKind { HS, TS, PH, PT, PV };
inline constexpr ChartKind kChartKinds[] = {ChartKind::HS, ChartKind::TS, ChartKind::PH,
                                            ChartKind::PT, ChartKind::PV};

// Horizontal and vertical variables, and which axes are logarithmic.
struct ChartAxes {
    Variable x, y;
    bool logX, logY;
};
ChartAxes AxesOf(ChartKind kind);
// "h-s", "T-s", "p-h", "p-T", "p-v"; the name in the window adds "(Mollier)" to h-s.
QString ChartName(ChartKind kind);
QString ChartTitle(ChartKind kind);
std::optional<ChartKind> ChartNamed(const QString& name);
// An axis caption with its unit: "s, kJ/(kg K)".
QString AxisCaption(Variable variable, const Units& units = Units());

// The units of a chart: those chosen, pressures absolute (a logarithmic axis has no zero).
Units ChartUnits(Units units);
// A variable's value in its chart unit and back; the quality as it is.
double ShownValue(const Units& units, Variable variable, double value);
double LibraryValue(const Units& units, Variable variable, double shown);

// A rectangle of a chart, in its units.
struct ChartView {
    double xLo, xHi, yLo, yHi;
    bool contains(const QPointF& point) const {
        return point.x() >= xLo && point.x() <= xHi && point.y() >= yLo && point.y() <= yHi;
    }
};
// The whole chart: the domain's states up to 1073.15 K.
ChartView FullView(ChartKind kind);

enum class LineKind {
    Saturation,
    Isobar,
    Isotherm,
    Isenthalp,
    Isentrope,
    Isochore,
    Quality,
    Boundary
};
struct ChartLine {
    LineKind kind;
    QString label;  // "10 MPa", "500 K", "x = 0.5", ...; empty for the saturation curve
    std::vector<QPointF> points;
};

// The saturation curve from the triple point to the critical point and back, the critical
// point, the isolines of the chart (h-s: isobars and isotherms; T-s: isobars and isenthalps;
// p-h: isotherms and isentropes; p-T: isochores and isenthalps; p-v: isotherms and
// isentropes), lines of constant quality in the dome, and on request the boundaries of the
// formulation's regions. The values of each kind of line are round ones, about eight across
// the view. Computed on the whole-state path: each point gives back its line's value exactly.
struct ChartData {
    ChartKind kind;
    ChartView view;
    std::vector<ChartLine> lines;
    QPointF critical;
};
// The isolines' values are round in the units given.
ChartData ChartCurves(ChartKind kind, const ChartView& view, bool boundaries,
                      const Units& units = Units());

// The point of a state on a chart.
QPointF ChartPointOf(ChartKind kind, const State& state);

// The states at a point of a chart, by the solver of the chart's pair; empty outside the
// formulation's states.
std::vector<State> StatesAtPoint(ChartKind kind, const QPointF& point);

// The states of the last press as the pages show them: page 1's saturated liquid and vapour,
// page 2's, and page 3's state, each with P, T, v, density, h and s read from its page (what a
// page shows as no number is left out). Between 623.15 K and 647 K the pages' equations are
// not the formulation's: such a state may lie off its curves, and its label says so.
struct ChartState {
    QString label;
    State state;
};
std::vector<ChartState> PressStates(const ResultPages& pages);

// Round values between lo and hi for lines or ticks, about `count` of them: steps of 1, 2 or
// 5 times a power of ten; on a logarithmic scale 1, 2 and 5 in each decade (or decades alone
// where there are many).
std::vector<double> RoundValues(double lo, double hi, int count, bool logarithmic);

// A process from a state to the pressure P2: an expansion or compression with isentropic
// efficiency eta (0 < eta <= 1), or throttling at constant enthalpy. The isentropic end, the
// actual end, the changes of h and s, and the lines to draw on a chart: the isentrope from the
// start to P2 and the path to the actual end (the isenthalp when throttling).
enum class ProcessKind { Isentropic, Throttling };
struct Process {
    ProcessKind kind;
    State start, isentropicEnd, end;
    double dh, ds;  // end minus start
    std::vector<State> isentrope, path;
};
// Throws what StatesFrom throws where an end has no state.
Process RunProcess(ProcessKind kind, const State& start, double P2, double eta);

// The diagram's words, six significant digits in the user's convention: the point and the
// state there, as the status line shows them; what a click there gives the history; a
// process's changes and ends; how the process was asked for, from entry `from` (counted from 1).
QString PointInWords(ChartKind kind, const QPointF& point, const QLocale& locale,
                     const Units& units = Units());
QString PointGiven(ChartKind kind, const QPointF& point, const QLocale& locale,
                   const Units& units = Units());
QString ProcessInWords(const Process& process, const QLocale& locale, const Units& units = Units());
QString ProcessGiven(const Process& process, double eta, int from, const QLocale& locale,
                     const Units& units = Units());

}  // namespace vapomet
