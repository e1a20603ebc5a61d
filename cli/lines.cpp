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

bool TwoFields(std::string_view line, std::string_view& first, std::string_view& second) {
    if (line.find(',') != std::string_view::npos) {
        const std::size_t comma = line.find(',');
        if (line.find(',', comma + 1) != std::string_view::npos) return false;
        first = line.substr(0, comma);
        second = line.substr(comma + 1);
        return true;
    }
    constexpr std::string_view kBlanks = " \t\r";
    std::string_view fields[2];
    int count = 0;
    for (std::size_t from = line.find_first_not_of(kBlanks); from != std::string_view::npos;) {
        const std::size_t end = std::min(line.find_first_of(kBlanks, from), line.size());
        if (count == 2) return false;
        fields[count++] = line.substr(from, end - from);
        from = line.find_first_not_of(kBlanks, end);
    }
    first = fields[0];
    second = fields[1];
    return count == 2;
}

TextPair SplitLine(std::string_view line) {
    std::string_view first, second;
    if (!TwoFields(line, first, second))
        return {QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())).trimmed(),
                QString(), true};
    const auto text = [](std::string_view field) {
        return QString::fromUtf8(field.data(), static_cast<qsizetype>(field.size()));
    };
    return {text(first), text(second), false};
}

bool LineReader::next(std::string_view& line, double& amount) {
    for (;;) {
        const std::size_t end = pending_.find('\n', at_);
        if (end != std::string::npos) {
            line = std::string_view(pending_).substr(at_, end - at_);
            amount += static_cast<double>(end - at_ + 1);
            at_ = end + 1;
            return true;
        }
        if (ended_) {
            if (at_ >= pending_.size()) return false;
            line = std::string_view(pending_).substr(at_);  // the last line, unended
            amount += static_cast<double>(line.size());
            at_ = pending_.size();
            return true;
        }
        pending_.erase(0, at_);
        at_ = 0;
        const std::size_t had = pending_.size();
        pending_.resize(had + kPiece);
        in_.read(pending_.data() + had, static_cast<std::streamsize>(kPiece));
        pending_.resize(had + static_cast<std::size_t>(in_.gcount()));
        ended_ = !in_;
    }
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
