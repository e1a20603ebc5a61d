// The verification report of vapomet-cli --verify: every published value the program carries
// beside the value it computes, with their relative difference and a verdict, table by table,
// and a last line that sums them up.
#pragma once

#include <cstdio>
#include <span>

#include "property/published.h"

namespace vapomet {

// Writes the report of `values`; 0 when every value agrees, 1 when any differs or fails.
int WriteVerification(std::span<const PublishedValue> values, std::FILE* out);

}  // namespace vapomet
