#include "driver/chart.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "driver/quantities.h"
#include "driver/state_table.h"

namespace vapomet {

namespace {

using V = Variable;

constexpr double kTriplePoint = 273.16;           // K, where the saturation curve starts
constexpr double kCriticalTemperature = 647.096;  // K
constexpr double kCriticalPressure = 22.064;      // MPa
constexpr double kLowestTemperature = 273.15;
constexpr double kHighestTemperature = 1073.15;  // the charts stop at region 2's top
constexpr double kLowestPressure = 1e-3;         // MPa, the charts' lowest isobar
constexpr double kHighestPressure = 100.0;
constexpr double kRegion1Top = 623.15;
constexpr double kB23Top = 863.15;
// Points along a line, and along each branch of the saturation curve.
constexpr int kLinePoints = 120;
// Lines of each kind across a view, and the states sampled to find their values' range.
constexpr int kLinesAcross = 10;
constexpr int kSamplesAcross = 9;

double Value(const State& state, Variable variable) {
    return ValueOf(state, variable).value_or(std::nan(""));
}

// The parameter of a line at step i of n between lo and hi, evenly or evenly in its logarithm.
double Step(double lo, double hi, int i, int n, bool logarithmic) {
    const double f = static_cast<double>(i) / (n - 1);
    return logarithmic ? lo * std::pow(hi / lo, f) : lo + (hi - lo) * f;
}

// Temperatures from the triple point to the critical one, closer together near the latter,
// where the saturated phases change fastest.
double SaturationStep(int i, int n) {
    const double f = 1.0 - static_cast<double>(i) / (n - 1);
    return kTriplePoint + (kCriticalTemperature - kTriplePoint) * (1.0 - f * f);
}

// The states of a line, each point computed on its own; a point that has no state is left
// out (a line beyond the domain stops there).
std::vector<State> Trace(int n, const std::function<State(int)>& at) {
    std::vector<State> states;
    states.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        try {
            states.push_back(at(i));
        } catch (const PropertyError&) {
        }
    }
    return states;
}

// A line's states with the saturated liquid and vapour put in where it leaves the liquid:
// between its last state on the liquid side (of `saturated`) and the next.
std::vector<State> ThroughDome(const std::vector<State>& line, double saturated,
                               double State::*along, const std::function<Saturation()>& phases) {
    std::vector<State> states;
    for (const State& state : line) {
        if (!states.empty() &&
            ((states.back().*along - saturated) * (state.*along - saturated)) < 0) {
            const Saturation saturation = phases();
            states.push_back(saturation.liquid);
            states.push_back(saturation.vapour);
        }
        states.push_back(state);
    }
    return states;
}

std::vector<State> Isobar(double P) {
    const std::vector<State> line = Trace(kLinePoints, [P](int i) {
        return StateAt(P, Step(kLowestTemperature, kHighestTemperature, i, kLinePoints, false));
    });
    if (!(P < kCriticalPressure && P >= Satpr(kLowestTemperature))) return line;
    return ThroughDome(line, Sattr(P), &State::T, [P] { return SaturationAtP(P); });
}

// From the highest pressure down, so that a label at the line's last point stands where the
// line leaves the chart at low pressure, apart from the others.
std::vector<State> Isotherm(double T) {
    const std::vector<State> line = Trace(kLinePoints, [T](int i) {
        return StateAt(Step(kHighestPressure, kLowestPressure, i, kLinePoints, true), T);
    });
    if (!(T < kCriticalTemperature)) return line;
    return ThroughDome(line, Satpr(T), &State::P, [T] { return SaturationAtT(T); });
}

// From the critical point down to the triple point, where the lines lie apart for a label.
std::vector<State> QualityLine(double x) {
    return Trace(kLinePoints, [x](int i) {
        return Mixture(SaturationAtT(SaturationStep(kLinePoints - 1 - i, kLinePoints)), x);
    });
}

// Along an isobar sweep, the states with a given value of z (h, s): the first state each
// pressure has.
std::vector<State> AlongPressure(Variable z, double value, double Plo, double Phi, int n) {
    return Trace(
        n, [=](int i) { return StatesFrom(V::P, Step(Plo, Phi, i, n, true), z, value).front(); });
}

std::vector<State> Isochore(double v) {
    return Trace(kLinePoints, [v](int i) {
        return StatesFrom(V::T,
                          Step(kLowestTemperature, kHighestTemperature, i, kLinePoints, false),
                          V::v, v)
            .front();
    });
}

std::vector<State> SaturationCurve() {
    std::vector<State> liquid, vapour;
    for (int i = 0; i < kLinePoints; ++i) {
        const Saturation saturation = SaturationAtT(SaturationStep(i, kLinePoints));
        liquid.push_back(saturation.liquid);
        vapour.push_back(saturation.vapour);
    }
    liquid.insert(liquid.end(), vapour.rbegin(), vapour.rend());
    return liquid;
}

// The boundaries of regions 1 and 3 (623.15 K above psat), 2 and 3 (B23) and the top of
// region 2 (1073.15 K); region 4 is the saturation curve itself.
std::vector<std::vector<State>> Boundaries() {
    const double P13 = Satpr(kRegion1Top);
    return {Trace(kLinePoints / 4,
                  [P13](int i) {
                      return StateInRegion(Region::One,
                                           Step(P13, kHighestPressure, i, kLinePoints / 4, false),
                                           kRegion1Top);
                  }),
            Trace(kLinePoints / 2,
                  [](int i) {
                      const double T = Step(kRegion1Top, kB23Top, i, kLinePoints / 2, false);
                      return StateInRegion(Region::Two, b23(T), T);
                  }),
            Trace(kLinePoints / 2, [](int i) {
                return StateInRegion(
                    Region::Two, Step(kLowestPressure, kHighestPressure, i, kLinePoints / 2, true),
                    kHighestTemperature);
            })};
}

QString Number(double value) {
    return QString::number(value, 'g', 6);
}

struct Family {
    LineKind kind;
    Variable variable;
};

std::vector<Family> FamiliesOf(ChartKind kind) {
    switch (kind) {
        case ChartKind::HS: return {{LineKind::Isobar, V::P}, {LineKind::Isotherm, V::T}};
        case ChartKind::TS: return {{LineKind::Isobar, V::P}, {LineKind::Isenthalp, V::h}};
        case ChartKind::PH: return {{LineKind::Isotherm, V::T}, {LineKind::Isentrope, V::s}};
        case ChartKind::PT: return {{LineKind::Isochore, V::v}, {LineKind::Isenthalp, V::h}};
        case ChartKind::PV: return {{LineKind::Isotherm, V::T}, {LineKind::Isentrope, V::s}};
    }
    return {};
}

// A line's label, its value in the unit given: "10 MPa", "500 K", "h = 2800 kJ/kg".
QString LabelOf(LineKind kind, double value, const QString& unit) {
    switch (kind) {
        case LineKind::Isobar:
        case LineKind::Isotherm: return Number(value) + QLatin1Char(' ') + unit;
        case LineKind::Isenthalp: return QStringLiteral("h = %1 %2").arg(Number(value), unit);
        case LineKind::Isentrope: return QStringLiteral("s = %1 %2").arg(Number(value), unit);
        case LineKind::Isochore: return QStringLiteral("v = %1 %2").arg(Number(value), unit);
        case LineKind::Quality: return QStringLiteral("x = %1").arg(Number(value));
        default: return QString();
    }
}

// A variable's unit on a chart; none for the quality.
QString UnitOf(const Units& units, Variable variable) {
    const Quantity* quantity = QuantityOfVariable(variable);
    return quantity != nullptr ? units.nameOf(quantity->id) : QString();
}

std::vector<State> LineOf(LineKind kind, double value) {
    switch (kind) {
        case LineKind::Isobar: return Isobar(value);
        case LineKind::Isotherm: return Isotherm(value);
        case LineKind::Isenthalp:
        case LineKind::Isentrope:
            return AlongPressure(kind == LineKind::Isenthalp ? V::h : V::s, value, kLowestPressure,
                                 kHighestPressure, kLinePoints);
        case LineKind::Isochore: return Isochore(value);
        case LineKind::Quality: return QualityLine(value);
        default: return {};
    }
}

bool Logarithmic(Variable variable) {
    return variable == V::P || variable == V::v;
}

}  // namespace

