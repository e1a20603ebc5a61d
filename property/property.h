// The properties of water and steam after IAPWS-IF97 (1997 release), with the IAPS 1985
// viscosity equation and the industrial thermal-conductivity equation.
//
// Units everywhere: P in MPa, T in K, density in kg/m3, v in m3/kg, h and u in kJ/kg,
// s, cp and cv in kJ/(kg K), w in m/s, viscosity in micro-pascal seconds, conductivity in W/(m K).
//
// Every routine is a pure function of its inputs and of the coefficient tables, which hold the
// published values from the start. No routine checks that its state lies in the
// region it describes: that choice is the caller's. A floating-point fault in any step (invalid
// operation, division by zero, overflow, a failed root, logarithm or fractional power) ends the
// routine with FloatingPointFault; it never returns NaN or infinity. R3rho ends with
// ConvergenceFailure where no region-3 density meets its tolerance.
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace vapomet {

// ---- Faults ---------------------------------------------------------------------------------

// Base of every failure of a property routine; what() names the routine and the fault.
class PropertyError : public std::runtime_error {
  public:
    PropertyError(std::string routine, const std::string& what);
    const std::string& routine() const noexcept { return routine_; }
    // what() without the routine's name in front of it: what a user is told.
    std::string reason() const;

  private:
    std::string routine_;
};

// Invalid operation, division by zero or overflow in some step of the routine.
class FloatingPointFault : public PropertyError {
  public:
    FloatingPointFault(std::string routine, std::string fault);
    const std::string& fault() const noexcept { return fault_; }

  private:
    std::string fault_;
};

// The region-3 density solver found no density that meets its tolerance.
class ConvergenceFailure : public PropertyError {
  public:
    ConvergenceFailure(std::string routine, const std::string& why);
};

// ---- Coefficient tables ---------------------------------------------------------------------

// The coefficients and exponents of every equation, as published. Tables that start at index 1
// carry the running number of the release as index; their element 0 is zero and never read.
struct CoefficientTables {
    std::array<std::int16_t, 35> R1I{}, R1J{};  // region 1, Table 2
    std::array<double, 35> R1n{};
    std::array<std::int16_t, 10> R2J0{};  // region 2 ideal-gas part, Table 10
    std::array<double, 10> R2n0{};
    std::array<std::int16_t, 44> R2I{}, R2J{};  // region 2 residual part, Table 11
    std::array<double, 44> R2n{};
    std::array<double, 10> R2mn0{};  // metastable vapour, ideal-gas part: Table 10, eq. (19)
    std::array<std::int16_t, 14> R2mI{}, R2mJ{};  // metastable vapour, residual part, Table 16
    std::array<double, 14> R2mn{};
    std::array<std::int16_t, 41> R3I{}, R3J{};  // region 3, Table 30 (entry 1: the ln-delta term)
    std::array<double, 41> R3n{};
    std::array<double, 11> R4n{};        // saturation line, Table 34
    std::array<double, 5> B23n{};        // B23 line, Table 1: index k holds n_(k+1)
    std::array<std::int16_t, 7> R5J0{};  // region 5 ideal-gas part, 1997 release
    std::array<double, 7> R5n0{};
    std::array<std::int16_t, 6> R5I{}, R5J{};  // region 5 residual part, 1997 release
    std::array<double, 6> R5n{};
    std::array<double, 4> VisH0{};                // viscosity, dilute gas H_0..H_3
    std::array<std::array<double, 8>, 7> VisH{};  // viscosity, residual H_ij at [i][j]
    std::array<double, 4> CondA{};                // conductivity a_0..a_3
    std::array<double, 3> CondB{};                // conductivity b_0..b_2
    std::array<double, 7> CondC{};                // conductivity C_1..C_6
    std::array<double, 5> CondD{};                // conductivity d_1..d_4
};

// The tables the routines read, holding the published values from the start.
const CoefficientTables& Tables() noexcept;

// Writes every published value into the tables again, as every press of Calculate does.
void FillCoefficientTables() noexcept;

// ---- Saturation line and B23 boundary -------------------------------------------------------

double Satpr(const double& T);  // saturation pressure at T
double Sattr(const double& P);  // saturation temperature at P
double b23(const double& T);    // pressure on the region 2-3 boundary at T
double b32(const double& P);    // temperature on the region 2-3 boundary at P

// ---- Region 1 (liquid), Region 2 (vapour), Region 5 (high-temperature steam): (P, T) --------

double R1v(const double& P, const double& T);
double R1h(const double& P, const double& T);
double R1s(const double& P, const double& T);
double R1u(const double& P, const double& T);
double R1cp(const double& P, const double& T);
double R1cv(const double& P, const double& T);
double R1w(const double& P, const double& T);

double R2v(const double& P, const double& T);
double R2h(const double& P, const double& T);
double R2s(const double& P, const double& T);
double R2u(const double& P, const double& T);
double R2cp(const double& P, const double& T);
double R2cv(const double& P, const double& T);
double R2w(const double& P, const double& T);

double R5v(const double& P, const double& T);
double R5h(const double& P, const double& T);
double R5s(const double& P, const double& T);
double R5u(const double& P, const double& T);
double R5cp(const double& P, const double& T);
double R5cv(const double& P, const double& T);
double R5w(const double& P, const double& T);

// ---- Every property of one state at once -----------------------------------------------------

// For tables of many states: one call gives what the region's single routines give (and for
// region 3 the density of R3rho with them), each power of the reduced variables formed once by
// multiplication and every derivative sum taken in one pass. The results equal the single
// routines' to within 1e-13 relative. Throws where any of the state's single routines would.
struct StateProperties {
    double rho;                    // kg/m3
    double v, h, u, s, cp, cv, w;  // as the single routines
};

StateProperties R1State(const double& P, const double& T);
StateProperties R2State(const double& P, const double& T);
StateProperties R5State(const double& P, const double& T);
StateProperties R3State(const double& P, const double& T);

// ---- Region 3 (dense fluid near the critical point) -----------------------------------------

// Density whose region-3 pressure is P at T. Above 647.096 K the root is unique; just below it,
// where the isotherm loops, the vapour-like root is taken for P < Satpr(T), the liquid-like one
// otherwise, and the other one where the chosen branch has none.
double R3rho(const double& P, const double& T);

// Properties at (density, T).
double R3h(const double& rho, const double& T);
double R3s(const double& rho, const double& T);
double R3u(const double& rho, const double& T);
double R3cp(const double& rho, const double& T);
double R3cv(const double& rho, const double& T);
double R3w(const double& rho, const double& T);

// ---- Transport: (P, T, density); P plays no part in the result ------------------------------

double Cond(const double& P, const double& T, const double& rho);  // thermal conductivity
double Vis(const double& P, const double& T, const double& rho);   // dynamic viscosity

// ---- Fault checking for callers' own arithmetic ---------------------------------------------

// Clears the floating-point fault flags on construction; check() raises FloatingPointFault,
// naming `what`, if an invalid operation, division by zero or overflow happened since, and
// otherwise returns the value it was given (which it first forces to be computed).
class FaultCheck {
  public:
    explicit FaultCheck(const char* what) noexcept;
    double check(double value) const;

  private:
    const char* what_;
};

}  // namespace vapomet
