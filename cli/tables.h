// The table forms of vapomet-cli: --batch, --grid and --saturation, and the states of a given
// pair, on the ordered parallel pipeline (pipeline.h), read by lines.h, written by writers.h.
#pragma once

#include <QStringList>
#include <cstdio>
#include <optional>

#include "cli/writers.h"
#include "driver/units.h"
#include "property/state.h"

namespace vapomet::cli {

// What a user chose of every table: its format, the release its transport is after, and the
// units of its values, given and shown. Chosen units are named in the header: in CSV beside
// each column's name, in JSON Lines on a first line {"units": {column: unit}}.
struct Choices {
    Format format = Format::Csv;
    TransportRelease transport = TransportRelease::Iaps1985;
    bool metastable = false;  // states at (P, T) by the metastable-vapour equation
    Units units;
    bool unitsChosen = false;
};

// A pair of variables the states are sought from, as named on the command line ("P,h").
struct GivenPair {
    Variable a, b;
};
// Empty where the text names no offered pair.
std::optional<GivenPair> ParsePair(const QString& text);

// The exit status of a table: 0 when every row was computed, 1 when some row carries a
// message, 2 on a usage error (with the reason written to the standard error). Without a given
// pair, --batch and --grid give page 3 of a press; with one, the formulation's states.
int RunBatch(const QString& file, const std::optional<GivenPair>& given, const Choices& choices,
             std::FILE* out);  // file "" or "-": stdin
int RunGrid(const QStringList& arguments, const std::optional<GivenPair>& given,
            const Choices& choices, std::FILE* out);
int RunSaturation(const QStringList& arguments, const Choices& choices, std::FILE* out);

// The states of one pair of values, for a person or as JSON Lines.
int RunGiven(const GivenPair& pair, const QString& a, const QString& b, const Choices& choices,
             std::FILE* out);

// A partial derivative (dz/dx)_y, as "z,x,y" names it (among P, T, v, u, h, s, g, f).
struct DerivativeOf {
    Variable z, x, y;
};
std::optional<DerivativeOf> ParseDerivative(const QString& text);
// The derivative at each state of one pair of values: a line per state for a person, or JSON
// Lines with the state's number, the derivative's name and its value. Wet steam has none.
int RunDerivative(const GivenPair& pair, const QString& a, const QString& b,
                  const DerivativeOf& derivative, const Choices& choices, std::FILE* out);

}  // namespace vapomet::cli
