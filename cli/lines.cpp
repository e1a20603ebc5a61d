#include "cli/lines.h"

#include <QLocale>
#include <cmath>

#include "driver/numbers.h"

namespace vapomet::cli {

namespace {

// "P=LO:HI:N", its numbers in the C convention.
std::optional<Range> ParseRange(const QString& argument) {
    const qsizetype equals = argument.indexOf(QLatin1Char('='));
    if (equals < 0) return std::nullopt;
    const QStringList parts = argument.mid(equals + 1).split(QLatin1Char(':'));
    if (parts.size() != 3) return std::nullopt;
    const auto low = ReadInputNumber(parts[0], QLocale::c());
    const auto high = ReadInputNumber(parts[1], QLocale::c());
    bool ok = false;
    const int count = parts[2].toInt(&ok);
    if (!low || !high || !ok || count < 1 || count > 100000000) return std::nullopt;
    return Range{argument.left(equals), *low, *high, count, false};
}

}  // namespace

TextPair SplitLine(const std::string& line) {
    std::vector<std::string> fields;
    if (line.find(',') != std::string::npos) {
        std::size_t from = 0;
        for (std::size_t comma; (comma = line.find(',', from)) != std::string::npos;
             from = comma + 1)
            fields.push_back(line.substr(from, comma - from));
        fields.push_back(line.substr(from));
    } else {
        const char* blanks = " \t\r";
        for (std::size_t from = line.find_first_not_of(blanks); from != std::string::npos;) {
            const std::size_t end = line.find_first_of(blanks, from);
            fields.push_back(line.substr(from, end - from));
            from = line.find_first_not_of(blanks, end);
        }
    }
    if (fields.size() != 2) return {QString::fromUtf8(line).trimmed(), QString(), true};
    return {QString::fromUtf8(fields[0]), QString::fromUtf8(fields[1]), false};
}

bool Skipped(std::string_view line) {
    const std::size_t first = line.find_first_not_of(" \t\r");
    return first == std::string_view::npos || line[first] == '#';
}

double Range::at(int i) const {
    if (count == 1 || i == 0) return low;
    if (i == count - 1) return high;
    const double f = static_cast<double>(i) / (count - 1);
    return logarithmic ? low * std::pow(high / low, f) : low + (high - low) * f;
}

std::optional<std::vector<Range>> ParseRanges(const QStringList& arguments,
                                              const QStringList& names) {
    std::vector<Range> ranges;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == QStringLiteral("--log") && i + 1 < arguments.size()) {
            ++i;
            continue;
        }
        const std::optional<Range> range = ParseRange(arguments[i]);
        if (!range || !names.contains(range->name)) return std::nullopt;
        ranges.push_back(*range);
    }
    for (qsizetype i = 0; i + 1 < arguments.size(); ++i) {
        if (arguments[i] != QStringLiteral("--log")) continue;
        bool found = false;
        for (Range& range : ranges) {
            if (range.name != arguments[i + 1]) continue;
            if (!(range.low > 0 && range.high > 0)) return std::nullopt;
            range.logarithmic = found = true;
        }
        if (!found) return std::nullopt;
    }
    return ranges;
}

}  // namespace vapomet::cli
