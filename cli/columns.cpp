#include "cli/columns.h"

#include <QLocale>
#include <charconv>

#include "driver/numbers.h"
#include "driver/state_table.h"

namespace vapomet::cli {

namespace {

// A conversion keeps fifteen significant digits: 150 psia, not 150.00000000000003.
constexpr int kConvertedDigits = 15;

// The library's unit, or one that shows the same number (dyn/cm for mN/m).
bool IsLibrarys(const Unit& unit) {
    return unit.factor == 1.0 && unit.offset == 0.0 && !unit.gauge;
}

// The text of a value in its unit into `buffer`; its end.
char* ShownInto(char* buffer, char* last, const Units& units, QuantityId quantity, double value) {
    if (IsLibrarys(units.unitOf(quantity))) return std::to_chars(buffer, last, value).ptr;
    return std::to_chars(buffer, last, units.shown(quantity, value), std::chars_format::general,
                         kConvertedDigits)
        .ptr;
}

}  // namespace

QString WithUnit(const Quantity& q, const Units& units) {
    QString name = QString::fromUtf8(q.column);
    if (const QString unit = units.nameOf(q.id); !unit.isEmpty())
        name += QStringLiteral(" (%1)").arg(unit);
    return name;
}

std::string ShownText(const Units& units, QuantityId quantity, double value) {
    char buffer[32];
    return std::string(buffer, ShownInto(buffer, buffer + sizeof buffer, units, quantity, value));
}

Field Shown(const Choices& choices, QuantityId quantity, const std::optional<double>& value) {
    return value ? Field(ShownText(choices.units, quantity, *value)) : std::nullopt;
}

void AppendShown(RowText& row, const Units& units, QuantityId quantity,
                 const std::optional<double>& value) {
    if (!value) return row.empty();
    char buffer[32];
    row.field({buffer, ShownInto(buffer, buffer + sizeof buffer, units, quantity, *value)});
}

QString InLibraryUnit(const Choices& choices, QuantityId quantity, const QString& text) {
    if (IsLibrarys(choices.units.unitOf(quantity))) return text;
    const std::optional<double> value = ReadInputNumber(text, QLocale::c());
    if (!value) return text;
    return QString::fromStdString(Shortest(choices.units.library(quantity, *value)));
}

QString InLibraryUnit(const Choices& choices, Variable variable, const QString& text) {
    const Quantity* quantity = QuantityOfVariable(variable);
    return quantity ? InLibraryUnit(choices, quantity->id, text) : text;
}

void AppendValues(std::vector<Field>& fields, const std::optional<TableValues>& values,
                  const Choices& choices) {
    for (const Quantity* q : TableQuantities())
        fields.push_back(values ? Shown(choices, q->id, (*values)[static_cast<std::size_t>(q->id)])
                                : std::nullopt);
}

Field ReleaseField(bool hasValues, const Choices& choices) {
    return hasValues ? TextField(ReleaseName(choices.transport), choices.format) : std::nullopt;
}

}  // namespace vapomet::cli
