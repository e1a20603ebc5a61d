// Rows of property tables for many states: what one press would put on page 3 for a pair of
// texts; the saturated liquid and vapour at a temperature or a pressure; and the states of the
// formulation that have two given values. Rows keep no state and may be computed on several
// threads at once.
#pragma once

#include <QString>
#include <array>
#include <optional>
#include <vector>

#include "driver/plan.h"
#include "driver/quantities.h"
#include "property/state.h"

namespace vapomet {

// Every quantity a table shows of a state, by QuantityId: v, density, h, u, s, cp, cv, w,
// conductivity, cp/cv (of the full values) and viscosity, then the tables' own: the derived
// properties of a single phase, g and f, and the saturation line's enthalpy of vaporisation,
// dpsat/dT and surface tension; empty where the state has none, as wet steam has no cp, cv, w,
// ratio, transport or derived values, and a single phase no saturation line. Transport is after
// the release chosen: the pages' IAPS 1985 equations unless told otherwise. A saturated phase
// given with its line has the line's values too.
using TableValues = std::array<std::optional<double>, kQuantityCount>;
TableValues ValuesOf(const State& state, TransportRelease release = TransportRelease::Iaps1985,
                     const std::optional<Saturation>& line = std::nullopt);

// A release as a table names it: "1985" or "2008/2011"; and back from "1985" or "2008".
QString ReleaseName(TransportRelease release);
std::optional<TransportRelease> ReleaseNamed(const QString& text);

// Page 3 of a press of the two texts, read in the C convention. The region is the press's
// choice; a row the press would answer with a message carries that message and no values.
struct StateRow {
    std::optional<double> P, T;             // as read; empty where the text is no number
    QString pressureText, temperatureText;  // the texts as given
    std::optional<Region> region;
    std::optional<TableValues> values;
    QString message;  // the press's message, without its surrounding blanks; empty if none
    QString note;     // page 3's note where its equations are used beyond their range
};
StateRow ComputeStateRow(const QString& pressureText, const QString& temperatureText,
                         TransportRelease release = TransportRelease::Iaps1985);
// The same of two numbers already read, as the texts of their shortest form would give it.
StateRow ComputeStateRow(double P, double T, TransportRelease release = TransportRelease::Iaps1985);

// The formulation's saturated liquid and vapour at a temperature (P = Satpr(T)) or at a
// pressure (T = Sattr(P)), from 273.15 K to the critical point.
struct SaturationRow {
    std::optional<double> T, P;
    std::optional<TableValues> liquid, vapour;
    QString message;
};
SaturationRow SaturationAtTemperature(double T,
                                      TransportRelease release = TransportRelease::Iaps1985);
SaturationRow SaturationAtPressure(double P, TransportRelease release = TransportRelease::Iaps1985);

// The states of the formulation with value `a` of one variable and `b` of another, read in the
// C convention; or the message why there is none.
struct GivenRow {
    State state;
    TableValues values;
};
struct GivenRows {
    std::optional<double> a, b;  // as read
    std::vector<GivenRow> rows;
    QString message;
};
GivenRows ComputeGivenRows(Variable a, const QString& textA, Variable b, const QString& textB,
                           TransportRelease release = TransportRelease::Iaps1985,
                           bool metastable = false);

// The states with two values, as StatesFrom gives them; or, asked for metastable vapour at a
// pressure and a temperature (either order), the one state of that equation
// (MetastableVapourAt). Throws std::invalid_argument for metastable vapour of another pair.
std::vector<State> StatesGiven(Variable a, double valueA, Variable b, double valueB,
                               bool metastable);
bool IsPressureAndTemperature(Variable a, Variable b);

// The region of a state in words: "Region 2, steam", "Region 2, metastable vapour",
// "Wet steam, x = 0.8734".
QString RegionInWords(const State& state);

// The quantities a table shows of a phase: page 3's in the order of the pages, then the
// tables' own.
const std::vector<const Quantity*>& TableQuantities();

}  // namespace vapomet
