// The units values are shown and typed in: the library computes in its own (MPa, K, kJ/kg ...),
// and a value is converted only where it leaves for a person or a file, or arrives from one.
//
// A system of units gives every quantity its unit: SI (the library's own, as the pages show
// them), bar and degrees Celsius, or US customary units. A quantity's unit may be chosen apart
// from its system's, among those of its dimension; gauge pressures are measured from a set
// barometric pressure. Every factor follows from the exact definitions: 1 lb = 0.45359237 kg,
// 1 ft = 0.3048 m, 1 Btu/lb = 2.326 kJ/kg, 1 psi = 6.894757293168 kPa, 1 lbf = 1 lb x 9.80665 m/s2,
// 1 K = 1.8 °F as a difference.
#pragma once

#include <QString>
#include <array>
#include <optional>
#include <span>

#include "driver/quantities.h"

namespace vapomet {

// What a value measures, as far as its unit goes; the default unit of a quantity names it.
enum class Dimension {
    None,
    Pressure,
    Temperature,
    SpecificVolume,
    Density,
    SpecificEnergy,
    SpecificEntropy,  // and heat capacity
    Speed,
    Conductivity,
    Viscosity,
    JouleThomson,     // temperature per pressure
    Throttling,       // energy per mass and pressure
    Compressibility,  // per pressure
    Expansion,        // per temperature difference
    Diffusivity,
    PressureSlope,  // pressure per temperature difference
    SurfaceTension,
};
Dimension DimensionOf(const Quantity& quantity);

// A unit: shown = (value - barometric pressure if gauge) * factor + offset, the value in the
// library's unit of its dimension.
struct Unit {
    const char* name;  // as shown: "°C", "psia", "Btu/(lb °F)"
    Dimension dimension;
    double factor;
    double offset = 0.0;
    bool gauge = false;
};
// The units of a dimension, the library's first.
std::span<const Unit> UnitsOf(Dimension dimension);
// The unit a text names, as shown or typed plainly: blanks and the degree sign may be left out
// and u stands for µ ("degC" and "C" are °C, "uPa s" is µPa s).
const Unit* UnitNamed(Dimension dimension, const QString& text);

enum class UnitSystem { SI, BarCelsius, US };
// "SI", "bar-C" and "US", and back.
QString SystemName(UnitSystem system);
std::optional<UnitSystem> SystemNamed(const QString& text);

inline constexpr double kStandardAtmosphere = 0.101325;  // MPa, the default barometric pressure

class Units {
  public:
    Units() : Units(UnitSystem::SI) {}
    explicit Units(UnitSystem system, double barometric = kStandardAtmosphere);

    UnitSystem system() const { return system_; }
    double barometric() const { return barometric_; }  // MPa
    // Whether every quantity has the library's unit, as the pages show it.
    bool isLibrarys() const;

    // A quantity in a unit of its dimension, apart from its system's; false for another
    // dimension's unit.
    bool choose(QuantityId quantity, const Unit& unit);

    const Unit& unitOf(QuantityId quantity) const;
    QString nameOf(QuantityId quantity) const { return QString::fromUtf8(unitOf(quantity).name); }
    double shown(QuantityId quantity, double value) const;  // the library's to the shown
    bool operator==(const Units&) const = default;
    double library(QuantityId quantity, double shown) const;  // and back

  private:
    UnitSystem system_;
    double barometric_;
    std::array<const Unit*, kQuantityCount> units_{};
};

}  // namespace vapomet
