/* The C interface from C: steam after a turbine stage, and wet steam; prints them, and exits 0
 * only when each call gives what it should. */
#include <math.h>
#include <stdio.h>

#include "vapomet/vapomet.h"

int main(void) {
    char message[200];
    vapomet_state steam, wet, liquid, vapour;
    if (vapomet_state_from(VAPOMET_P, 1.0, VAPOMET_H, 3000.0, &steam, message, sizeof message) !=
        VAPOMET_OK)
        return 1;
    printf("P = %g MPa, h = %g kJ/kg: region %d, T = %.6f K, s = %.6f kJ/(kg K)\n", steam.P,
           steam.h, steam.region, steam.T, steam.s);
    if (vapomet_state_from(VAPOMET_P, 1.0, VAPOMET_X, 0.9, &wet, message, sizeof message) !=
            VAPOMET_OK ||
        wet.region != 4 || !isnan(wet.cp))
        return 1;
    if (vapomet_saturation_at_P(1.0, &liquid, &vapour, message, sizeof message) != VAPOMET_OK ||
        fabs(wet.h - (0.1 * liquid.h + 0.9 * vapour.h)) > 1e-9 * wet.h)
        return 1;
    printf("wet steam, x = 0.9: T = %.6f K, h = %.6f kJ/kg\n", wet.T, wet.h);
    if (vapomet_state_from(VAPOMET_P, 5.0, VAPOMET_H, 9000.0, &steam, message, sizeof message) !=
        VAPOMET_NO_STATE)
        return 1;
    printf("P = 5 MPa, h = 9000 kJ/kg: %s\n", message);
    printf("libvapomet %s\n", vapomet_version());
    return 0;
}
