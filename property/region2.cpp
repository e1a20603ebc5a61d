// Region 2, steam: the Gibbs free energy gamma = gamma0 + gammar of IAPWS-IF97 eqs. 15 to 17,
// with pi = P / 1 MPa and tau = 540 K / T. The ideal-gas part sums the 9 terms of Table 10 in
// powers of tau; the residual part the 43 terms of Table 11 in powers of pi and tau - 0.5.
// Beside it, the supplementary equation of the same form for metastable vapour. The relations
// are in gibbs.cpp.
#include "property/gibbs.h"

// p* = 1 MPa, T* = 540 K; the residual terms run over pi and tau - 0.5.
const vapomet::detail::GibbsRegion vapomet::detail::kRegion2{
    {1.0, 540.0},
    {0.0, 1.0, 0.5},
    &kPowerTerms<&CoefficientTables::R2I, &CoefficientTables::R2J, &CoefficientTables::R2n, 43>,
    &kIdealTerms<&CoefficientTables::R2J0, &CoefficientTables::R2n0, 9>};

// Metastable vapour, IAPWS-IF97 eqs. 18 and 19: the same reducing and bases, Table 10's
// exponents with the two adjusted ideal-gas coefficients, and the 13 residual terms of Table 16.
const vapomet::detail::GibbsRegion vapomet::detail::kMetastableVapour{
    {1.0, 540.0},
    {0.0, 1.0, 0.5},
    &kPowerTerms<&CoefficientTables::R2mI, &CoefficientTables::R2mJ, &CoefficientTables::R2mn, 13>,
    &kIdealTerms<&CoefficientTables::R2J0, &CoefficientTables::R2mn0, 9>};
