#include "driver/given_state.h"

#include <algorithm>
#include <cmath>

#include "driver/messages.h"
#include "driver/numbers.h"
#include "driver/quantities.h"
#include "driver/state_table.h"

namespace vapomet {

namespace {

// Decimals of the pages, and more where a small value would keep fewer than six significant
// digits with them (a pressure of 0.0012 MPa, a volume of 0.001 m3/kg).
constexpr int kSignificantDigits = 6;
constexpr int kMostDecimals = 12;
QString Shown(double value, int decimals, const QLocale& locale) {
    if (value != 0.0) {
        const int order = static_cast<int>(std::floor(std::log10(std::fabs(value))));
        decimals = std::clamp(kSignificantDigits - 1 - order, decimals, kMostDecimals);
    }
    return FormatNumber(value, decimals, locale);
}

// A saturated phase of a mixture as a state of its own, in the region whose equation gave it:
// regions 1 and 2 up to 623.15 K, region 3 above.
State PhaseOf(const State& mixture, const StateProperties& phase, bool liquid) {
    State state{};
    state.region = mixture.T > 623.15 ? Region::Three : liquid ? Region::One : Region::Two;
    state.P = mixture.P;
    state.T = mixture.T;
    state.rho = phase.rho;
    state.v = phase.v;
    state.h = phase.h;
    state.u = phase.u;
    state.s = phase.s;
    state.cp = phase.cp;
    state.cv = phase.cv;
    state.w = phase.w;
    return state;
}

}  // namespace

QString VariableName(Variable variable) {
    if (const Quantity* quantity = QuantityOfVariable(variable)) {
        QString name = QString::fromUtf8(quantity->name);
        name[0] = name[0].toUpper();
        return name;
    }
    return QStringLiteral("Quality");
}

QString VariableUnit(Variable variable, const Units& units) {
    const Quantity* quantity = QuantityOfVariable(variable);
    return quantity != nullptr ? units.nameOf(quantity->id) : QString();
}

std::vector<GivenPair> GivenPairs() {
    std::vector<GivenPair> pairs;
    for (const auto& [a, b] : OfferedPairs()) pairs.push_back({a, b});
    return pairs;
}

QString PairInWords(const GivenPair& pair) {
    return QStringLiteral("%1 and %2 (%3, %4)")
        .arg(VariableName(pair.a), VariableName(pair.b).toLower(),
             QString::fromLatin1(NameOf(pair.a)), QString::fromLatin1(NameOf(pair.b)));
}

GivenAnswer AnswerGiven(const GivenPair& pair, const QString& textA, const QString& textB,
                        const QLocale& locale, const Units& units, bool metastable) {
    GivenAnswer answer;
    answer.pair = pair;
    const std::optional<double> a = ReadInputNumber(textA, locale);
    const std::optional<double> b = ReadInputNumber(textB, locale);
    if (!a || !b) {
        answer.message = kInvalidNumber;
        answer.refused = !a ? GivenBox::First : GivenBox::Second;
        return answer;
    }
    answer.a = *a;
    answer.b = *b;
    // The library's values of what was typed.
    const auto library = [&units](Variable variable, double value) {
        const Quantity* quantity = QuantityOfVariable(variable);
        return quantity != nullptr ? units.library(quantity->id, value) : value;
    };
    const double valueA = library(pair.a, *a), valueB = library(pair.b, *b);
    GivenBox box = GivenBox::First;
    try {
        CheckValue(pair.a, valueA);
        box = GivenBox::Second;
        CheckValue(pair.b, valueB);
        answer.states = StatesGiven(pair.a, valueA, pair.b, valueB, metastable);
    } catch (const PropertyError& error) {
        answer.states.clear();
        answer.message = MessageOf(error);
        answer.refused = box;
    }
    return answer;
}

QString GivenInWords(const GivenAnswer& answer, const QLocale& convention, const Units& units) {
    // Values as typed, without digit grouping: "h = 2800 kJ/kg".
    QLocale locale = convention;
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    const auto given = [&locale, &units](Variable variable, double value) {
        const QString unit = VariableUnit(variable, units);
        return QString::fromLatin1(NameOf(variable)) + QStringLiteral(" = ") +
               locale.toString(value, 'g', QLocale::FloatingPointShortest) +
               (unit.isEmpty() ? QString() : QLatin1Char(' ') + unit);
    };
    return given(answer.pair.a, answer.a) + QStringLiteral(", ") + given(answer.pair.b, answer.b);
}

std::vector<StateLine> LinesOf(const State& state, const QLocale& locale, const ShownAs& shown) {
    const std::optional<State> liquid =
        state.liquid ? std::optional(PhaseOf(state, *state.liquid, true)) : std::nullopt;
    const std::optional<State> vapour =
        state.vapour ? std::optional(PhaseOf(state, *state.vapour, false)) : std::nullopt;
    // A value in its unit, with the decimals of the pages and at least six significant digits.
    const auto text = [&](const Quantity& q, const std::optional<double>& value) {
        return value ? Shown(shown.units.shown(q.id, *value), q.decimals, locale) : QString();
    };
    std::vector<StateLine> lines;
    lines.push_back({QStringLiteral("Region"), RegionInWords(state), {}, {}, {}});
    for (const Variable variable : {Variable::P, Variable::T}) {
        const Quantity& q = *QuantityOfVariable(variable);
        lines.push_back({VariableName(variable),
                         text(q, ValueOf(state, variable)),
                         {},
                         {},
                         shown.units.nameOf(q.id)});
    }
    lines.push_back({VariableName(Variable::x),
                     state.x ? Shown(*state.x, kSignificantDigits, locale) : QString(),
                     {},
                     {},
                     {}});
    const TableValues values = ValuesOf(state, shown.transport);
    const std::optional<TableValues> liquidValues =
        liquid ? std::optional(ValuesOf(*liquid, shown.transport)) : std::nullopt;
    const std::optional<TableValues> vapourValues =
        vapour ? std::optional(ValuesOf(*vapour, shown.transport)) : std::nullopt;
    for (const Quantity* q : TableQuantities()) {
        const auto index = static_cast<std::size_t>(q->id);
        QString name = QString::fromUtf8(q->name);
        name[0] = name[0].toUpper();
        lines.push_back({name, text(*q, values[index]),
                         liquidValues ? text(*q, (*liquidValues)[index]) : QString(),
                         vapourValues ? text(*q, (*vapourValues)[index]) : QString(),
                         shown.units.nameOf(q->id)});
    }
    return lines;
}

QString StateText(const QString& title, const State& state, const QLocale& locale,
                  const ShownAs& shown) {
    const std::vector<StateLine> lines = LinesOf(state, locale, shown);
    QString text = title + QLatin1Char('\n');
    const auto add = [&text](const QString& name, const QString& value, const QString& unit) {
        text += name + QLatin1Char('\t') + value + QLatin1Char('\t') + unit + QLatin1Char('\n');
    };
    for (const StateLine& line : lines)
        if (!line.value.isEmpty()) add(line.name, line.value, line.unit);
    for (const bool liquid : {true, false}) {
        const QString phase =
            liquid ? QStringLiteral("Saturated liquid ") : QStringLiteral("Saturated vapour ");
        for (const StateLine& line : lines) {
            const QString& value = liquid ? line.liquid : line.vapour;
            if (!value.isEmpty()) add(phase + line.name.toLower(), value, line.unit);
        }
    }
    return text;
}

}  // namespace vapomet
