#include "driver/units.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace vapomet {

namespace {

// The exact definitions everything else follows from.
constexpr double kFoot = 0.3048;                                       // m
constexpr double kPound = 0.45359237;                                  // kg
constexpr double kBtuPerPound = 2.326;                                 // kJ/kg
constexpr double kPsi = 6.894757293168e-3;                             // MPa
constexpr double kPoundForce = kPound * 9.80665;                       // N
constexpr double kRankine = 1.8;                                       // °F (or °R) per K
constexpr double kBtu = kBtuPerPound * kPound;                         // kJ
constexpr double kCubicFootPerPound = kFoot * kFoot * kFoot / kPound;  // m3/kg

using D = Dimension;

// Each dimension's units, the library's first; the systems' units by name below.
constexpr Unit kUnits[] = {
    {"", D::None, 1.0},
    {"MPa", D::Pressure, 1.0},
    {"kPa", D::Pressure, 1e3},
    {"bar", D::Pressure, 10.0},
    {"Pa", D::Pressure, 1e6},
    {"psia", D::Pressure, 1.0 / kPsi},
    {"MPa(g)", D::Pressure, 1.0, 0.0, true},
    {"kPa(g)", D::Pressure, 1e3, 0.0, true},
    {"bar(g)", D::Pressure, 10.0, 0.0, true},
    {"psig", D::Pressure, 1.0 / kPsi, 0.0, true},
    {"K", D::Temperature, 1.0},
    {"°C", D::Temperature, 1.0, -273.15},
    {"°F", D::Temperature, kRankine, -459.67},
    {"°R", D::Temperature, kRankine},
    {"m3/kg", D::SpecificVolume, 1.0},
    {"L/kg", D::SpecificVolume, 1e3},
    {"ft3/lb", D::SpecificVolume, 1.0 / kCubicFootPerPound},
    {"kg/m3", D::Density, 1.0},
    {"g/cm3", D::Density, 1e-3},
    {"lb/ft3", D::Density, kCubicFootPerPound},
    {"kJ/kg", D::SpecificEnergy, 1.0},
    {"J/kg", D::SpecificEnergy, 1e3},
    {"Btu/lb", D::SpecificEnergy, 1.0 / kBtuPerPound},
    {"kJ/(kg K)", D::SpecificEntropy, 1.0},
    {"J/(kg K)", D::SpecificEntropy, 1e3},
    {"Btu/(lb °F)", D::SpecificEntropy, 1.0 / (kBtuPerPound * kRankine)},
    {"m/s", D::Speed, 1.0},
    {"km/h", D::Speed, 3.6},
    {"ft/s", D::Speed, 1.0 / kFoot},
    {"W/(m K)", D::Conductivity, 1.0},
    {"mW/(m K)", D::Conductivity, 1e3},
    // 1 Btu/(h ft °F) = 1.8 Btu / (3600 s 0.3048 m K), the Btu in kJ.
    {"Btu/(h ft °F)", D::Conductivity, 3600.0 * kFoot / (1000.0 * kBtu * kRankine)},
    {"µPa s", D::Viscosity, 1.0},
    {"mPa s", D::Viscosity, 1e-3},
    {"cP", D::Viscosity, 1e-3},
    {"Pa s", D::Viscosity, 1e-6},
    {"lb/(ft h)", D::Viscosity, 1e-6 * kFoot * 3600.0 / kPound},
    {"lb/(ft s)", D::Viscosity, 1e-6 * kFoot / kPound},
    {"K/MPa", D::JouleThomson, 1.0},
    {"K/bar", D::JouleThomson, 0.1},
    {"°F/psi", D::JouleThomson, kRankine* kPsi},
    {"kJ/(kg MPa)", D::Throttling, 1.0},
    {"kJ/(kg bar)", D::Throttling, 0.1},
    {"Btu/(lb psi)", D::Throttling, kPsi / kBtuPerPound},
    {"1/MPa", D::Compressibility, 1.0},
    {"1/bar", D::Compressibility, 0.1},
    {"1/psi", D::Compressibility, kPsi},
    {"1/K", D::Expansion, 1.0},
    {"1/°F", D::Expansion, 1.0 / kRankine},
    {"mm2/s", D::Diffusivity, 1.0},
    {"m2/s", D::Diffusivity, 1e-6},
    {"ft2/h", D::Diffusivity, 1e-6 * 3600.0 / (kFoot * kFoot)},
    {"MPa/K", D::PressureSlope, 1.0},
    {"kPa/K", D::PressureSlope, 1e3},
    {"bar/K", D::PressureSlope, 10.0},
    {"psi/°F", D::PressureSlope, 1.0 / (kPsi * kRankine)},
    {"mN/m", D::SurfaceTension, 1.0},
    {"N/m", D::SurfaceTension, 1e-3},
    {"dyn/cm", D::SurfaceTension, 1.0},
    {"lbf/ft", D::SurfaceTension, 1e-3 * kFoot / kPoundForce},
};

// The unit of each dimension in bar-C and in US customary units (SI: the library's own).
struct SystemUnits {
    Dimension dimension;
    const char* barCelsius;
    const char* us;
};
constexpr SystemUnits kSystems[] = {
    {D::None, "", ""},
    {D::Pressure, "bar", "psia"},
    {D::Temperature, "°C", "°F"},
    {D::SpecificVolume, "m3/kg", "ft3/lb"},
    {D::Density, "kg/m3", "lb/ft3"},
    {D::SpecificEnergy, "kJ/kg", "Btu/lb"},
    {D::SpecificEntropy, "kJ/(kg K)", "Btu/(lb °F)"},
    {D::Speed, "m/s", "ft/s"},
    {D::Conductivity, "W/(m K)", "Btu/(h ft °F)"},
    {D::Viscosity, "µPa s", "lb/(ft h)"},
    {D::JouleThomson, "K/bar", "°F/psi"},
    {D::Throttling, "kJ/(kg bar)", "Btu/(lb psi)"},
    {D::Compressibility, "1/bar", "1/psi"},
    {D::Expansion, "1/K", "1/°F"},
    {D::Diffusivity, "mm2/s", "ft2/h"},
    {D::PressureSlope, "bar/K", "psi/°F"},
    {D::SurfaceTension, "mN/m", "lbf/ft"},
};

const Unit& Named(Dimension dimension, const char* name) {
    for (const Unit& unit : kUnits)
        if (unit.dimension == dimension && std::strcmp(unit.name, name) == 0) return unit;
    throw std::logic_error(std::string("no unit ") + name);
}

const Unit& SystemUnit(UnitSystem system, Dimension dimension) {
    if (system == UnitSystem::SI) return UnitsOf(dimension).front();
    for (const SystemUnits& s : kSystems)
        if (s.dimension == dimension)
            return Named(dimension, system == UnitSystem::US ? s.us : s.barCelsius);
    throw std::logic_error("a dimension without units");
}

// A unit's name as typed plainly: without blanks and degree signs, µ as u.
QString Plain(QString name) {
    name.remove(QLatin1Char(' '));
    name.remove(QChar(0x00B0));
    name.replace(QChar(0x00B5), QLatin1Char('u'));
    return name;
}

}  // namespace

