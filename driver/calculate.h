// One press of "Calculate": fill the coefficient tables, validate the two input texts, plan the
// pages and fill them in order, each value written the moment it is computed. Every message of
// the run goes to the MessageSink; after a message the run ends.
#pragma once

#include <QString>
#include <optional>

#include "driver/messages.h"
#include "driver/pages.h"
#include "driver/plan.h"

namespace vapomet {

// The handler of the "Calculate" button. Returns the input box whose text validation refused,
// so that the user can correct it, or nothing when the inputs were accepted.
std::optional<Input> Calculate(const QString& pressureText, const QString& temperatureText,
                               ResultPages& pages, MessageSink& messages);

}  // namespace vapomet
