// Transport properties of a state known by its temperature and density: the dynamic viscosity
// of the IAPS Formulation 1985 (reference temperature on ITS-90, no critical enhancement) and
// the thermal conductivity of the IAPS 1985 equation for industrial use. P plays no part.
#include <cmath>

#include "property/fault.h"

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

}  // namespace vapomet
