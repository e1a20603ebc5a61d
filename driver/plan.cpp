#include "driver/plan.h"

#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

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
long DecimalOrder(std::string_view plain) {
    const std::size_t e = plain.find_first_of("eE");
    long exponent = 0;
    if (e != std::string_view::npos) {
        for (const char c : plain.substr(e + 1)) {
            if (c >= '0' && c <= '9') exponent = std::min(exponent * 10 + (c - '0'), 100000L);
        }
        if (plain.substr(e + 1).starts_with('-')) exponent = -exponent;
    }
    const std::string_view mantissa = plain.substr(0, e);
    const std::size_t point = mantissa.find('.');
    const long integerDigits =
        static_cast<long>(point != std::string_view::npos ? point : mantissa.size());
    long position = 0;
    for (std::size_t i = 0; i < mantissa.size(); ++i) {
        if (i == point) continue;
        if (mantissa[i] != '0') return exponent + integerDigits - 1 - position;
        ++position;
    }
    return 0;
}

// Whether an ASCII text is a plain number: an optional sign, digits with at most one point and
// at least one digit, and an optional exponent of one or more digits.
bool IsPlainNumber(std::string_view text) {
    std::size_t i = 0;
    const auto digits = [&] {
        const std::size_t from = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
        return i - from;
    };
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t mantissa = digits();
    if (i < text.size() && text[i] == '.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0) return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        if (digits() == 0) return false;
    }
    return i == text.size();
}

// The text as plain ASCII: the locale's digits as 0 to 9, its decimal separator as a point and
// its signs as + and -, without the bidirectional marks some locales put around their signs
// (ar_EG writes its minus as U+061C and "-"). Empty where a character is none of these.
std::string Plain(const QString& text, const QLocale& locale) {
    const auto unmarked = [](QString s) {
        s.remove(QChar(0x061C)).remove(QChar(0x200E)).remove(QChar(0x200F));
        return s;
    };
    const QString words = unmarked(text);
    const QString decimal = locale.decimalPoint();
    const QString minus = unmarked(locale.negativeSign());
    const QString plus = unmarked(locale.positiveSign());
    const char16_t zero =
        locale.zeroDigit().isEmpty() ? u'0' : locale.zeroDigit().front().unicode();
    std::string plain;
    plain.reserve(static_cast<std::size_t>(words.size()));
    for (qsizetype i = 0; i < words.size();) {
        const char16_t u = words[i].unicode();
        if (!decimal.isEmpty() && QStringView(words).mid(i).startsWith(decimal)) {
            plain += '.';
            i += decimal.size();
        } else if (i == 0 && !minus.isEmpty() && words.startsWith(minus)) {
            plain += '-';
            i += minus.size();
        } else if (i == 0 && !plus.isEmpty() && words.startsWith(plus)) {
            plain += '+';
            i += plus.size();
        } else if (u >= zero && u <= zero + 9) {
            plain += static_cast<char>('0' + (u - zero));
            ++i;
        } else if (u < 0x80) {
            plain += static_cast<char>(u);
            ++i;
        } else {
            return {};
        }
    }
    return plain;
}

}  // namespace

QStringList FaultMessages(const std::exception& fault) {
    if (dynamic_cast<const ConvergenceFailure*>(&fault) != nullptr)
        return {kFailedToConverge, kComputationError};
    return {kComputationError};
}

bool PagesShowSaturationAt(double T) {
    return T > kLowestTemperature && T <= kSaturationLimit;
}

std::optional<double> ReadInputNumber(const QString& text, const QLocale& locale) {
    // With a comma for the decimal separator, "1,5" and "1.5" both read as 1.5; digit grouping
    // then gives two points ("1.000,5") and is refused.
    const std::string plain = Plain(text.trimmed(), locale);
    if (!IsPlainNumber(plain)) return std::nullopt;
    const bool negative = plain.front() == '-';
    const std::size_t from = plain.front() == '-' || plain.front() == '+' ? 1 : 0;
    double value = 0.0;
    const auto [end, error] =
        std::from_chars(plain.data() + from, plain.data() + plain.size(), value);
    if (end != plain.data() + plain.size()) return std::nullopt;
    if (error == std::errc::result_out_of_range) {
        // Too small for a double is zero; too large is no number the program can use.
        if (DecimalOrder(std::string_view(plain).substr(from)) >= 0) return std::nullopt;
        value = 0.0;
    } else if (error != std::errc() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return negative ? -value : value;
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
