// Newton's method in a bracket along the pieces of a curve, and the turning points that cut a
// piece into stretches on which the sought value only rises or only falls.
#include "property/search.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "property/domain.h"
#include "property/region3.h"

namespace vapomet::detail {

namespace {

// A search is done when the value is met to 1e-14 of its size (a few units in the last place
// of the sums), or when the bracket has shrunk to a few units in the last place of its
// parameter; the state found must then meet the value to 1e-12 (AcceptedError).
constexpr double kSearchTolerance = 1e-14;
constexpr double kAcceptedTolerance = 1e-12;
constexpr double kBracketWidth = 4e-16;
// Next to the critical point dp/drho vanishes, and what a region-3 density leaves loose grows
// about as 1 / |T - Tc|: a found state may miss its values by up to 1e-12 of 20 K / |T - Tc|
// of them, no more (that covers every state measured from 1e-7 K to 2 K off Tc). Within
// 3.5e-5 K below Tc the region-3 pressure no longer meets psat(T) on two branches: there the
// two phases are one state, and a value met only by closing in on that jump is not a state.
constexpr double kCriticalSpan = 20.0;  // K
// How far past a value the end of a piece must lie for the next piece not to hold it: where
// two regions meet their equations differ by less than a ten-thousandth of any value.
constexpr double kOverlap = 1e-3;
// A turning point is placed to a part in 1e9 of its parameter: the value there is then the
// extreme value to far below its last place, the slope being zero.
constexpr double kTurnWidth = 1e-9;
// A search from a hint: a few Newton steps, and a root a thousandth of the piece away from its
// ends, where no neighbouring piece can hold the value too. From a curve's start, a dozen.
constexpr int kWarmSteps = 6;
constexpr int kNewtonSteps = 12;
// Where Newton's method alone meets a point beyond the curve's states, it moves by this much of
// its parameter (a factor of 30 in pressure along an isentrope) and tries again.
constexpr double kBeyondStep = 3.4;
constexpr double kWarmMargin = 1e-3;
// A point of the search taken as a root without a search: within an eighth of the accepted
// error, which leaves room for the answer's sums to differ from the search's in the last place.
constexpr double kEndMargin = 8.0;
// How many doubles of its parameter a crossing may lie off the value: the search stops within
// a couple of them, and the sums of the search and of the answer differ in the last place.
constexpr double kResolutionSteps = 8.0;
// Newton's method needs a handful of steps, bisection of a double interval up to about 1100;
// the limit stops a search that could only loop.
constexpr int kStepLimit = 400;
// Points at which a piece whose value may turn is looked at for a change of its slope. Along
// an isobar or an isotherm h, s and v turn at most once in a region (where T alpha = 1, or
// alpha = 0), which the slopes at the ends alone would show; the points between are for safety.
constexpr int kTurnSamples = 5;

// The size near which the tolerances of z are taken: energies and entropies pass through zero at
// the triple point, where their last digits are those of much larger terms; x is met absolutely.
constexpr double Floor(Variable z) {
    switch (z) {
        case Variable::h:
        case Variable::u:  // 1 kJ/kg
        case Variable::s:  // 1 kJ/(kg K)
        case Variable::x: return 1.0;
        default: return 0.0;
    }
}

double Scale(Variable z, double value) {
    return std::max(std::fabs(value), Floor(z));
}

const char* Named(Variable z) {
    constexpr const char* kWords[] = {"pressure", "temperature",     "specific volume",
                                      "enthalpy", "internal energy", "entropy",
                                      "quality"};
    return kWords[static_cast<int>(z)];
}

int Sign(double f) {
    return (f > 0.0) - (f < 0.0);
}

bool Between(double t, double a, double b) {
    return t > std::min(a, b) && t < std::max(a, b);
}

// A point of a piece as the search sees it: its parameter, how far its value lies from the one
// sought, and the rate of that along the parameter (NaN where the point gives none).
struct Sample {
    double t, f, df;
    double value;  // the value of z itself
    double loose;  // how far f may move with a loose region-3 density
};

class PieceSearch {
  public:
    // The specific volume is sought by its logarithm, which the gas makes nearly linear in the
    // logarithm of pressure; every other value as it is.
    PieceSearch(const Piece& piece, Variable z, double z0)
        : piece_(piece),
          z_(Index(z)),
          z0_(z0),
          logarithmic_(z == Variable::v),
          tolerance_(kSearchTolerance * (logarithmic_ ? 1.0 : Scale(z, z0))),
          accepted_(tolerance_ * (kAcceptedTolerance / kSearchTolerance)) {}

