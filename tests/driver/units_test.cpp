// Units: a table of known conversions from the exact definitions, every unit's round trip, the
// systems, gauge pressure from a set barometric pressure, and the names a person may type.
#include "driver/units.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tests/support/case_names.h"

namespace vapomet {
namespace {

using Q = QuantityId;

struct Known {
    const char* name;
    Q quantity;
    const char* unit;
    double library, shown;  // the same amount in the library's unit and in `unit`
};
// Amounts whose values in both units are known exactly or from handbooks.
const Known kKnown[] = {
    {"OnePsi", Q::Pressure, "psia", 6.894757293168e-3, 1.0},
    {"OneBar", Q::Pressure, "bar", 0.1, 1.0},
    {"OneAtmosphereInPa", Q::Pressure, "Pa", 0.101325, 101325.0},
    {"BoilingInCelsius", Q::Temperature, "°C", 373.15, 100.0},
    {"BoilingInFahrenheit", Q::Temperature, "°F", 373.15, 212.0},
    {"AbsoluteZeroInRankine", Q::Temperature, "°R", 273.15, 491.67},
    {"BtuPerPound", Q::Enthalpy, "Btu/lb", 2.326, 1.0},
    {"CubicFootPerPound", Q::Volume, "ft3/lb", 0.3048 * 0.3048 * 0.3048 / 0.45359237, 1.0},
    {"PoundPerCubicFoot", Q::Density, "lb/ft3", 16.018463373960138, 1.0},
    {"BtuPerPoundFahrenheit", Q::Entropy, "Btu/(lb °F)", 4.1868, 1.0},
    {"FootPerSecond", Q::SpeedOfSound, "ft/s", 0.3048, 1.0},
    {"BtuPerHourFootFahrenheit", Q::Conductivity, "Btu/(h ft °F)", 1.730734666371391, 1.0},
    {"Centipoise", Q::Viscosity, "cP", 1000.0, 1.0},
    {"PoundPerFootHour", Q::Viscosity, "lb/(ft h)", 413.3788732137649, 1.0},
    {"FahrenheitPerPsi", Q::JouleThomson, "°F/psi", 1.0 / (1.8 * 6.894757293168e-3), 1.0},
    {"PerPsi", Q::Compressibility, "1/psi", 1.0 / 6.894757293168e-3, 1.0},
    {"PerFahrenheit", Q::Expansion, "1/°F", 1.8, 1.0},
    {"SquareFootPerHour", Q::KinematicViscosity, "ft2/h", 0.3048 * 0.3048 / 3600.0 * 1e6, 1.0},
    {"PsiPerFahrenheit", Q::SaturationSlope, "psi/°F", 1.8 * 6.894757293168e-3, 1.0},
    {"PoundForcePerFoot", Q::SurfaceTension, "lbf/ft", 14593.902937206364, 1.0},
};

class KnownConversions : public ::testing::TestWithParam<Known> {};

TEST_P(KnownConversions, AgreeBothWays) {
    const Known& k = GetParam();
    Units units;
    const Unit* unit = UnitNamed(DimensionOf(QuantityOf(k.quantity)), QString::fromUtf8(k.unit));
    ASSERT_NE(unit, nullptr);
    ASSERT_TRUE(units.choose(k.quantity, *unit));
    EXPECT_NEAR(units.shown(k.quantity, k.library), k.shown, 1e-13 * std::fabs(k.shown));
    EXPECT_NEAR(units.library(k.quantity, k.shown), k.library, 1e-13 * std::fabs(k.library));
}

INSTANTIATE_TEST_SUITE_P(Units, KnownConversions, ::testing::ValuesIn(kKnown), testing::ByName());

// Every unit of every quantity gives back the library's value it showed, to the rounding of
// an offset such as 459.67 °F.
TEST(Units, EveryUnitRoundTrips) {
    for (const Quantity& q : Quantities()) {
        for (const Unit& unit : UnitsOf(DimensionOf(q))) {
            Units units(UnitSystem::SI, 0.1);
            ASSERT_TRUE(units.choose(q.id, unit));
            for (const double value : {0.0123, 1.0, 300.0, 4321.5}) {
                const double back = units.library(q.id, units.shown(q.id, value));
                EXPECT_NEAR(back, value, 2e-13 * std::max(1.0, value))
                    << q.column << " " << unit.name;
            }
        }
    }
}

TEST(Units, SystemsGiveEachQuantityAUnitOfItsDimension) {
    EXPECT_TRUE(Units().isLibrarys());
    for (const Quantity& q : Quantities())
        EXPECT_EQ(Units().nameOf(q.id), QString::fromUtf8(q.unit));
    const Units barC(UnitSystem::BarCelsius), us(UnitSystem::US);
    EXPECT_FALSE(us.isLibrarys());
    EXPECT_EQ(barC.nameOf(Q::Pressure), "bar");
    EXPECT_EQ(barC.nameOf(Q::SaturationTemperature), "°C");
    EXPECT_EQ(barC.nameOf(Q::JouleThomson), "K/bar");
    EXPECT_EQ(us.nameOf(Q::Enthalpy), "Btu/lb");
    EXPECT_EQ(us.nameOf(Q::Cp), "Btu/(lb °F)");
    EXPECT_EQ(us.nameOf(Q::Ratio), "");
    for (const Quantity& q : Quantities())
        EXPECT_EQ(us.unitOf(q.id).dimension, DimensionOf(q)) << q.column;
    Units chosen;
    EXPECT_FALSE(chosen.choose(Q::Enthalpy, *UnitNamed(Dimension::Pressure, "bar")));
}

TEST(Units, GaugePressureIsFromTheBarometricPressure) {
    Units atSeaLevel, upTheHill(UnitSystem::SI, 0.09);
    for (Units* units : {&atSeaLevel, &upTheHill})
        ASSERT_TRUE(units->choose(Q::Pressure, *UnitNamed(Dimension::Pressure, "bar(g)")));
    EXPECT_NEAR(atSeaLevel.shown(Q::Pressure, 0.101325), 0.0, 1e-15);
    EXPECT_NEAR(atSeaLevel.library(Q::Pressure, 9.0), 1.001325, 1e-15);
    EXPECT_NEAR(upTheHill.shown(Q::Pressure, 1.0), 9.1, 1e-14);
    ASSERT_TRUE(atSeaLevel.choose(Q::Pressure, *UnitNamed(Dimension::Pressure, "psig")));
    EXPECT_NEAR(atSeaLevel.shown(Q::Pressure, 0.101325 + 6.894757293168e-3), 1.0, 1e-13);
}

TEST(Units, NamesAsTyped) {
    const struct {
        Dimension dimension;
        const char* typed;
        const char* unit;  // nullptr: none
    } names[] = {
        {Dimension::Temperature, "C", "°C"},       {Dimension::Temperature, "degF", "°F"},
        {Dimension::Temperature, "°C", "°C"},      {Dimension::Viscosity, "uPa s", "µPa s"},
        {Dimension::Viscosity, "mPas", "mPa s"},   {Dimension::Pressure, "psig", "psig"},
        {Dimension::Pressure, "furlong", nullptr}, {Dimension::Pressure, "C", nullptr}};
    for (const auto& n : names) {
        const Unit* unit = UnitNamed(n.dimension, QString::fromUtf8(n.typed));
        EXPECT_EQ(std::string(unit ? unit->name : "none"), std::string(n.unit ? n.unit : "none"))
            << n.typed;
    }
    EXPECT_EQ(SystemNamed("bar-c"), UnitSystem::BarCelsius);
    EXPECT_EQ(SystemNamed("imperial"), std::nullopt);
}

}  // namespace
}  // namespace vapomet
