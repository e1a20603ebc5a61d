// The text of the tables: numbers in the shortest form that reads back as the same double, CSV
// fields quoted where they must be, JSON strings with every control character escaped, and the
// rows of a table as CSV or JSON Lines. The one JSON writer of vapomet-cli.
#pragma once

#include <QString>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vapomet::cli {

enum class Format { Csv, JsonLines };

// The shortest text that reads back as the same double.
std::string Shortest(double value);

// A field of a row: its text as it goes into the line (a number, or a string already quoted for
// its format), or empty.
using Field = std::optional<std::string>;
Field NumberField(const std::optional<double>& value);
// A text as a field, a message or a release: quoted for its format; empty stays empty.
Field TextField(const QString& text, Format format);

std::string CsvField(const QString& text);
// A JSON string: the quote, the backslash and every control character escaped.
std::string JsonString(const QString& text);

// Appends one row to a text, field after field, as CSV or JSON Lines: with the keys of the
// columns in JSON. No allocation once the text has grown to its rows.
class RowText {
  public:
    RowText(Format format, const std::vector<std::string>& keys, std::string& out);
    void field(std::string_view text);  // a number, or a string already quoted
    void number(double value);          // in its shortest text
    void empty();
    void end();

  private:
    void next();
    Format format_;
    const std::vector<std::string>& keys_;
    std::string& out_;
    std::size_t column_ = 0;
};

// A table's rows as CSV or JSON Lines: named values, in column order.
class RowWriter {
  public:
    RowWriter(Format format, std::FILE* out) : format_(format), out_(out) {}

    // The columns' names, "h (kJ/kg)" with a unit; in JSON Lines their units on a first line
    // where asked to, the keys being the names without their units.
    void header(const std::vector<QString>& names, bool sayUnits = false);
    // A row: one field per column; an empty field is empty in CSV and null in JSON.
    void row(const std::vector<Field>& fields);
    // Rows already made by RowText with these keys.
    void rows(std::string_view text);
    Format format() const { return format_; }
    const std::vector<std::string>& keys() const { return keys_; }

  private:
    void write(const std::string& line);
    Format format_;
    std::FILE* out_;
    std::vector<std::string> keys_;  // the JSON key of each column, quoted
};

}  // namespace vapomet::cli
