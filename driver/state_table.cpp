#include "driver/state_table.h"

namespace vapomet {

const QString kNoSaturationState =
    QStringLiteral("No saturation state: the pages show saturation from 273.15 K to 647.0 K");

namespace {

PhaseValues Phase(StateProperties (*whole)(const double&, const double&), const double& P,
                  const double& T) {
    const StateProperties state = whole(P, T);
    return {state, state.cp / state.cv, Cond(P, T, state.rho), Vis(P, T, state.rho)};
}

PhaseValues PhaseInRegion(Region region, const double& P, const double& T) {
    switch (region) {
        case Region::One: return Phase(R1State, P, T);
        case Region::Two: return Phase(R2State, P, T);
        case Region::Three: return Phase(R3State, P, T);
        case Region::Five: break;
    }
    return Phase(R5State, P, T);
}

// Saturated liquid from region 1 and vapour from region 2, as the saturation pages take them.
SaturationRow Saturation(double T, double P) {
    SaturationRow row{T, P, std::nullopt, std::nullopt, QString()};
    try {
        row.liquid = Phase(R1State, P, T);
        row.vapour = Phase(R2State, P, T);
    } catch (const std::exception&) {
        row.liquid.reset();
        row.vapour.reset();
        row.message = kComputationError.trimmed();
    }
    return row;
}

}  // namespace

StateRow ComputeStateRow(const QString& pressureText, const QString& temperatureText) {
    StateRow row;
    const QLocale c = QLocale::c();
    row.P = ReadInputNumber(pressureText, c);
    row.T = ReadInputNumber(temperatureText, c);
    try {
        const auto outcome = ValidateAndPlan(pressureText, temperatureText, c);
        if (const auto* rejection = std::get_if<Rejection>(&outcome)) {
            row.message = rejection->message.trimmed();
            return row;
        }
        const CalculationPlan& plan = std::get<CalculationPlan>(outcome);
        row.region = plan.region;
        if (!plan.region) {
            row.message = kInvalidRegion.trimmed();
            return row;
        }
        row.values = PhaseInRegion(*plan.region, plan.P, plan.T);
    } catch (const std::exception& fault) {
        row.values.reset();
        QStringList messages = FaultMessages(fault);
        for (QString& message : messages) message = message.trimmed();
        row.message = messages.join(' ');
    }
    return row;
}

SaturationRow SaturationAtTemperature(double T) {
    if (!PagesShowSaturationAt(T)) return {T, 0.0, std::nullopt, std::nullopt, kNoSaturationState};
    try {
        return Saturation(T, Satpr(T));
    } catch (const std::exception&) {
        return {T, 0.0, std::nullopt, std::nullopt, kComputationError.trimmed()};
    }
}

SaturationRow SaturationAtPressure(double P) {
    double T = 0.0;
    try {
        T = Sattr(P);
    } catch (const std::exception&) {
        return {0.0, P, std::nullopt, std::nullopt, kNoSaturationState};
    }
    if (!PagesShowSaturationAt(T)) return {T, P, std::nullopt, std::nullopt, kNoSaturationState};
    return Saturation(T, P);
}

namespace {

// The value of a quantity in a phase; empty for a page's own values (its P, T and region),
// for which a table has columns of its own.
std::optional<double> ValueIn(const PhaseValues& p, QuantityId quantity) {
    switch (quantity) {
        case QuantityId::Volume: return p.state.v;
        case QuantityId::Density: return p.state.rho;
        case QuantityId::Enthalpy: return p.state.h;
        case QuantityId::InternalEnergy: return p.state.u;
        case QuantityId::Entropy: return p.state.s;
        case QuantityId::Cp: return p.state.cp;
        case QuantityId::Cv: return p.state.cv;
        case QuantityId::SpeedOfSound: return p.state.w;
        case QuantityId::Conductivity: return p.conductivity;
        case QuantityId::Ratio: return p.ratio;
        case QuantityId::Viscosity: return p.viscosity;
        default: return std::nullopt;
    }
}

}  // namespace

double TableColumn::value(const PhaseValues& phase) const {
    return *ValueIn(phase, quantity);
}

const std::vector<TableColumn>& PhaseColumns() {
    static const std::vector<TableColumn> columns = [] {
        const PhaseValues any{};
        std::vector<TableColumn> list;
        for (const Quantity& q : Quantities()) {
            if (!ValueIn(any, q.id)) continue;
            QString name = QString::fromUtf8(q.column);
            if (*q.unit != '\0') name += QStringLiteral(" (%1)").arg(QString::fromUtf8(q.unit));
            list.push_back({name, q.id});
        }
        return list;
    }();
    return columns;
}

}  // namespace vapomet