    Sample at(double t) {
        // The ends are looked at first and again: each is evaluated once.
        std::optional<CurvePoint>* end = t == piece_.lo   ? &atLo_
                                         : t == piece_.hi ? &atHi_
                                                          : nullptr;
        if (end != nullptr && !*end) *end = piece_.at(t);
        last_ = end != nullptr ? **end : piece_.at(t);
        lastT_ = t;
        const double value = last_.value[static_cast<std::size_t>(z_)];
        const double slope = last_.slope[static_cast<std::size_t>(z_)];
        const double loose = last_.loose[static_cast<std::size_t>(z_)];
        if (logarithmic_) {
            const double f = value > 0.0 ? std::log(value / z0_) : value * kHuge;
            return {t, std::isnan(value) ? value : f, slope / value, value, loose / value};
        }
        return {t, value - z0_, slope, value, loose};
    }
    // The crossing at t, with the point there (looked at again unless it was the last).
    Crossing crossingAt(double t) {
        if (!(lastT_ == t)) at(t);
        return {&piece_, t, last_};
    }
    // Newton's method alone from t, while it stays strictly inside the piece: where it settles,
    // or nothing.
    std::optional<double> newton(double t, int steps = kNewtonSteps) {
        for (int step = 0; step < steps; ++step) {
            const Sample s = at(t);
            if (settled(s)) return t;
            // A point that only tells its side moves a fixed way towards the value.
            t += std::isfinite(s.f) ? Step(s) : s.f > 0.0 ? -kBeyondStep : kBeyondStep;
            if (!(t > piece_.lo && t < piece_.hi)) break;
        }
        return std::nullopt;
    }
    // Newton's step. Along the logarithm of a pressure a step up is taken in the pressure
    // itself, in which a liquid's values are nearly linear: the smaller of the two.
    double Step(const Sample& s) const {
        const double step = -s.f / s.df;
        return piece_.logPressure && step > 0.0 ? std::log1p(step) : step;
    }

    // Whether a sample meets the value as closely as a search ends.
    bool settled(const Sample& s) const { return std::fabs(s.f) <= tolerance_; }
    // Whether the last sample meets the value so closely that its exact state will too: within
    // a fraction of the accepted error, and of what a loose region-3 density leaves open.
    bool meets(const Sample& s) const { return std::fabs(s.f) <= accepted_ / kEndMargin + s.loose; }

    // The root of f between a and b, whose values lie on either side of zero. Newton's method
    // where its step stays in the bracket and at least halves the value; otherwise regula falsi
    // with the Illinois rule (an end that stays twice has its value halved), or bisection where
    // the ends only tell their side or the bracket has not halved in two steps.
    double root(Sample a, Sample b) {
        Sample below = a.f < 0.0 ? a : b, above = a.f < 0.0 ? b : a;
        // The first step goes to the piece's own start, or to where the chord between the ends
        // meets the value, or to the middle where an end only tells its side; Newton's method
        // goes on from there.
        const bool chord = std::isfinite(a.f) && std::isfinite(b.f);
        Sample s = at(Between(piece_.start, a.t, b.t) ? piece_.start
                      : chord                         ? (a.t * b.f - b.t * a.f) / (b.f - a.f)
                                                      : 0.5 * (a.t + b.t));
        if (std::fabs(s.f) <= tolerance_) return s.t;
        (s.f < 0.0 ? below : above) = s;
        // The ends' values as regula falsi weighs them, halved by the Illinois rule.
        double weightBelow = below.f, weightAbove = above.f;
        double previous = std::numeric_limits<double>::infinity();
        int moved = 0;  // -1: the end below moved last, +1: the end above
        int slow = 0;   // steps since the bracket last halved
        for (int step = 0; step < kStepLimit; ++step) {
            double next = s.t + Step(s);
            if (!Between(next, below.t, above.t) || !(std::fabs(s.f) < 0.5 * previous)) {
                const bool falsi =
                    slow < 2 && std::isfinite(weightBelow) && std::isfinite(weightAbove);
                next = falsi ? (below.t * weightAbove - above.t * weightBelow) /
                                   (weightAbove - weightBelow)
                             : 0.5 * (below.t + above.t);
                if (!Between(next, below.t, above.t)) next = 0.5 * (below.t + above.t);
            }
            previous = std::fabs(s.f);
            const double width = std::fabs(above.t - below.t);
            s = at(next);
            if (std::fabs(s.f) <= tolerance_) return s.t;
            if (s.f < 0.0) {
                below = s;
                weightBelow = s.f;
                if (moved < 0) weightAbove *= 0.5;
                moved = -1;
            } else {
                above = s;
                weightAbove = s.f;
                if (moved > 0) weightBelow *= 0.5;
                moved = 1;
            }
            const double narrowed = std::fabs(above.t - below.t);
            slow = narrowed <= 0.5 * width ? 0 : slow + 1;
            // Closed in: the end nearer to the value; where the value jumps (an end of the
            // states, a boundary), the end that has a state.
            if (narrowed <= kBracketWidth * std::max(1.0, std::fabs(s.t)))
                return std::fabs(below.f) <= std::fabs(above.f) ? below.t : above.t;
        }
        throw ConvergenceFailure("StatesFrom", "no state met the value within the step limit");
    }

