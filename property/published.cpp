#include "property/published.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "property/state.h"

namespace vapomet {

namespace {

// IAPWS-IF97 Tables 5, 15, 33 and the region-5 table of the 1997 release.
constexpr CheckState kCheckStates[] = {
    // region, P or rho, T; v, h, u, s, cp, w
    {1, 3, 300, 0.100215168e-2, 0.115331273e3, 0.112324818e3, 0.392294792, 0.417301218e1,
     0.150773921e4},
    {1, 80, 300, 0.971180894e-3, 0.184142828e3, 0.106448356e3, 0.368563852, 0.401008987e1,
     0.163469054e4},
    {1, 3, 500, 0.120241800e-2, 0.975542239e3, 0.971934985e3, 0.258041912e1, 0.465580682e1,
     0.124071337e4},
    {2, 0.0035, 300, 0.394913866e2, 0.254991145e4, 0.241169160e4, 0.852238967e1, 0.191300162e1,
     0.427920172e3},
    {2, 0.0035, 700, 0.923015898e2, 0.333568375e4, 0.301262819e4, 0.101749996e2, 0.208141274e1,
     0.644289068e3},
    {2, 30, 700, 0.542946619e-2, 0.263149474e4, 0.246861076e4, 0.517540298e1, 0.103505092e2,
     0.480386523e3},
    {3, 500, 650, 0, 0.186343019e4, 0.181226279e4, 0.405427273e1, 0.138935717e2, 0.502005554e3},
    {3, 200, 650, 0, 0.237512401e4, 0.226365868e4, 0.485438792e1, 0.446579342e2, 0.383444594e3},
    {3, 500, 750, 0, 0.225868845e4, 0.210206932e4, 0.446971906e1, 0.634165359e1, 0.760696041e3},
    {5, 0.5, 1500, 0.138455354e1, 0.521976332e4, 0.452748654e4, 0.965408431e1, 0.261610228e1,
     0.917071933e3},
    {5, 8, 1500, 0.865156616e-1, 0.520609634e4, 0.451397105e4, 0.836546724e1, 0.264453866e1,
     0.919708859e3},
    {5, 8, 2000, 0.115743146, 0.658380291e4, 0.565785774e4, 0.915671044e1, 0.285306750e1,
     0.105435806e4}};

// IAPWS-IF97 Tables 35 and 36.
constexpr SaturationPoint kSaturationPoints[] = {
    {true, 300, 0.353658941e-2}, {true, 500, 0.263889776e1}, {true, 600, 0.123443146e2},
    {false, 0.1, 0.372755919e3}, {false, 1, 0.453035632e3},  {false, 10, 0.584149488e3}};

// IAPWS-IF97 Table 18: metastable vapour at (P, T), its v, h, u, s, cp and w.
struct MetastableState {
    double P, T, v, h, u, s, cp, w;
};
constexpr MetastableState kMetastable[] = {
    {1.0, 450, 0.192516540, 0.276881115e4, 0.257629461e4, 0.656660377e1, 0.276349265e1,
     0.498408101e3},
    {1.0, 440, 0.186212297, 0.274015123e4, 0.255393894e4, 0.650218759e1, 0.298166443e1,
     0.489363295e3},
    {1.5, 450, 0.121685206, 0.272134539e4, 0.253881758e4, 0.629170440e1, 0.362795578e1,
     0.481941819e3},
};

// The IAPS 1985 equations at (T, rho), as two independent implementations compute them.
struct TransportValue {
    double T, rho, viscosity, conductivity;
};
constexpr TransportValue kTransport1985[] = {
    {273.16, 999.793, 1791.16151486991, 0.561992038933996},
    {300.0, 996.5, 853.848051930666, 0.6102696676503},
    {373.15, 958.35, 281.742842325932, 0.677752416855014},
    {500.0, 831.32, 117.661001006843, 0.642061376385015},
    {600.0, 649.41, 75.7731306858028, 0.491813144015685},
    {640.0, 481.5, 55.2439513473749, 0.404221962793649},
    {647.226, 317.763, 39.0562113358617, 0.828524307887507},
    {647.26, 317.7, 39.0522731258488, 0.833983143869528},
    {650.0, 549.58, 63.5588536165691, 0.414604016309789},
    {650.0, 100.0, 24.7880092337796, 0.108791229289081},
    {700.0, 577.0, 68.9780214682851, 0.440168093115782},
    {300.0, 0.0256, 9.91952717383552, 0.0184666267052993},
    {453.0, 5.1454, 15.0200851784838, 0.0354019098439466},
    {700.0, 80.0, 26.7099216465798, 0.0894052373435146},
    {800.0, 300.0, 45.1298659847731, 0.235281537042234},
    {1073.15, 0.2, 40.3763731174106, 0.107724098076662},
    {1500.0, 10.0, 55.5347554852452, 0.171421372478859},
    {2273.15, 1.0, 78.0974516275503, 0.234673465802147},
    {400.0, 0.001, 13.3472260063527, 0.0265396507285545},
    {330.0, 1030.0, 520.171808253323, 0.702110515894261}};

// IAPWS R12-08 Table 4: the viscosity for industrial use (mu_2 = 1) at (T, rho), µPa s.
struct ViscosityValue {
    double T, rho, mu;
};
constexpr ViscosityValue kViscosity2008[] = {
    {298.15, 998, 889.735100}, {298.15, 1200, 1437.649467}, {373.15, 1000, 307.883622},
    {433.15, 1, 14.538324},    {433.15, 1000, 217.685358},  {873.15, 1, 32.619287},
    {873.15, 100, 35.802262},  {873.15, 600, 77.430195},    {1173.15, 1, 44.217245},
    {1173.15, 100, 47.640433}, {1173.15, 400, 64.154608}};

// IAPWS R15-11 Tables 7 to 9: the conductivity for industrial use, mW/(m K); regions 1 and 2
// at (P, T), region 3 at (rho, T).
struct ConductivityValue {
    int region;
    double x, T, lambda;
};
constexpr ConductivityValue kConductivity2011[] = {
    {1, 20, 620, 481.485195}, {1, 50, 620, 545.038940},     {2, 0.3, 650, 52.2311024},
    {2, 50, 800, 177.709914}, {3, 222, 647.35, 366.879411}, {3, 322, 647.35, 1241.82415}};

// IAPWS R1-76(2014), its table: mN/m to two decimals.
struct TensionValue {
    double T, sigma;
    int digits;
};
constexpr TensionValue kTensions[] = {{273.16, 75.65, 4},
                                      {298.15, 71.97, 4},
                                      {373.15, 58.91, 4},
                                      {473.15, 37.67, 4},
                                      {573.15, 14.36, 4}};

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", value);
    return text;
}

std::string At(const CheckState& c) {
    return "region " + std::to_string(c.region) + " at " + Number(c.x) +
           (c.region == 3 ? " kg/m3, " : " MPa, ") + Number(c.T) + " K";
}

State StateOf(const CheckState& c) {
    return c.region == 3 ? Region3State(c.x, c.T)
                         : StateInRegion(static_cast<Region>(c.region), c.x, c.T);
}

// The state of `states` nearest to `near` in temperature and pressure.
State Nearest(const std::vector<State>& states, const State& near) {
    const State* best = &states.front();
    double distance = std::numeric_limits<double>::infinity();
    for (const State& s : states) {
        const double d = std::fabs(s.T / near.T - 1.0) + std::fabs(s.P / near.P - 1.0);
        if (d < distance) {
            distance = d;
            best = &s;
        }
    }
    return *best;
}

std::string PairName(Variable a, Variable b) {
    return "(" + std::string(NameOf(a)) + "," + std::string(NameOf(b)) + ")";
}

// The six values a table prints of a state (v, h, u, s, cp, w), each as ValueOf gives it of the
// state `of` computes; region 3 prints no v.
template <typename Of>
void AddPrinted(std::vector<PublishedValue>& values, const std::string& table,
                const std::string& at, const double (&printed)[6], bool withV, Of of) {
    constexpr Variable kPrinted[] = {Variable::v, Variable::h,  Variable::u,
                                     Variable::s, Variable::cp, Variable::w};
    for (std::size_t i = withV ? 0 : 1; i < 6; ++i) {
        const Variable variable = kPrinted[i];
        values.push_back({table, std::string(NameOf(variable)) + at, printed[i], 9,
                          [of, variable] { return *ValueOf(of(), variable); }});
    }
}

void AddCheckStates(std::vector<PublishedValue>& values) {
    for (const CheckState& c : kCheckStates) {
        const std::string table = c.region == 5   ? "IAPWS-IF97 region 5 table"
                                  : c.region == 3 ? "IAPWS-IF97 Table 33"
                                  : c.region == 2 ? "IAPWS-IF97 Table 15"
                                                  : "IAPWS-IF97 Table 5";
        const double printed[] = {c.v, c.h, c.u, c.s, c.cp, c.w};
        AddPrinted(values, table, ", " + At(c), printed, c.region != 3, [c] { return StateOf(c); });
    }
}

void AddCurves(std::vector<PublishedValue>& values) {
    for (const SaturationPoint& p : kSaturationPoints) {
        values.push_back(
            {p.atT ? "IAPWS-IF97 Table 35" : "IAPWS-IF97 Table 36",
             p.atT ? "psat at " + Number(p.given) + " K" : "Tsat at " + Number(p.given) + " MPa",
             p.published, 9, [p] { return p.atT ? Satpr(p.given) : Sattr(p.given); }});
    }
    values.push_back({"IAPWS-IF97 eq. 5", "p of the B23 line at 623.15 K", 0.165291643e2, 9,
                      [] { return b23(623.15); }});
    values.push_back({"IAPWS-IF97 eq. 6", "T of the B23 line at 16.5291643 MPa", 623.15, 8,
                      [] { return b32(0.165291643e2); }});
}

// Each check state from each pair of its values in full, the state found nearest it.
void AddPairs(std::vector<PublishedValue>& values) {
    for (const CheckState& c : kCheckStates) {
        for (const auto& [a, b] : OfferedPairs()) {
            if (a == Variable::x || b == Variable::x) continue;
            const auto found = [c, a = a, b = b] {
                const State s = StateOf(c);
                return Nearest(StatesFrom(a, *ValueOf(s, a), b, *ValueOf(s, b)), s);
            };
            const std::string from = " from " + PairName(a, b) + ", " + At(c);
            values.push_back(
                {"states from pairs", "T" + from, c.T, 9, [found] { return found().T; }});
            if (c.region == 3)
                values.push_back(
                    {"states from pairs", "rho" + from, c.x, 9, [found] { return found().rho; }});
            else
                values.push_back(
                    {"states from pairs", "P" + from, c.x, 9, [found] { return found().P; }});
        }
    }
    // Wet steam of quality 0.5 on the published points of the saturation line.
    for (const SaturationPoint& p : kSaturationPoints) {
        for (const auto& [a, b] : OfferedPairs()) {
            const auto found = [p, a = a, b = b] {
                const State s =
                    Mixture(p.atT ? SaturationAtT(p.given) : SaturationAtP(p.given), 0.5);
                return Nearest(StatesFrom(a, *ValueOf(s, a), b, *ValueOf(s, b)), s);
            };
            values.push_back({"states from pairs",
                              (p.atT ? "psat from " : "Tsat from ") + PairName(a, b) +
                                  ", x = 0.5 at " + Number(p.given) + (p.atT ? " K" : " MPa"),
                              p.published, 9,
                              [found, atT = p.atT] { return atT ? found().P : found().T; }});
        }
    }
}

void AddTransport(std::vector<PublishedValue>& values) {
    for (const TransportValue& t : kTransport1985) {
        const std::string at = " at " + Number(t.T) + " K, " + Number(t.rho) + " kg/m3";
        values.push_back({"IAPS 1985 check values", "viscosity" + at, t.viscosity, 11,
                          [t] { return Vis(1.0, t.T, t.rho); }});
        values.push_back({"IAPS 1985 check values", "conductivity" + at, t.conductivity, 11,
                          [t] { return Cond(1.0, t.T, t.rho); }});
    }
    for (const ViscosityValue& v : kViscosity2008) {
        // Printed to six decimals: 9 or 10 significant digits.
        const int digits = 7 + static_cast<int>(std::floor(std::log10(v.mu)));
        values.push_back({"IAPWS R12-08 Table 4",
                          "viscosity at " + Number(v.T) + " K, " + Number(v.rho) + " kg/m3", v.mu,
                          digits, [v] { return Viscosity2008(v.T, v.rho); }});
    }
    for (const ConductivityValue& k : kConductivity2011) {
        const CheckState at{k.region, k.x, k.T, 0, 0, 0, 0, 0, 0};
        values.push_back({"IAPWS R15-11 Tables 7 to 9", "conductivity, " + At(at), k.lambda, 9,
                          [at] { return 1e3 * Conductivity2011(StateOf(at)); }});
    }
}

void AddSaturationExtras(std::vector<PublishedValue>& values) {
    for (const TensionValue& t : kTensions)
        values.push_back({"IAPWS R1-76(2014)", "surface tension at " + Number(t.T) + " K", t.sigma,
                          t.digits, [t] { return SurfaceTension(t.T); }});
    for (const MetastableState& m : kMetastable) {
        const double printed[] = {m.v, m.h, m.u, m.s, m.cp, m.w};
        AddPrinted(values, "IAPWS-IF97 Table 18",
                   " of metastable vapour, " + Number(m.P) + " MPa, " + Number(m.T) + " K", printed,
                   true, [m] { return MetastableVapourAt(m.P, m.T); });
    }
}

}  // namespace

std::span<const CheckState> CheckStates() {
    return kCheckStates;
}

std::span<const SaturationPoint> SaturationPoints() {
    return kSaturationPoints;
}

std::vector<PublishedValue> PublishedValues() {
    std::vector<PublishedValue> values;
    AddCheckStates(values);
    AddCurves(values);
    AddPairs(values);
    AddTransport(values);
    AddSaturationExtras(values);
    return values;
}

bool RoundsTo(double computed, double published, int digits) {
    if (published == 0.0) return computed == 0.0;
    const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(published))));
    const double halfUnit = 0.5 * std::pow(10.0, exponent - digits + 1) * (1.0 + 1e-9);
    return std::fabs(computed - published) <= halfUnit;
}

}  // namespace vapomet
