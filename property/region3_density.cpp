// The region-3 density of a pressure: the root of p(delta) = rho R T delta phi_delta = P along
// the isotherm T.
//
// Above the critical temperature the pressure rises with density and the root is unique. Just
// below it the isotherm loops: p rises to a maximum (the vapour spinodal), falls to a minimum
// (the liquid spinodal) and rises again, so a pressure inside the loop has a vapour-like and a
// liquid-like root. The solver finds the rising stretches, picks the one of the wanted phase,
// and runs Newton's method on it, kept inside a bracket that shrinks with every step and
// falling back to bisection where a Newton step would leave it.
#include "property/region3_density.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <optional>
#include <utility>

#include "property/region3.h"

namespace vapomet {
namespace {

using detail::FaultScope;
using detail::Isotherm;
using detail::kCriticalDensity;
using detail::kCriticalTemperature;
using detail::R;

// ---- Limits of the search, in reduced density delta = rho / 322 kg/m3 ----------------------

// rho = 0.322 kg/m3: nearly an ideal gas, far below any region-3 density, yet where the
// equation is still finite.
constexpr double kLowestDelta = 1e-3;
// rho = 837 kg/m3: denser than any state of region 3 (about 700 kg/m3 at 623.15 K, 100 MPa).
constexpr double kDenseDelta = 2.6;
// How far the dense end may be pushed out for pressures above the isotherm at kDenseDelta.
constexpr double kDensestDelta = 6.0;
constexpr double kDenseGrowth = 1.2;

// Where Newton's method starts above the critical temperature: the densities R3rho finds at the
// nodes of a grid over (T, P) that covers region 3, in kg/m3 and rounded to 0.1 kg/m3, and
// between them a bilinear interpolation. Near the critical point the density changes steeply
// and the start is poorer, but it stays inside the bracket the steps keep.
constexpr double kStartT[] = {647.096, 647.5, 648.5, 650, 652.5, 655, 660,   670,
                              680,     700,   725,   750, 790,   830, 863.15};
constexpr double kStartP[] = {16, 19, 21, 22, 22.5, 23, 24, 25, 27, 30, 35, 40, 50, 60, 80, 100};
constexpr double kStartRho[std::size(kStartT)][std::size(kStartP)] = {
    {80.5, 115.0, 159.1, 238.4, 445.7, 469.7, 496.5, 513.9, 538.0, 562.7, 591.2, 612.3, 643.6,
     667.2, 702.9, 730.2},
    {80.3, 114.4, 157.1, 219.6, 434.0, 463.2, 492.5, 510.8, 535.7, 561.0, 589.9, 611.1, 642.6,
     666.4, 702.3, 729.7},
    {79.7, 113.0, 152.9, 198.4, 371.6, 443.1, 481.5, 502.6, 529.8, 556.5, 586.5, 608.3, 640.4,
     664.5, 700.7, 728.3},
    {78.9, 111.0, 147.4, 182.1, 219.4, 383.3, 461.7, 488.9, 520.4, 549.6, 581.3, 603.9, 636.9,
     661.5, 698.3, 726.2},
    {77.6, 108.0, 140.2, 166.3, 186.3, 219.6, 407.7, 460.1, 503.0, 537.3, 572.3, 596.4, 631.1,
     656.5, 694.3, 722.7},
    {76.4, 105.4, 134.4, 155.9, 170.5, 189.9, 281.7, 416.6, 482.4, 523.9, 562.8, 588.8, 625.1,
     651.5, 690.2, 719.2},
    {74.2, 100.7, 125.4, 142.0, 152.0, 163.7, 196.1, 258.6, 424.2, 492.7, 542.4, 572.5, 612.8,
     641.1, 681.9, 712.1},
    {70.4, 93.3, 113.0, 124.9, 131.6, 138.8, 155.6, 176.7, 245.0, 398.9, 493.4, 536.1, 586.5, 619.5,
     665.0, 697.6},
    {67.1, 87.6, 104.3, 113.9, 119.1, 124.7, 136.8, 150.7, 186.6, 276.3, 428.4, 493.0, 557.7, 596.5,
     647.4, 682.7},
    {61.9, 79.0, 92.2, 99.5, 103.3, 107.2, 115.6, 124.6, 145.1, 184.2, 280.5, 383.1, 491.2, 545.8,
     610.1, 651.8},
    {56.9, 71.4, 82.2, 87.9, 90.9, 93.9, 100.2, 106.9, 121.2, 145.9, 197.9, 264.6, 394.8, 474.2,
     559.9, 611.1},
    {53.0, 65.8, 75.0, 79.9, 82.3, 84.9, 90.1, 95.5, 106.9, 125.7, 162.4, 206.7, 309.9, 399.5,
     506.7, 568.5},
    {48.1, 59.0, 66.8, 70.8, 72.8, 74.8, 79.0, 83.3, 92.2, 106.4, 132.5, 162.0, 230.2, 303.3, 422.4,
     499.1},
    {44.4, 54.1, 60.8, 64.3, 66.0, 67.8, 71.3, 75.0, 82.5, 94.2, 115.1, 137.9, 188.7, 244.4, 351.5,
     433.9},
    {41.9, 50.8, 56.9, 60.0, 61.6, 63.2, 66.5, 69.7, 76.4, 86.8, 105.0, 124.5, 167.0, 213.2, 306.6,
     386.9},
};

// The interpolated starting density at (P, T), as a reduced density.
double StartingDelta(double P, double T) {
    const auto cell = [](const auto& nodes, double x) {
        std::size_t i = 0;
        while (i + 2 < std::size(nodes) && x > nodes[i + 1]) ++i;
        const double w = (x - nodes[i]) / (nodes[i + 1] - nodes[i]);
        return std::pair{i, std::clamp(w, 0.0, 1.0)};
    };
    const auto [i, wt] = cell(kStartT, T);
    const auto [j, wp] = cell(kStartP, P);
    const double low = kStartRho[i][j] + wp * (kStartRho[i][j + 1] - kStartRho[i][j]);
    const double high = kStartRho[i + 1][j] + wp * (kStartRho[i + 1][j + 1] - kStartRho[i + 1][j]);
    return (low + wt * (high - low)) / kCriticalDensity;
}

// Where the loop of a sub-critical isotherm is looked for: a narrow window around the critical
// density first, in which the stiffness has one minimum, then a wide one for colder isotherms.
struct Window {
    double low, high;
};
constexpr Window kLoopWindows[] = {{0.6, 1.4}, {0.25, 2.3}};

// Golden-section search for the least stiffness: the window shrinks by 0.618 a step, so 100
// steps take it far below the width kMinimumWidth at which doubles stop telling points apart.
constexpr int kMinimumSteps = 100;
constexpr double kMinimumWidth = 1e-13;
// Bisection for a spinodal: 200 halvings reach the last bit of any window above.
constexpr int kSpinodalSteps = 200;
constexpr double kSpinodalWidth = 1e-15;

// Newton's method: it converges in a handful of steps; the limit only stops a bracket that
// cannot shrink further from looping.
constexpr int kStepLimit = 200;
// Newton's method along one branch, from one side of the root: a handful of steps from a
// neighbour's density, a dozen or two from the end of the stretch.
constexpr int kBranchSteps = 60;
// A step is done when the pressure is met to 1e-14 relative (a few units in the last place of
// p, which is all the sum can give) or the bracket is 2 units in the last place wide.
constexpr double kPressureTolerance = 1e-14;
constexpr double kBracketTolerance = 4e-16;
// The answer is accepted only when its pressure meets P to 1e-11 relative; anything less means
// the root was not found and is reported as such.
constexpr double kAcceptedResidual = 1e-11;

double Pressure(const Isotherm& iso, double delta) {
    return iso.at(delta).pressure;
}
double Stiffness(const Isotherm& iso, double delta) {
    return iso.at(delta).stiffness;
}

// A stretch of reduced density on which the pressure rises.
struct Rising {
    double low, high;
};

// The root of stiffness() between a where it is positive and b where it is negative, or back.
double SpinodalBetween(const Isotherm& iso, double a, double b) {
    const bool rising_at_a = Stiffness(iso, a) > 0.0;
    for (int k = 0; k < kSpinodalSteps && std::fabs(b - a) > kSpinodalWidth; ++k) {
        const double m = 0.5 * (a + b);
        if ((Stiffness(iso, m) > 0.0) == rising_at_a)
            a = m;
        else
            b = m;
    }
    return 0.5 * (a + b);
}

// Golden-section search for the least stiffness in the window: negative means a loop.
double LeastStiffness(const Isotherm& iso, const Window& w) {
    const double g = 0.5 * (std::sqrt(5.0) - 1.0);
    double a = w.low, b = w.high;
    double c = b - g * (b - a), d = a + g * (b - a);
    double sc = Stiffness(iso, c), sd = Stiffness(iso, d);
    for (int k = 0; k < kMinimumSteps && b - a > kMinimumWidth; ++k) {
        if (sc < sd) {
            b = d, d = c, sd = sc;
            c = b - g * (b - a), sc = Stiffness(iso, c);
        } else {
            a = c, c = d, sc = sd;
            d = a + g * (b - a), sd = Stiffness(iso, d);
        }
    }
    return 0.5 * (a + b);
}

// Newton's method on p(delta) = P inside [low, high], where p(low) <= P <= p(high), from
// `start` where it lies inside, else from the middle.
detail::DensitySolution Solve(const Isotherm& iso, const double& P, Rising r, double start) {
    double lo = r.low, hi = r.high;
    double x = start > lo && start < hi ? start : 0.5 * (lo + hi);
    for (int step = 1; step <= kStepLimit; ++step) {
        const Isotherm::Point point = iso.at(x);
        const double F = point.pressure - P;
        if (std::fabs(F) <= kPressureTolerance * P) return {kCriticalDensity * x, step};
        if (F < 0.0)
            lo = x;
        else
            hi = x;
        if (hi - lo <= kBracketTolerance * hi) return {kCriticalDensity * x, step};
        const double d = point.slope;
        double next = d > 0.0 ? x - F / d : lo;
        if (!(next > lo && next < hi)) next = 0.5 * (lo + hi);
        x = next;
    }
    throw ConvergenceFailure("R3rho", "no density meets the pressure within the step limit");
}

// Newton's method along one branch of a looping isotherm. On the liquid-like stretch the pressure
// rises and curves upward, on the vapour-like one it rises and curves downward; after its first
// step Newton's method then closes in on the root from one side (from above on the liquid side,
// from below on the vapour side) and never leaves the stretch, so no map of the loop is needed.
// Once a step lands beyond the root, the last two steps bracket it and the bracketed search ends
// the work within the noise of the pressure sum. Empty where a step shows otherwise (a slope
// that is not rising, a root on the wrong side of the critical density): the caller then maps
// the loop.
std::optional<detail::DensitySolution> AlongBranch(const Isotherm& iso, double P, bool liquid,
                                                   double start) {
    double x = start, previous = start, before = 0.0;
    const auto onBranch = [liquid](double delta) { return liquid ? delta >= 1.0 : delta <= 1.0; };
    for (int step = 1; step <= kBranchSteps; ++step) {
        const Isotherm::Point point = iso.at(x);
        const double F = point.pressure - P;
        if (!(point.slope > 0.0)) return std::nullopt;
        if (std::fabs(F) <= kPressureTolerance * P) {
            if (!onBranch(x)) return std::nullopt;
            return detail::DensitySolution{kCriticalDensity * x, step};
        }
        if (step > 1 && (liquid ? F < 0.0 : F > 0.0)) {
            if (!((liquid ? before > 0.0 : before < 0.0) && onBranch(x) && onBranch(previous)))
                return std::nullopt;
            detail::DensitySolution s =
                Solve(iso, P, {std::min(x, previous), std::max(x, previous)}, x);
            s.steps += step;
            return s;
        }
        previous = x;
        before = F;
        x -= F / point.slope;
        if (!(x > 0.0 && x < kDensestDelta)) return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace

detail::DensitySolution detail::SolveRegion3Density(const double& P, const double& T,
                                                    DensityBranch branch, double startRho) {
    // Below the critical temperature the saturation pressure tells which phase is wanted. It
    // is asked before this routine's own fault scope opens, which it would otherwise reset.
    bool want_liquid = branch != DensityBranch::Vapour;
    if (branch == DensityBranch::ByPressure && T <= kCriticalTemperature) {
        try {
            want_liquid = !(P < Satpr(T));
        } catch (const FloatingPointFault&) {
            want_liquid = true;
        }
    }

    const FaultScope f("R3rho");
    const double p = f.in(P);
    const Isotherm iso(f, f.in(T));
    // The answer must satisfy the equation and lie on a mechanically stable stretch.
    const auto accepted = [&](DensitySolution s) {
        const double residual = std::fabs(Pressure(iso, s.rho / kCriticalDensity) - p);
        if (!(residual <= kAcceptedResidual * p) ||
            !(Stiffness(iso, s.rho / kCriticalDensity) >= 0.0))
            throw ConvergenceFailure("R3rho", "the density found does not meet the pressure");
        s.rho = f.result(s.rho);
        return s;
    };

    // The dense end of the liquid stretch: far enough that its pressure exceeds P.
    double high = kDenseDelta;
    while (Pressure(iso, high) < p && high < kDensestDelta) high *= kDenseGrowth;

    if (branch != DensityBranch::ByPressure && T <= kCriticalTemperature) {
        // From the neighbour's density, else from the dense end or from the ideal gas, whose
        // density lies below the vapour's at the same pressure.
        const double ideal = std::max(kLowestDelta, 1000.0 * p / (R * T) / kCriticalDensity);
        const double natural = want_liquid ? high : ideal;
        // A neighbour's density that does not lead to the root (one across the critical
        // temperature, say) gives way to the end of the stretch.
        if (startRho > 0.0)
            if (const auto s = AlongBranch(iso, p, want_liquid, startRho / kCriticalDensity))
                return accepted(*s);
        if (const auto s = AlongBranch(iso, p, want_liquid, natural)) return accepted(*s);
    }

    Rising vapour{kLowestDelta, kDenseDelta};
    Rising liquid = vapour;
    bool loop = false;
    if (T <= kCriticalTemperature) {
        for (const Window& w : kLoopWindows) {
            const double least = LeastStiffness(iso, w);
            if (!(Stiffness(iso, least) < 0.0)) break;  // no loop: the isotherm only rises
            if (!(Stiffness(iso, w.low) > 0.0 && Stiffness(iso, w.high) > 0.0)) continue;
            loop = true;
            vapour.high = SpinodalBetween(iso, w.low, least);
            liquid.low = SpinodalBetween(iso, least, w.high);
            break;
        }
        if (!loop && Stiffness(iso, LeastStiffness(iso, kLoopWindows[0])) < 0.0)
            throw ConvergenceFailure("R3rho", "the isotherm loops beyond region 3");
    }

    liquid.high = high;
    if (!loop) vapour.high = high;

    const auto holds = [&](const Rising& r) {
        return Pressure(iso, r.low) <= p && p <= Pressure(iso, r.high);
    };
    const Rising* chosen = nullptr;
    if (!loop)
        chosen = holds(vapour) ? &vapour : nullptr;
    else if (want_liquid)
        chosen = holds(liquid) ? &liquid : holds(vapour) ? &vapour : nullptr;
    else
        chosen = holds(vapour) ? &vapour : holds(liquid) ? &liquid : nullptr;
    if (chosen == nullptr)
        throw ConvergenceFailure("R3rho", "the pressure lies outside the region-3 isotherm");

    const double start =
        startRho > 0.0 && !loop ? startRho / kCriticalDensity : StartingDelta(p, f.in(T));
    return accepted(Solve(iso, p, *chosen, start));
}

double R3rho(const double& P, const double& T) {
    return detail::SolveRegion3Density(P, T).rho;
}

}  // namespace vapomet
