// What the pages show, said once: for each quantity its symbol, name, unit, decimals, how a
// press computes it, and on which page it stands in which slot beside which caption.
//
// The table is in reading order, which is also the order in which a press computes and writes
// a page: a page's own values (pressure and temperature, the region caption), then for each
// phase on it its volume, density, h, u, s, cp, cv, w, conductivity, cp/cv and viscosity.
// The Calculate handler, the page model and the windows read it; nothing else repeats it.
#pragma once

#include <QString>
#include <array>
#include <optional>
#include <span>

#include "property/state.h"

namespace vapomet {

inline constexpr int kPageCount = 3;

// A column of values: pages 1 and 2 show saturated liquid and vapour side by side; a page's
// own values (P, T, the region) and page 3's state belong to no phase.
enum class Phase { None, Liquid, Vapour };

enum class QuantityId {
    SaturationPressure,
    SaturationTemperature,
    Pressure,
    Temperature,
    Region,
    Volume,
    Density,
    Enthalpy,
    InternalEnergy,
    Entropy,
    Cp,
    Cv,
    SpeedOfSound,
    Conductivity,
    Ratio,
    Viscosity,
    // The tables' own quantities, on no page.
    Kappa,
    JouleThomson,
    IsothermalThrottling,
    Compressibility,
    Expansion,
    RelativePressureCoefficient,
    CompressionFactor,
    Gibbs,
    Helmholtz,
    Prandtl,
    KinematicViscosity,
    ThermalDiffusivity,
    VaporisationEnthalpy,
    SaturationSlope,
    SurfaceTension,
};
inline constexpr std::size_t kQuantityCount =
    static_cast<std::size_t>(QuantityId::SurfaceTension) + 1;

// How a press obtains a quantity's value for a page whose state is (P, T) with density rho.
enum class Source {
    StatePressure,     // the page's P (psat on page 1)
    StateTemperature,  // the page's T (Tsat on page 2)
    RegionCaption,     // the caption of the region chosen for page 3
    Volume,            // 1 / rho
    Density,           // rho
    Routine,           // the region's routine of the property at (P, T), or (rho, T) in region 3
    Transport,         // a transport routine at (P, T, rho)
    ShownRatio,        // the cp text over the cv text of the same column, as shown
    Derived,           // a table's own quantity, from what the table has of the state
};

// What a table has of a state for its own quantities: the state; for a single phase its
// derived properties and transport values; for wet steam and the saturated phases the
// saturation line's temperature and enthalpy of vaporisation.
struct TableState {
    const State& state;
    std::optional<Derived> derived;
    std::optional<double> conductivity, viscosity;  // W/(m K), µPa s
    std::optional<double> saturationT, hVaporisation;
};
using DerivedRoutine = std::optional<double> (*)(const TableState&);

using TransportRoutine = double (*)(const double&, const double&, const double&);

// One place where a quantity is shown. Page 0 marks an unused place.
struct Place {
    int page = 0;
    Phase phase = Phase::None;
    int slot = -1;
    const char* caption = "";  // the caption beside the slot, as the window shows it
};

struct Quantity {
    QuantityId id;
    const char* symbol;  // as the nomenclature of page 3 writes it
    const char* name;    // what it is, for screen readers and copied tables
    const char* column;  // its name as a column of vapomet-cli's tables
    const char* unit;    // "" for a ratio or a text
    int decimals;        // digits after the decimal separator; -1 for a text
    Source source;
    Variable property = Variable::P;  // Source::Routine: the state's property (RoutineOf)
    TransportRoutine transport = {};  // Source::Transport
    std::array<Place, 5> places{};
    DerivedRoutine derived = {};  // Source::Derived
};

// Every quantity, in reading and writing order.
std::span<const Quantity> Quantities();
const Quantity& QuantityOf(QuantityId id);

// The quantity in a slot of a page and the place it has there; throws std::out_of_range for a
// slot that does not exist.
struct SlotQuantity {
    const Quantity& quantity;
    const Place& place;
};
SlotQuantity QuantityAt(int page, int slot);

// The slot of a quantity in a column, or -1 where it is not shown there.
int SlotOf(QuantityId id, int page, Phase phase);

int SlotCount(int page);

// The quantity of the tables that a variable of a given pair is (P, T, v, h, u, s); none for
// the quality and the others.
const Quantity* QuantityOfVariable(Variable variable);  // 24, 24 and 14 for pages 1, 2 and 3

// The caption that labels a slot on its page, as the windows show it.
QString SlotCaption(int page, int slot);

// What a slot shows, in words with its unit: "Saturated liquid enthalpy, kJ/kg".
QString SlotDescription(int page, int slot);
// A quantity in words with its unit: "Pressure, MPa".
QString QuantityDescription(QuantityId id);

// The slots of a page in reading order: row by row from the top, left to right in a row.
std::span<const int> SlotReadingOrder(int page);

// A page's window caption ("IAPWS - 1") and what it shows ("saturation at T").
QString PageTitle(int page);
QString PageSubject(int page);

}  // namespace vapomet
