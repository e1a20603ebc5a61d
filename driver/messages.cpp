#include "driver/messages.h"

#include "property/property.h"

namespace vapomet {

QStringList FaultMessages(const std::exception& fault) {
    if (dynamic_cast<const ConvergenceFailure*>(&fault) != nullptr)
        return {kFailedToConverge, kComputationError};
    return {kComputationError};
}

}  // namespace vapomet