ChartAxes AxesOf(ChartKind kind) {
    switch (kind) {
        case ChartKind::HS: return {V::s, V::h, false, false};
        case ChartKind::TS: return {V::s, V::T, false, false};
        case ChartKind::PH: return {V::h, V::P, false, true};
        case ChartKind::PT: return {V::T, V::P, false, true};
        case ChartKind::PV: return {V::v, V::P, true, true};
    }
    return {};
}

QString ChartName(ChartKind kind) {
    const ChartAxes axes = AxesOf(kind);
    const auto name = [](Variable v) {
        return v == V::P ? QStringLiteral("p") : QString::fromLatin1(NameOf(v));
    };
    return name(axes.y) + QLatin1Char('-') + name(axes.x);
}

QString ChartTitle(ChartKind kind) {
    return kind == ChartKind::HS ? ChartName(kind) + QStringLiteral(" (Mollier)") : ChartName(kind);
}

std::optional<ChartKind> ChartNamed(const QString& name) {
    for (const ChartKind kind : kChartKinds)
        if (ChartName(kind) == name) return kind;
    return std::nullopt;
}

QString AxisCaption(Variable variable, const Units& units) {
    const QString name =
        variable == V::P ? QStringLiteral("p") : QString::fromLatin1(NameOf(variable));
    const QString unit = UnitOf(units, variable);
    return unit.isEmpty() ? name : name + QStringLiteral(", ") + unit;
}

