#include "driver/preferences.h"

#include <QSettings>

namespace vapomet {

namespace {

QSettings Store() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Vapomet"),
                     QStringLiteral("vapomet"));
}

const char* GaugeUnit(UnitSystem system) {
    switch (system) {
        case UnitSystem::SI: return "MPa(g)";
        case UnitSystem::BarCelsius: return "bar(g)";
        case UnitSystem::US: return "psig";
    }
    return "MPa(g)";
}

}  // namespace

Units UnitsOf(const Preferences& preferences) {
    Units units(preferences.system, preferences.barometric);
    if (preferences.gauge) {
        const Unit& gauge =
            *UnitNamed(Dimension::Pressure, QString::fromLatin1(GaugeUnit(preferences.system)));
        for (const Quantity& q : Quantities())
            if (DimensionOf(q) == Dimension::Pressure) units.choose(q.id, gauge);
    }
    return units;
}

Preferences LoadPreferences() {
    QSettings store = Store();
    Preferences preferences;
    if (const auto system = SystemNamed(store.value(QStringLiteral("units/system")).toString()))
        preferences.system = *system;
    preferences.gauge = store.value(QStringLiteral("units/gauge"), false).toBool();
    bool ok = false;
    const double barometric = store.value(QStringLiteral("units/barometric")).toDouble(&ok);
    if (ok && barometric > 0.0 && barometric < 1.0) preferences.barometric = barometric;
    if (store.value(QStringLiteral("transport/release")).toString() == QStringLiteral("2008"))
        preferences.transport = TransportRelease::Iapws2008;
    return preferences;
}

void SavePreferences(const Preferences& preferences) {
    QSettings store = Store();
    store.setValue(QStringLiteral("units/system"), SystemName(preferences.system));
    store.setValue(QStringLiteral("units/gauge"), preferences.gauge);
    store.setValue(QStringLiteral("units/barometric"), preferences.barometric);
    store.setValue(QStringLiteral("transport/release"),
                   preferences.transport == TransportRelease::Iapws2008 ? QStringLiteral("2008")
                                                                        : QStringLiteral("1985"));
}

PreferenceStore::PreferenceStore(QObject* parent) : QObject(parent), value_(LoadPreferences()) {}

void PreferenceStore::set(const Preferences& preferences) {
    value_ = preferences;
    SavePreferences(value_);
    emit changed();
}

}  // namespace vapomet
