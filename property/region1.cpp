// Region 1, compressed liquid: the Gibbs free energy gamma(pi, tau) of IAPWS-IF97 eq. 7 with
// pi = P / 16.53 MPa and tau = 1386 K / T, summed over the 34 terms of Table 2 in powers of
// 7.1 - pi and tau - 1.222. It has no ideal-gas part. The relations are in gibbs.cpp.
#include "property/gibbs.h"

// p* = 16.53 MPa, T* = 1386 K; the terms run over 7.1 - pi and tau - 1.222.
const vapomet::detail::GibbsRegion vapomet::detail::kRegion1{
    {16.53, 1386.0},
    {7.1, -1.0, 1.222},
    &kPowerTerms<&CoefficientTables::R1I, &CoefficientTables::R1J, &CoefficientTables::R1n, 34>,
    nullptr};
