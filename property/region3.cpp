// Region 3, the dense fluid around the critical point: the Helmholtz free energy phi(delta, tau)
// of IAPWS-IF97 eq. 28 with delta = rho / 322 kg/m3 and tau = 647.096 K / T: n_1 ln delta plus
// the 39 power terms 2..40 of Table 30. The properties take (rho, T); R3rho finds the density.
#include "property/region3.h"

#include <cmath>

#include "property/fault.h"

namespace vapomet {
namespace {

using detail::FaultScope;
using detail::R;
using detail::SumTerms;

constexpr double kCriticalDensity = 322.0;        // kg/m3
constexpr double kCriticalTemperature = 647.096;  // K
constexpr int kFirst = 2, kLast = 40;

struct Reduced {
    double delta, tau;
};

Reduced Reduce(const FaultScope& f, const double& rho, const double& T) {
    return {f.in(rho) / kCriticalDensity, kCriticalTemperature / f.in(T)};
}

// The power sum of terms 2..40 differentiated `dd` times in delta and `dt` times in tau; the
// n_1 ln(delta) term is added by each quantity after the pass.
double Sum(const FaultScope& f, const Reduced& x, int dd, int dt) {
    const auto& t = Tables();
    return SumTerms(f, t.R3I, t.R3J, t.R3n, kFirst, kLast, x.delta, dd, x.tau, dt);
}
double Phi(const FaultScope& f, const Reduced& x) {
    return Sum(f, x, 0, 0) + Tables().R3n[1] * std::log(x.delta);
}
double PhiDelta(const FaultScope& f, const Reduced& x) {
    return Sum(f, x, 1, 0) + Tables().R3n[1] / x.delta;
}
double PhiDeltaDelta(const FaultScope& f, const Reduced& x) {
    return Sum(f, x, 2, 0) - Tables().R3n[1] / x.delta / x.delta;
}
double PhiTau(const FaultScope& f, const Reduced& x) {
    return Sum(f, x, 0, 1);
}
double PhiTauTau(const FaultScope& f, const Reduced& x) {
    return Sum(f, x, 0, 2);
}
double PhiDeltaTau(const FaultScope& f, const Reduced& x) {
    return Sum(f, x, 1, 1);
}

// ---- The density solver ----------------------------------------------------------------------
//
// Along an isotherm the region-3 pressure is p(delta) = rho R T delta phi_delta. Above the
// critical temperature it rises with density and the root is unique. Just below it the isotherm
// loops: p rises to a maximum (the vapour spinodal), falls to a minimum (the liquid spinodal) and
// rises again, so a pressure inside the loop has a vapour-like and a liquid-like root. The solver
// finds the rising stretches, picks the one of the wanted phase, and runs Newton's method on it,
// kept inside a bracket that shrinks with every step and falling back to bisection.

class Isotherm {
  public:
    Isotherm(const FaultScope& f, double T) : f_(f), T_(T), tau_(kCriticalTemperature / T) {}

    // Pressure in MPa at reduced density delta.
    double pressure(double delta) const {
        const Reduced x{delta, tau_};
        return kCriticalDensity * delta * R * T_ * delta * PhiDelta(f_, x) / 1000.0;
    }
    // 2 delta phi_delta + delta^2 phi_deltadelta: dp/drho in units of R T, negative in the loop.
    double stiffness(double delta) const {
        const Reduced x{delta, tau_};
        return 2.0 * delta * PhiDelta(f_, x) + delta * delta * PhiDeltaDelta(f_, x);
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

constexpr double kLowestDelta = 1e-3;    // rho = 0.322 kg/m3: nearly an ideal gas
constexpr double kHighStartDelta = 2.6;  // rho = 837 kg/m3: denser than any region-3 state
constexpr double kHighestDelta = 6.0;
struct Window {
    double low, high;  // reduced densities
};
constexpr Window kLoopWindows[] = {{0.6, 1.4}, {0.25, 2.3}};
constexpr int kStepLimit = 200;

// The root of stiffness() between a where it is positive and b where it is negative, or back.
double SpinodalBetween(const Isotherm& iso, double a, double b) {
    const bool rising_at_a = iso.stiffness(a) > 0.0;
    for (int k = 0; k < 200 && std::fabs(b - a) > 1e-15; ++k) {
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
    for (int k = 0; k < 100 && b - a > 1e-13; ++k) {
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
        if (std::fabs(F) <= 1e-14 * P) return {kCriticalDensity * x, step};
        if (F < 0.0)
            lo = x;
        else
            hi = x;
        if (hi - lo <= 4e-16 * hi) return {kCriticalDensity * x, step};
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

    Rising vapour{kLowestDelta, kHighStartDelta};
    Rising liquid = vapour;
    bool loop = false;
    if (T <= kCriticalTemperature) {
        // The loop is narrow just below the critical temperature and widens as T falls; look
        // for it in a narrow window first, which keeps the search unimodal, then a wide one.
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
    double high = kHighStartDelta;
    while (iso.pressure(high) < p && high < kHighestDelta) high *= 1.2;
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
    if (!(residual <= 1e-11 * p) || !(iso.stiffness(s.rho / kCriticalDensity) >= 0.0))
        throw ConvergenceFailure("R3rho", "the density found does not meet the pressure");
    s.rho = f.result(s.rho);
    return s;
}

double R3rho(const double& P, const double& T) {
    return detail::SolveRegion3Density(P, T).rho;
}

double R3h(const double& rho, const double& T) {
    const FaultScope f("R3h");
    const Reduced x = Reduce(f, rho, T);
    return f.result((x.delta * PhiDelta(f, x) + x.tau * PhiTau(f, x)) * R * f.in(T));
}

double R3s(const double& rho, const double& T) {
    const FaultScope f("R3s");
    const Reduced x = Reduce(f, rho, T);
    const double p = Phi(f, x);
    return f.result((x.tau * PhiTau(f, x) - p) * R);
}

double R3u(const double& rho, const double& T) {
    const FaultScope f("R3u");
    const Reduced x = Reduce(f, rho, T);
    return f.result(f.in(T)*R * x.tau * PhiTau(f, x));
}

double R3cp(const double& rho, const double& T) {
    const FaultScope f("R3cp");
    const Reduced x = Reduce(f, rho, T);
    const double p_d = PhiDelta(f, x);
    const double p_dd = PhiDeltaDelta(f, x);
    const double p_tt = PhiTauTau(f, x);
    const double p_dt = PhiDeltaTau(f, x);
    const double X = x.delta * p_d - x.delta * x.tau * p_dt;
    return f.result(
        (X * X / (x.delta * x.delta * p_dd + 2.0 * x.delta * p_d) - x.tau * x.tau * p_tt) * R);
}

double R3cv(const double& rho, const double& T) {
    const FaultScope f("R3cv");
    const Reduced x = Reduce(f, rho, T);
    return f.result(-x.tau * x.tau * PhiTauTau(f, x) * R);
}

double R3w(const double& rho, const double& T) {
    const FaultScope f("R3w");
    const Reduced x = Reduce(f, rho, T);
    const double p_d = PhiDelta(f, x);
    const double p_dd = PhiDeltaDelta(f, x);
    const double p_tt = PhiTauTau(f, x);
    const double p_dt = PhiDeltaTau(f, x);
    const double X = x.delta * p_d - x.delta * x.tau * p_dt;
    return f.result(std::sqrt(
        f.in(T)*R *
        (2.0 * x.delta * p_d + x.delta * x.delta * p_dd - X * X / x.tau / x.tau / p_tt) * 1000.0));
}

}  // namespace vapomet