    // The turning point of f between a and b, whose slopes lie on either side of zero: the root
    // of the slope, by regula falsi with the Illinois rule.
    Sample turn(Sample a, Sample b) {
        Sample s = a;
        int moved = 0;
        for (int step = 0; step < kStepLimit; ++step) {
            double next = (a.t * b.df - b.t * a.df) / (b.df - a.df);
            if (!Between(next, a.t, b.t)) next = 0.5 * (a.t + b.t);
            s = at(next);
            if (s.df == 0.0 || std::fabs(b.t - a.t) <= kTurnWidth * std::max(1.0, std::fabs(next)))
                return s;
            if (Sign(s.df) == Sign(a.df)) {
                a = s;
                if (moved < 0) b.df *= 0.5;
                moved = -1;
            } else {
                b = s;
                if (moved > 0) a.df *= 0.5;
                moved = 1;
            }
        }
        return s;
    }

    // The samples of the piece in order of its parameter, with every turning point of f.
    std::vector<Sample> stretches() {
        const int n = !piece_.turns[static_cast<std::size_t>(z_)] ? 2
                      : piece_.samples > 2                        ? piece_.samples
                                                                  : kTurnSamples;
        std::vector<Sample> samples;
        for (int i = 0; i < n; ++i) {
            const double t = i == 0       ? piece_.lo
                             : i == n - 1 ? piece_.hi
                                          : piece_.lo + (piece_.hi - piece_.lo) * i / (n - 1);
            const Sample s = at(t);
            if (i == 0) first_ = last_;
            if (i == n - 1) final_ = last_;
            if (n > 2 && !samples.empty() && Sign(samples.back().df) * Sign(s.df) < 0)
                samples.push_back(turn(samples.back(), s));
            samples.push_back(s);
        }
        return samples;
    }
    // The points at the piece's ends, once stretches() has looked at them.
    Crossing loEnd() const { return {&piece_, piece_.lo, first_}; }
    Crossing hiEnd() const { return {&piece_, piece_.hi, final_}; }
    const Piece& piece() const { return piece_; }

  private:
    static constexpr double kHuge = 1e300;
    const Piece& piece_;
    int z_;
    double z0_;
    bool logarithmic_;
    double tolerance_, accepted_;
    CurvePoint last_, first_, final_;
    double lastT_ = std::numeric_limits<double>::quiet_NaN();
    std::optional<CurvePoint> atLo_, atHi_;
};

// The crossings of one piece, its values at both ends, and the lowest and highest value seen.
struct PieceRoots {
    std::vector<Crossing> crossings;
    Crossing lo, hi;
    double atLo, atHi, lowest, highest;
};

PieceRoots RootsOn(PieceSearch& search) {
    const Piece& piece = search.piece();
    std::vector<Sample> samples = search.stretches();
    // A sample that already meets the value is a root itself (an end of the domain, say), of
    // this piece or, at a joined end, of the next. Next to a boundary the next piece's equation
    // gives another state: a root just inside this piece is still sought.
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const bool other = (i == 0 && piece.loEnd == End::Other) ||
                           (i + 1 == samples.size() && piece.hiEnd == End::Other);
        if (search.meets(samples[i]) && !other) samples[i].f = 0.0;
    }
    PieceRoots roots{{},
                     search.loEnd(),
                     search.hiEnd(),
                     samples.front().value,
                     samples.back().value,
                     std::numeric_limits<double>::infinity(),
                     -std::numeric_limits<double>::infinity()};
    const auto found = [&](double t) { roots.crossings.push_back(search.crossingAt(t)); };
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const Sample& s = samples[i];
        roots.lowest = std::min(roots.lowest, s.value);
        roots.highest = std::max(roots.highest, s.value);
        const bool own = (i > 0 || piece.loEnd == End::Own) &&
                         (i + 1 < samples.size() || piece.hiEnd == End::Own);
        if (s.f == 0.0 && own) found(s.t);
        if (i + 1 < samples.size() && Sign(s.f) * Sign(samples[i + 1].f) < 0)
            found(search.root(s, samples[i + 1]));
    }
    return roots;
}

