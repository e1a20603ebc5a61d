#include <property/property.h>
#include <property/state.h>

#include <cstdio>

int main() {
    std::printf("Psat(373.15 K)  = %.9e MPa\n", vapomet::Satpr(373.15));
    std::printf("Psat(300 K)     = %.9e MPa\n", vapomet::Satpr(300.0));
    std::printf("Tsat(0.1 MPa)   = %.9e K\n", vapomet::Sattr(0.1));
    const double h = vapomet::R1h(3.0, 300.0);
    std::printf("h(3 MPa, 300 K) = %.9e kJ/kg\n", h);
    // The state of that pressure and enthalpy: the same 300 K, to the last digits.
    const vapomet::State state =
        vapomet::StatesFrom(vapomet::Variable::P, 3.0, vapomet::Variable::h, h).front();
    std::printf("T(3 MPa, h)     = %.15e K\n", state.T);
}
