// The pieces of isobars, isotherms, lines of constant quality, isentropes and isochores.
#include "property/curves.h"

#include <cmath>
#include <limits>
#include <memory>
#include <tuple>

#include "property/domain.h"
#include "property/region3.h"
#include "property/region3_density.h"

namespace vapomet::detail {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr int kP = Index(Variable::P), kT = Index(Variable::T), kV = Index(Variable::v),
              kH = Index(Variable::h), kU = Index(Variable::u);

// The set of the given functions, as Piece::turns and Curve::rising hold it.
std::array<bool, kFunctions> Functions(std::initializer_list<Variable> functions) {
    std::array<bool, kFunctions> turns{};
    for (const Variable f : functions) turns[static_cast<std::size_t>(Index(f))] = true;
    return turns;
}

// The region-3 density at (P, T) on a branch, started from the last one found on the same
// piece: neighbouring points of a search lie close together.
struct WarmDensity {
    DensityBranch branch;
    double last = 0.0;
    double at(double P, double T) {
        last = SolveRegion3Density(P, T, branch, last).rho;
        return last;
    }
};

// How far a region-3 density may lie off its root: as far as a part in 1e13 of the pressure,
// the noise of the pressure sum where its terms cancel, moves it; on the flat critical
// isotherm, where dp/drho vanishes, as much as the roots found there differ.
constexpr double kPressureNoise = 1e-13;
constexpr double kCriticalLooseness = 5e-3;

// A point whose slopes are the derivatives of the local state in one of its variables, or at
// one function held constant. A region-3 point (whose first variable is rho, not P) carries the
// looseness of its density.
CurvePoint Along(const Local& local, const std::array<double, kFunctions>& slope) {
    CurvePoint point{local.value, slope, local, {}};
    if (!local.byDensity) return point;
    const double rho = 1.0 / local.value[kV];
    const double drho = std::min(kPressureNoise * local.value[kP] / std::fabs(local.byFirst[kP]),
                                 kCriticalLooseness * rho);
    for (std::size_t z = 0; z < kFunctions; ++z)
        point.loose[z] = std::isfinite(drho) ? std::fabs(local.byFirst[z]) * drho : 0.0;
    return point;
}
CurvePoint AtConstant(const Local& local, Variable parameter, Variable held) {
    std::array<double, kFunctions> slope{};
    for (int z = 0; z < kFunctions; ++z)
        slope[static_cast<std::size_t>(z)] =
            z == Index(held) ? 0.0 : local.partial(static_cast<Variable>(z), parameter, held);
    return Along(local, slope);
}

// ---- Single-phase pieces ------------------------------------------------------------------------

// Liquid water expands on cooling (its density is highest) only below 277.2 K, the temperature of
// its densest state at low pressure; higher pressures lower it.
constexpr double kDensestBelow = 277.2;
constexpr int kDensestSamples = 5;

Piece GibbsIsobar(Region region, double P, double lo, double hi, End loEnd, End hiEnd) {
    // Liquid water is densest below 277.2 K: there v falls and rises along an isobar, in a few
    // kelvin, so that a few points tell where.
    const bool densest = region == Region::One && lo < kDensestBelow;
    Piece piece{region,
                lo,
                hi,
                loEnd,
                hiEnd,
                densest ? Functions({Variable::v}) : Functions({}),
                densest ? kDensestSamples : 0,
                {},
                {}};
    piece.at = [region, P](double T) {
        const Local local = GibbsLocal(region, P, T);
        return Along(local, local.byT);
    };
    piece.state = [region, P](double T) { return StateInRegion(region, P, T); };
    return piece;
}

Piece Region3Isobar(DensityBranch branch, double P, double lo, double hi, End loEnd, End hiEnd) {
    auto density = std::make_shared<WarmDensity>(WarmDensity{branch});
    Piece piece{Region::Three, lo, hi, loEnd, hiEnd, {}, 0, {}, {}};
    piece.at = [density, P](double T) {
        return AtConstant(HelmholtzLocal(density->at(P, T), T), Variable::T, Variable::P);
    };
    piece.state = [density, P](double T) {
        State state = Region3State(density->at(P, T), T);
        if (!(std::fabs(state.P - P) <= AcceptedError(Variable::P, P)))
            throw ConvergenceFailure("StatesFrom",
                                     "no region-3 density meets " + Quoted(Variable::P, P));
        state.P = P;
        return state;
    };
    return piece;
}

// Along an isotherm in order of rising volume, the Gibbs regions go by falling pressure:
// t = -ln P.
Piece GibbsIsotherm(Region region, double T, double highP, double lowP, End highEnd, End lowEnd) {
    Piece piece{
        region,
        -std::log(highP),
        -std::log(lowP),
        highEnd,
        lowEnd,
        region == Region::One ? Functions({Variable::h, Variable::s}) : Functions({Variable::h}),
        0,
        {},
        {}};
    // The ends are the boundary's pressures themselves, not their logarithms' exponentials.
    const auto pressure = [lo = piece.lo, hi = piece.hi, highP, lowP](double t) {
        return t == lo ? highP : t == hi ? lowP : std::exp(-t);
    };
    piece.at = [region, T, pressure](double t) {
        const double P = pressure(t);
        const Local local = GibbsLocal(region, P, T);
        std::array<double, kFunctions> slope{};
        for (int z = 0; z < kFunctions; ++z)
            slope[static_cast<std::size_t>(z)] = -P * local.byFirst[static_cast<std::size_t>(z)];
        return Along(local, slope);
    };
    piece.state = [region, T, pressure](double t) { return StateInRegion(region, pressure(t), T); };
    return piece;
}

// Region 3 along an isotherm goes by specific volume, its own variable: t = v = 1 / rho.
Piece Region3Isotherm(double T, double rhoHigh, double rhoLow, End loEnd, End hiEnd) {
    Piece piece{Region::Three,
                1.0 / rhoHigh,
                1.0 / rhoLow,
                loEnd,
                hiEnd,
                Functions({Variable::h}),
                0,
                {},
                {}};
    piece.at = [T](double v) {
        const Local local = HelmholtzLocal(1.0 / v, T);
        std::array<double, kFunctions> slope{};
        for (int z = 0; z < kFunctions; ++z)
            slope[static_cast<std::size_t>(z)] =
                -local.byFirst[static_cast<std::size_t>(z)] / (v * v);
        return Along(local, slope);
    };
    piece.state = [T](double v) { return Region3State(1.0 / v, T); };
    return piece;
}

// ---- The dome -----------------------------------------------------------------------------------

// The saturated liquid and vapour at (psat, T) by plain sums, region 3's densities started from
// those found last. At the critical point the two are one state, found on the liquid's branch.
struct SaturatedLocals {
    WarmDensity liquid{DensityBranch::Liquid}, vapour{DensityBranch::Vapour};
    Local phase(bool isLiquid, double P, double T) {
        if (SaturatedInRegions1And2(P, T))
            return GibbsLocal(isLiquid ? Region::One : Region::Two, P, T);
        const bool critical = T >= kCriticalTemperature;
        const Local local = HelmholtzLocal((isLiquid || critical ? liquid : vapour).at(P, T), T);
        if (critical) vapour.last = liquid.last;
        return local;
    }
    std::pair<Local, Local> both(double P, double T) {
        const Local l = phase(true, P, T);
        return {l, T >= kCriticalTemperature ? l : phase(false, P, T)};
    }
};

CurvePoint Mixed(const CurvePoint& liquid, const CurvePoint& vapour, double x) {
    CurvePoint mixed;
    for (std::size_t z = 0; z < kFunctions; ++z) {
        mixed.value[z] = liquid.value[z] + x * (vapour.value[z] - liquid.value[z]);
        mixed.slope[z] = liquid.slope[z] + x * (vapour.slope[z] - liquid.slope[z]);
        mixed.loose[z] = (1.0 - x) * liquid.loose[z] + x * vapour.loose[z];
    }
    return mixed;
}

// The two-phase piece at one (P, T), by quality: every value is linear in x. Its ends are the
// saturated liquid and vapour, each looked at only once it is needed: a search that only looks
// at the liquid's end (of a value below the dome's) never needs the vapour.
struct DomeEnds {
    SaturatedLocals saturated;
    std::optional<Local> liquid, vapour;
};

Piece DomePiece(double P, double T) {
    auto ends = std::make_shared<DomeEnds>();
    Piece piece{Region::Four, 0.0, 1.0, End::Own, End::Own, {}, 0, {}, {}};
    piece.at = [ends, P, T](double x) {
        auto& [saturated, liquid, vapour] = *ends;
        if (x > 0.0 && x < 1.0 && !liquid && !vapour)
            std::tie(liquid, vapour) = saturated.both(P, T);
        if (x < 1.0 && !liquid) liquid = saturated.phase(true, P, T);
        if (x > 0.0 && !vapour) vapour = saturated.phase(false, P, T);
        const Local& l = liquid ? *liquid : *vapour;
        const Local& g = vapour ? *vapour : *liquid;
        CurvePoint point = Mixed(Along(l, {}), Along(g, {}), x);
        for (std::size_t z = 0; z < kFunctions; ++z) point.slope[z] = g.value[z] - l.value[z];
        point.slope[kP] = point.slope[kT] = 0.0;
        return point;
    };
    piece.state = [ends, P, T](double x) {
        const SaturatedLocals& saturated = ends->saturated;
        return Mixture(Saturated(P, T, saturated.liquid.last, saturated.vapour.last), x);
    };
    return piece;
}

// A point of the saturation line with its slopes along the line: a function of the local
// variables (a, T) changes by z_T + z_a da/dT, where P(a, T) = psat(T) gives
// da/dT = (dpsat/dT - P_T) / P_a. At the critical point P_a vanishes and the slopes are lost.
CurvePoint OnSaturationLine(const Local& local, double slopeOfPsat) {
    const double da = (slopeOfPsat - local.byT[kP]) / local.byFirst[kP];
    std::array<double, kFunctions> slope{};
    for (std::size_t z = 0; z < kFunctions; ++z) {
        slope[z] = local.byT[z] + local.byFirst[z] * da;
        if (!std::isfinite(slope[z])) slope[z] = kNaN;
    }
    return Along(local, slope);
}

constexpr int kQualitySamples = 12;

Piece QualityPiece(double x, double lo, double hi, End loEnd) {
    auto saturated = std::make_shared<SaturatedLocals>();
    // Along the line h and s of a mixture can fall, rise and fall again within some ten kelvin:
    // the slopes are looked at every 4 K.
    const int samples = std::max(kQualitySamples, static_cast<int>((hi - lo) / 4.0) + 2);
    Piece piece{Region::Four, lo, hi, loEnd, End::Own, Functions({Variable::h, Variable::s}),
                samples,      {}, {}};
    piece.at = [saturated, x](double T) {
        const double P = Satpr(T), slope = SaturationSlope(T);
        const auto [liquid, vapour] = saturated->both(P, T);
        return Mixed(OnSaturationLine(liquid, slope), OnSaturationLine(vapour, slope), x);
    };
    piece.state = [saturated, x](double T) {
        const Saturation phases =
            Saturated(Satpr(T), T, saturated->liquid.last, saturated->vapour.last);
        return Mixture(phases, x);
    };
    return piece;
}

// ---- Curves of crossings ------------------------------------------------------------------------

// The inner crossing a curve of crossings found last, carried along the outer parameter at the
// rate at which the crossing's own parameter moves with it: the next search starts where the
// crossing has moved to, to first order.
struct Follow {
    std::optional<Hint> hint;
    double outer = 0.0, rate = 0.0;
    std::optional<Hint>& at(double t) {
        if (hint) hint->t += rate * (t - outer);
        outer = t;
        return hint;
    }
};

// A point that only tells on which side of every value of z it lies.
CurvePoint Beyond(int z, double side) {
    CurvePoint point;
    point.value.fill(kNaN);
    point.slope.fill(kNaN);
    point.value[static_cast<std::size_t>(z)] = side * kInfinity;
    return point;
}

// A point of a curve of crossings: the inner curve's crossing of `held` (= held0), with the rate
// of z along the outer parameter; where there is none, the side on which the point lies. In a
// gap between two regions each side's equation is carried a little past its boundary, to where
// it would meet held0: the value lies beyond both, or below both, or in the jump between them,
// where no state has it.
CurvePoint Crossed(const Outcome& inner, int z, int held, double held0, double rate,
                   double sideBeyondEnds) {
    const std::size_t iz = static_cast<std::size_t>(z), ih = static_cast<std::size_t>(held);
    const auto carried = [&](const CurvePoint& end) {
        return end.value[iz] + end.slope[iz] * (held0 - end.value[ih]) / end.slope[ih];
    };
    switch (inner.kind) {
        case Outcome::Found: {
            CurvePoint point = inner.at.point;
            point.slope.fill(kNaN);
            point.slope[iz] = rate;
            return point;
        }
        case Outcome::Gap: {
            CurvePoint point = inner.at.point;
            point.slope.fill(kNaN);
            point.value[iz] = 0.5 * (carried(inner.at.point) + carried(inner.after.point));
            return point;
        }
        default: return Beyond(z, sideBeyondEnds);
    }
}

// The exact state of a curve of crossings, or why there is none at its parameter.
State CrossedState(const Outcome& inner, Variable held, double value) {
    if (inner.kind != Outcome::Found)
        throw NoState(Quoted(held, value) +
                      " is met only where the equations of two regions do not meet");
    return StateOf(inner.at, held, value);
}

}  // namespace

