#include "driver/state_table.h"

#include <QLocale>
#include <algorithm>

#include "driver/messages.h"
#include "driver/pages.h"

namespace vapomet {

namespace {

SaturationRow RowOf(double T, double P, const Saturation& phases, TransportRelease release) {
    return {T, P, ValuesOf(phases.liquid, release, phases),
            ValuesOf(phases.vapour, release, phases), QString()};
}

}  // namespace

TableValues ValuesOf(const State& state, TransportRelease release,
                     const std::optional<Saturation>& line) {
    TableValues values{};
    TableState table{state, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt};
    if (!state.x) {
        table.derived = DerivedOf(state);
        const Transport transport = TransportOf(state, release);
        table.viscosity = transport.viscosity;
        table.conductivity = transport.conductivity;
    }
    // The saturation line of wet steam, or of the saturated phase given with its line.
    if (state.liquid && state.vapour) {
        table.saturationT = state.T;
        table.hVaporisation = state.vapour->h - state.liquid->h;
    } else if (line) {
        table.saturationT = line->liquid.T;
        table.hVaporisation = line->vapour.h - line->liquid.h;
    }
    for (const Quantity* q : TableQuantities()) {
        std::optional<double>& value = values[static_cast<std::size_t>(q->id)];
        switch (q->source) {
            case Source::Volume:
            case Source::Density:
            case Source::Routine: value = ValueOf(state, q->property); break;
            case Source::Transport:
                value = q->id == QuantityId::Viscosity ? table.viscosity : table.conductivity;
                break;
            case Source::ShownRatio:
                if (state.cp && state.cv) value = *state.cp / *state.cv;
                break;
            case Source::Derived: value = q->derived(table); break;
            default: break;
        }
    }
    return values;
}

QString ReleaseName(TransportRelease release) {
    return release == TransportRelease::Iaps1985 ? QStringLiteral("1985")
                                                 : QStringLiteral("2008/2011");
}

std::optional<TransportRelease> ReleaseNamed(const QString& text) {
    if (text == QStringLiteral("1985")) return TransportRelease::Iaps1985;
    if (text == QStringLiteral("2008") || text == QStringLiteral("2008/2011"))
        return TransportRelease::Iapws2008;
    return std::nullopt;
}

const std::vector<const Quantity*>& TableQuantities() {
    static const std::vector<const Quantity*> quantities = [] {
        std::vector<const Quantity*> list;
        for (const Quantity& q : Quantities()) {
            const bool onNoPage = std::all_of(q.places.begin(), q.places.end(),
                                              [](const Place& p) { return p.page == 0; });
            if (q.decimals >= 0 && (SlotOf(q.id, 3, Phase::None) >= 0 || onNoPage) &&
                q.source != Source::StatePressure && q.source != Source::StateTemperature)
                list.push_back(&q);
        }
        return list;
    }();
    return quantities;
}

StateRow ComputeStateRow(const QString& pressureText, const QString& temperatureText,
                         TransportRelease release) {
    const QLocale c = QLocale::c();
    const std::optional<double> P = ReadInputNumber(pressureText, c);
    const std::optional<double> T = ReadInputNumber(temperatureText, c);
    StateRow row;
    if (P && T) {
        row = ComputeStateRow(*P, *T, release);
    } else {
        row.P = P;
        row.T = T;
        row.message = kInvalidNumber.trimmed();
    }
    row.pressureText = pressureText;
    row.temperatureText = temperatureText;
    return row;
}

StateRow ComputeStateRow(double P, double T, TransportRelease release) {
    StateRow row;
    row.P = P;
    row.T = T;
    // The messages as a row carries them, trimmed once.
    static const QString kRegionMessage = kInvalidRegion.trimmed();
    try {
        const auto outcome = PlanFor(P, T);
        if (const auto* rejection = std::get_if<Rejection>(&outcome)) {
            row.message = rejection->message.trimmed();
            return row;
        }
        const CalculationPlan& plan = std::get<CalculationPlan>(outcome);
        row.region = plan.region;
        if (plan.beyondRange[2]) row.note = kBeyondRangeNote;
        if (!plan.region) {
            row.message = kRegionMessage;
            return row;
        }
        row.values = ValuesOf(StateInRegion(*plan.region, plan.P, plan.T), release);
    } catch (const PropertyError& fault) {
        row.values.reset();
        QStringList messages = FaultMessages(fault);
        for (QString& message : messages) message = message.trimmed();
        row.message = messages.join(' ');
    }
    return row;
}

SaturationRow SaturationAtTemperature(double T, TransportRelease release) {
    try {
        const Saturation phases = SaturationAtT(T);
        return RowOf(T, phases.liquid.P, phases, release);
    } catch (const PropertyError& error) {
        return {T, std::nullopt, std::nullopt, std::nullopt, MessageOf(error)};
    }
}

SaturationRow SaturationAtPressure(double P, TransportRelease release) {
    try {
        const Saturation phases = SaturationAtP(P);
        return RowOf(phases.liquid.T, P, phases, release);
    } catch (const PropertyError& error) {
        return {std::nullopt, P, std::nullopt, std::nullopt, MessageOf(error)};
    }
}

bool IsPressureAndTemperature(Variable a, Variable b) {
    return (a == Variable::P && b == Variable::T) || (a == Variable::T && b == Variable::P);
}

std::vector<State> StatesGiven(Variable a, double valueA, Variable b, double valueB,
                               bool metastable) {
    if (!metastable) return StatesFrom(a, valueA, b, valueB);
    if (!IsPressureAndTemperature(a, b))
        throw std::invalid_argument("metastable vapour is given by its pressure and temperature");
    return {a == Variable::P ? MetastableVapourAt(valueA, valueB)
                             : MetastableVapourAt(valueB, valueA)};
}

GivenRows ComputeGivenRows(Variable a, const QString& textA, Variable b, const QString& textB,
                           TransportRelease release, bool metastable) {
    GivenRows given;
    const QLocale c = QLocale::c();
    given.a = ReadInputNumber(textA, c);
    given.b = ReadInputNumber(textB, c);
    if (!given.a || !given.b) {
        given.message = kInvalidNumber;
        return given;
    }
    try {
        for (const State& state : StatesGiven(a, *given.a, b, *given.b, metastable))
            given.rows.push_back({state, ValuesOf(state, release)});
    } catch (const PropertyError& error) {
        given.rows.clear();
        given.message = MessageOf(error);
    }
    return given;
}

QString RegionInWords(const State& state) {
    switch (state.region) {
        case Region::One: return QStringLiteral("Region 1, liquid water");
        case Region::Two:
            return state.metastable ? QStringLiteral("Region 2, metastable vapour")
                                    : QStringLiteral("Region 2, steam");
        case Region::Three: return QStringLiteral("Region 3, dense fluid");
        case Region::Five: return QStringLiteral("Region 5, high-temperature steam");
        case Region::Four: break;
    }
    return QStringLiteral("Wet steam, x = %1")
        .arg(QString::number(state.x.value_or(0.0), 'g', QLocale::FloatingPointShortest));
}

}  // namespace vapomet
