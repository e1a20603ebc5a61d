// The columns of the tables in the units chosen: a column's name with its unit, a value in its
// unit (given as the library gives it, or converted to the fifteen digits a conversion keeps),
// a typed value back in the library's unit, and the release of a row's transport.
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "cli/tables.h"
#include "cli/writers.h"
#include "driver/quantities.h"
#include "driver/state_table.h"

namespace vapomet::cli {

QString WithUnit(const Quantity& quantity, const Units& units);  // "h (kJ/kg)"

std::string ShownText(const Units& units, QuantityId quantity, double value);
Field Shown(const Choices& choices, QuantityId quantity, const std::optional<double>& value);
// The same appended to a row; empty where there is no value.
void AppendShown(RowText& row, const Units& units, QuantityId quantity,
                 const std::optional<double>& value);

// A typed value of a quantity (or a variable's) in its chosen unit as the library's number, in
// the shortest text that reads back as it; a text that is no number stays as it is.
QString InLibraryUnit(const Choices& choices, QuantityId quantity, const QString& text);
QString InLibraryUnit(const Choices& choices, Variable variable, const QString& text);

// The fields of a phase's columns in their units, empty where the phase was not computed or has
// no value.
void AppendValues(std::vector<Field>& fields, const std::optional<TableValues>& values,
                  const Choices& choices);

// The release of a row's transport values; none for a row without them.
Field ReleaseField(bool hasValues, const Choices& choices);

}  // namespace vapomet::cli
