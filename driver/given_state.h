// What the window "State from two properties" shows: the pairs it offers in words, the states
// that two typed values give, and each state as lines of quantities and as copied text.
#pragma once

#include <QLocale>
#include <QString>
#include <optional>
#include <vector>

#include "driver/units.h"
#include "property/state.h"

namespace vapomet {

// How the window shows states: the units of its values, typed and shown, and the release of
// its transport values.
struct ShownAs {
    Units units;
    TransportRelease transport = TransportRelease::Iaps1985;
};

// A variable's name and unit as the window labels its box: "Pressure", "MPa"; x is "Quality"
// with no unit.
QString VariableName(Variable variable);
QString VariableUnit(Variable variable, const Units& units = Units());

// The pairs offered, in the library's order, and one in words: "Pressure and enthalpy (P, h)".
struct GivenPair {
    Variable a, b;
};
std::vector<GivenPair> GivenPairs();
QString PairInWords(const GivenPair& pair);

// The states with the two values typed in their units, read as page 1 reads its inputs (the
// regional convention of `locale` or the C one), by the metastable-vapour equation where asked
// for at (P, T); or why there is none, and the box to correct: the one whose text is no number
// or lies outside every state's range, or the second where the two values have no state
// together.
enum class GivenBox { First, Second };
struct GivenAnswer {
    GivenPair pair;
    double a = 0.0, b = 0.0;  // as read, in the units typed
    std::vector<State> states;
    QString message;
    std::optional<GivenBox> refused;
};
GivenAnswer AnswerGiven(const GivenPair& pair, const QString& textA, const QString& textB,
                        const QLocale& locale, const Units& units = Units(),
                        bool metastable = false);

// The given values in words: "P = 5 MPa, h = 2800 kJ/kg".
QString GivenInWords(const GivenAnswer& answer, const QLocale& locale,
                     const Units& units = Units());

// A line of a state: what it is, its value in the state, for wet steam also in the saturated
// liquid and vapour (empty where a phase has none), and its unit. The region in words, P, T,
// the quality (empty but for wet steam), then every quantity of the tables; the same lines
// for every state. Values have the decimals of
// the pages, and at least six significant digits.
struct StateLine {
    QString name, value, liquid, vapour, unit;
};
std::vector<StateLine> LinesOf(const State& state, const QLocale& locale,
                               const ShownAs& shown = {});

// A state as the pages are copied: the title and what was given on the first line, then a line
// "name<TAB>value<TAB>unit" for each value (for wet steam the saturated liquid's and vapour's
// after the mixture's).
QString StateText(const QString& title, const State& state, const QLocale& locale,
                  const ShownAs& shown = {});

}  // namespace vapomet