Curve Isobar(double P, double coldest) {
    const double hot = P <= kRegion5Pressure ? kHighestTemperature : kRegion2Top;
    Curve curve{{}, Functions({Variable::h, Variable::u, Variable::s}), nullptr};
    // The first piece starts at 273.15 K; below it, a piece of the same equation carried on.
    const auto first = [&](Region region, double hi, End hiEnd) {
        if (coldest < kLowestTemperature)
            curve.pieces.push_back(
                GibbsIsobar(region, P, coldest, kLowestTemperature, End::Own, End::Joined));
        // The densest state lies on a short piece of its own, looked at in a few points.
        if (region == Region::One && hi > kDensestBelow) {
            curve.pieces.push_back(
                GibbsIsobar(region, P, kLowestTemperature, kDensestBelow, End::Own, End::Joined));
            curve.pieces.push_back(GibbsIsobar(region, P, kDensestBelow, hi, End::Own, hiEnd));
            return;
        }
        curve.pieces.push_back(GibbsIsobar(region, P, kLowestTemperature, hi, End::Own, hiEnd));
    };
    const auto region5 = [&] {
        if (hot > kRegion2Top)
            curve.pieces.push_back(
                GibbsIsobar(Region::Five, P, kRegion2Top, hot, End::Other, End::Own));
    };
    const auto upToRegion5 = [&](double lo, End loEnd) {
        curve.pieces.push_back(GibbsIsobar(Region::Two, P, lo, kRegion2Top, loEnd, End::Own));
        region5();
    };
    if (P < Satpr(kLowestTemperature)) {  // vapour from 273.15 K on
        first(Region::Two, kRegion2Top, End::Own);
        region5();
        return curve;
    }
    const bool dome = P < kCriticalPressure;
    const double Ts = dome ? std::min(Sattr(P), kCriticalTemperature) : kInfinity;
    const auto domePiece = [&] { curve.pieces.push_back(DomePiece(P, Ts)); };
    if (SaturatedInRegions1And2(P, Ts)) {
        first(Region::One, Ts, End::Joined);
        domePiece();
        upToRegion5(Ts, End::Joined);
        return curve;
    }
    // Above 16.53 MPa region 3 lies between 623.15 K and the B23 line: up to the last double T
    // at which P >= b23(T), as RegionAt tells the regions apart. b32 is b23's inverse only to a
    // part in 1e10; a Newton step on b23 itself (whose slope is n2 + 2 n3 T) brings it within a
    // few doubles of that T.
    const auto& n = Tables().B23n;  // n[k] holds n_(k+1)
    double b = b32(P);
    b -= (b23(b) - P) / (n[1] + 2.0 * n[2] * b);
    while (P < b23(b)) b = std::nextafter(b, 0.0);
    while (P >= b23(std::nextafter(b, kInfinity))) b = std::nextafter(b, kInfinity);
    first(Region::One, kRegion1Top, End::Own);
    if (dome) {
        curve.pieces.push_back(
            Region3Isobar(DensityBranch::Liquid, P, kRegion1Top, Ts, End::Other, End::Joined));
        domePiece();
        curve.pieces.push_back(
            Region3Isobar(DensityBranch::Vapour, P, Ts, b, End::Joined, End::Own));
    } else {
        curve.pieces.push_back(
            Region3Isobar(DensityBranch::Liquid, P, kRegion1Top, b, End::Other, End::Own));
    }
    upToRegion5(b, End::Other);
    return curve;
}

