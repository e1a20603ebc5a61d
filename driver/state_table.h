// Rows of property tables for many states: what one press would put on page 3 for a pair of
// texts, or the saturated liquid and vapour at a temperature or a pressure, each computed by the
// whole-state path of the property library. Rows keep no state and may be computed on several
// threads at once.
#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "driver/plan.h"
#include "driver/quantities.h"
#include "property/property.h"

namespace vapomet {

// The values of one phase: the whole state with its heat-capacity ratio (cp / cv in full
// precision), thermal conductivity and viscosity.
struct PhaseValues {
    StateProperties state;
    double ratio, conductivity, viscosity;
};

// Page 3 of a press of the two texts, read in the C convention. The region is the press's
// choice; a row the press would answer with a message carries that message and no values.
struct StateRow {
    std::optional<double> P, T;  // as read; empty where the text is no number
    std::optional<Region> region;
    std::optional<PhaseValues> values;
    QString message;  // the press's message, without its surrounding blanks; empty if none
};
StateRow ComputeStateRow(const QString& pressureText, const QString& temperatureText);

// Saturated liquid and vapour at a temperature (page 1's state: P = Satpr(T)) or at a
// pressure (page 2's: T = Sattr(P)), where the pages show saturation: 273.15 K < T <= 647.0 K.
struct SaturationRow {
    double T, P;
    std::optional<PhaseValues> liquid, vapour;
    QString message;
};
SaturationRow SaturationAtTemperature(double T);
SaturationRow SaturationAtPressure(double P);

// The message of a saturation row outside the saturation line the pages show.
extern const QString kNoSaturationState;

// A column of a table: its name and unit, and the quantity a row gives in it.
struct TableColumn {
    QString name;  // "h (kJ/kg)"
    QuantityId quantity;
    double value(const PhaseValues& phase) const;
};
// The columns of a phase: density, v, h, u, s, cp, cv, w, cp/cv, conductivity, viscosity.
const std::vector<TableColumn>& PhaseColumns();

}  // namespace vapomet
