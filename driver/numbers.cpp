#include "driver/numbers.h"

#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

namespace vapomet {

namespace {

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

std::optional<double> ReadInputNumber(const QString& text, const QLocale& locale) {
    // With a comma for the decimal separator, "1,5" and "1.5" both read as 1.5; digit grouping
    // then gives two points ("1.000,5") and is refused.
    return ReadPlainNumber(Plain(text.trimmed(), locale));
}

std::optional<double> ReadPlainNumber(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\r\n\v\f";
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return std::nullopt;
    const std::string_view plain = text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
    if (!IsPlainNumber(plain)) return std::nullopt;
    const bool negative = plain.front() == '-';
    const std::size_t from = plain.front() == '-' || plain.front() == '+' ? 1 : 0;
    double value = 0.0;
    const auto [end, error] =
        std::from_chars(plain.data() + from, plain.data() + plain.size(), value);
    if (end != plain.data() + plain.size()) return std::nullopt;
    if (error == std::errc::result_out_of_range) {
        // Too small for a double is zero; too large is no number the program can use.
        if (DecimalOrder(plain.substr(from)) >= 0) return std::nullopt;
        value = 0.0;
    } else if (error != std::errc() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

QString FormatNumber(double value, int decimals, const QLocale& locale) {
    QString text = locale.toString(value, 'f', decimals);
    // -0.0004 rounds to zero at four decimals: show it as a plain zero, without a sign.
    if (text.startsWith(locale.negativeSign())) {
        const QString zero = locale.toString(0.0, 'f', decimals);
        if (text.mid(locale.negativeSign().size()) == zero) text = zero;
    }
    return text;
}

}  // namespace vapomet
