// The states that have two given values: each pair is answered along the curve on which its
// first value is held.
#include <algorithm>
#include <cmath>
#include <optional>
#include <stdexcept>

#include "property/curves.h"
#include "property/domain.h"

namespace vapomet {

namespace {

using V = Variable;

// The pairs offered, each as (held, sought): the value held names the curve, the other is
// sought along it.
struct Pair {
    Variable held, sought;
};
constexpr Pair kPairs[] = {{V::P, V::T}, {V::P, V::h}, {V::P, V::s}, {V::s, V::h}, {V::P, V::u},
                           {V::P, V::v}, {V::T, V::v}, {V::T, V::s}, {V::T, V::h}, {V::v, V::u},
                           {V::P, V::x}, {V::T, V::x}, {V::x, V::h}, {V::x, V::s}};

const Pair* Offered(Variable a, Variable b) {
    for (const Pair& pair : kPairs)
        if ((pair.held == a && pair.sought == b) || (pair.held == b && pair.sought == a))
            return &pair;
    return nullptr;
}

detail::Curve CurveAt(Variable held, double value, bool last) {
    switch (held) {
        case V::P: return detail::Isobar(value);
        case V::T: return detail::Isotherm(value);
        case V::x: return detail::QualityLine(value);
        case V::s: return detail::Isentrope(value, last);
        default: return detail::Isochore(value, last);
    }
}

// Two crossings on either side of a piece's end can meet in one state; it is given once.
bool Same(const State& a, const State& b) {
    const auto near = [](double p, double q) { return std::fabs(p - q) <= 1e-12 * std::fabs(q); };
    return a.region == b.region && near(a.P, b.P) && near(a.T, b.T) &&
           std::fabs(a.x.value_or(0.0) - b.x.value_or(0.0)) <= 1e-12;
}

}  // namespace

std::vector<std::pair<Variable, Variable>> OfferedPairs() {
    std::vector<std::pair<Variable, Variable>> pairs;
    for (const Pair& pair : kPairs)
        pairs.push_back(pair.held < pair.sought ? std::pair(pair.held, pair.sought)
                                                : std::pair(pair.sought, pair.held));
    return pairs;
}

bool IsOfferedPair(Variable a, Variable b) {
    return Offered(a, b) != nullptr;
}

std::vector<State> StatesFrom(Variable a, double valueA, Variable b, double valueB) {
    const Pair* pair = Offered(a, b);
    if (pair == nullptr)
        throw std::invalid_argument("no state is found from " + std::string(NameOf(a)) + " and " +
                                    std::string(NameOf(b)));
    CheckValue(a, valueA);
    CheckValue(b, valueB);
    const double held = pair->held == a ? valueA : valueB;
    const double sought = pair->held == a ? valueB : valueA;

    switch (pair->sought) {
        case V::T: return {StateAt(held, sought)};
        case V::x:
            return {
                Mixture(pair->held == V::P ? SaturationAtP(held) : SaturationAtT(held), sought)};
        default: break;
    }
    // Along an isentrope or an isochore the first crossing of each isobar or isotherm is
    // followed; where one crossed twice (two regions overlapping at a boundary), or where that
    // finds no state, the last crossing is followed as well.
    std::vector<State> states;
    std::optional<NoState> failure;
    for (const bool last : {false, true}) {
        const detail::Curve curve = CurveAt(pair->held, held, last);
        try {
            for (const detail::Crossing& crossing :
                 detail::CrossingsOf(curve, pair->sought, sought, pair->held, held))
                states.push_back(detail::StateOf(crossing, pair->sought, sought));
        } catch (const NoState& e) {
            if (!failure) failure = e;
        }
        const bool twice = curve.crossedTwice && *curve.crossedTwice;
        if (!twice && (!states.empty() || !curve.crossedTwice)) break;
    }
    if (states.empty()) throw *failure;
    std::sort(states.begin(), states.end(), [](const State& p, const State& q) {
        return p.P != q.P ? p.P < q.P : p.T != q.T ? p.T < q.T : p.x < q.x;
    });
    states.erase(std::unique(states.begin(), states.end(), Same), states.end());
    return states;
}

}  // namespace vapomet