Curve Isotherm(double T) {
    const double top = HighestPressureAt(T), low = kLowestSearchedPressure;
    Curve curve{{}, Functions({Variable::v}), nullptr};
    if (T > kB23Top) {
        curve.pieces.push_back(GibbsIsotherm(T > kRegion2Top ? Region::Five : Region::Two, T, top,
                                             low, End::Own, End::Own));
        return curve;
    }
    const auto domePiece = [&](double ps) { curve.pieces.push_back(DomePiece(ps, T)); };
    if (T <= kRegion1Top) {
        const double ps = Satpr(T);
        curve.pieces.push_back(GibbsIsotherm(Region::One, T, top, ps, End::Own, End::Joined));
        domePiece(ps);
        curve.pieces.push_back(GibbsIsotherm(Region::Two, T, ps, low, End::Joined, End::Own));
        return curve;
    }
    // Region 3 from 100 MPa down to the B23 line, where region 2 takes over.
    const double pb = b23(T);
    if (T >= kCriticalTemperature) {
        curve.pieces.push_back(Region3Isotherm(T, SolveRegion3Density(top, T).rho,
                                               SolveRegion3Density(pb, T).rho, End::Own, End::Own));
    } else {
        const double ps = Satpr(T);
        using B = DensityBranch;
        curve.pieces.push_back(Region3Isotherm(T, SolveRegion3Density(top, T, B::Liquid).rho,
                                               SolveRegion3Density(ps, T, B::Liquid).rho, End::Own,
                                               End::Joined));
        domePiece(ps);
        curve.pieces.push_back(Region3Isotherm(T, SolveRegion3Density(ps, T, B::Vapour).rho,
                                               SolveRegion3Density(pb, T, B::Vapour).rho,
                                               End::Joined, End::Own));
    }
    curve.pieces.push_back(GibbsIsotherm(Region::Two, T, pb, low, End::Other, End::Own));
    return curve;
}