Units ChartUnits(Units units) {
    for (const Quantity& q : Quantities()) {
        const Unit& unit = units.unitOf(q.id);
        if (!unit.gauge) continue;
        // The absolute unit of the same factor: bar for bar(g), psia for psig.
        for (const Unit& absolute : UnitsOf(unit.dimension))
            if (!absolute.gauge && absolute.factor == unit.factor) units.choose(q.id, absolute);
    }
    return units;
}

double ShownValue(const Units& units, Variable variable, double value) {
    const Quantity* quantity = QuantityOfVariable(variable);
    return quantity != nullptr ? units.shown(quantity->id, value) : value;
}

double LibraryValue(const Units& units, Variable variable, double shown) {
    const Quantity* quantity = QuantityOfVariable(variable);
    return quantity != nullptr ? units.library(quantity->id, shown) : shown;
}

ChartView FullView(ChartKind kind) {
    switch (kind) {
        case ChartKind::HS: return {0.0, 10.0, 0.0, 4200.0};
        case ChartKind::TS: return {0.0, 10.0, kLowestTemperature, kHighestTemperature};
        case ChartKind::PH: return {0.0, 4200.0, kLowestPressure, kHighestPressure};
        case ChartKind::PT:
            return {kLowestTemperature, kHighestTemperature, kLowestPressure, kHighestPressure};
        case ChartKind::PV: return {5e-4, 500.0, kLowestPressure, kHighestPressure};
    }
    return {};
}

QPointF ChartPointOf(ChartKind kind, const State& state) {
    const ChartAxes axes = AxesOf(kind);
    return {Value(state, axes.x), Value(state, axes.y)};
}

std::vector<State> StatesAtPoint(ChartKind kind, const QPointF& point) {
    const ChartAxes axes = AxesOf(kind);
    try {
        return StatesFrom(axes.y, point.y(), axes.x, point.x());
    } catch (const PropertyError&) {
        return {};
    }
}

