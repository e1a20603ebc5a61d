// Reading a number as the user typed it: in the regional convention of the pages or in the
// plain C one.
#pragma once

#include <QLocale>
#include <QString>
#include <optional>
#include <string_view>

namespace vapomet {

// Reads an input text as a number: after trimming blanks, the whole text must be an optional
// sign, digits with at most one decimal separator, and an optional exponent, in the regional
// convention of `locale` (its own digits included) or in the plain C convention, and its value
// must be finite. Digit grouping is not accepted: "1,5" is never 15, and never 1. A number too
// small for a double is 0.
std::optional<double> ReadInputNumber(const QString& text, const QLocale& locale);

// The same of an ASCII text in the C convention, without Qt: what ReadInputNumber gives of it
// with the C locale, blanks (space, tab, CR, LF, VT, FF) around it trimmed.
std::optional<double> ReadPlainNumber(std::string_view text);

// A value with `decimals` digits after the separator of `locale`; a value that rounds to zero
// shows as a plain zero, without a sign.
QString FormatNumber(double value, int decimals, const QLocale& locale);

}  // namespace vapomet
