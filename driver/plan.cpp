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

// The decimal order of magnitude of a plain number "ddd.ddd[e[+-]ddd]" with a non-zero digit:
// 0 for 1 to 9.99, -1 for 0.1 to 0.99, and so on; saturated far beyond any double.
long DecimalOrder(const QString& plain) {
    const qsizetype e = plain.indexOf(QLatin1Char('e'), 0, Qt::CaseInsensitive);
    long exponent = 0;
    if (e >= 0) {
        const QString digits = plain.mid(e + 1);
        const bool negative = digits.startsWith(QLatin1Char('-'));
        for (const QChar c : digits) {
            if (c.isDigit()) exponent = std::min(exponent * 10 + c.digitValue(), 100000L);
        }
        if (negative) exponent = -exponent;
    }
    const QString mantissa = plain.left(e >= 0 ? e : plain.size());
    const qsizetype point = mantissa.indexOf(QLatin1Char('.'));
    const qsizetype integerDigits = point >= 0 ? point : mantissa.size();
    for (qsizetype i = 0, position = 0; i < mantissa.size(); ++i) {
        if (i == point) continue;
        if (mantissa[i] != QLatin1Char('0')) return exponent + integerDigits - 1 - position;
        ++position;
    }
    return 0;
}

// The whole text as a decimal number with the given decimal separator and signs.
std::optional<double> ReadInConvention(const QString& text, const QString& decimal,
                                       const QString& minus, const QString& plus) {
    const QString signs =
        QRegularExpression::escape(minus) + "|" + QRegularExpression::escape(plus) + "|[+-]";
    const QString point = QRegularExpression::escape(decimal);
    const QRegularExpression grammar(
        QStringLiteral("^(%1)?([0-9]+(%2[0-9]*)?|%2[0-9]+)([eE][+-]?[0-9]+)?$").arg(signs, point));
    const QRegularExpressionMatch match = grammar.match(text);
    if (!match.hasMatch()) return std::nullopt;

    QString plain = text.mid(match.capturedLength(1));
    plain.replace(decimal, QStringLiteral("."));
    bool ok = false;
    double value = QLocale::c().toDouble(plain, &ok);
    if (!ok) {
        // Too small for a double is zero; too large is no number the program can use.
        if (DecimalOrder(plain) >= 0) return std::nullopt;
        value = 0.0;
    }
    if (!std::isfinite(value)) return std::nullopt;
    const QString sign = match.captured(1);
    if (sign == minus || sign == QStringLiteral("-")) value = -value;
    return value;
}

// The text with the locale's own digits as 0 to 9 and without the bidirectional marks that
// some locales put around their signs (ar_EG writes its minus as U+061C and "-").
QString Plain(QString text, const QLocale& locale) {
    const char16_t zero =
        locale.zeroDigit().isEmpty() ? u'0' : locale.zeroDigit().front().unicode();
    QString plain;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == 0x061C || u == 0x200E || u == 0x200F) continue;
        if (u >= zero && u <= zero + 9) {
            plain += QChar(u'0' + (u - zero));
        } else {
            plain += c;
        }
    }
    return plain;
}

}  // namespace

std::optional<double> ReadInputNumber(const QString& text, const QLocale& locale) {
    const QString trimmed = Plain(text.trimmed(), locale);
    if (auto value =
            ReadInConvention(trimmed, locale.decimalPoint(), Plain(locale.negativeSign(), locale),
                             Plain(locale.positiveSign(), locale))) {
        return value;
    }
    return ReadInConvention(trimmed, QStringLiteral("."), QStringLiteral("-"), QStringLiteral("+"));
}

std::variant<Rejection, CalculationPlan> ValidateAndPlan(const QString& pressureText,
                                                         const QString& temperatureText,
                                                         const QLocale& locale) {
    const std::optional<double> pressure = ReadInputNumber(pressureText, locale);
    if (!pressure) return Rejection{kInvalidNumber, Input::Pressure};
    const std::optional<double> temperature = ReadInputNumber(temperatureText, locale);
    if (!temperature) return Rejection{kInvalidNumber, Input::Temperature};
    const double P = *pressure;
    const double T = *temperature;

    if (!(P > kLowestPressure)) return Rejection{kInvalidPressure, Input::Pressure};
    if (!(T > kLowestTemperature)) return Rejection{kInvalidTemperature, Input::Temperature};
    if (!(P <= kHighestPressure)) return Rejection{kInvalidPressure, Input::Pressure};
    if (!(T <= kHighestTemperature)) return Rejection{kInvalidTemperature, Input::Temperature};

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
