/* Vapomet's C interface: states of water and steam after IAPWS-IF97 from any two of their
 * properties, and the saturated liquid and vapour, with the IAPS 1985 viscosity and thermal
 * conductivity of a single phase.
 *
 * Units: P in MPa, T in K, rho in kg/m3, v in m3/kg, h and u in kJ/kg, s, cp and cv in
 * kJ/(kg K), w in m/s, viscosity in µPa s, conductivity in W/(m K); the quality x from 0 to 1.
 *
 * Every call returns VAPOMET_OK (0) or a negative code, and on a failure writes its message (as
 * vapomet-cli says it), cut to fit and always terminated, into the caller's buffer (none where the
 * buffer is null or of size 0). Nothing is thrown across the interface, nothing is kept between
 * calls, and every call may be made from several threads at once. */
#ifndef VAPOMET_VAPOMET_H
#define VAPOMET_VAPOMET_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

enum {
    VAPOMET_OK = 0,
    VAPOMET_OUT_OF_DOMAIN = -1, /* a value outside the formulation's domain */
    VAPOMET_NO_STATE = -2,      /* values of the domain that no state has together */
    VAPOMET_NOT_CONVERGED = -3, /* a search that did not settle */
    VAPOMET_FAULT = -4,         /* a floating-point fault in the equations */
    VAPOMET_BAD_ARGUMENT = -5   /* a pair that is not offered, a null pointer */
};

typedef enum vapomet_variable {
    VAPOMET_P,
    VAPOMET_T,
    VAPOMET_V,
    VAPOMET_H,
    VAPOMET_U,
    VAPOMET_S,
    VAPOMET_X
} vapomet_variable;

/* A state. For wet steam (region 4) cp, cv, w, viscosity and conductivity are NaN; for a single
 * phase x is NaN. metastable is 1 for vapour by the metastable-vapour equation. */
typedef struct vapomet_state {
    int region; /* 1, 2, 3 or 5; 4 for wet steam */
    int metastable;
    double P, T, rho, v, h, u, s, x;
    double cp, cv, w;
    double viscosity, conductivity;
} vapomet_state;

/* The states with value a of one variable and b of another, among the pairs (P,T), (P,h),
 * (P,s), (h,s), (P,u), (P,v), (T,v), (T,s), (T,h), (u,v), (P,x), (T,x), (h,x), (s,x) in either
 * order, ordered by pressure, then temperature. Returns how many there are (1 or more) and
 * writes the first `capacity` of them to `states`; or a negative code. */
int vapomet_states_from(vapomet_variable a, double value_a, vapomet_variable b, double value_b,
                        vapomet_state* states, int capacity, char* message, size_t message_size);

/* The first of those states. Returns VAPOMET_OK or a negative code. */
int vapomet_state_from(vapomet_variable a, double value_a, vapomet_variable b, double value_b,
                       vapomet_state* state, char* message, size_t message_size);

/* Metastable vapour at (P, T), from the saturated-vapour line to the 5 % equilibrium-moisture
 * line up to 10 MPa. */
int vapomet_metastable_vapour(double P, double T, vapomet_state* state, char* message,
                              size_t message_size);

/* The saturated liquid and vapour at a temperature (273.15 K to 647.096 K) or at a pressure. */
int vapomet_saturation_at_T(double T, vapomet_state* liquid, vapomet_state* vapour, char* message,
                            size_t message_size);
int vapomet_saturation_at_P(double P, vapomet_state* liquid, vapomet_state* vapour, char* message,
                            size_t message_size);

/* "1.0.0". */
const char* vapomet_version(void);

#ifdef __cplusplus
}
#endif

#endif