Curve QualityLine(double x) {
    return {{QualityPiece(x, kLowestTemperature, kRegion1Top, End::Own),
             QualityPiece(x, kRegion1Top, kCriticalTemperature, End::Other)},
            {},
            nullptr};
}

// An isentrope that meets the cold end of the domain (at 273.15 K, where liquid water at low
// pressure contracts on heating) would leave it at one pressure and come back at another. The
// search follows it a little further, with the equations carried below 273.15 K, so that h
// rises along it throughout; a state found there is not given.
constexpr double kColdestCarried = 253.15;
// Where the search along an isentrope starts: at 1 MPa it meets liquid, wet and dry states of
// every entropy, and Newton's method goes on from there.
constexpr double kIsentropeStart = 1.0;

Curve Isentrope(double s, bool last) {
    auto twice = std::make_shared<bool>(false);
    Piece piece{Region::Four,
                std::log(kLowestSearchedPressure),
                std::log(kHighestPressure),
                End::Own,
                End::Own,
                {},
                0,
                {},
                {}};
    const auto pressure = [top = piece.hi](double t) {
        return t == top ? kHighestPressure : std::exp(t);
    };
    auto follow = std::make_shared<Follow>();
    piece.at = [s, pressure, last, twice, follow](double t) {
        const double P = pressure(t);
        const Outcome inner =
            CrossingOf(Isobar(P, kColdestCarried), Variable::s, s, last, follow->at(t));
        // A single phase's temperature moves along the isentrope by P (dT/dP)_s per unit of ln P.
        const std::optional<Local>& local = inner.at.point.local;
        follow->rate = inner.kind == Outcome::Found && local
                           ? P * local->partial(Variable::T, Variable::P, Variable::s)
                           : 0.0;
        *twice = *twice || inner.several;
        // Hotter than the isobar reaches: the pressure is too high. Colder: too low where water
        // expands on heating, too high where it contracts (liquid below about 277 K).
        const double side = inner.kind == Outcome::Above                               ? 1.0
                            : inner.at.point.slope[static_cast<std::size_t>(kV)] < 0.0 ? 1.0
                                                                                       : -1.0;
        return Crossed(inner, kH, Index(Variable::s), s, 1000.0 * P * inner.at.point.value[kV],
                       side);
    };
    piece.state = [s, pressure, last, follow](double t) {
        const State state = CrossedState(
            CrossingOf(Isobar(pressure(t), kColdestCarried), Variable::s, s, last, follow->at(t)),
            Variable::s, s);
        if (state.T < kLowestTemperature)
            throw NoState(Quoted(Variable::s, s) + " and the enthalpy sought meet below 273.15 K");
        return state;
    };
    piece.jumps = true;
    piece.start = std::log(kIsentropeStart);
    piece.logPressure = true;
    return {{piece}, {}, twice};
}

