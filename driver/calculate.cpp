#include "driver/calculate.h"

#include <array>
#include <cmath>

#include "driver/plan.h"
#include "property/property.h"

namespace vapomet {

namespace {

// Decimals with which each quantity is shown.
constexpr int kPressureDecimals = 4;
constexpr int kTemperatureDecimals = 4;
constexpr int kVolumeDecimals = 6;
constexpr int kDensityDecimals = 4;
constexpr int kEnthalpyDecimals = 4;
constexpr int kEnergyDecimals = 3;
constexpr int kEntropyDecimals = 4;
constexpr int kHeatCapacityDecimals = 3;
constexpr int kSoundDecimals = 3;
constexpr int kConductivityDecimals = 4;
constexpr int kRatioDecimals = 3;
constexpr int kViscosityDecimals = 4;

// Where one phase's properties go on its page.
struct PhaseSlots {
    int v, rho, h, u, s, cp, cv, w, cond, k, vis;
};

// A saturation page: the saturation value and the input value, then liquid and vapour.
struct SaturationSlots {
    int saturationValue, inputValue;
    int saturationDecimals, inputDecimals;
    PhaseSlots liquid, vapour;
};

constexpr SaturationSlots kPage1{0, 1, kPressureDecimals, kTemperatureDecimals,
                                 {2, 16, 22, 21, 3, 17, 23, 20, 4, 18, 19},
                                 {5, 8, 11, 13, 6, 9, 12, 14, 7, 10, 15}};
constexpr SaturationSlots kPage2{6, 7, kTemperatureDecimals, kPressureDecimals,
                                 {0, 8, 11, 12, 1, 9, 23, 13, 2, 10, 14},
                                 {3, 19, 21, 15, 4, 20, 22, 16, 5, 18, 17}};
constexpr PhaseSlots kPage3State{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
constexpr int kPage3Pressure = 0;
constexpr int kPage3Temperature = 1;

// The handler's own arithmetic: a quotient of two finite numbers is finite unless the step
// divided by zero, overflowed or was 0/0, each a fault that ends the run.
double Quotient(const char* what, double numerator, double denominator) {
    const double quotient = numerator / denominator;
    if (!std::isfinite(quotient)) {
        throw FloatingPointFault(what, denominator == 0.0 ? "division by zero" : "overflow");
    }
    return quotient;
}

using StateFunction = double (*)(const double&, const double&);

// The property routines of one region, in the order the page is filled.
struct RegionRoutines {
    StateFunction h, u, s, cp, cv, w;
};

constexpr RegionRoutines kRegion1{R1h, R1u, R1s, R1cp, R1cv, R1w};
constexpr RegionRoutines kRegion2{R2h, R2u, R2s, R2cp, R2cv, R2w};
constexpr RegionRoutines kRegion3{R3h, R3u, R3s, R3cp, R3cv, R3w};
constexpr RegionRoutines kRegion5{R5h, R5u, R5s, R5cp, R5cv, R5w};

// Writes the place of one run and remembers which it wrote, so that a run that ends early can
// mark every slot it did not reach, and no page shows an earlier state beside the new input.
class RunWriter {
public:
    explicit RunWriter(ResultPages& pages) : pages_(pages) {}

    void number(int page, int index, double value, int decimals) {
        pages_.writeNumber(page, index, value, decimals);
        mark(page, index);
    }
    void text(int page, int index, const QString& text) {
        pages_.writeText(page, index, text);
        mark(page, index);
    }
    double read(int page, int index) const { return pages_.readNumber(page, index); }
    void fillNaN() {
        pages_.fillNaN();
        for (int page = 1; page <= 2; ++page) {
            for (int index = 0; index < SlotCount(page); ++index) mark(page, index);
        }
    }
    void refresh(int page) { pages_.refresh(page); }

    // Every slot the run has not written shows "NaN"; page 3's region slot its placeholder.
    void markUnwritten() {
        for (int page = 1; page <= kPageCount; ++page) {
            for (int index = 0; index < SlotCount(page); ++index) {
                if (written_[page - 1][index]) continue;
                const bool region = page == 3 && index == kRegionSlot;
                pages_.writeText(page, index, region ? kRegionPlaceholder : kNaN);
            }
        }
    }

private:
    void mark(int page, int index) { written_[page - 1][index] = true; }
    ResultPages& pages_;
    std::array<std::array<bool, 24>, kPageCount> written_{};
};

// k = cp / cv from the texts shown in the cp and cv place, as rounded there.
void WriteRatio(RunWriter& out, int page, const PhaseSlots& place) {
    const double cp = out.read(page, place.cp);
    const double cv = out.read(page, place.cv);
    out.number(page, place.k, Quotient("heat-capacity ratio", cp, cv), kRatioDecimals);
}

// One phase at (P, T) whose density is known: volume, density, the caloric properties,
// conductivity, heat-capacity ratio and viscosity, each written as soon as it is computed.
void FillPhase(RunWriter& out, int page, const PhaseSlots& place, const RegionRoutines& region,
               const double& P, const double& T, const double& rho, const double& stateArgument) {
    out.number(page, place.v, Quotient("specific volume", 1.0, rho), kVolumeDecimals);
    out.number(page, place.rho, rho, kDensityDecimals);
    out.number(page, place.h, region.h(stateArgument, T), kEnthalpyDecimals);
    out.number(page, place.u, region.u(stateArgument, T), kEnergyDecimals);
    out.number(page, place.s, region.s(stateArgument, T), kEntropyDecimals);
    out.number(page, place.cp, region.cp(stateArgument, T), kHeatCapacityDecimals);
    out.number(page, place.cv, region.cv(stateArgument, T), kHeatCapacityDecimals);
    out.number(page, place.w, region.w(stateArgument, T), kSoundDecimals);
    out.number(page, place.cond, Cond(P, T, rho), kConductivityDecimals);
    WriteRatio(out, page, place);
    out.number(page, place.vis, Vis(P, T, rho), kViscosityDecimals);
}

// Density from a specific volume routine.
double DensityFrom(StateFunction volumeRoutine, const double& P, const double& T) {
    return Quotient("density", 1.0, volumeRoutine(P, T));
}

void FillSaturationPage(RunWriter& out, int page, const SaturationSlots& place,
                        const SaturationState& state, double saturationValue, double inputValue) {
    out.number(page, place.saturationValue, saturationValue, place.saturationDecimals);
    out.number(page, place.inputValue, inputValue, place.inputDecimals);
    const double rhoLiquid = DensityFrom(R1v, state.ps, state.Ts);
    FillPhase(out, page, place.liquid, kRegion1, state.ps, state.Ts, rhoLiquid, state.ps);
    const double rhoVapour = DensityFrom(R2v, state.ps, state.Ts);
    FillPhase(out, page, place.vapour, kRegion2, state.ps, state.Ts, rhoVapour, state.ps);
}

void FillStatePage(RunWriter& out, const CalculationPlan& plan) {
    out.text(3, kRegionSlot, plan.caption);
    const double& P = plan.P;
    const double& T = plan.T;
    switch (*plan.region) {
        case Region::One:
            FillPhase(out, 3, kPage3State, kRegion1, P, T, DensityFrom(R1v, P, T), P);
            break;
        case Region::Two:
            FillPhase(out, 3, kPage3State, kRegion2, P, T, DensityFrom(R2v, P, T), P);
            break;
        case Region::Three: {
            // The region-3 routines take the density as their state argument.
            const double rho = R3rho(P, T);
            FillPhase(out, 3, kPage3State, kRegion3, P, T, rho, rho);
            break;
        }
        case Region::Five:
            FillPhase(out, 3, kPage3State, kRegion5, P, T, DensityFrom(R5v, P, T), P);
            break;
    }
}

void Run(RunWriter& out, const CalculationPlan& plan, MessageSink& messages) {
    out.number(3, kPage3Pressure, plan.P, kPressureDecimals);
    out.number(3, kPage3Temperature, plan.T, kTemperatureDecimals);
    if (plan.page1) {
        FillSaturationPage(out, 1, kPage1, *plan.page1, plan.page1->ps, plan.T);
        if (plan.page2) {
            FillSaturationPage(out, 2, kPage2, *plan.page2, plan.page2->Ts, plan.P);
        } else {
            for (int index = 0; index < SlotCount(2); ++index) out.text(2, index, kNaN);
        }
    } else {
        out.fillNaN();
        out.refresh(3);
        if (!plan.region) {
            out.markUnwritten();
            messages.showMessage(kInvalidRegion);
            return;
        }
    }
    FillStatePage(out, plan);
}

}  // namespace

void Calculate(const QString& pressureText, const QString& temperatureText, ResultPages& pages,
               MessageSink& messages) {
    FillCoefficientTables();
    std::variant<QString, CalculationPlan> outcome;
    try {
        outcome = ValidateAndPlan(pressureText, temperatureText, pages.locale());
    } catch (const std::exception&) {
        // Nothing has been written yet: the pages stay as they were.
        messages.showMessage(kComputationError);
        return;
    }
    if (const QString* message = std::get_if<QString>(&outcome)) {
        messages.showMessage(*message);
        return;
    }

    RunWriter out(pages);
    try {
        Run(out, std::get<CalculationPlan>(outcome), messages);
    } catch (const ConvergenceFailure&) {
        out.markUnwritten();
        messages.showMessage(kFailedToConverge);
        messages.showMessage(kComputationError);
    } catch (const std::exception&) {
        out.markUnwritten();
        messages.showMessage(kComputationError);
    }
}

}  // namespace vapomet
