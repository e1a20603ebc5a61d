// The saturation line (region 4, IAPWS-IF97 eqs. 29 to 31) and the boundary between regions 2
// and 3 (eqs. 5 and 6). Both curves are reduced with 1 MPa and 1 K, so P and T enter as they are.
#include <cmath>

#include "property/fault.h"
#include "property/local.h"

namespace vapomet {

using detail::FaultScope;
using detail::Pow;

namespace {

// Eq. 29 at T: beta = psat^(1/4) solves A beta^2 + B beta + C = 0, whose coefficients are
// quadratic in theta = T + n9 / (T - n10).
struct SaturationQuadratic {
    double theta, A, B, C, beta;
};

SaturationQuadratic QuadraticAt(double T) {
    const auto& n = Tables().R4n;
    SaturationQuadratic q;
    q.theta = T + n[9] / (T - n[10]);
    q.A = q.theta * q.theta + n[1] * q.theta + n[2];
    q.B = n[3] * q.theta * q.theta + n[4] * q.theta + n[5];
    q.C = n[6] * q.theta * q.theta + n[7] * q.theta + n[8];
    q.beta = 2.0 * q.C / (-q.B + std::sqrt(q.B * q.B - 4.0 * q.A * q.C));
    return q;
}

}  // namespace

double Satpr(const double& T) {
    const FaultScope f("Satpr");
    return f.result(Pow(QuadraticAt(f.in(T)).beta, 4));
}

double Sattr(const double& P) {
    const FaultScope f("Sattr");
    const auto& n = Tables().R4n;
    const double beta = std::pow(f.in(P), 0.25);
    const double E = beta * beta + n[3] * beta + n[6];
    const double F = n[1] * beta * beta + n[4] * beta + n[7];
    const double G = n[2] * beta * beta + n[5] * beta + n[8];
    const double D = 2.0 * G / (-F - std::sqrt(F * F - 4.0 * E * G));
    return f.result((n[10] + D - std::sqrt(Pow(n[10] + D, 2) - 4.0 * (n[9] + n[10] * D))) * 0.5);
}

double b23(const double& T) {
    const FaultScope f("b23");
    const auto& n = Tables().B23n;  // n[k] holds n_(k+1)
    const double t = f.in(T);
    return f.result(n[0] + n[1] * t + n[2] * t * t);
}

double b32(const double& P) {
    const FaultScope f("b32");
    const auto& n = Tables().B23n;
    return f.result(n[3] + std::sqrt((f.in(P)-n[4]) / n[2]));
}

}  // namespace vapomet

namespace vapomet::detail {

// dpsat/dT = 4 beta^3 (dbeta/dtheta) (dtheta/dT), dbeta/dtheta from the derivatives of eq. 29's
// quadratic in beta and in theta.
double SaturationSlope(double T) {
    const FaultScope f("SaturationSlope");
    const auto& n = Tables().R4n;
    const double t = f.in(T);
    const SaturationQuadratic q = QuadraticAt(t);
    const double dtheta = 1.0 - n[9] / ((t - n[10]) * (t - n[10]));
    const double dA = 2.0 * q.theta + n[1], dB = 2.0 * n[3] * q.theta + n[4],
                 dC = 2.0 * n[6] * q.theta + n[7];
    const double beta = q.beta;
    const double dbeta = -(dA * beta * beta + dB * beta + dC) / (2.0 * q.A * beta + q.B);
    return f.result(4.0 * beta * beta * beta * dbeta * dtheta);
}

}  // namespace vapomet::detail
