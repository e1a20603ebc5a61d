// The check values the releases publish, as the program carries them, each with the
// computation that must reproduce it: the 1997 release's states of regions 1, 2, 3 and 5, its
// saturation line and boundary curves; those states and the saturated ones found again from
// every pair of values; the IAPS 1985 transport equations' check values; the 2008 viscosity and
// 2011 conductivity; the surface tension; metastable vapour. A value agrees when the computed
// one rounds to it at its printed significant digits.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <vector>

namespace vapomet {

// A state of the 1997 release's tables: (P, T), or (rho, T) in region 3, with its printed v,
// h, u, s, cp and w (no v is printed in region 3).
struct CheckState {
    int region;
    double x, T, v, h, u, s, cp, w;
};
std::span<const CheckState> CheckStates();

// A point of the saturation line as printed: the pressure at a temperature, or the temperature
// at a pressure.
struct SaturationPoint {
    bool atT;
    double given, published;
};
std::span<const SaturationPoint> SaturationPoints();

struct PublishedValue {
    std::string table;  // "IAPWS-IF97 Table 5"
    std::string what;   // "h, region 1 at 3 MPa, 300 K"
    double published;
    int digits;  // significant digits printed
    std::function<double()> compute;
};
std::vector<PublishedValue> PublishedValues();

// Whether `computed` rounds to `published` at `digits` significant digits.
bool RoundsTo(double computed, double published, int digits);

}  // namespace vapomet
