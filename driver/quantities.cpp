#include "driver/quantities.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "property/property.h"

namespace vapomet {

namespace {

constexpr Phase N = Phase::None;

// A derived property of a single phase, none for wet steam.
std::optional<double> Of(const std::optional<Derived>& derived, double Derived::*property) {
    return derived ? std::optional(*derived.*property) : std::nullopt;
}
constexpr Phase L = Phase::Liquid;
constexpr Phase V = Phase::Vapour;

// A prime marks saturated liquid, a double quote saturated vapour.
// clang-format off
constexpr Quantity kQuantities[] = {
    {QuantityId::SaturationPressure, "P sat", "saturation pressure", "P", "MPa", 4,
     Source::StatePressure, {}, {}, {{{1, N, 0, "P sat (MPa)"}}}},
    {QuantityId::SaturationTemperature, "T sat", "saturation temperature", "T", "K", 4,
     Source::StateTemperature, {}, {}, {{{2, N, 6, "T sat (K)"}}}},
    {QuantityId::Pressure, "P", "pressure", "P", "MPa", 4, Source::StatePressure, {}, {},
     {{{2, N, 7, "@ P (MPa)"}, {3, N, 0, "P (MPa)"}}}},
    {QuantityId::Temperature, "T", "temperature", "T", "K", 4, Source::StateTemperature, {}, {},
     {{{1, N, 1, "@ T (K)"}, {3, N, 1, "T (K)"}}}},
    {QuantityId::Region, "", "region", "region", "", -1, Source::RegionCaption, {}, {},
     {{{3, N, 13, ""}}}},
    {QuantityId::Volume, "v", "specific volume", "v", "m3/kg", 6, Source::Volume, Variable::v, {},
     {{{1, L, 2, "v'(m3/kg)"}, {1, V, 5, "v\"(m3/kg)"}, {2, L, 0, "v'(m3/kg)"},
       {2, V, 3, "v\"(m3/kg)"}, {3, N, 2, "v (m3/kg)"}}}},
    {QuantityId::Density, "rho", "density", "density", "kg/m3", 4, Source::Density, Variable::rho,
     {},
     {{{1, L, 16, "rho'(kg/m3)"}, {1, V, 8, "rho\"(kg/m3)"}, {2, L, 8, "rho'(kg/m3)"},
       {2, V, 19, "rho\"(kg/m3)"}, {3, N, 3, "rho (kg/m3)"}}}},
    {QuantityId::Enthalpy, "h", "enthalpy", "h", "kJ/kg", 4, Source::Routine, Variable::h,
     {},
     {{{1, L, 22, "h'(kJ/kg)"}, {1, V, 11, "h\"(kJ/kg)"}, {2, L, 11, "h'(kJ/kg)"},
       {2, V, 21, "h\"(kJ/kg)"}, {3, N, 4, "h (kJ/kg)"}}}},
    {QuantityId::InternalEnergy, "u", "internal energy", "u", "kJ/kg", 3, Source::Routine,
     Variable::u, {},
     {{{1, L, 21, "u'(kJ/kg)"}, {1, V, 13, "u\"(kJ/kg)"}, {2, L, 12, "u'(kJ/kg)"},
       {2, V, 15, "u\"(kJ/kg)"}, {3, N, 5, "u (kJ/kg)"}}}},
    {QuantityId::Entropy, "s", "entropy", "s", "kJ/(kg K)", 4, Source::Routine,
     Variable::s, {},
     {{{1, L, 3, "s'(kJ/kg-K)"}, {1, V, 6, "s\"(kJ/kg-K)"}, {2, L, 1, "s'(kJ/kg-K)"},
       {2, V, 4, "s\"(kJ/kg-K)"}, {3, N, 6, "s (kJ/kg-K)"}}}},
    {QuantityId::Cp, "Cp", "isobaric heat capacity", "cp", "kJ/(kg K)", 3, Source::Routine,
     Variable::cp, {},
     {{{1, L, 17, "Cp'(kJ/kg)"}, {1, V, 9, "Cp\"(kJ/kg)"}, {2, L, 9, "Cp'(kJ/kg)"},
       {2, V, 20, "Cp\"(kJ/kg)"}, {3, N, 7, "Cp (kJ/kg-K)"}}}},
    {QuantityId::Cv, "Cv", "isochoric heat capacity", "cv", "kJ/(kg K)", 3, Source::Routine,
     Variable::cv, {},
     {{{1, L, 23, "Cv'(kJ/kg) ="}, {1, V, 12, "Cv\"(kJ/kg)"}, {2, L, 23, "Cv'(kJ/kg) ="},
       {2, V, 22, "Cv\"(kJ/kg)"}, {3, N, 8, "Cv (kJ/kg-K)"}}}},
    {QuantityId::SpeedOfSound, "w", "speed of sound", "w", "m/s", 3, Source::Routine,
     Variable::w, {},
     {{{1, L, 20, "w'(m/sec)"}, {1, V, 14, "w\"(m/sec)"}, {2, L, 13, "w'(m/sec)"},
       {2, V, 16, "w\"(m/sec)"}, {3, N, 9, "w (m/sec)"}}}},
    {QuantityId::Conductivity, "l", "thermal conductivity", "conductivity", "W/(m K)", 4,
     Source::Transport, {}, Cond,
     {{{1, L, 4, "l' (W/m-K)"}, {1, V, 7, "l\"(W/m-K)"}, {2, L, 2, "l' (W/m-K)"},
       {2, V, 5, "l\"(W/m-K)"}, {3, N, 10, "l (W/m-K)"}}}},
    {QuantityId::Ratio, "k", "heat-capacity ratio", "cp/cv", "", 3, Source::ShownRatio, {}, {},
     {{{1, L, 18, "k'(Cp/Cv)"}, {1, V, 10, "k\"(Cp/Cv)"}, {2, L, 10, "k'(Cp/Cv)"},
       {2, V, 18, "k\"(Cp/Cv)"}, {3, N, 11, "k (Cp/Cv)"}}}},
    {QuantityId::Viscosity, "mu", "dynamic viscosity", "viscosity", "µPa s", 4,
     Source::Transport, {}, Vis,
     {{{1, L, 19, "Mu' (uPascal-sec)"}, {1, V, 15, "Mu\" (uPascal-sec)"},
       {2, L, 14, "Mu' (uPascal-sec)"}, {2, V, 17, "Mu\" (uPascal-sec)"},
       {3, N, 12, "Mu (uPascal-sec)"}}}},
    // The tables' own quantities: of a single phase, then of the saturation line.
    {QuantityId::Kappa, "kappa", "isentropic exponent", "kappa", "", 5, Source::Derived, {}, {}, {},
     [](const TableState& t) { return Of(t.derived, &Derived::kappa); }},
    {QuantityId::JouleThomson, "mu_JT", "Joule-Thomson coefficient", "joule_thomson", "K/MPa", 6,
     Source::Derived, {}, {}, {}, [](const TableState& t) { return Of(t.derived, &Derived::jouleThomson); }},
    {QuantityId::IsothermalThrottling, "delta_T", "isothermal throttling coefficient",
     "isothermal_throttling", "kJ/(kg MPa)", 6, Source::Derived, {}, {}, {},
     [](const TableState& t) { return Of(t.derived, &Derived::isothermalThrottling); }},
    {QuantityId::Compressibility, "kappa_T", "isothermal compressibility", "compressibility",
     "1/MPa", 8, Source::Derived, {}, {}, {},
     [](const TableState& t) { return Of(t.derived, &Derived::compressibility); }},
    {QuantityId::Expansion, "alpha_v", "isobaric expansion coefficient", "expansion", "1/K", 8,
     Source::Derived, {}, {}, {}, [](const TableState& t) { return Of(t.derived, &Derived::expansion); }},
    {QuantityId::RelativePressureCoefficient, "beta_p", "relative pressure coefficient",
     "relative_pressure_coefficient", "1/K", 8, Source::Derived, {}, {}, {},
     [](const TableState& t) { return Of(t.derived, &Derived::relativePressureCoefficient); }},
    {QuantityId::CompressionFactor, "Z", "compression factor", "Z", "", 6, Source::Derived, {}, {}, {},
     [](const TableState& t) { return Of(t.derived, &Derived::Z); }},
    {QuantityId::Gibbs, "g", "Gibbs energy", "g", "kJ/kg", 4, Source::Routine, Variable::g},
    {QuantityId::Helmholtz, "f", "Helmholtz energy", "f", "kJ/kg", 4, Source::Routine,
     Variable::f},
    // cp mu / lambda with cp in J/(kg K) and mu in Pa s; mu / rho and lambda / (rho cp) in m2/s,
    // a million times that in mm2/s.
    {QuantityId::Prandtl, "Pr", "Prandtl number", "prandtl", "", 5, Source::Derived, {}, {}, {},
     [](const TableState& t) -> std::optional<double> {
         if (!t.state.cp || !t.viscosity || !t.conductivity) return std::nullopt;
         return *t.state.cp * *t.viscosity / *t.conductivity * 1e-3;
     }},
    {QuantityId::KinematicViscosity, "nu", "kinematic viscosity", "kinematic_viscosity",
     "mm2/s", 6, Source::Derived, {}, {}, {},
     [](const TableState& t) -> std::optional<double> {
         if (!t.viscosity) return std::nullopt;
         return *t.viscosity / t.state.rho;
     }},
    {QuantityId::ThermalDiffusivity, "a", "thermal diffusivity", "thermal_diffusivity", "mm2/s",
     6, Source::Derived, {}, {}, {},
     [](const TableState& t) -> std::optional<double> {
         if (!t.state.cp || !t.conductivity) return std::nullopt;
         return 1000.0 * *t.conductivity / (t.state.rho * *t.state.cp);
     }},
    {QuantityId::VaporisationEnthalpy, "h_lv", "enthalpy of vaporisation", "h_vaporisation",
     "kJ/kg", 4, Source::Derived, {}, {}, {},
     [](const TableState& t) { return t.hVaporisation; }},
    {QuantityId::SaturationSlope, "dpsat/dT", "slope of the saturation pressure", "dpsat_dT",
     "MPa/K", 8, Source::Derived, {}, {}, {},
     [](const TableState& t) -> std::optional<double> {
         if (!t.saturationT) return std::nullopt;
         return SaturationPressureSlope(*t.saturationT);
     }},
    {QuantityId::SurfaceTension, "sigma", "surface tension", "surface_tension", "mN/m", 4,
     Source::Derived, {}, {}, {},
     [](const TableState& t) -> std::optional<double> {
         if (!t.saturationT) return std::nullopt;
         return SurfaceTension(*t.saturationT);
     }},
};
// clang-format on

void CheckPage(int page) {
    if (page < 1 || page > kPageCount) throw std::out_of_range("no page " + std::to_string(page));
}

// The places of a page, looked up by slot, and its reading order; built once from the table.
struct PageMap {
    std::vector<const Quantity*> quantity;  // by slot
    std::vector<const Place*> place;        // by slot
    std::vector<int> order;
};

std::array<PageMap, kPageCount> BuildPageMaps() {
    std::array<PageMap, kPageCount> maps;
    for (const Phase phase : {N, L, V}) {
        for (const Quantity& q : kQuantities) {
            for (const Place& p : q.places) {
                if (p.page == 0 || p.phase != phase) continue;
                PageMap& map = maps[static_cast<std::size_t>(p.page - 1)];
                const auto slot = static_cast<std::size_t>(p.slot);
                if (map.quantity.size() <= slot) {
                    map.quantity.resize(slot + 1, nullptr);
                    map.place.resize(slot + 1, nullptr);
                }
                map.quantity[slot] = &q;
                map.place[slot] = &p;
                map.order.push_back(p.slot);
            }
        }
    }
    return maps;
}

const PageMap& MapOf(int page) {
    static const std::array<PageMap, kPageCount> maps = BuildPageMaps();
    CheckPage(page);
    return maps[static_cast<std::size_t>(page - 1)];
}

}  // namespace

std::span<const Quantity> Quantities() {
    return kQuantities;
}

const Quantity& QuantityOf(QuantityId id) {
    for (const Quantity& q : kQuantities)
        if (q.id == id) return q;
    throw std::out_of_range("no such quantity");
}

SlotQuantity QuantityAt(int page, int slot) {
    const PageMap& map = MapOf(page);
    if (slot < 0 || slot >= static_cast<int>(map.quantity.size()) ||
        map.quantity[static_cast<std::size_t>(slot)] == nullptr) {
        throw std::out_of_range("no slot " + std::to_string(slot) + " on page " +
                                std::to_string(page));
    }
    return {*map.quantity[static_cast<std::size_t>(slot)],
            *map.place[static_cast<std::size_t>(slot)]};
}

int SlotOf(QuantityId id, int page, Phase phase) {
    for (const Place& p : QuantityOf(id).places)
        if (p.page == page && p.phase == phase) return p.slot;
    return -1;
}

const Quantity* QuantityOfVariable(Variable variable) {
    switch (variable) {
        case Variable::P: return &QuantityOf(QuantityId::Pressure);
        case Variable::T: return &QuantityOf(QuantityId::Temperature);
        case Variable::v: return &QuantityOf(QuantityId::Volume);
        case Variable::h: return &QuantityOf(QuantityId::Enthalpy);
        case Variable::u: return &QuantityOf(QuantityId::InternalEnergy);
        case Variable::s: return &QuantityOf(QuantityId::Entropy);
        default: return nullptr;
    }
}

int SlotCount(int page) {
    return static_cast<int>(MapOf(page).quantity.size());
}

QString SlotCaption(int page, int slot) {
    return QString::fromUtf8(QuantityAt(page, slot).place.caption);
}

namespace {

QString Described(const Quantity& quantity, Phase phase) {
    QString text = QString::fromUtf8(quantity.name);
    if (phase == L) text.prepend(QStringLiteral("saturated liquid "));
    if (phase == V) text.prepend(QStringLiteral("saturated vapour "));
    text[0] = text[0].toUpper();
    if (*quantity.unit != '\0') text += QStringLiteral(", ") + QString::fromUtf8(quantity.unit);
    return text;
}

}  // namespace

QString SlotDescription(int page, int slot) {
    const SlotQuantity at = QuantityAt(page, slot);
    return Described(at.quantity, at.place.phase);
}

QString QuantityDescription(QuantityId id) {
    return Described(QuantityOf(id), N);
}

std::span<const int> SlotReadingOrder(int page) {
    return MapOf(page).order;
}

QString PageTitle(int page) {
    CheckPage(page);
    return QStringLiteral("IAPWS - %1").arg(page);
}

QString PageSubject(int page) {
    CheckPage(page);
    static const char* const kSubjects[] = {"saturation at T", "saturation at P",
                                            "state at P and T"};
    return QString::fromLatin1(kSubjects[page - 1]);
}

}  // namespace vapomet