std::vector<double> RoundValues(double lo, double hi, int count, bool logarithmic) {
    std::vector<double> values;
    if (!(hi > lo) || count < 1 || (logarithmic && !(lo > 0.0))) return values;
    if (logarithmic) {
        const int first = static_cast<int>(std::floor(std::log10(lo)));
        const int last = static_cast<int>(std::ceil(std::log10(hi)));
        const int decades = last - first;
        const int every = std::max(1, (decades + count - 1) / count);
        const std::vector<double> multiples =
            decades * 3 <= count ? std::vector<double>{1, 2, 5} : std::vector<double>{1};
        for (int k = first; k <= last; k += every)
            for (const double m : multiples) {
                const double value = m * std::pow(10.0, k);
                if (value >= lo * (1 - 1e-12) && value <= hi * (1 + 1e-12)) values.push_back(value);
            }
        return values;
    }
    const double raw = (hi - lo) / count;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    double step = power;
    for (const double m : {1.0, 2.0, 5.0, 10.0}) {
        step = m * power;
        if (step >= raw) break;
    }
    for (double k = std::ceil(lo / step); k * step <= hi + 1e-9 * step; k += 1.0)
        values.push_back(std::fabs(k) < 0.5 ? 0.0 : k * step);
    return values;
}

ChartData ChartCurves(ChartKind kind, const ChartView& view, bool boundaries, const Units& units) {
    ChartData data{kind, view, {}, {}};
    const auto project = [kind](const std::vector<State>& states) {
        std::vector<QPointF> points;
        points.reserve(states.size());
        for (const State& state : states) points.push_back(ChartPointOf(kind, state));
        return points;
    };
    const std::vector<State> saturation = SaturationCurve();
    data.lines.push_back({LineKind::Saturation, QString(), project(saturation)});
    data.critical = ChartPointOf(kind, saturation[saturation.size() / 2]);

    // The range each kind of line takes across the view, from states sampled over it.
    const ChartAxes axes = AxesOf(kind);
    const std::vector<Family> families = FamiliesOf(kind);
    std::vector<std::pair<double, double>> ranges(families.size(), {HUGE_VAL, -HUGE_VAL});
    double xLo = HUGE_VAL, xHi = -HUGE_VAL;  // the quality within the dome
    for (int i = 0; i < kSamplesAcross; ++i) {
        for (int j = 0; j < kSamplesAcross; ++j) {
            const QPointF at(Step(view.xLo, view.xHi, i, kSamplesAcross, axes.logX),
                             Step(view.yLo, view.yHi, j, kSamplesAcross, axes.logY));
            for (const State& state : StatesAtPoint(kind, at)) {
                for (std::size_t f = 0; f < families.size(); ++f) {
                    const double value = Value(state, families[f].variable);
                    ranges[f] = {std::min(ranges[f].first, value),
                                 std::max(ranges[f].second, value)};
                }
                if (state.x) {
                    xLo = std::min(xLo, *state.x);
                    xHi = std::max(xHi, *state.x);
                }
            }
        }
    }
    for (std::size_t f = 0; f < families.size(); ++f) {
        // A view with too few states inside the domain to tell takes the whole chart's values.
        auto [lo, hi] = ranges[f];
        if (!(hi > lo)) continue;
        // The samples lie a step apart: the view reaches a step further.
        const bool logarithmic = Logarithmic(families[f].variable);
        if (logarithmic && lo > 0.0) {
            const double ratio = std::pow(hi / lo, 1.0 / (kSamplesAcross - 1));
            lo /= ratio;
            hi *= ratio;
        } else {
            const double step = (hi - lo) / (kSamplesAcross - 1);
            lo -= step;
            hi += step;
        }
        const Variable variable = families[f].variable;
        for (const double round :
             RoundValues(ShownValue(units, variable, lo), ShownValue(units, variable, hi),
                         kLinesAcross, logarithmic)) {
            const double value = LibraryValue(units, variable, round);
            if (families[f].variable == V::P &&
                (value < kLowestPressure || value > kHighestPressure))
                continue;
            if (families[f].variable == V::T &&
                (value < kLowestTemperature || value > kHighestTemperature))
                continue;
            std::vector<State> states = LineOf(families[f].kind, value);
            if (states.size() > 1)
                data.lines.push_back({families[f].kind,
                                      LabelOf(families[f].kind, round, UnitOf(units, variable)),
                                      project(states)});
        }
    }
    // Lines of constant quality where the view holds part of the dome (on a p-T chart the dome
    // is the saturation curve itself).
    const std::vector<QPointF>& dome = data.lines.front().points;
    const auto inView = [&view](const QPointF& p) { return view.contains(p); };
    if (std::count_if(dome.begin(), dome.end(), inView) * 10 >=
        static_cast<std::ptrdiff_t>(dome.size()) * 9) {
        xLo = 0.0;  // (nearly) the whole dome in view: its tenths
        xHi = 1.0;
    }
    if (xHi > xLo && kind != ChartKind::PT) {
        const double step = xHi - xLo < 1.0 ? (xHi - xLo) / (kSamplesAcross - 1) : 0.0;
        for (const double x : RoundValues(xLo - step, xHi + step, kLinesAcross, false)) {
            if (x <= 0.0 || x >= 1.0) continue;
            data.lines.push_back({LineKind::Quality, LabelOf(LineKind::Quality, x, QString()),
                                  project(QualityLine(x))});
        }
    }
    if (boundaries)
        for (const std::vector<State>& line : Boundaries())
            data.lines.push_back({LineKind::Boundary, QString(), project(line)});
    return data;
}

