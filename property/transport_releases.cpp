// Transport after today's releases for industrial use: the dynamic viscosity of the IAPWS
// Formulation 2008 (R12-08) without its critical enhancement (mu_2 = 1), and the thermal
// conductivity of the IAPWS Formulation 2011 (R15-11) with its simplified critical enhancement,
// whose compressibility, heat capacities and viscosity are those of IAPWS-IF97 and R12-08.
#include <array>
#include <cmath>
#include <numbers>
#include <stdexcept>

#include "property/fault.h"
#include "property/state.h"

namespace vapomet {

namespace {

using detail::FaultScope;

// Both releases reduce by the critical point of IAPWS-95: T* = 647.096 K, rho* = 322 kg/m3,
// p* = 22.064 MPa; mu* = 1 µPa s, lambda* = 1 mW/(m K).
constexpr double kTStar = 647.096, kRhoStar = 322.0, kPStar = 22.064;

// R12-08 Table 1: H_i of the dilute-gas term.
constexpr double kViscosityH[] = {1.67752, 2.20462, 0.6366564, -0.241605};

// R12-08 Table 2: the non-zero H_ij of the finite-density term.
struct IJH {
    int i, j;
    double H;
};
constexpr IJH kViscosityHij[] = {
    {0, 0, 5.20094e-1},  {1, 0, 8.50895e-2},  {2, 0, -1.08374},    {3, 0, -2.89555e-1},
    {0, 1, 2.22531e-1},  {1, 1, 9.99115e-1},  {2, 1, 1.88797},     {3, 1, 1.26613},
    {5, 1, 1.20573e-1},  {0, 2, -2.81378e-1}, {1, 2, -9.06851e-1}, {2, 2, -7.72479e-1},
    {3, 2, -4.89837e-1}, {4, 2, -2.57040e-1}, {0, 3, 1.61913e-1},  {1, 3, 2.57399e-1},
    {0, 4, -3.25372e-2}, {3, 4, 6.98452e-2},  {4, 5, 8.72102e-3},  {3, 6, -4.35673e-3},
    {5, 6, -5.93264e-4},
};

// R15-11 Table 1: L_k of the dilute-gas term.
constexpr double kConductivityL[] = {2.443221e-3, 1.323095e-2, 6.770357e-3, -3.454586e-3,
                                     4.096266e-4};

// R15-11 Table 2: L_ij of the finite-density term, i for (1/Tbar - 1)^i, j for (rhobar - 1)^j.
constexpr double kConductivityLij[5][6] = {
    {1.60397357, -0.646013523, 0.111443906, 0.102997357, -0.0504123634, 0.00609859258},
    {2.33771842, -2.78843778, 1.53616167, -0.463045512, 0.0832827019, -0.00719201245},
    {2.19650529, -4.54580785, 3.55777244, -1.40944978, 0.275418278, -0.0205938816},
    {-1.21051378, 1.60812989, -0.621178141, 0.0716373224, 0.0, 0.0},
    {-2.7203370, 4.57586331, -3.18369245, 1.1168348, -0.19268305, 0.012913842},
};

// R15-11 Table 3 and eq. (18) to (23): the critical enhancement. Lengths in nm.
constexpr double kLambda = 177.8514, kInverseQD = 0.40, kXi0 = 0.13, kGamma0 = 0.06;
constexpr double kNu = 0.630, kGamma = 1.239, kReferenceTbar = 1.5;
constexpr double kConductivityR = 0.46151805;  // kJ/(kg K), the release's own gas constant
constexpr double kSmallestY = 1.2e-7;          // below it Z(y) is taken as 0

// R15-11 Table 6: the reduced compressibility zeta = (drhobar/dpbar) at the reference
// temperature 1.5 T*, as 1 / sum A_i rhobar^i over five ranges of rhobar.
constexpr double kRangeTop[] = {0.310559006, 0.776397516, 1.242236025, 1.863354037};
constexpr double kReferenceA[5][6] = {
    {6.53786807199516, -5.61149954923348, 3.39624167361325, -2.27492629730878, 10.2631854662709,
     1.97815050331519},
    {6.52717759281799, -6.30816983387575, 8.08379285492595, -9.82240510197603, 12.1358413791395,
     -5.54349664571295},
    {5.35500529896124, -3.96415689925446, 8.91990208918795, -12.0338729505790, 9.19494865194302,
     -2.16866274479712},
    {1.55225959906681, 0.464621290821181, 8.93237374861479, -11.0321960061126, 6.16780999933360,
     -0.965458722086812},
    {1.11999926419994, 0.595748562571649, 9.88952565078920, -10.3255051147040, 4.66861294457414,
     -0.503243546373828},
};

double ReferenceCompressibility(double rhobar) {
    int range = 0;
    while (range < 4 && rhobar > kRangeTop[range]) ++range;
    double sum = 0.0;
    for (int i = 5; i >= 0; --i) sum = sum * rhobar + kReferenceA[range][i];
    return 1.0 / sum;
}

// The critical enhancement lambda_2 / lambda* of a single phase, eq. (18) to (22).
double CriticalEnhancement(const State& state, double viscosity, double Tbar, double rhobar) {
    // (drho/dP)_T = rho kappa_T, reduced by rho*/p*.
    const double zeta = kPStar / kRhoStar * state.rho * DerivedOf(state).compressibility;
    const double chi = rhobar * (zeta - ReferenceCompressibility(rhobar) * kReferenceTbar / Tbar);
    if (chi <= 0.0) return 0.0;
    const double xi = kXi0 * std::pow(chi / kGamma0, kNu / kGamma);
    const double y = xi / kInverseQD;
    if (y < kSmallestY) return 0.0;
    const double inverseRatio = *state.cv / *state.cp;
    const double Z = 2.0 / (std::numbers::pi * y) *
                     ((1.0 - inverseRatio) * std::atan(y) + inverseRatio * y -
                      (1.0 - std::exp(-1.0 / (1.0 / y + y * y / (3.0 * rhobar * rhobar)))));
    return kLambda * rhobar * (*state.cp / kConductivityR) * Tbar / viscosity * Z;
}

const State& SinglePhase(const State& state, const char* what) {
    if (state.x || !state.cp || !state.cv)
        throw std::invalid_argument(std::string(what) + " is defined for a single phase only");
    return state;
}

// The conductivity of a single phase whose 2008 viscosity is known.
double Conductivity(const State& state, double viscosity) {
    const FaultScope f("Conductivity2011");
    const double Tbar = f.in(state.T) / kTStar, rhobar = f.in(state.rho) / kRhoStar;
    double dilute = 0.0;  // sum of L_k / Tbar^k
    for (int k = 4; k >= 0; --k) dilute = dilute / Tbar + kConductivityL[k];
    const double lambda0 = std::sqrt(Tbar) / dilute;
    double sum = 0.0;
    for (int i = 4; i >= 0; --i) {
        double row = 0.0;
        for (int j = 5; j >= 0; --j) row = row * (rhobar - 1.0) + kConductivityLij[i][j];
        sum = sum * (1.0 / Tbar - 1.0) + row;
    }
    const double lambda1 = std::exp(rhobar * sum);
    const double lambda2 = CriticalEnhancement(state, viscosity, Tbar, rhobar);
    return f.result(1e-3 * (lambda0 * lambda1 + lambda2));  // mW/(m K) to W/(m K)
}

}  // namespace

// The powers of 1/Tbar - 1 and rhobar - 1 are each formed once, by multiplication.
double Viscosity2008(const double& T, const double& rho) {
    const FaultScope f("Viscosity2008");
    const double Tbar = f.in(T) / kTStar, rhobar = f.in(rho) / kRhoStar;
    const double inverseTbar = 1.0 / Tbar;
    double dilute = 0.0;  // sum of H_i / Tbar^i
    for (int i = 3; i >= 0; --i) dilute = dilute * inverseTbar + kViscosityH[i];
    const double mu0 = 100.0 * std::sqrt(Tbar) / dilute;
    std::array<double, 6> xPowers{1.0};
    std::array<double, 7> yPowers{1.0};
    for (std::size_t i = 1; i < xPowers.size(); ++i)
        xPowers[i] = xPowers[i - 1] * (inverseTbar - 1.0);
    for (std::size_t j = 1; j < yPowers.size(); ++j) yPowers[j] = yPowers[j - 1] * (rhobar - 1.0);
    double sum = 0.0;
    for (const IJH& row : kViscosityHij) sum += row.H * xPowers[row.i] * yPowers[row.j];
    return f.result(mu0 * std::exp(rhobar * sum));
}

double Conductivity2011(const State& state) {
    SinglePhase(state, "the 2011 thermal conductivity");
    return Conductivity(state, Viscosity2008(state.T, state.rho));
}

}  // namespace vapomet
