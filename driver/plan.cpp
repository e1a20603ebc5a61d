#include "driver/plan.h"

#include "property/property.h"

namespace vapomet {

namespace {

// Limits of the input domain and of the regions, in MPa and K.
constexpr double kLowestPressure = 0.0;        // excluded
constexpr double kHighestPressure = 100.0;     // included
constexpr double kLowestTemperature = 273.15;  // excluded
constexpr double kHighestTemperature = 2273.15;
constexpr double kSaturationLimit = 647.0;  // pages 1 and 2 are computed up to here
// Regions 1 and 2 of IAPWS-IF97 end here on the saturation side; above it, up to 647.0 K, the
// pages still use their equations.
constexpr double kRegion1Limit = 623.15;
constexpr double kB23Limit = 863.15;
constexpr double kRegion2Limit = 1073.15;
constexpr double kRegion5Pressure = 10.0;

const QString kCaption1 = QStringLiteral("Region - 1  Water below Triple Point ");
const QString kCaption2 = QStringLiteral("Region - 2  Steam below Triple Point ");
const QString kCaption2Hot = QStringLiteral("Region - 2 Steam below Triple Point ");
const QString kCaption3 = QStringLiteral("Region - 3  Pressurised Water ");
const QString kCaption5 = QStringLiteral("Region - 5  Superheated Steam ");

}  // namespace

bool PagesShowSaturationAt(double T) {
    return T > kLowestTemperature && T <= kSaturationLimit;
}

std::variant<Rejection, CalculationPlan> ValidateAndPlan(const QString& pressureText,
                                                         const QString& temperatureText,
                                                         const QLocale& locale) {
    const std::optional<double> pressure = ReadInputNumber(pressureText, locale);
    if (!pressure) return Rejection{kInvalidNumber, Input::Pressure};
    const std::optional<double> temperature = ReadInputNumber(temperatureText, locale);
    if (!temperature) return Rejection{kInvalidNumber, Input::Temperature};
    return PlanFor(*pressure, *temperature);
}

std::variant<Rejection, CalculationPlan> PlanFor(double P, double T) {
    if (!(P > kLowestPressure)) return Rejection{kInvalidPressure, Input::Pressure};
    if (!(T > kLowestTemperature)) return Rejection{kInvalidTemperature, Input::Temperature};
    if (!(P <= kHighestPressure)) return Rejection{kInvalidPressure, Input::Pressure};
    if (!(T <= kHighestTemperature)) return Rejection{kInvalidTemperature, Input::Temperature};

    CalculationPlan plan{P, T, std::nullopt, std::nullopt, std::nullopt, QString()};
    if (PagesShowSaturationAt(T)) {
        const double psat = Satpr(T);
        plan.page1 = SaturationState{psat, T};
        // Page 2 shows saturation only where the saturation line exists at P: above 647.0 K
        // and below the triple point it gets "NaN", never an extrapolated "saturated" state.
        try {
            const double Tsat = Sattr(P);
            if (PagesShowSaturationAt(Tsat)) plan.page2 = SaturationState{P, Tsat};
        } catch (const FloatingPointFault&) {
            // Far below the triple-point pressure the saturation equation has no temperature.
        }
        if (P > psat) {
            plan.region = Region::One;
            plan.caption = kCaption1;
        } else {
            plan.region = Region::Two;
            plan.caption = kCaption2;
        }
        // Saturated liquid is region 1's only up to 623.15 K, and so is the liquid of page 3;
        // steam is region 2's there only below the B23 line, which the saturation line crosses
        // at 623.15 K.
        plan.beyondRange[0] = T > kRegion1Limit;
        plan.beyondRange[1] = plan.page2 && plan.page2->Ts > kRegion1Limit;
        plan.beyondRange[2] = T > kRegion1Limit && (P > psat || P > b23(T));
    } else if (T <= kB23Limit) {
        if (P < b23(T)) {
            plan.region = Region::Two;
            plan.caption = kCaption2;
        } else {
            plan.region = Region::Three;
            plan.caption = kCaption3;
        }
    } else if (T <= kRegion2Limit) {
        plan.region = Region::Two;
        plan.caption = kCaption2Hot;
    } else if (P <= kRegion5Pressure) {
        plan.region = Region::Five;
        plan.caption = kCaption5;
    }
    return plan;
}

}  // namespace vapomet
