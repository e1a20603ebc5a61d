// Region 5, high-temperature steam, in the first (1997) release of IAPWS-IF97: the Gibbs free
// energy gamma = gamma0 + gammar with pi = P / 1 MPa and tau = 1000 K / T, an ideal-gas part of
// six terms in powers of tau and a residual part of five terms in powers of pi and tau. The
// relations are in gibbs.cpp.
#include "property/gibbs.h"

// p* = 1 MPa, T* = 1000 K; the residual terms run over pi and tau.
const vapomet::detail::GibbsRegion vapomet::detail::kRegion5{
    {1.0, 1000.0},
    {0.0, 1.0, 0.0},
    &kPowerTerms<&CoefficientTables::R5I, &CoefficientTables::R5J, &CoefficientTables::R5n, 5>,
    &kIdealTerms<&CoefficientTables::R5J0, &CoefficientTables::R5n0, 6>};
