#include "driver/verification.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "property/property.h"

namespace vapomet {

int WriteVerification(std::span<const PublishedValue> values, std::FILE* out) {
    std::size_t differing = 0;
    std::fprintf(out, "  %-58s %-16s %-22s %-9s %s\n", "value", "published", "computed",
                 "rel. diff", "verdict");
    std::string table;
    for (const PublishedValue& value : values) {
        if (value.table != table) {
            table = value.table;
            std::fprintf(out, "\n%s\n", table.c_str());
        }
        std::string verdict;
        try {
            const double computed = value.compute();
            const double difference = std::fabs(computed - value.published) /
                                      std::max(std::fabs(value.published), 1e-300);
            const bool agrees = RoundsTo(computed, value.published, value.digits);
            std::fprintf(out, "  %-58s %-16.*g %-22.17g %-9.1e %s\n", value.what.c_str(),
                         value.digits, value.published, computed, difference,
                         agrees ? "agrees" : "DIFFERS");
            if (!agrees) ++differing;
        } catch (const PropertyError& error) {
            std::fprintf(out, "  %-58s %-16.*g FAILS: %s\n", value.what.c_str(), value.digits,
                         value.published, error.what());
            ++differing;
        }
    }
    if (differing == 0)
        std::fprintf(out, "\nAll %zu published values agree, each to its printed digits.\n",
                     values.size());
    else
        std::fprintf(out, "\n%zu of %zu published values do not agree.\n", differing,
                     values.size());
    return differing == 0 ? 0 : 1;
}

}  // namespace vapomet
