#include "driver/plan.h"

#include <QRegularExpression>
#include <cmath>

#include "property/property.h"

namespace vapomet {

namespace {

// Limits of the input domain and of the regions, in MPa and K.
constexpr double kLowestPressure = 0.0;        // excluded
constexpr double kHighestPressure = 100.0;     // included
constexpr double kLowestTemperature = 273.15;  // excluded
constexpr double kHighestTemperature = 2273.15;
constexpr double kSaturationLimit = 647.0;  // pages 1 and 2 are computed up to here
constexpr double kB23Limit = 863.15;
constexpr double kRegion2Limit = 1073.15;
constexpr double kRegion5Pressure = 10.0;

const QString kCaption1 = QStringLiteral("Region - 1  Water below Triple Point ");
const QString kCaption2 = QStringLiteral("Region - 2  Steam below Triple Point ");
const QString kCaption2Hot = QStringLiteral("Region - 2 Steam below Triple Point ");
const QString kCaption3 = QStringLiteral("Region - 3  Pressurised Water ");
const QString kCaption5 = QStringLiteral("Region - 5  Superheated Steam ");

// The whole text as a decimal number with the given decimal separator and signs.
std::optional<double> ReadInConvention(const QString& text, const QString& decimal,
                                       const QString& minus, const QString& plus) {
    const QString signs =
        QRegularExpression::escape(minus) + "|" + QRegularExpression::escape(plus) + "|[+-]";
    const QString point = QRegularExpression::escape(decimal);
    const QRegularExpression grammar(
        QStringLiteral("^(%1)?(\\d+(%2\\d*)?|%2\\d+)([eE][+-]?\\d+)?$").arg(signs, point));
    const QRegularExpressionMatch match = grammar.match(text);
    if (!match.hasMatch()) return std::nullopt;

    QString plain = text.mid(match.capturedLength(1));
    plain.replace(decimal, QStringLiteral("."));
    bool ok = false;
    double value = QLocale::c().toDouble(plain, &ok);
    if (!ok || !std::isfinite(value)) return std::nullopt;
    const QString sign = match.captured(1);
    if (sign == minus || sign == QStringLiteral("-")) value = -value;
    return value;
}

}  // namespace

std::optional<double> ReadInputNumber(const QString& text, const QLocale& locale) {
    const QString trimmed = text.trimmed();
    if (auto value = ReadInConvention(trimmed, locale.decimalPoint(), locale.negativeSign(),
                                      locale.positiveSign())) {
        return value;
    }
    return ReadInConvention(trimmed, QStringLiteral("."), QStringLiteral("-"), QStringLiteral("+"));
}

std::variant<QString, CalculationPlan> ValidateAndPlan(const QString& pressureText,
                                                       const QString& temperatureText,
                                                       const QLocale& locale) {
    const std::optional<double> pressure = ReadInputNumber(pressureText, locale);
    if (!pressure) return kInvalidNumber;
    const std::optional<double> temperature = ReadInputNumber(temperatureText, locale);
    if (!temperature) return kInvalidNumber;
    const double P = *pressure;
    const double T = *temperature;

    if (!(P > kLowestPressure)) return kInvalidPressure;
    if (!(T > kLowestTemperature)) return kInvalidTemperature;
    if (!(P <= kHighestPressure)) return kInvalidPressure;
    if (!(T <= kHighestTemperature)) return kInvalidTemperature;

    CalculationPlan plan{P, T, std::nullopt, std::nullopt, std::nullopt, QString()};
    if (T <= kSaturationLimit) {
        const double psat = Satpr(T);
        plan.page1 = SaturationState{psat, T};
        // Page 2 shows saturation only where the saturation line exists at P: above 647.0 K
        // and below the triple point it gets "NaN", never an extrapolated "saturated" state.
        try {
            const double Tsat = Sattr(P);
            if (Tsat > kLowestTemperature && Tsat <= kSaturationLimit) {
                plan.page2 = SaturationState{P, Tsat};
            }
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
