// Transport properties of a state known by its temperature and density: the dynamic viscosity
// of the IAPS Formulation 1985 (reference temperature on ITS-90, no critical enhancement) and
// the thermal conductivity of the IAPS 1985 equation for industrial use. P plays no part. Both
// also fused for the whole state's path, where they agree with the single routines to 1e-13.
#include <array>
#include <cmath>
#include <stdexcept>

#include "property/fault.h"
#include "property/state.h"

namespace vapomet {

using detail::FaultScope;

double Vis(const double& /*P*/, const double& T, const double& rho) {
    const FaultScope f("Vis");
    const auto& t = Tables();
    const double Tr = f.in(T) / 647.226;
    const double Dr = f.in(rho) / 317.763;

    double S0 = 0.0;  // dilute gas
    for (int i = 0; i <= 3; ++i) S0 += t.VisH0[i] / std::pow(Tr, i);
    const double mu0 = std::sqrt(Tr) / S0;

    double S1 = 0.0;  // residual part; a power with exponent 0 is 1 also of a zero base
    const double x = 1.0 / Tr - 1.0;
    const double y = Dr - 1.0;
    for (int i = 0; i <= 5; ++i)
        for (int j = 0; j <= 6; ++j) S1 += t.VisH[i][j] * std::pow(x, i) * std::pow(y, j);
    const double mu1 = std::exp(Dr * S1);

    return f.result(mu1 * mu0 * 55.071);
}

double Cond(const double& /*P*/, const double& T, const double& rho) {
    const FaultScope f("Cond");
    const auto& t = Tables();
    const double a = t.CondA[0], b0 = t.CondB[0], b1 = t.CondB[1], b2 = t.CondB[2];
    const auto& C = t.CondC;
    const auto& d = t.CondD;
    constexpr double B1 = -0.171587, B2 = 2.39219;
    const double three_fifths = 3.0 / 5.0, nine_fifths = 9.0 / 5.0, fourteen_fifths = 14.0 / 5.0;

    const double Tr = f.in(T) / 647.26;
    const double Dr = f.in(rho) / 317.7;

    double sum = 0.0;  // ideal gas
    sum += a * std::pow(Tr, 0.0);
    for (int k = 1; k <= 3; ++k) sum += t.CondA[k] * std::pow(Tr, static_cast<double>(k));
    const double lambda0 = std::sqrt(Tr) * sum;

    const double dT = std::fabs(Tr - 1.0) + C[4];
    const double Q = C[5] / std::pow(dT, three_fifths) + 2.0;
    const double S = Tr < 1.0 ? C[6] / std::pow(dT, three_fifths) : 1.0 / dT;

    const double lambda1 = (b1 * Dr + b0) + b2 * std::exp(B1 * std::pow(Dr + B2, 2.0));

    const double t1 = (d[1] / std::pow(Tr, 10.0) + d[2]) * std::pow(Dr, nine_fifths) *
                      std::exp(C[1] * (1.0 - std::pow(Dr, fourteen_fifths)));
    const double t2 =
        std::pow(Dr, Q) * (S * d[3]) * std::exp((Q / (Q + 1.0)) * (1.0 - std::pow(Dr, Q + 1.0)));
    const double t3 = d[4] * std::exp(C[2] * std::pow(Tr, 1.5) + C[3] / std::pow(Dr, 5.0));
    const double lambda2 = (t2 + t1) + t3;

    return f.result((lambda1 + lambda0) + lambda2);
}

namespace {

Transport Transport1985(double T, double rho) {
    // Vis and Cond as they stand, each power formed once by multiplication from the few the
    // equations need, and the faults checked once.
    const FaultScope f("TransportOf");
    const auto& t = Tables();
    const double Tr = f.in(T) / 647.226, Dr = f.in(rho) / 317.763;
    const double inverseTr = 1.0 / Tr;
    double S0 = 0.0, power = 1.0;
    for (int i = 0; i <= 3; ++i, power *= inverseTr) S0 += t.VisH0[i] * power;
    const double mu0 = std::sqrt(Tr) / S0;
    const double x = inverseTr - 1.0, y = Dr - 1.0;
    std::array<double, 7> yPowers{1.0};
    for (int j = 1; j <= 6; ++j) yPowers[j] = yPowers[j - 1] * y;
    double S1 = 0.0, xPower = 1.0;
    for (int i = 0; i <= 5; ++i, xPower *= x) {
        double row = 0.0;
        for (int j = 0; j <= 6; ++j) row += t.VisH[i][j] * yPowers[j];
        S1 += xPower * row;
    }
    double viscosity = std::exp(Dr * S1) * mu0 * 55.071;

    const auto& C = t.CondC;
    const auto& d = t.CondD;
    constexpr double B1 = -0.171587, B2 = 2.39219;
    const double Tc = f.in(T) / 647.26, Dc = f.in(rho) / 317.7;
    const double lambda0 =
        std::sqrt(Tc) * (t.CondA[0] + Tc * (t.CondA[1] + Tc * (t.CondA[2] + Tc * t.CondA[3])));
    const double dT = std::fabs(Tc - 1.0) + C[4];
    const double dT35 = std::pow(dT, 3.0 / 5.0);
    const double Q = C[5] / dT35 + 2.0;
    const double S = Tc < 1.0 ? C[6] / dT35 : 1.0 / dT;
    const double shifted = Dc + B2;
    const double lambda1 =
        (t.CondB[1] * Dc + t.CondB[0]) + t.CondB[2] * std::exp(B1 * (shifted * shifted));
    const double Tc2 = Tc * Tc, Tc5 = Tc2 * Tc2 * Tc, Dc2 = Dc * Dc;
    const double Dc95 = std::pow(Dc, 9.0 / 5.0);
    const double DcQ = std::pow(Dc, Q);
    const double t1 = (d[1] / (Tc5 * Tc5) + d[2]) * Dc95 * std::exp(C[1] * (1.0 - Dc95 * Dc));
    const double t2 = DcQ * (S * d[3]) * std::exp((Q / (Q + 1.0)) * (1.0 - DcQ * Dc));
    const double t3 = d[4] * std::exp(C[2] * (Tc * std::sqrt(Tc)) + C[3] / (Dc2 * Dc2 * Dc));
    double conductivity = (lambda1 + lambda0) + ((t2 + t1) + t3);
    f.results(std::array{&viscosity, &conductivity});
    return {viscosity, conductivity};
}

}  // namespace

Transport TransportOf(const State& state, TransportRelease release) {
    if (state.x || !state.cp || !state.cv)
        throw std::invalid_argument("transport is defined for a single phase only");
    if (release == TransportRelease::Iaps1985) return Transport1985(state.T, state.rho);
    return {Viscosity2008(state.T, state.rho), Conductivity2011(state)};
}

}  // namespace vapomet
