#include "ui/preference_menus.h"

#include <QActionGroup>
#include <QInputDialog>

namespace vapomet::ui {

namespace {

// A checkable action of a menu that changes the preferences, checked while `isChosen` holds.
QAction* Choice(QMenu* menu, QActionGroup* group, const QString& text, PreferenceStore& store,
                std::function<bool(const Preferences&)> isChosen,
                std::function<void(Preferences&)> choose) {
    auto* action = menu->addAction(text);
    action->setCheckable(true);
    if (group != nullptr) group->addAction(action);
    const auto follow = [action, &store, isChosen] { action->setChecked(isChosen(store.value())); };
    follow();
    QObject::connect(&store, &PreferenceStore::changed, action, follow);
    QObject::connect(action, &QAction::triggered, action, [&store, choose, follow] {
        Preferences preferences = store.value();
        choose(preferences);
        store.set(preferences);
        follow();
    });
    return action;
}

// One checkable action for each value of a preference, of which the one chosen is checked.
template <typename T>
void OneOf(QMenu* menu, PreferenceStore& store, T Preferences::*member,
           std::initializer_list<std::pair<T, const char*>> values) {
    auto* group = new QActionGroup(menu);
    for (const auto& [value, text] : values) {
        Choice(
            menu, group, QString::fromUtf8(text), store,
            [member, value = value](const Preferences& p) { return p.*member == value; },
            [member, value = value](Preferences& p) { p.*member = value; });
    }
}

}  // namespace

QMenu* AddUnitsMenu(QMenuBar* bar, PreferenceStore& store) {
    QMenu* menu = bar->addMenu(QStringLiteral("&Units"));
    menu->setObjectName(QStringLiteral("unitsMenu"));
    OneOf(menu, store, &Preferences::system,
          {{UnitSystem::SI, "&SI: MPa, K, kJ/kg"},
           {UnitSystem::BarCelsius, "&bar and °C"},
           {UnitSystem::US, "&US customary: psia, °F, Btu/lb"}});
    menu->addSeparator();
    Choice(
        menu, nullptr, QStringLiteral("&Gauge pressure"), store,
        [](const Preferences& p) { return p.gauge; }, [](Preferences& p) { p.gauge = !p.gauge; });
    QAction* barometric = menu->addAction(QStringLiteral("Barometric &pressure..."));
    QObject::connect(barometric, &QAction::triggered, menu, [menu, &store] {
        bool ok = false;
        Preferences preferences = store.value();
        const double kPa =
            QInputDialog::getDouble(menu->window(), QStringLiteral("Barometric pressure"),
                                    QStringLiteral("Barometric pressure of gauge pressures, kPa:"),
                                    preferences.barometric * 1000.0, 1.0, 200.0, 3, &ok);
        if (!ok) return;
        preferences.barometric = kPa / 1000.0;
        store.set(preferences);
    });
    return menu;
}

QMenu* AddTransportMenu(QMenuBar* bar, PreferenceStore& store) {
    QMenu* menu = bar->addMenu(QStringLiteral("&Transport"));
    menu->setObjectName(QStringLiteral("transportMenu"));
    OneOf(menu, store, &Preferences::transport,
          {{TransportRelease::Iaps1985, "IAPS &1985 equations, as on the pages"},
           {TransportRelease::Iapws2008, "IAPWS &2008 viscosity, 2011 conductivity"}});
    return menu;
}

}  // namespace vapomet::ui
