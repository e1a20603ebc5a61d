// Validation of the two input texts and the plan of what one press puts on each page.
#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>
#include <exception>
#include <optional>
#include <variant>

namespace vapomet {

// The messages of validation and of the run.
inline const QString kInvalidNumber =
    QStringLiteral("Please try again, this time with a valid number");
inline const QString kInvalidPressure = QStringLiteral("Invalid Pressure .... please retry");
inline const QString kInvalidTemperature = QStringLiteral("Invalid Temperature .... please retry");
inline const QString kInvalidRegion = QStringLiteral(" Invalid Region - Recheck Input Data ....");
inline const QString kComputationError = QStringLiteral(" Error in Computation .... aborting");
inline const QString kFailedToConverge = QStringLiteral("Failed to converge ....");

// The messages a run ends with when a routine throws `fault`: a region-3 density that was not
// found says so before the computation error.
QStringList FaultMessages(const std::exception& fault);

// Reads an input text as a number: after trimming blanks, the whole text must be an optional
// sign, digits with at most one decimal separator, and an optional exponent, in the regional
// convention of `locale` (its own digits included) or in the plain C convention, and its value
// must be finite. Digit grouping is not accepted: "1,5" is never 15, and never 1. A number too
// small for a double is 0.
std::optional<double> ReadInputNumber(const QString& text, const QLocale& locale);

// The two input boxes of page 1.
enum class Input { Pressure, Temperature };

// A press refused by validation: the message, and the box whose text caused it.
struct Rejection {
    QString message;
    Input input;
};

enum class Region { One = 1, Two = 2, Three = 3, Five = 5 };

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

}  // namespace vapomet
