// The region-3 density solver with its work count, for the tests and benchmarks that measure it.
// Programs use R3rho from property/property.h.
#pragma once

namespace vapomet::detail {

struct DensitySolution {
    double rho;  // kg/m3
    int steps;   // pressure evaluations of the Newton and bisection search for the root
};

// Which root of a looping isotherm (below 647.096 K) is wanted: the one R3rho takes, the
// liquid-like or the vapour-like one. Where the wanted stretch holds no root, the other is
// taken; where the isotherm does not loop, its one root serves both.
enum class DensityBranch { ByPressure, Liquid, Vapour };

// As R3rho: throws FloatingPointFault or ConvergenceFailure. `startRho`, where given, is a
// density near the root on the wanted branch (of a neighbouring state) to start from.
DensitySolution SolveRegion3Density(const double& P, const double& T,
                                    DensityBranch branch = DensityBranch::ByPressure,
                                    double startRho = 0.0);

}  // namespace vapomet::detail
