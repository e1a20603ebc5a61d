// The dynamic viscosity of the IAPWS Formulation 2008 (R12-08) for industrial use: the dilute-gas
// and finite-density terms, without the critical enhancement (mu_2 = 1).
#include <cmath>

#include "property/fault.h"
#include "property/state.h"

namespace vapomet {

namespace {

using detail::FaultScope;

// Reducing constants: T* = 647.096 K, rho* = 322 kg/m3, mu* = 1 µPa s.
constexpr double kTStar = 647.096, kRhoStar = 322.0, kMuStar = 1.0;

// Table 1: H_i of the dilute-gas term.
constexpr double kTable1[] = {1.67752, 2.20462, 0.6366564, -0.241605};

// Table 2: the non-zero H_ij of the finite-density term.
struct Table2Row {
    int i, j;
    double H;
};
constexpr Table2Row kTable2[] = {
    {0, 0, 5.20094e-1},  {1, 0, 8.50895e-2},  {2, 0, -1.08374},    {3, 0, -2.89555e-1},
    {0, 1, 2.22531e-1},  {1, 1, 9.99115e-1},  {2, 1, 1.88797},     {3, 1, 1.26613},
    {5, 1, 1.20573e-1},  {0, 2, -2.81378e-1}, {1, 2, -9.06851e-1}, {2, 2, -7.72479e-1},
    {3, 2, -4.89837e-1}, {4, 2, -2.57040e-1}, {0, 3, 1.61913e-1},  {1, 3, 2.57399e-1},
    {0, 4, -3.25372e-2}, {3, 4, 6.98452e-2},  {4, 5, 8.72102e-3},  {3, 6, -4.35673e-3},
    {5, 6, -5.93264e-4},
};

}  // namespace

double Viscosity2008(const double& T, const double& rho) {
    const FaultScope f("Viscosity2008");
    const double Tbar = f.in(T) / kTStar, rhobar = f.in(rho) / kRhoStar;
    double dilute = 0.0;  // sum of H_i / Tbar^i
    for (int i = 0; i < 4; ++i) dilute += kTable1[i] / std::pow(Tbar, i);
    const double mu0 = 100.0 * std::sqrt(Tbar) / dilute;
    double sum = 0.0;
    for (const Table2Row& row : kTable2)
        sum += row.H * std::pow(1.0 / Tbar - 1.0, row.i) * std::pow(rhobar - 1.0, row.j);
    const double mu1 = std::exp(rhobar * sum);
    return f.result(kMuStar * mu0 * mu1);
}

}  // namespace vapomet
