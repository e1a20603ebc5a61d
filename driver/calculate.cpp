#include "driver/calculate.h"

#include <cmath>

#include "driver/quantities.h"
#include "property/property.h"

namespace vapomet {

namespace {

using Run = ResultPages::Run;

// The handler's own arithmetic: a quotient of two finite numbers is finite unless the step
// divided by zero, overflowed or was 0/0, each a fault that ends the run.
double Quotient(const char* what, double numerator, double denominator) {
    const double quotient = numerator / denominator;
    if (!std::isfinite(quotient)) {
        throw FloatingPointFault(what, denominator == 0.0 ? "division by zero" : "overflow");
    }
    return quotient;
}

// The state of one column: its pressure and temperature, and what its routines need.
struct ColumnState {
    int page;
    Phase phase;
    double P, T;
    Region region;
    double rho = 0.0;  // set once the density is known
};

// The density of a column, from its region's volume routine or region 3's density solver.
double DensityOf(const ColumnState& c) {
    if (c.region == Region::Three) return R3rho(c.P, c.T);
    return Quotient("density", 1.0, RoutineOf(c.region, Variable::v)(c.P, c.T));
}

// The value of a quantity that a column computes, in the order of the table: each is written
// as soon as it is computed, and the ratio reads back the cp and cv written before it.
double ValueOf(const Quantity& q, const ColumnState& c, const Run& out) {
    switch (q.source) {
        case Source::Volume: return Quotient("specific volume", 1.0, c.rho);
        case Source::Density: return c.rho;
        case Source::Routine: {
            // The region-3 routines take the density as their state argument.
            const double& state = c.region == Region::Three ? c.rho : c.P;
            return RoutineOf(c.region, q.property)(state, c.T);
        }
        case Source::Transport: return q.transport(c.P, c.T, c.rho);
        case Source::ShownRatio:
            return Quotient("heat-capacity ratio",
                            out.read(c.page, SlotOf(QuantityId::Cp, c.page, c.phase)),
                            out.read(c.page, SlotOf(QuantityId::Cv, c.page, c.phase)));
        default: return 0.0;  // the page's own values are written by the page
    }
}

// One column's computed quantities.
void FillColumn(Run& out, ColumnState c) {
    c.rho = DensityOf(c);
    for (const Quantity& q : Quantities()) {
        if (q.source == Source::StatePressure || q.source == Source::StateTemperature ||
            q.source == Source::RegionCaption)
            continue;
        const int slot = SlotOf(q.id, c.page, c.phase);
        if (slot >= 0) out.number(c.page, slot, ValueOf(q, c, out));
    }
}

// The pressure and temperature a page shows of its own state.
void WritePageState(Run& out, int page, double P, double T) {
    for (const Quantity& q : Quantities()) {
        const int slot = SlotOf(q.id, page, Phase::None);
        if (slot < 0) continue;
        if (q.source == Source::StatePressure) out.number(page, slot, P);
        if (q.source == Source::StateTemperature) out.number(page, slot, T);
    }
}

// A saturation page at (ps, Ts): its two values, then saturated liquid from the region-1
// routines and saturated vapour from the region-2 routines.
void FillSaturationPage(Run& out, int page, const SaturationState& state, bool beyond) {
    out.note(page, beyond);
    WritePageState(out, page, state.ps, state.Ts);
    FillColumn(out, {page, Phase::Liquid, state.ps, state.Ts, Region::One});
    FillColumn(out, {page, Phase::Vapour, state.ps, state.Ts, Region::Two});
}

void FillStatePage(Run& out, const CalculationPlan& plan) {
    out.note(3, plan.beyondRange[2]);
    out.text(3, RegionSlot(), plan.caption);
    FillColumn(out, {3, Phase::None, plan.P, plan.T, *plan.region});
}

void RunPlan(Run& out, const CalculationPlan& plan, MessageSink& messages) {
    // Every page is this press's from now on: its notes come with its values.
    out.inputs(plan.P, plan.T);
    for (int page = 1; page <= kPageCount; ++page) out.note(page, false);
    WritePageState(out, 3, plan.P, plan.T);
    if (plan.page1) {
        FillSaturationPage(out, 1, *plan.page1, plan.beyondRange[0]);
        if (plan.page2) {
            FillSaturationPage(out, 2, *plan.page2, plan.beyondRange[1]);
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

std::optional<Input> Calculate(const QString& pressureText, const QString& temperatureText,
                               ResultPages& pages, MessageSink& messages) {
    FillCoefficientTables();
    std::variant<Rejection, CalculationPlan> outcome;
    try {
        outcome = ValidateAndPlan(pressureText, temperatureText, pages.locale());
    } catch (const PropertyError&) {
        // Nothing has been written yet: the pages stay as they were.
        messages.showMessage(kComputationError);
        return std::nullopt;
    }
    if (const Rejection* rejection = std::get_if<Rejection>(&outcome)) {
        messages.showMessage(rejection->message);
        return rejection->input;
    }

    // A fault of a routine, or a shown value that does not read back, ends the run; anything
    // else is a fault of the program and goes on up.
    Run out(pages);
    const auto end = [&](const std::exception& fault) {
        out.markUnwritten();
        for (const QString& message : FaultMessages(fault)) messages.showMessage(message);
    };
    try {
        RunPlan(out, std::get<CalculationPlan>(outcome), messages);
    } catch (const PropertyError& fault) {
        end(fault);
    } catch (const SlotReadError& fault) {
        end(fault);
    }
    return std::nullopt;
}

}  // namespace vapomet
