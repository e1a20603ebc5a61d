#include <property/property.h>

#include <cstdio>

int main() {
    std::printf("Psat(373.15 K)  = %.9e MPa\n", vapomet::Satpr(373.15));
    std::printf("Psat(300 K)     = %.9e MPa\n", vapomet::Satpr(300.0));
    std::printf("Tsat(0.1 MPa)   = %.9e K\n", vapomet::Sattr(0.1));
    std::printf("h(3 MPa, 300 K) = %.9e kJ/kg\n", vapomet::R1h(3.0, 300.0));
}
