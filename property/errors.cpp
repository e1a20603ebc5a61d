// The exceptions that end a property routine.
#include <utility>

#include "property/fault.h"
#include "property/property.h"

namespace vapomet {

PropertyError::PropertyError(std::string routine, const std::string& what)
    : std::runtime_error(routine + ": " + what), routine_(std::move(routine)) {}

FloatingPointFault::FloatingPointFault(std::string routine, std::string fault)
    : PropertyError(std::move(routine), fault), fault_(std::move(fault)) {}

ConvergenceFailure::ConvergenceFailure(std::string routine, const std::string& why)
    : PropertyError(std::move(routine), "failed to converge: " + why) {}

FaultCheck::FaultCheck(const char* what) noexcept : what_(what) {
    detail::ClearFaultFlags();
}

std::string PropertyError::reason() const {
    const std::string what = this->what(), prefix = routine_ + ": ";
    return what.rfind(prefix, 0) == 0 ? what.substr(prefix.size()) : what;
}

double FaultCheck::check(double value) const {
    return detail::FaultScope::Check(what_, value);
}

}  // namespace vapomet
