// The relations of the three regions whose fundamental equation is a dimensionless Gibbs free
// energy gamma(pi, tau) with pi = P / p* and tau = T* / T (not part of the public header).
//
// Regions 2 and 5 split gamma into an ideal-gas part ln pi + sum n0 tau^J0 and a residual part
// of power terms; region 1 has no ideal-gas part, its whole gamma being power terms. A region
// supplies its reducing constants and its derivative sums; everything else is written here
// once: which sums a property needs, and the relations that turn them into v, h, u, s, cp, cv
// and w (IAPWS-IF97 Tables 3, 12 and the region-5 table of the 1997 release).
#pragma once

#include "property/fault.h"

namespace vapomet::detail {

// A power sum of a region: one derivative at a time, each power taken by the general power
// function (the single routines), or every derivative in one pass with exact powers (the
// whole-state path) or plain ones (the steps of a search, which need no last-place agreement).
struct TermSums {
    double (*one)(const FaultScope& f, double x, int dx, double y, int dy);
    PowerSums (*all)(const FaultScope& f, double x, double y);
    PowerSums (*plain)(const FaultScope& f, double x, double y);
};

struct GibbsRegion {
    // pi = P / pStar (MPa), tau = TStar / T (K).
    struct {
        double pStar, TStar;
    } reducing;
    // The power terms run over x = xOffset + xSign pi and y = tau - yShift.
    struct {
        double xOffset, xSign, yShift;
    } bases;
    // The power terms of gamma (region 1) or of its residual part, n x^I y^J.
    const TermSums* powerSum;
    // The power sum n0 tau^J0 of the ideal-gas part, in y = tau; null without one.
    const TermSums* idealSum;
};

// The sums over a region's rows 1..terms of the coefficient tables, named by their members. The
// ranges of the exponents are taken once: they are the published ones, whatever the fills.
template <auto I, auto J, auto n, int terms>
const ExponentRanges& PowerRanges() {
    static const ExponentRanges ranges = RangesOf(Tables().*I, Tables().*J, 1, terms);
    return ranges;
}
template <auto I, auto J, auto n, int terms>
inline constexpr TermSums kPowerTerms{
    [](const FaultScope& f, double x, int dx, double y, int dy) {
        const CoefficientTables& t = Tables();
        return SumTerms(f, t.*I, t.*J, t.*n, 1, terms, x, dx, y, dy);
    },
    [](const FaultScope& f, double x, double y) {
        const CoefficientTables& t = Tables();
        return SumAllTerms(f, t.*I, t.*J, t.*n, 1, terms, x, y, PowerRanges<I, J, n, terms>());
    },
    [](const FaultScope& f, double x, double y) {
        const CoefficientTables& t = Tables();
        return SumAllTerms<false>(f, t.*I, t.*J, t.*n, 1, terms, x, y,
                                  PowerRanges<I, J, n, terms>());
    }};
template <auto J, int terms>
const std::pair<int, int>& IdealRange() {
    static const std::pair<int, int> range = ExponentRange(Tables().*J, 1, terms);
    return range;
}
template <auto J, auto n, int terms>
inline constexpr TermSums kIdealTerms{
    [](const FaultScope& f, double, int, double y, int dy) {
        const CoefficientTables& t = Tables();
        return SumTerms(f, t.*J, t.*n, 1, terms, y, dy);
    },
    [](const FaultScope& f, double, double y) {
        const CoefficientTables& t = Tables();
        return SumAllTerms(f, t.*J, t.*n, 1, terms, y, IdealRange<J, terms>());
    },
    [](const FaultScope& f, double, double y) {
        const CoefficientTables& t = Tables();
        return SumAllTerms<false>(f, t.*J, t.*n, 1, terms, y, IdealRange<J, terms>());
    }};

// Regions 1, 2 and 5, defined with their sums in region1.cpp, region2.cpp and region5.cpp.
extern const GibbsRegion kRegion1;
extern const GibbsRegion kRegion2;
extern const GibbsRegion kRegion5;
extern const GibbsRegion kMetastableVapour;  // region 2's supplementary equation

// The seven properties the relations give.
enum class GibbsProperty { v, h, s, u, cp, cv, w };

// The property of the region at (P, T): the routine opens its own fault scope, named `routine`,
// and evaluates only the sums its relation needs. Throws FloatingPointFault.
double EvaluateGibbs(const GibbsRegion& region, GibbsProperty property, const char* routine,
                     const double& P, const double& T);

// The derivatives of gamma at one state, split into the ideal-gas part (zero in region 1) and
// the power terms. Fields that a property does not need may be left zero.
struct GibbsDerivatives {
    double P, T, pi, tau;
    bool ideal;                            // the region has an ideal-gas part
    double g0, g0_p, g0_t, g0_tt;          // ideal-gas part: ln pi + sum, 1/pi, tau-derivatives
    double g, g_p, g_pp, g_t, g_tt, g_pt;  // power terms and their derivatives
};

// The relations themselves, on derivatives already summed.
double GibbsRelation(GibbsProperty property, const GibbsDerivatives& d);

// Every derivative of gamma at (P, T) in one pass over the region's terms, the powers exactly
// rounded (the whole state) or plain (the steps of a search).
GibbsDerivatives AllGibbs(const GibbsRegion& region, const FaultScope& f, const double& P,
                          const double& T, bool exact);

// Every property of the region at (P, T), from one pass over its terms.
StateProperties GibbsState(const GibbsRegion& region, const char* routine, const double& P,
                           const double& T);

}  // namespace vapomet::detail