std::vector<ChartState> PressStates(const ResultPages& pages) {
    struct Shown {
        int page;
        Phase phase;
        QuantityId pressure, temperature;
        const char* label;
    };
    static const Shown kShown[] = {
        {1, Phase::Liquid, QuantityId::SaturationPressure, QuantityId::Temperature, "1 liquid"},
        {1, Phase::Vapour, QuantityId::SaturationPressure, QuantityId::Temperature, "1 vapour"},
        {2, Phase::Liquid, QuantityId::Pressure, QuantityId::SaturationTemperature, "2 liquid"},
        {2, Phase::Vapour, QuantityId::Pressure, QuantityId::SaturationTemperature, "2 vapour"},
        {3, Phase::None, QuantityId::Pressure, QuantityId::Temperature, "3"}};
    std::vector<ChartState> states;
    for (const Shown& shown : kShown) {
        const auto read = [&](QuantityId id, Phase phase) {
            return pages.readNumber(shown.page, SlotOf(id, shown.page, phase));
        };
        try {
            State state{};
            state.region = Region::Four;
            state.P = read(shown.pressure, Phase::None);
            state.T = read(shown.temperature, Phase::None);
            state.v = read(QuantityId::Volume, shown.phase);
            state.rho = read(QuantityId::Density, shown.phase);
            state.h = read(QuantityId::Enthalpy, shown.phase);
            state.u = read(QuantityId::InternalEnergy, shown.phase);
            state.s = read(QuantityId::Entropy, shown.phase);
            QString label = QStringLiteral("Page ") + QString::fromLatin1(shown.label);
            if (!pages.note(shown.page).isEmpty()) label += QStringLiteral(" (pages' equations)");
            states.push_back({label, state});
        } catch (const SlotReadError&) {
        }
    }
    return states;
}

Process RunProcess(ProcessKind kind, const State& start, double P2, double eta) {
    if (kind == ProcessKind::Isentropic && !(eta > 0.0 && eta <= 1.0))
        throw OutOfDomain("the isentropic efficiency must lie in 0 < eta <= 1");
    Process process{kind, start, {}, {}, 0.0, 0.0, {}, {}};
    // The actual enthalpy at a pressure, from the isentrope's there: down in pressure the
    // efficiency takes that share of the isentropic drop, up it needs the drop's rise over it;
    // throttling keeps h.
    const auto actual = [&](double P) {
        if (kind == ProcessKind::Throttling) return start.h;
        const double hs = StatesFrom(V::P, P, V::s, start.s).front().h;
        return P < start.P ? start.h - eta * (start.h - hs) : start.h + (hs - start.h) / eta;
    };
    process.isentropicEnd = StatesFrom(V::P, P2, V::s, start.s).front();
    process.end = StatesFrom(V::P, P2, V::h, actual(P2)).front();
    process.dh = process.end.h - start.h;
    process.ds = process.end.s - start.s;
    constexpr int kProcessPoints = 40;
    process.isentrope = AlongPressure(V::s, start.s, start.P, P2, kProcessPoints);
    // The path: at each pressure between, the same efficiency, which ends at the end state.
    process.path = Trace(kProcessPoints, [&](int i) {
        const double P = Step(start.P, P2, i, kProcessPoints, true);
        return StatesFrom(V::P, P, V::h, actual(P)).front();
    });
    return process;
}

