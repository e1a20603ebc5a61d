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

}  // namespace

QMenu* AddUnitsMenu(QMenuBar* bar, PreferenceStore& store) {
    QMenu* menu = bar->addMenu(QStringLiteral("&Units"));
    menu->setObjectName(QStringLiteral("unitsMenu"));
    auto* systems = new QActionGroup(menu);
    const struct {
        UnitSystem system;
        const char* text;
    } choices[] = {{UnitSystem::SI, "&SI: MPa, K, kJ/kg"},
                   {UnitSystem::BarCelsius, "&bar and °C"},
                   {UnitSystem::US, "&US customary: psia, °F, Btu/lb"}};
    for (const auto& c : choices) {
        Choice(
            menu, systems, QString::fromUtf8(c.text), store,
            [system = c.system](const Preferences& p) { return p.system == system; },
            [system = c.system](Preferences& p) { p.system = system; });
    }
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
    auto* releases = new QActionGroup(menu);
    const struct {
        TransportRelease release;
        const char* text;
    } choices[] = {{TransportRelease::Iaps1985, "IAPS &1985 equations, as on the pages"},
                   {TransportRelease::Iapws2008, "IAPWS &2008 viscosity, 2011 conductivity"}};
    for (const auto& c : choices) {
        Choice(
            menu, releases, QString::fromUtf8(c.text), store,
            [release = c.release](const Preferences& p) { return p.transport == release; },
            [release = c.release](Preferences& p) { p.transport = release; });
    }
    return menu;
}

}  // namespace vapomet::ui
