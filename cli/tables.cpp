#include "cli/tables.h"

#include <QFileInfo>
#include <QLocale>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <functional>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/columns.h"
#include "cli/lines.h"
#include "cli/page_rows.h"
#include "cli/pipeline.h"
#include "driver/plan.h"
#include "driver/state_table.h"

namespace vapomet::cli {

namespace {

// ---- States of a given pair (--given, --batch --given, --grid over any pair) --------------------

// The columns of the formulation's states, named alike in CSV and JSON: the table's quantities
// by their bare names, with their units where they were chosen.
std::vector<QString> GivenHeader(const Choices& choices) {
    const auto name = [&choices](const Quantity& q) {
        return choices.unitsChosen ? WithUnit(q, choices.units) : QString::fromUtf8(q.column);
    };
    std::vector<QString> names{"line", name(QuantityOf(QuantityId::Pressure)),
                               name(QuantityOf(QuantityId::Temperature)), "region", "x"};
    for (const Quantity* q : TableQuantities()) names.push_back(name(*q));
    names.push_back(QStringLiteral("transport"));
    names.push_back(QStringLiteral("metastable"));
    names.push_back(QStringLiteral("message"));
    return names;
}

struct NumberedPair {
    long line;
    TextPair texts;
};
struct NumberedRows {
    long line;
    GivenRows given;
    TextPair texts;  // as given
};

// The column of a variable of a pair among GivenHeader's, found by its bare name.
std::size_t GivenColumn(Variable variable) {
    static const std::vector<QString> names = GivenHeader(Choices{});
    const QString name = QString::fromUtf8(NameOf(variable).data(), NameOf(variable).size());
    return static_cast<std::size_t>(std::find(names.begin(), names.end(), name) - names.begin());
}

// Every row of one line: a row per state, or one with its message and the two values it was
// given in their columns, as read or, where they could not be read, as typed.
void WriteGivenRows(RowWriter& writer, const NumberedRows& rows, const GivenPair& pair,
                    const Choices& choices) {
    const Field line = std::to_string(rows.line);
    if (rows.given.rows.empty()) {
        std::vector<Field> fields(GivenHeader(choices).size(), std::nullopt);
        fields.front() = line;
        const auto given = [&](Variable variable, const std::optional<double>& value,
                               const QString& typed) {
            const Quantity* q = QuantityOfVariable(variable);
            fields[GivenColumn(variable)] = !value ? TextField(typed, writer.format())
                                            : q    ? Shown(choices, q->id, value)
                                                   : NumberField(value);
        };
        given(pair.a, rows.given.a, rows.texts.first);
        if (!rows.texts.unreadable) given(pair.b, rows.given.b, rows.texts.second);
        fields.back() = TextField(rows.given.message, writer.format());
        writer.row(fields);
        return;
    }
    for (const GivenRow& row : rows.given.rows) {
        const State& s = row.state;
        std::vector<Field> fields{line, Shown(choices, QuantityId::Pressure, s.P),
                                  Shown(choices, QuantityId::Temperature, s.T),
                                  std::to_string(static_cast<int>(s.region)), NumberField(s.x)};
        AppendValues(fields, row.values, choices);
        fields.push_back(ReleaseField(true, choices));
        fields.push_back(s.metastable ? "true" : "false");
        fields.push_back(std::nullopt);
        writer.row(fields);
    }
}

// The rows of given pairs, one input after another, with the header first; 1 when any input has
// a message.
int StreamGivenRows(const std::function<bool(NumberedPair&, double&)>& next, const GivenPair& pair,
                    const Choices& choices, std::FILE* out, std::optional<double> total) {
    RowWriter writer(choices.format, out);
    writer.header(GivenHeader(choices), choices.unitsChosen);
    Progress progress(total);
    bool anyMessage = false;
    const std::function<NumberedRows(const NumberedPair&)> compute =
        [pair, choices](const NumberedPair& in) {
            if (in.texts.unreadable)
                return NumberedRows{in.line, {{}, {}, {}, kInvalidNumber}, in.texts};
            return NumberedRows{
                in.line,
                ComputeGivenRows(pair.a, InLibraryUnit(choices, pair.a, in.texts.first), pair.b,
                                 InLibraryUnit(choices, pair.b, in.texts.second), choices.transport,
                                 choices.metastable),
                in.texts};
        };
    Stream<NumberedPair, NumberedRows>(
        next, compute,
        [&](const NumberedRows& rows) {
            anyMessage = anyMessage || !rows.given.message.isEmpty();
            WriteGivenRows(writer, rows, pair, choices);
        },
        progress);
    return anyMessage ? 1 : 0;
}

int Usage(const char* why) {
    std::fprintf(stderr, "vapomet-cli: %s (see vapomet-cli --help)\n", why);
    return 2;
}

}  // namespace

std::optional<GivenPair> ParsePair(const QString& text) {
    const QStringList names = text.split(QLatin1Char(','));
    if (names.size() != 2) return std::nullopt;
    const auto a = VariableNamed(names[0].trimmed().toStdString());
    const auto b = VariableNamed(names[1].trimmed().toStdString());
    if (!a || !b || !IsOfferedPair(*a, *b)) return std::nullopt;
    return GivenPair{*a, *b};
}

int RunBatch(const QString& file, const std::optional<GivenPair>& given, const Choices& choices,
             std::FILE* out) {
    std::ifstream opened;
    std::istream* in = &std::cin;
    std::optional<double> total;
    if (!file.isEmpty() && file != QStringLiteral("-")) {
        const QFileInfo info(file);
        const char* why = !info.exists()       ? "no such file"
                          : info.isDir()       ? "it is a directory"
                          : !info.isReadable() ? "permission denied"
                                               : nullptr;
        if (why != nullptr)
            return Usage(("cannot read " + file.toStdString() + ": " + why).c_str());
        opened.open(file.toLocal8Bit().toStdString(), std::ios::binary | std::ios::ate);
        if (!opened) return Usage(("cannot read " + file.toStdString()).c_str());
        total = static_cast<double>(opened.tellg());
        opened.seekg(0);
        in = &opened;
    }
    if (!given) return RunPageRows(*in, total, choices, out);
    LineReader reader(*in);
    long number = 0;
    // The next line that holds a state, with its number in the input.
    return StreamGivenRows(
        [&](NumberedPair& numbered, double& amount) {
            for (std::string_view line; reader.next(line, amount);) {
                ++number;
                if (Skipped(line)) continue;
                numbered = {number, SplitLine(line)};
                return true;
            }
            return false;
        },
        *given, choices, out, total);
}

int RunGrid(const QStringList& arguments, const std::optional<GivenPair>& given,
            const Choices& choices, std::FILE* out) {
    const auto ranges = ParseRanges(arguments, {"P", "T", "v", "h", "u", "s", "x"});
    if (!ranges || ranges->size() != 2 || (*ranges)[0].name == (*ranges)[1].name)
        return Usage("--grid takes two ranges A=LO:HI:N B=LO:HI:N of a pair");
    const Range& first = (*ranges)[0];
    const Range& second = (*ranges)[1];
    const std::optional<GivenPair> pair = ParsePair(first.name + ',' + second.name);
    if (!pair) return Usage("--grid takes the ranges of a pair that names states");
    if (given && !((given->a == pair->a && given->b == pair->b) ||
                   (given->a == pair->b && given->b == pair->a)))
        return Usage("--given names another pair than the ranges of --grid");
    const double total = static_cast<double>(first.count) * second.count;
    long long next = 0;
    // The first range's values in turn, the second's for each.
    const auto point = [&](TextPair& texts, double& amount) {
        if (next >= static_cast<long long>(total)) return false;
        const int i = static_cast<int>(next / second.count);
        const int j = static_cast<int>(next % second.count);
        texts = {QString::fromStdString(Shortest(first.at(i))),
                 QString::fromStdString(Shortest(second.at(j))), false};
        ++next;
        amount += 1;
        return true;
    };
    const bool pages = !given && pair->a == Variable::P && pair->b == Variable::T;
    if (pages) {
        // The press reads its pressure first.
        return StreamStateRows(
            [&](TextPair& texts, double& amount) {
                if (!point(texts, amount)) return false;
                if (first.name != QStringLiteral("P")) std::swap(texts.first, texts.second);
                return true;
            },
            choices, out, total);
    }
    const GivenPair named{*VariableNamed(first.name.toStdString()),
                          *VariableNamed(second.name.toStdString())};
    return StreamGivenRows(
        [&](NumberedPair& numbered, double& amount) {
            if (!point(numbered.texts, amount)) return false;
            numbered.line = static_cast<long>(next);
            return true;
        },
        named, choices, out, total);
}

int RunSaturation(const QStringList& arguments, const Choices& choices, std::FILE* out) {
    const auto ranges = ParseRanges(arguments, {QStringLiteral("P"), QStringLiteral("T")});
    if (!ranges || ranges->size() != 1) return Usage("--saturation takes T=LO:HI:N or P=LO:HI:N");
    const Range range = ranges->front();
    const bool atTemperature = range.name == QStringLiteral("T");
    std::vector<QString> names{WithUnit(QuantityOf(QuantityId::Temperature), choices.units),
                               WithUnit(QuantityOf(QuantityId::Pressure), choices.units)};
    for (const char* phase : {"liquid", "vapour"}) {
        for (const Quantity* q : TableQuantities())
            names.push_back(
                QStringLiteral("%1 %2").arg(QLatin1String(phase), WithUnit(*q, choices.units)));
    }
    names.push_back(QStringLiteral("transport"));
    names.push_back(QStringLiteral("message"));
    RowWriter writer(choices.format, out);
    writer.header(names, choices.unitsChosen);
    Progress progress(static_cast<double>(range.count));
    bool anyMessage = false;
    int next = 0;
    const TransportRelease release = choices.transport;
    Stream<double, SaturationRow>(
        [&](double& value, double& amount) {
            if (next >= range.count) return false;
            value = choices.units.library(
                atTemperature ? QuantityId::Temperature : QuantityId::Pressure, range.at(next++));
            amount += 1;
            return true;
        },
        [atTemperature, release](const double& value) {
            return atTemperature ? SaturationAtTemperature(value, release)
                                 : SaturationAtPressure(value, release);
        },
        [&](const SaturationRow& row) {
            anyMessage = anyMessage || !row.message.isEmpty();
            std::vector<Field> fields{Shown(choices, QuantityId::Temperature, row.T),
                                      Shown(choices, QuantityId::Pressure, row.P)};
            AppendValues(fields, row.liquid, choices);
            AppendValues(fields, row.vapour, choices);
            fields.push_back(ReleaseField(row.liquid.has_value(), choices));
            fields.push_back(TextField(row.message, writer.format()));
            writer.row(fields);
        },
        progress);
    return anyMessage ? 1 : 0;
}

int RunGiven(const GivenPair& pair, const QString& a, const QString& b, const Choices& choices,
             std::FILE* out) {
    const GivenRows given =
        ComputeGivenRows(pair.a, InLibraryUnit(choices, pair.a, a), pair.b,
                         InLibraryUnit(choices, pair.b, b), choices.transport, choices.metastable);
    const Format format = choices.format;
    if (format == Format::JsonLines) {
        RowWriter writer(format, out);
        writer.header(GivenHeader(choices), choices.unitsChosen);
        WriteGivenRows(writer, {1, given, {a, b}}, pair, choices);
    }
    if (!given.message.isEmpty()) {
        std::fprintf(stderr, "vapomet-cli: %s\n", given.message.toUtf8().constData());
        return 1;
    }
    if (format == Format::JsonLines) return 0;
    // For a person: each state under its region in words, every value in full precision.
    int number = 0;
    for (const GivenRow& row : given.rows) {
        const State& s = row.state;
        std::fprintf(out, "%sState %d of %zu: %s%s\n", number == 0 ? "" : "\n", number + 1,
                     given.rows.size(), RegionInWords(s).toUtf8().constData(),
                     s.x ? " (region 4)" : "");
        ++number;
        const auto line = [&](const char* name, const std::optional<double>& value,
                              std::optional<QuantityId> quantity) {
            if (!value) return;
            if (!quantity) {  // a quality: no unit, no blanks after it
                std::fprintf(out, "  %-29s %s\n", name, Shortest(*value).c_str());
                return;
            }
            const QByteArray unit = choices.units.nameOf(*quantity).toUtf8();
            const std::string text = ShownText(choices.units, *quantity, *value);
            if (unit.isEmpty())
                std::fprintf(out, "  %-29s %s\n", name, text.c_str());
            else
                std::fprintf(out, "  %-29s %-24s %s\n", name, text.c_str(), unit.constData());
        };
        line("P", s.P, QuantityId::Pressure);
        line("T", s.T, QuantityId::Temperature);
        line("x", s.x, std::nullopt);
        for (const Quantity* q : TableQuantities())
            line(q->column, row.values[static_cast<std::size_t>(q->id)], q->id);
        if (!s.x)
            std::fprintf(out, "  %-29s %s\n", "transport",
                         ReleaseName(choices.transport).toUtf8().constData());
    }
    return 0;
}

std::optional<DerivativeOf> ParseDerivative(const QString& text) {
    const QStringList names = text.split(QLatin1Char(','));
    if (names.size() != 3) return std::nullopt;
    std::array<Variable, 3> v{};
    for (std::size_t i = 0; i < 3; ++i) {
        const auto named = VariableNamed(names[static_cast<qsizetype>(i)].trimmed().toStdString());
        static constexpr Variable kDifferentiable[] = {Variable::P, Variable::T, Variable::v,
                                                       Variable::u, Variable::h, Variable::s,
                                                       Variable::g, Variable::f};
        if (!named || std::find(std::begin(kDifferentiable), std::end(kDifferentiable), *named) ==
                          std::end(kDifferentiable))
            return std::nullopt;
        v[i] = *named;
    }
    if (v[1] == v[2]) return std::nullopt;
    return DerivativeOf{v[0], v[1], v[2]};
}

int RunDerivative(const GivenPair& pair, const QString& a, const QString& b, const DerivativeOf& d,
                  const Choices& choices, std::FILE* out) {
    const Format format = choices.format;
    const GivenRows given =
        ComputeGivenRows(pair.a, InLibraryUnit(choices, pair.a, a), pair.b,
                         InLibraryUnit(choices, pair.b, b), choices.transport, choices.metastable);
    if (!given.message.isEmpty()) {
        std::fprintf(stderr, "vapomet-cli: %s\n", given.message.toUtf8().constData());
        return 1;
    }
    const std::string name = "(d" + std::string(NameOf(d.z)) + "/d" + std::string(NameOf(d.x)) +
                             ")_" + std::string(NameOf(d.y));
    RowWriter writer(format, out);
    if (format == Format::JsonLines) writer.header({"state", "derivative", "value", "message"});
    int status = 0;
    int number = 0;
    for (const GivenRow& row : given.rows) {
        ++number;
        std::optional<double> value;
        std::string message;
        try {
            value = Derivative(row.state, d.z, d.x, d.y);
        } catch (const std::invalid_argument& error) {
            message = error.what();
            status = 1;
        }
        if (format == Format::JsonLines) {
            writer.row(
                {std::to_string(number), JsonString(QString::fromStdString(name)),
                 NumberField(value),
                 message.empty() ? Field() : Field(JsonString(QString::fromStdString(message)))});
        } else if (value) {
            const std::string which =
                given.rows.size() > 1 ? "state " + std::to_string(number) + ": " : "";
            std::fprintf(out, "%s%s %s\n", which.c_str(), name.c_str(), Shortest(*value).c_str());
        } else {
            std::fprintf(stderr, "vapomet-cli: state %d: %s\n", number, message.c_str());
        }
    }
    return status;
}

}  // namespace vapomet::cli
