#include "driver/state_table.h"

#include "driver/quantities.h"

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

const std::vector<TableColumn>& PhaseColumns() {
    static const std::vector<TableColumn> columns = [] {
        std::vector<TableColumn> list;
        for (const Quantity& q : Quantities()) {
            double (*value)(const PhaseValues&) = nullptr;
            switch (q.id) {
                case QuantityId::Volume:
                    value = [](const PhaseValues& p) { return p.state.v; };
                    break;
                case QuantityId::Density:
                    value = [](const PhaseValues& p) { return p.state.rho; };
                    break;
                case QuantityId::Enthalpy:
                    value = [](const PhaseValues& p) { return p.state.h; };
                    break;
                case QuantityId::InternalEnergy:
                    value = [](const PhaseValues& p) { return p.state.u; };
                    break;
                case QuantityId::Entropy:
                    value = [](const PhaseValues& p) { return p.state.s; };
                    break;
                case QuantityId::Cp: value = [](const PhaseValues& p) { return p.state.cp; }; break;
                case QuantityId::Cv: value = [](const PhaseValues& p) { return p.state.cv; }; break;
                case QuantityId::SpeedOfSound:
                    value = [](const PhaseValues& p) { return p.state.w; };
                    break;
                case QuantityId::Conductivity:
                    value = [](const PhaseValues& p) { return p.conductivity; };
                    break;
                case QuantityId::Ratio: value = [](const PhaseValues& p) { return p.ratio; }; break;
                case QuantityId::Viscosity:
                    value = [](const PhaseValues& p) { return p.viscosity; };
                    break;
                default: continue;  // a page's own values: the table has its own columns
            }
            QString name = QString::fromUtf8(q.column);
            if (*q.unit != '\0') name += QStringLiteral(" (%1)").arg(QString::fromUtf8(q.unit));
            list.push_back({name, value});
        }
        return list;
    }();
    return columns;
}

}  // namespace vapomet
