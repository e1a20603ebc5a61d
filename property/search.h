// Finding where a curve of states takes a given value (not part of the public header).
//
// Every pair of given values is answered along a curve on which the first value is held: an
// isobar, an isotherm, a line of constant quality, an isentrope or an isochore. A curve is a row
// of pieces, each inside one region or across the two-phase dome, along which the state is a
// smooth function of one parameter (T, ln P, density or quality). On each piece the second
// value is sought by Newton's method kept inside a bracket; where it may rise and fall, the piece
// is first cut at its turning points. Where the regions meet, their equations differ slightly,
// so a value can be met on both sides of a boundary (two states) or on neither (no state).
#pragma once

#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "property/local.h"

namespace vapomet::detail {

// A point of a curve: the state functions and their rates of change along its parameter, and
// for a single phase the state's derivatives in its region's own variables. A value of plus or
// minus infinity with no rate says only on which side of every finite value the point lies.
struct CurvePoint {
    std::array<double, kFunctions> value{}, slope{};
    std::optional<Local> local;
    // How far each value may move with the digits a region-3 density leaves loose: nothing in
    // the Gibbs regions, and more than the values' last places only next to the critical point.
    std::array<double, kFunctions> loose{};
};

// An end of a piece: its own state; the same state as the next piece's, which owns it (where a
// single phase meets the dome); or the next piece's, whose equation gives another state there (a
// boundary between two regions).
enum class End { Own, Joined, Other };

struct Piece {
    Region region;  // 4 for the dome
    double lo, hi;  // the parameter's range
    End loEnd, hiEnd;
    // The functions that may rise and fall along the piece; the others are monotone on it. Such
    // a function is looked at in `samples` evenly spaced points for the turns of its slope
    // (fewer than 2: a dozen).
    std::array<bool, kFunctions> turns{};
    int samples = 0;
    std::function<CurvePoint(double)> at;  // by plain sums, for the search's steps
    std::function<State(double)> state;    // the exact state at a parameter
    // A curve of crossings (an isentrope, an isochore) jumps where its inner curve's states end
    // or where two regions' equations do not meet.
    bool jumps = false;
    // Where a search on the piece takes its first step, if not between its ends' values.
    double start = std::numeric_limits<double>::quiet_NaN();
    // The parameter is the logarithm of a pressure, going up with it.
    bool logPressure = false;
};

struct Curve {
    std::vector<Piece> pieces;
    // The functions that never fall from one piece to the next (h, s and u along an isobar, v
    // along an isotherm): the pieces that can hold a value are then found in order.
    std::array<bool, kFunctions> rising{};
    // A curve of crossings sets this where its inner curve crossed the value more than once.
    std::shared_ptr<bool> crossedTwice;
};

struct Crossing {
    const Piece* piece;
    double t;
    CurvePoint point;
};

// How close to the value a found state must come: 1e-12 of the value, or of a floor for values
// that pass through zero (energies and entropies near the triple point).
double AcceptedError(Variable z, double value);

// Every point where the curve, on which `held` has the value `kept`, takes the value z0 of z,
// in the order of the pieces. Throws NoState when there is none.
std::vector<Crossing> CrossingsOf(const Curve& curve, Variable z, double z0, Variable held,
                                  double kept);

// The crossing of a curve along which z rises or falls throughout, or where the value lies
// instead: below or above every value on the curve (at the end nearest to it), or in a gap
// between two pieces (at the end of the piece before it and the start of the one after).
// Where two pieces overlap at a boundary both can hold the value: the first crossing is given,
// or the last one.
struct Outcome {
    enum Kind { Found, Below, Above, Gap } kind;
    Crossing at;
    Crossing after;        // of a gap only
    bool several = false;  // the curve crosses the value more than once
};
Outcome CrossingOf(const Curve& curve, Variable z, double z0, bool last = false);

// Where a curve of crossings last found its inner curve's crossing. The next point lies near:
// Newton's method from there, on the piece of the same region, finds it in a step or two, and
// is taken where it ends well inside that piece, away from the boundaries where two regions
// can overlap. Otherwise, and without a hint, the whole curve is searched.
struct Hint {
    Region region;
    double t;
};
Outcome CrossingOf(const Curve& curve, Variable z, double z0, bool last, std::optional<Hint>& hint);

// The exact state of a crossing, which must give back z0 of z (ConvergenceFailure otherwise, or
// NoState where a curve's value jumps across z0 between two regions).
State StateOf(const Crossing& crossing, Variable z, double z0);

}  // namespace vapomet::detail