Dimension DimensionOf(const Quantity& quantity) {
    // The library's unit of a quantity is its dimension's first.
    for (const Unit& unit : kUnits)
        if (std::string_view(unit.name) == quantity.unit &&
            &unit == &UnitsOf(unit.dimension).front())
            return unit.dimension;
    return D::None;
}

std::span<const Unit> UnitsOf(Dimension dimension) {
    const auto first = std::find_if(std::begin(kUnits), std::end(kUnits),
                                    [&](const Unit& u) { return u.dimension == dimension; });
    const auto last = std::find_if(first, std::end(kUnits),
                                   [&](const Unit& u) { return u.dimension != dimension; });
    return {first, last};
}

const Unit* UnitNamed(Dimension dimension, const QString& text) {
    QString plain = Plain(text);
    if (plain.startsWith(QStringLiteral("deg"))) plain.remove(0, 3);
    for (const Unit& unit : UnitsOf(dimension)) {
        const QString name = Plain(QString::fromUtf8(unit.name));
        if (plain == name || (dimension == D::Temperature && plain + QLatin1Char('K') == name))
            return &unit;
    }
    return nullptr;
}

QString SystemName(UnitSystem system) {
    switch (system) {
        case UnitSystem::SI: return QStringLiteral("SI");
        case UnitSystem::BarCelsius: return QStringLiteral("bar-C");
        case UnitSystem::US: return QStringLiteral("US");
    }
    return {};
}

std::optional<UnitSystem> SystemNamed(const QString& text) {
    for (const UnitSystem system : {UnitSystem::SI, UnitSystem::BarCelsius, UnitSystem::US})
        if (text.compare(SystemName(system), Qt::CaseInsensitive) == 0) return system;
    return std::nullopt;
}

Units::Units(UnitSystem system, double barometric) : system_(system), barometric_(barometric) {
    for (const Quantity& q : Quantities())
        units_[static_cast<std::size_t>(q.id)] = &SystemUnit(system, DimensionOf(q));
}

bool Units::isLibrarys() const {
    return std::all_of(Quantities().begin(), Quantities().end(), [this](const Quantity& q) {
        return &unitOf(q.id) == &UnitsOf(DimensionOf(q)).front();
    });
}

bool Units::choose(QuantityId quantity, const Unit& unit) {
    if (unit.dimension != DimensionOf(QuantityOf(quantity))) return false;
    units_[static_cast<std::size_t>(quantity)] = &unit;
    return true;
}

const Unit& Units::unitOf(QuantityId quantity) const {
    return *units_[static_cast<std::size_t>(quantity)];
}

double Units::shown(QuantityId quantity, double value) const {
    const Unit& unit = unitOf(quantity);
    return (value - (unit.gauge ? barometric_ : 0.0)) * unit.factor + unit.offset;
}

double Units::library(QuantityId quantity, double shown) const {
    const Unit& unit = unitOf(quantity);
    return (shown - unit.offset) / unit.factor + (unit.gauge ? barometric_ : 0.0);
}

}  // namespace vapomet
