#include "driver/messages.h"

#include "property/property.h"

namespace vapomet {

QStringList FaultMessages(const std::exception& fault) {
    if (dynamic_cast<const ConvergenceFailure*>(&fault) != nullptr)
        return {kFailedToConverge, kComputationError};
    return {kComputationError};
}

QString MessageOf(const std::exception& failure) {
    const auto* error = dynamic_cast<const PropertyError*>(&failure);
    return QString::fromStdString(error != nullptr ? error->reason() : failure.what());
}

}  // namespace vapomet