Curve Isochore(double v, bool last) {
    auto twice = std::make_shared<bool>(false);
    Piece piece{
        Region::Four, kLowestTemperature, kHighestTemperature, End::Own, End::Own, {}, 0, {}, {}};
    auto follow = std::make_shared<Follow>();
    piece.at = [v, last, twice, follow](double T) {
        const Outcome inner = CrossingOf(Isotherm(T), Variable::v, v, last, follow->at(T));
        *twice = *twice || inner.several;
        const std::optional<Local>& local = inner.at.point.local;
        // In the Gibbs regions the isotherm goes by -ln P, which moves along the isochore by
        // -(dP/dT)_v / P; region 3 goes by v itself, which stays.
        follow->rate =
            inner.kind == Outcome::Found && local && !local->byDensity
                ? -local->partial(Variable::P, Variable::T, Variable::v) / local->value[kP]
                : 0.0;
        // More volume than the isotherm reaches: the temperature is too low. Less: the pressure
        // would exceed the isotherm's, which rises with T at constant v where water expands.
        double side = -1.0;
        if (inner.kind == Outcome::Below)
            side =
                local && local->partial(Variable::P, Variable::T, Variable::v) < 0.0 ? -1.0 : 1.0;
        const double rate =
            local ? local->partial(Variable::u, Variable::T, Variable::v) : kNaN;  // cv
        return Crossed(inner, kU, kV, v, rate, side);
    };
    piece.state = [v, last, follow](double T) {
        return CrossedState(CrossingOf(Isotherm(T), Variable::v, v, last, follow->at(T)),
                            Variable::v, v);
    };
    piece.jumps = true;
    return {{piece}, {}, twice};
}

}  // namespace vapomet::detail
