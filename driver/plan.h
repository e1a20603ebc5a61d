// Validation of the two input texts and the plan of what one press puts on each page: the
// pages' own choice of the region, which between 623.15 K and 647.0 K differs from the
// formulation's (property/state.h).
#pragma once

#include <QLocale>
#include <QString>
#include <optional>
#include <variant>

#include "driver/messages.h"
#include "driver/numbers.h"
#include "property/state.h"

namespace vapomet {

// The two input boxes of page 1.
enum class Input { Pressure, Temperature };

// A press refused by validation: the message, and the box whose text caused it.
struct Rejection {
    QString message;
    Input input;
};

// A saturation page at (ps, Ts): (psat, T) on page 1, (P, Tsat) on page 2. Empty: "NaN" fill.
struct SaturationState {
    double ps;
    double Ts;
};

struct CalculationPlan {
    double P;
    double T;
    std::optional<SaturationState> page1;
    std::optional<SaturationState> page2;
    std::optional<Region> region;  // empty: no region holds the state
    QString caption;               // the region's caption on page 3
    // Pages 1, 2 and 3 whose state lies above 623.15 K where the pages use the region-1 or
    // region-2 equations beyond the range in which IAPWS-IF97 defines them.
    bool beyondRange[3] = {false, false, false};
};

// Whether the saturation pages show the saturation state at temperature T: above the lowest
// input temperature, 273.15 K, up to 647.0 K.
bool PagesShowSaturationAt(double T);

// Either the refusal of the inputs or the plan. Calls Satpr, Sattr and b23; a fault inside
// Satpr or b23 passes up as their exception.
std::variant<Rejection, CalculationPlan> ValidateAndPlan(const QString& pressureText,
                                                         const QString& temperatureText,
                                                         const QLocale& locale);
// The same of two numbers already read.
std::variant<Rejection, CalculationPlan> PlanFor(double P, double T);

}  // namespace vapomet
