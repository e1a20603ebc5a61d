// What a user chose for the tool windows, kept between runs: the units of the state window and
// the diagram, gauge or absolute pressure with its barometric pressure, and the release of the
// state window's transport values. The pages have no choices: MPa, K and the 1985 equations.
#pragma once

#include <QObject>

#include "driver/units.h"
#include "property/state.h"

namespace vapomet {

struct Preferences {
    UnitSystem system = UnitSystem::SI;
    bool gauge = false;                       // pressures above the barometric pressure
    double barometric = kStandardAtmosphere;  // MPa
    TransportRelease transport = TransportRelease::Iaps1985;
};

// The units the preferences name: the system's, its pressures gauge where chosen (MPa(g),
// bar(g), psig).
Units UnitsOf(const Preferences& preferences);

// Read from and written to the user's settings (Vapomet/vapomet.conf in the configuration
// directory); what cannot be read keeps its default.
Preferences LoadPreferences();
void SavePreferences(const Preferences& preferences);

// The preferences of one run, shared by the windows that use them: loaded when made, saved
// and announced at every change.
class PreferenceStore : public QObject {
    Q_OBJECT
  public:
    explicit PreferenceStore(QObject* parent = nullptr);
    const Preferences& value() const { return value_; }
    Units units() const { return UnitsOf(value_); }
    void set(const Preferences& preferences);

  signals:
    void changed();

  private:
    Preferences value_;
};

}  // namespace vapomet