PieceRoots RootsOn(const Piece& piece, Variable z, double z0) {
    PieceSearch search(piece, z, z0);
    return RootsOn(search);
}

// The crossings of a curve along which z never falls, looking only at the pieces that can hold
// z0: those before it end below it, those after it start above it. Where two pieces overlap at a
// boundary both are searched.
std::vector<Crossing> RisingCrossings(const Curve& curve, Variable z, double z0) {
    std::vector<Crossing> crossings;
    bool reached = false;  // a piece has ended at or above z0
    for (const Piece& piece : curve.pieces) {
        PieceSearch search(piece, z, z0);
        if (reached) {
            const Sample lo = search.at(piece.lo);
            if (lo.f > 0.0 && !search.meets(lo)) break;
        } else {
            const Sample hi = search.at(piece.hi);
            if (hi.f < 0.0 && !search.meets(hi)) continue;
            reached = true;
        }
        const PieceRoots roots = RootsOn(search);
        crossings.insert(crossings.end(), roots.crossings.begin(), roots.crossings.end());
        // The next piece can hold the value only where two regions overlap at their boundary,
        // by far less than this.
        if (roots.atHi - z0 > kOverlap * Scale(z, z0)) break;
    }
    return crossings;
}

// The crossings of a whole curve: where z never falls along it, those of the pieces that can hold
// z0; where these hold none, those of every piece, with what each piece showed of its values.
struct Scan {
    std::vector<Crossing> crossings;
    std::vector<PieceRoots> pieces;  // every piece's, where each was searched
};

Scan ScanOf(const Curve& curve, Variable z, double z0) {
    Scan scan;
    if (curve.rising[static_cast<std::size_t>(Index(z))]) {
        scan.crossings = RisingCrossings(curve, z, z0);
        if (!scan.crossings.empty()) return scan;
    }
    for (const Piece& piece : curve.pieces) {
        scan.pieces.push_back(RootsOn(piece, z, z0));
        const std::vector<Crossing>& found = scan.pieces.back().crossings;
        scan.crossings.insert(scan.crossings.end(), found.begin(), found.end());
    }
    return scan;
}

// Where the value falls between the end of one piece and the start of the next.
const PieceRoots* GapAfter(const std::vector<PieceRoots>& pieces, double z0) {
    for (std::size_t k = 0; k + 1 < pieces.size(); ++k) {
        const double a = pieces[k].atHi, b = pieces[k + 1].atLo;
        if ((a < z0 && z0 < b) || (b < z0 && z0 < a)) return &pieces[k];
    }
    return nullptr;
}

}  // namespace

double AcceptedError(Variable z, double value) {
    return kAcceptedTolerance * Scale(z, value);
}

std::vector<Crossing> CrossingsOf(const Curve& curve, Variable z, double z0, Variable held,
                                  double kept) {
    // A curve of crossings rises throughout: Newton's method from its start, where it settles
    // inside, finds its one crossing without looking at the curve's ends.
    if (curve.pieces.size() == 1 && std::isfinite(curve.pieces.front().start)) {
        PieceSearch search(curve.pieces.front(), z, z0);
        if (const std::optional<double> t = search.newton(curve.pieces.front().start))
            return {search.crossingAt(*t)};
    }
    const Scan scan = ScanOf(curve, z, z0);
    if (!scan.crossings.empty()) return scan.crossings;
    double lowest = std::numeric_limits<double>::infinity(), highest = -lowest;
    for (const PieceRoots& roots : scan.pieces) {
        lowest = std::min(lowest, roots.lowest);
        highest = std::max(highest, roots.highest);
    }
    const std::string name(NameOf(z)), where = "at " + Quoted(held, kept);
    // A curve of crossings whose every point lies beyond the formulation's states.
    if ((z0 < lowest && std::isinf(lowest)) || (z0 > highest && std::isinf(highest)))
        throw NoState("no state " + where + " in the formulation's range");
    if (z0 < lowest)
        throw NoState(name + " below the smallest " + Named(z) + " " + where +
                      " in the formulation's range (" + Amount(z, lowest) + ")");
    if (z0 > highest)
        throw NoState(name + " above the largest " + Named(z) + " " + where +
                      " in the formulation's range (" + Amount(z, highest) + ")");
    std::string between = "between two regions";
    if (const PieceRoots* gap = GapAfter(scan.pieces, z0)) {
        const auto region = [](const Crossing& c) {
            return std::to_string(static_cast<int>(c.piece->region));
        };
        between = "between regions " + region(gap->hi) + " and " + region((gap + 1)->lo);
    }
    throw NoState(Quoted(z, z0) + " " + where + " lies where the equations " + between +
                  " do not meet: no state has it");
}

