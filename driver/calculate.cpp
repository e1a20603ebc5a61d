#include "driver/calculate.h"

#include <array>
#include <cmath>

#include "driver/plan.h"
#include "driver/quantities.h"
#include "property/property.h"

namespace vapomet {

namespace {

// The handler's own arithmetic: a quotient of two finite numbers is finite unless the step
// divided by zero, overflowed or was 0/0, each a fault that ends the run.
double Quotient(const char* what, double numerator, double denominator) {
    const double quotient = numerator / denominator;
    if (!std::isfinite(quotient)) {
        throw FloatingPointFault(what, denominator == 0.0 ? "division by zero" : "overflow");
    }
    return quotient;
}

// Writes the pages of one run and remembers which slots it wrote, so that a run that ends early
// can mark every slot it did not reach, and no page shows an earlier state beside the new input.
class RunWriter {
  public:
    explicit RunWriter(ResultPages& pages) : pages_(pages) {}

    void number(int page, int index, double value) {
        pages_.writeNumber(page, index, value, QuantityAt(page, index).quantity.decimals);
        mark(page, index);
    }
    void text(int page, int index, const QString& text) {
        pages_.writeText(page, index, text);
        mark(page, index);
    }
    double read(int page, int index) const { return pages_.readNumber(page, index); }
    void note(int page, bool beyondRange) {
        pages_.writeNote(page, beyondRange ? kBeyondRangeNote : QString());
    }
    void inputs(int page, double P, double T) { pages_.writeInputs(page, P, T); }
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
                const bool region = page == 3 && index == RegionSlot();
                pages_.writeText(page, index, region ? kRegionPlaceholder : kNaN);
            }
        }
    }

  private:
    void mark(int page, int index) { written_.at(page - 1).at(index) = true; }
    ResultPages& pages_;
    std::array<std::array<bool, 32>, kPageCount> written_{};
};

// The state of one column: its pressure and temperature, and what its routines need.
struct ColumnState {
    int page;
    Phase phase;
    double P, T;
    Region region;
    double rho = 0.0;  // set once the density is known
};

// The value of a quantity that a column computes, in the order of the table: each is written
// as soon as it is computed, and the ratio reads back the cp and cv written before it.
double ValueOf(const Quantity& q, const ColumnState& c, RunWriter& out) {
    switch (q.source) {
        case Source::Volume: return Quotient("specific volume", 1.0, c.rho);
        case Source::Density: return c.rho;
        case Source::Routine: {
            // The region-3 routines take the density as their state argument.
            const double& state = c.region == Region::Three ? c.rho : c.P;
            return q.routines.of(c.region)(state, c.T);
        }
        case Source::Transport: return q.transport(c.P, c.T, c.rho);
        case Source::ShownRatio:
            return Quotient("heat-capacity ratio",
                            out.read(c.page, SlotOf(QuantityId::Cp, c.page, c.phase)),
                            out.read(c.page, SlotOf(QuantityId::Cv, c.page, c.phase)));
        default: return 0.0;  // the page's own values are written by the page
    }
}

// One column's computed quantities, at a state whose density is known.
void FillColumn(RunWriter& out, const ColumnState& c) {
    for (const Quantity& q : Quantities()) {
        if (q.source == Source::StatePressure || q.source == Source::StateTemperature ||
            q.source == Source::RegionCaption)
            continue;
        const int slot = SlotOf(q.id, c.page, c.phase);
        if (slot >= 0) out.number(c.page, slot, ValueOf(q, c, out));
    }
}

// The pressure and temperature a page shows of its own state.
void WritePageState(RunWriter& out, int page, double P, double T) {
    for (const Quantity& q : Quantities()) {
        const int slot = SlotOf(q.id, page, Phase::None);
        if (slot < 0) continue;
        if (q.source == Source::StatePressure) out.number(page, slot, P);
        if (q.source == Source::StateTemperature) out.number(page, slot, T);
    }
}

// Density from a specific volume routine.
double DensityFrom(StateRoutine volumeRoutine, const double& P, const double& T) {
    return Quotient("density", 1.0, volumeRoutine(P, T));
}

// A saturation page at (ps, Ts): its two values, then saturated liquid from the region-1
// routines and saturated vapour from the region-2 routines.
void FillSaturationPage(RunWriter& out, int page, const SaturationState& state, bool beyond) {
    out.note(page, beyond);
    WritePageState(out, page, state.ps, state.Ts);
    ColumnState liquid{page, Phase::Liquid, state.ps, state.Ts, Region::One};
    liquid.rho = DensityFrom(R1v, state.ps, state.Ts);
    FillColumn(out, liquid);
    ColumnState vapour{page, Phase::Vapour, state.ps, state.Ts, Region::Two};
    vapour.rho = DensityFrom(R2v, state.ps, state.Ts);
    FillColumn(out, vapour);
}

void FillStatePage(RunWriter& out, const CalculationPlan& plan) {
    out.note(3, plan.beyondRange[2]);
    out.text(3, RegionSlot(), plan.caption);
    ColumnState state{3, Phase::None, plan.P, plan.T, *plan.region};
    switch (state.region) {
        case Region::One: state.rho = DensityFrom(R1v, plan.P, plan.T); break;
        case Region::Two: state.rho = DensityFrom(R2v, plan.P, plan.T); break;
        case Region::Three: state.rho = R3rho(plan.P, plan.T); break;
        case Region::Five: state.rho = DensityFrom(R5v, plan.P, plan.T); break;
    }
    FillColumn(out, state);
}

void Run(RunWriter& out, const CalculationPlan& plan, MessageSink& messages) {
    // Every page is this press's from now on: its notes come with its values.
    for (int page = 1; page <= kPageCount; ++page) {
        out.inputs(page, plan.P, plan.T);
        out.note(page, false);
    }
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
    } catch (const std::exception&) {
        // Nothing has been written yet: the pages stay as they were.
        messages.showMessage(kComputationError);
        return std::nullopt;
    }
    if (const Rejection* rejection = std::get_if<Rejection>(&outcome)) {
        messages.showMessage(rejection->message);
        return rejection->input;
    }

    RunWriter out(pages);
    try {
        Run(out, std::get<CalculationPlan>(outcome), messages);
    } catch (const std::exception& fault) {
        out.markUnwritten();
        for (const QString& message : FaultMessages(fault)) messages.showMessage(message);
    }
    return std::nullopt;
}

}  // namespace vapomet
