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

#include <cmath>

#include "property/region3.h"

namespace vapomet {
namespace {

using detail::FaultScope;
using detail::kCriticalDensity;
using detail::kCriticalTemperature;
using detail::Phi;
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
// A step is done when the pressure is met to 1e-14 relative (a few units in the last place of
// p, which is all the sum can give) or the bracket is 2 units in the last place wide.
constexpr double kPressureTolerance = 1e-14;
constexpr double kBracketTolerance = 4e-16;
// The answer is accepted only when its pressure meets P to 1e-11 relative; anything less means
// the root was not found and is reported as such.
constexpr double kAcceptedResidual = 1e-11;

class Isotherm {
  public:
    Isotherm(const FaultScope& f, double T) : f_(f), T_(T), tau_(kCriticalTemperature / T) {}

    // Pressure in MPa at reduced density delta.
    double pressure(double delta) const {
        return kCriticalDensity * delta * R * T_ * delta * Phi(f_, delta, tau_, 1, 0) / 1000.0;
    }
    // 2 delta phi_delta + delta^2 phi_deltadelta: dp/drho in units of R T, negative in the loop.
    double stiffness(double delta) const {
        return 2.0 * delta * Phi(f_, delta, tau_, 1, 0) +
               delta * delta * Phi(f_, delta, tau_, 2, 0);
    }
    // dp/ddelta in MPa.
    double slope(double delta) const {
        return kCriticalDensity * R * T_ * stiffness(delta) / 1000.0;
    }

  private:
    const FaultScope& f_;
    double T_, tau_;
};

// A stretch of reduced density on which the pressure rises.
struct Rising {
    double low, high;
};

// The root of stiffness() between a where it is positive and b where it is negative, or back.
double SpinodalBetween(const Isotherm& iso, double a, double b) {
    const bool rising_at_a = iso.stiffness(a) > 0.0;
    for (int k = 0; k < kSpinodalSteps && std::fabs(b - a) > kSpinodalWidth; ++k) {
        const double m = 0.5 * (a + b);
        if ((iso.stiffness(m) > 0.0) == rising_at_a)
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
    double sc = iso.stiffness(c), sd = iso.stiffness(d);
    for (int k = 0; k < kMinimumSteps && b - a > kMinimumWidth; ++k) {
        if (sc < sd) {
            b = d, d = c, sd = sc;
            c = b - g * (b - a), sc = iso.stiffness(c);
        } else {
            a = c, c = d, sc = sd;
            d = a + g * (b - a), sd = iso.stiffness(d);
        }
    }
    return 0.5 * (a + b);
}

// Newton's method on p(delta) = P inside [low, high], where p(low) <= P <= p(high).
detail::DensitySolution Solve(const Isotherm& iso, const double& P, Rising r) {
    double lo = r.low, hi = r.high;
    double x = 0.5 * (lo + hi);
    for (int step = 1; step <= kStepLimit; ++step) {
        const double F = iso.pressure(x) - P;
        if (std::fabs(F) <= kPressureTolerance * P) return {kCriticalDensity * x, step};
        if (F < 0.0)
            lo = x;
        else
            hi = x;
        if (hi - lo <= kBracketTolerance * hi) return {kCriticalDensity * x, step};
        const double d = iso.slope(x);
        double next = d > 0.0 ? x - F / d : lo;
        if (!(next > lo && next < hi)) next = 0.5 * (lo + hi);
        x = next;
    }
    throw ConvergenceFailure("R3rho", "no density meets the pressure within the step limit");
}

}  // namespace

detail::DensitySolution detail::SolveRegion3Density(const double& P, const double& T) {
    // Below the critical temperature the saturation pressure tells which phase is wanted. It
    // is asked before this routine's own fault scope opens, which it would otherwise reset.
    bool want_liquid = true;
    if (T <= kCriticalTemperature) {
        try {
            want_liquid = !(P < Satpr(T));
        } catch (const FloatingPointFault&) {
            want_liquid = true;
        }
    }

    const FaultScope f("R3rho");
    const double p = f.in(P);
    const Isotherm iso(f, f.in(T));

    Rising vapour{kLowestDelta, kDenseDelta};
    Rising liquid = vapour;
    bool loop = false;
    if (T <= kCriticalTemperature) {
        for (const Window& w : kLoopWindows) {
            const double least = LeastStiffness(iso, w);
            if (!(iso.stiffness(least) < 0.0)) break;  // no loop: the isotherm only rises
            if (!(iso.stiffness(w.low) > 0.0 && iso.stiffness(w.high) > 0.0)) continue;
            loop = true;
            vapour.high = SpinodalBetween(iso, w.low, least);
            liquid.low = SpinodalBetween(iso, least, w.high);
            break;
        }
        if (!loop && iso.stiffness(LeastStiffness(iso, kLoopWindows[0])) < 0.0)
            throw ConvergenceFailure("R3rho", "the isotherm loops beyond region 3");
    }

    // The dense end of the liquid stretch: far enough that its pressure exceeds P.
    double high = kDenseDelta;
    while (iso.pressure(high) < p && high < kDensestDelta) high *= kDenseGrowth;
    liquid.high = high;
    if (!loop) vapour.high = high;

    const auto holds = [&](const Rising& r) {
        return iso.pressure(r.low) <= p && p <= iso.pressure(r.high);
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

    detail::DensitySolution s = Solve(iso, p, *chosen);
    // The answer must satisfy the equation and lie on a mechanically stable stretch.
    const double residual = std::fabs(iso.pressure(s.rho / kCriticalDensity) - p);
    if (!(residual <= kAcceptedResidual * p) || !(iso.stiffness(s.rho / kCriticalDensity) >= 0.0))
        throw ConvergenceFailure("R3rho", "the density found does not meet the pressure");
    s.rho = f.result(s.rho);
    return s;
}

double R3rho(const double& P, const double& T) {
    return detail::SolveRegion3Density(P, T).rho;
}

}  // namespace vapomet