namespace {

QString Shown(const QLocale& locale, double value) {
    return locale.toString(value, 'g', 6);
}

// A value in words with its unit: "h = 2800 kJ/kg".
QString Amount(Variable v, double value, const QLocale& locale, const Units& units) {
    const QString unit = UnitOf(units, v);
    return QString::fromLatin1(NameOf(v)) + QStringLiteral(" = ") +
           Shown(locale, ShownValue(units, v, value)) +
           (unit.isEmpty() ? QString() : QLatin1Char(' ') + unit);
}

QString Coordinates(ChartKind kind, const QPointF& point, const QLocale& locale, bool yFirst,
                    const Units& units) {
    const ChartAxes axes = AxesOf(kind);
    const auto one = [&](Variable v, double value) { return Amount(v, value, locale, units); };
    const QString x = one(axes.x, point.x()), y = one(axes.y, point.y());
    return yFirst ? y + QStringLiteral(", ") + x : x + QStringLiteral(", ") + y;
}

}  // namespace

QString PointInWords(ChartKind kind, const QPointF& point, const QLocale& locale,
                     const Units& units) {
    const QString text = Coordinates(kind, point, locale, false, units);
    const std::vector<State> states = StatesAtPoint(kind, point);
    if (states.empty()) return text + QStringLiteral("\nno state of the formulation here");
    const State& s = states.front();
    QString state = RegionInWords(s) + QStringLiteral(": ");
    for (const Variable v : {V::P, V::T, V::v, V::h, V::s})
        state += (v == V::P ? QString() : QStringLiteral(", ")) +
                 Amount(v, *ValueOf(s, v), locale, units);
    if (states.size() > 1) state += QStringLiteral(" (1 of %1)").arg(states.size());
    return text + QLatin1Char('\n') + state;
}

QString PointGiven(ChartKind kind, const QPointF& point, const QLocale& locale,
                   const Units& units) {
    return Coordinates(kind, point, locale, true, units) + QStringLiteral(" (diagram)");
}

QString ProcessInWords(const Process& p, const QLocale& locale, const Units& units) {
    // Changes of h and s are differences: the factor of their unit alone.
    const auto change = [&](Variable v, double delta) {
        return QStringLiteral("delta %1 = %2 %3")
            .arg(QString::fromLatin1(NameOf(v)),
                 Shown(locale, ShownValue(units, v, delta) - ShownValue(units, v, 0.0)),
                 UnitOf(units, v));
    };
    return QStringLiteral("%1, %2; end: %3, %4; isentropic end: %5, %6")
        .arg(change(V::h, p.dh), change(V::s, p.ds), RegionInWords(p.end),
             Amount(V::T, p.end.T, locale, units), Amount(V::h, p.isentropicEnd.h, locale, units),
             Amount(V::T, p.isentropicEnd.T, locale, units));
}

QString ProcessGiven(const Process& p, double eta, int from, const QLocale& locale,
                     const Units& units) {
    const QString to =
        Shown(locale, ShownValue(units, V::P, p.end.P)) + QLatin1Char(' ') + UnitOf(units, V::P);
    const QString how = p.kind == ProcessKind::Throttling
                            ? QStringLiteral("throttled to %1").arg(to)
                            : QStringLiteral("to %1, eta = %2").arg(to, Shown(locale, eta));
    return QStringLiteral("%1 from %2").arg(how).arg(from);
}

}  // namespace vapomet
