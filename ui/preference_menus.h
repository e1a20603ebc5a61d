// The menus of the tool windows' preferences: "Units" (the system, gauge pressure and the
// barometric pressure) and "Transport" (the release of viscosity and conductivity). Their
// checks follow the shared preferences, whichever window changed them.
#pragma once

#include <QMenuBar>

#include "driver/preferences.h"

namespace vapomet::ui {

QMenu* AddUnitsMenu(QMenuBar* bar, PreferenceStore& store);
QMenu* AddTransportMenu(QMenuBar* bar, PreferenceStore& store);

}  // namespace vapomet::ui