Outcome CrossingOf(const Curve& curve, Variable z, double z0, bool last) {
    const auto found = [last](const std::vector<Crossing>& crossings) {
        return Outcome{
            Outcome::Found, last ? crossings.back() : crossings.front(), {}, crossings.size() > 1};
    };
    const Scan scan = ScanOf(curve, z, z0);
    if (!scan.crossings.empty()) return found(scan.crossings);
    // The value lies beyond the curve's ends, or in a gap: the ends nearest to it.
    const Crossing* lowest = nullptr;
    const Crossing* highest = nullptr;
    double low = std::numeric_limits<double>::infinity(), high = -low;
    for (const PieceRoots& roots : scan.pieces) {
        if (roots.atLo < low) low = roots.atLo, lowest = &roots.lo;
        if (roots.atHi < low) low = roots.atHi, lowest = &roots.hi;
        if (roots.atLo > high) high = roots.atLo, highest = &roots.lo;
        if (roots.atHi > high) high = roots.atHi, highest = &roots.hi;
    }
    if (z0 < low) return {Outcome::Below, *lowest, {}, false};
    if (z0 > high) return {Outcome::Above, *highest, {}, false};
    const PieceRoots* gap = GapAfter(scan.pieces, z0);
    if (gap == nullptr) return {Outcome::Gap, *lowest, *lowest, false};
    return {Outcome::Gap, gap->hi, (gap + 1)->lo, false};
}

Outcome CrossingOf(const Curve& curve, Variable z, double z0, bool last,
                   std::optional<Hint>& hint) {
    if (hint && curve.rising[static_cast<std::size_t>(Index(z))]) {
        for (const Piece& piece : curve.pieces) {
            if (piece.region != hint->region || hint->t < piece.lo || hint->t > piece.hi) continue;
            PieceSearch search(piece, z, z0);
            const double margin = kWarmMargin * (piece.hi - piece.lo);
            const std::optional<double> t = search.newton(hint->t, kWarmSteps);
            if (t && *t > piece.lo + margin && *t < piece.hi - margin) {
                hint->t = *t;
                return {Outcome::Found, search.crossingAt(*t), {}, false};
            }
            break;
        }
    }
    const Outcome outcome = CrossingOf(curve, z, z0, last);
    hint.reset();
    if (outcome.kind == Outcome::Found) hint = Hint{outcome.at.piece->region, outcome.at.t};
    return outcome;
}

State StateOf(const Crossing& crossing, Variable z, double z0) {
    const State state = crossing.piece->state(crossing.t);
    const double value = ValueOf(state, z).value_or(std::numeric_limits<double>::quiet_NaN());
    // Next to the critical point a value can change by more than 1e-12 of itself from one double
    // of the parameter to the next: there it is met as closely as the parameter can be told.
    const double t = std::fabs(crossing.t);
    const std::size_t iz = static_cast<std::size_t>(Index(z));
    const double slope = std::isfinite(crossing.point.slope[iz]) ? crossing.point.slope[iz] : 0.0;
    const double accepted = AcceptedError(z, z0);
    const double off = std::fabs(state.T - kCriticalTemperature);
    const double resolution =
        kResolutionSteps *
        ((std::nextafter(t, 2.0 * t + 1.0) - t) * std::fabs(slope) + crossing.point.loose[iz]);
    const double allowed =
        off * resolution < accepted * kCriticalSpan ? resolution : accepted * kCriticalSpan / off;
    if (std::fabs(value - z0) <= std::max(accepted, allowed)) return state;
    // On a curve of crossings the search closes in on a jump of the value: an edge of the
    // domain, or a boundary where the equations of two regions do not meet. So it does next to
    // the critical point where the phases merge.
    if (allowed < resolution)
        throw NoState(Quoted(z, z0) + " is not met this close to the critical point, where the " +
                      "formulation's densities are loose: the nearest state has " +
                      Amount(z, value));
    if (crossing.piece->jumps)
        throw NoState(Quoted(z, z0) + " lies beyond the formulation's states there: the " +
                      "nearest state has " + Amount(z, value));
    throw ConvergenceFailure(
        "StatesFrom", "the state found misses " + Quoted(z, z0) + " by " + Amount(z, value - z0));
}

}  // namespace vapomet::detail
