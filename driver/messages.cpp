#include "driver/messages.h"

#include "property/property.h"

namespace vapomet {

QStringList FaultMessages(const std::exception& fault) {
    if (dynamic_cast<const ConvergenceFailure*>(&fault) != nullptr)
        return {kFailedToConverge, kComputationError};
    return {kComputationError};
}

QString MessageOf(const std::exception& failure) {
    const std::string what = failure.what();
    const auto* error = dynamic_cast<const PropertyError*>(&failure);
    const std::string prefix = error != nullptr ? error->routine() + ": " : std::string();
    return QString::fromStdString(
        !prefix.empty() && what.rfind(prefix, 0) == 0 ? what.substr(prefix.size()) : what);
}

}  // namespace vapomet
