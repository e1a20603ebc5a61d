// The curves along which a state is sought from two of its values (not part of the public
// header). Each is a row of pieces in the order in which they follow each other, so that the
// end of one piece and the start of the next are the same point or the two sides of a boundary.
#pragma once

#include "property/domain.h"
#include "property/search.h"

namespace vapomet::detail {

// At P, by temperature from 273.15 K (or from `coldest`, the equations carried below the
// domain); across the dome by quality.
Curve Isobar(double P, double coldest = kLowestTemperature);
// At T, in order of rising specific volume: by pressure (falling) in the Gibbs regions, by
// specific volume in region 3, by quality across the dome.
Curve Isotherm(double T);
// Mixtures of quality x, by temperature from 273.15 K to the critical point.
Curve QualityLine(double x);
// At s, by the logarithm of pressure: each point is the isobar's crossing of s, and h rises
// along it (dh = v dP at constant s). Points where s is beyond the isobar's states only tell on
// which side of every h they lie. Where two regions overlap at a boundary an isobar crosses s
// twice: the curve follows the first crossing, or the last.
Curve Isentrope(double s, bool last = false);
// At v, by temperature: each point is the isotherm's crossing of v, and u rises along it
// (du = cv dT at constant v).
Curve Isochore(double v, bool last = false);

}  // namespace vapomet::detail
