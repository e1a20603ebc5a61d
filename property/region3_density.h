// The region-3 density solver with its work count, for the tests and benchmarks that measure it.
// Programs use R3rho from property/property.h.
#pragma once

namespace vapomet::detail {

struct DensitySolution {
    double rho;  // kg/m3
    int steps;   // pressure evaluations of the Newton and bisection search for the root
};

// As R3rho: throws FloatingPointFault or ConvergenceFailure.
DensitySolution SolveRegion3Density(const double& P, const double& T);

}  // namespace vapomet::detail
