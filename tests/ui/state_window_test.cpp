// The window "State from two properties" through its controls: opened from the menu and its
// shortcut, a pair computed with Enter, a refusal beside its box, wet steam, several states,
// the history, copying, the accessible names, the units and transport chosen, and metastable
// vapour.
#include <QAccessible>
#include <QClipboard>
#include <QHeaderView>
#include <QMenu>

#include "driver/given_state.h"
#include "tests/ui/window_support.h"

using namespace vapomet;
using namespace vapomet::uitest;

namespace {

// Chooses a pair by its words, types the two values and presses Enter in the second box.
void Compute(ui::StateWindow* window, const QString& pair, const QString& a, const QString& b) {
    window->pairBox->setCurrentIndex(window->pairBox->findText(pair));
    Type(window->firstBox, a);
    Type(window->secondBox, b);
    QTest::keyClick(window->secondBox, Qt::Key_Return);
}

QStringList Headers(const QTableWidget* table) {
    QStringList headers;
    for (int column = 0; column < table->columnCount(); ++column)
        headers << table->horizontalHeaderItem(column)->text();
    return headers;
}

// Triggers the action of a window's menu by its text.
void Trigger(QWidget* window, const char* menu, const QString& text) {
    auto* found = window->findChild<QMenu*>(QString::fromLatin1(menu));
    QVERIFY(found != nullptr);
    for (QAction* action : found->actions())
        if (action->text() == text) return action->trigger();
    QFAIL(qPrintable("no action " + text));
}

// The value of a quantity in the driver's lines of a state.
QString LineValue(const State& state, const ShownAs& shown, const QString& name) {
    for (const StateLine& line : LinesOf(state, testing::English(), shown))
        if (line.name == name) return line.value;
    return QStringLiteral("(no line)");
}

QString Cell(const QTableWidget* table, const QString& quantity, int column) {
    for (int row = 0; row < table->rowCount(); ++row)
        if (table->item(row, 0)->text() == quantity) return table->item(row, column)->text();
    return QStringLiteral("(no line)");
}

}  // namespace

class StateWindowTest : public QObject {
    Q_OBJECT

  private slots:
    // Ctrl+T on page 1 opens the window in front; again, it brings the same window forward.
    void opensFromTheMenuOnce() {
        StartedProgram program;
        QVERIFY(program->frmMain()->Tools->title() == "&Tools");
        QTest::keyClick(program->frmMain(), Qt::Key_T, Qt::ControlModifier);
        ui::StateWindow* window = program->stateWindow();
        QVERIFY(window != nullptr && QTest::qWaitForWindowActive(window));
        QCOMPARE(window->windowTitle(), QString("State from two properties"));
        program->frmMain()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(program->frmMain()));
        program->frmMain()->StateTool->trigger();
        QVERIFY(QTest::qWaitForWindowActive(window));
        QCOMPARE(CountWidgets("frmState"), 1);
    }

    // Units and transport from the window's menus: the boxes' units and the states on show
    // follow at once, and the next run starts with them.
    void followsTheChosenUnitsAndTransport() {
        {
            StartedProgram program;
            program->preferences().set({});
            program->showStateWindow();
            ui::StateWindow* window = program->stateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window));
            Trigger(window, "unitsMenu", "&US customary: psia, °F, Btu/lb");
            QCOMPARE(window->firstUnit->text(), QString("psia"));
            Compute(window, "Pressure and temperature (P, T)", "150", "400");
            const State state = StateAt(150 * 6.894757293168e-3, (400 + 459.67) / 1.8);
            const ShownAs us{Units(UnitSystem::US), TransportRelease::Iaps1985};
            QCOMPARE(Cell(window->results, "Enthalpy", 1), LineValue(state, us, "Enthalpy"));
            QCOMPARE(Cell(window->results, "Pressure", 2), QString("psia"));
            Trigger(window, "transportMenu", "IAPWS &2008 viscosity, 2011 conductivity");
            const ShownAs today{Units(UnitSystem::US), TransportRelease::Iapws2008};
            QCOMPARE(Cell(window->results, "Dynamic viscosity", 1),
                     LineValue(state, today, "Dynamic viscosity"));
            QVERIFY(Cell(window->results, "Dynamic viscosity", 1) !=
                    LineValue(state, us, "Dynamic viscosity"));
        }
        StartedProgram next;
        QCOMPARE(next->preferences().value().system, UnitSystem::US);
        QCOMPARE(next->preferences().value().transport, TransportRelease::Iapws2008);
        next->preferences().set({});
    }

    // Metastable vapour on request, at a pressure and a temperature only; marked in its region.
    void givesMetastableVapour() {
        StartedProgram program;
        program->preferences().set({});
        program->showStateWindow();
        ui::StateWindow* window = program->stateWindow();
        window->pairBox->setCurrentIndex(window->pairBox->findText("Pressure and enthalpy (P, h)"));
        QVERIFY(!window->metastableBox->isEnabled());
        window->pairBox->setCurrentIndex(
            window->pairBox->findText("Pressure and temperature (P, T)"));
        QVERIFY(window->metastableBox->isEnabled());
        window->metastableBox->setChecked(true);
        Compute(window, "Pressure and temperature (P, T)", "1", "450");
        QCOMPARE(Cell(window->results, "Region", 1), QString("Region 2, metastable vapour"));
        Compute(window, "Pressure and temperature (P, T)", "1", "500");
        QVERIFY2(window->secondMessage->text().contains("superheated, not metastable"),
                 qPrintable(window->secondMessage->text()));
    }

    // The states of a pair fill the table, each with its column, and join the history.
    void computesWithEnter_data() {
        QTest::addColumn<QString>("pair");
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<QStringList>("headers");
        QTest::addColumn<QString>("region");
        QTest::newRow("steam") << "Pressure and enthalpy (P, h)"
                               << "5"
                               << "2800" << QStringList{"Quantity", "State", "Unit"}
                               << "Region 2, steam";
        QTest::newRow("wet steam")
            << "Pressure and quality (P, x)"
            << "1"
            << "0.9"
            << QStringList{"Quantity", "State", "Saturated liquid", "Saturated vapour", "Unit"}
            << "Wet steam, x = 0.9";
        QTest::newRow("two states")
            << "Pressure and specific volume (P, v)"
            << "0.1"
            << "0.00100005" << QStringList{"Quantity", "State 1", "State 2", "Unit"}
            << "Region 1, liquid water";
    }
    void computesWithEnter() {
        QFETCH(QString, pair);
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(QStringList, headers);
        QFETCH(QString, region);
        StartedProgram program;
        program->showStateWindow();
        ui::StateWindow* window = program->stateWindow();
        Compute(window, pair, a, b);
        QCOMPARE(Headers(window->results), headers);
        QCOMPARE(Cell(window->results, "Region", 1), region);
        QCOMPARE(
            window->history().size(),
            static_cast<std::size_t>(headers.count("State") + headers.filter("State ").size()));
        QCOMPARE(window->historyList->count(), static_cast<int>(window->history().size()));
        QVERIFY(window->firstMessage->text().isEmpty() && window->secondMessage->text().isEmpty());
        // What the table shows is the driver's answer for the same texts.
        const GivenAnswer answer =
            AnswerGiven(GivenPairs().at(static_cast<std::size_t>(window->pairBox->currentIndex())),
                        a, b, testing::English());
        const StateLine enthalpy = LinesOf(answer.states.back(), testing::English()).at(6);
        QCOMPARE(enthalpy.name, QString("Enthalpy"));
        QCOMPARE(Cell(window->results, "Enthalpy", headers.size() == 5 ? 1 : headers.size() - 2),
                 enthalpy.value);
    }

    // A refusal is said beside the box to correct, which has the focus with its text selected;
    // the states of the press before are no longer on show.
    void refusesBesideTheBox_data() {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<bool>("first");
        QTest::addColumn<QString>("message");
        QTest::newRow("no number") << "abc"
                                   << "2800" << true << kInvalidNumber;
        QTest::newRow("outside") << "0"
                                 << "2800" << true
                                 << "P = 0 MPa outside the formulation's range 0 < P <= 100 MPa";
        QTest::newRow("no state") << "5"
                                  << "10000" << false << "h above the largest";
    }
    void refusesBesideTheBox() {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(bool, first);
        QFETCH(QString, message);
        StartedProgram program;
        program->showStateWindow();
        ui::StateWindow* window = program->stateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        Compute(window, "Pressure and enthalpy (P, h)", "5", "2800");
        QCOMPARE(window->results->columnCount(), 3);
        Compute(window, "Pressure and enthalpy (P, h)", a, b);
        QLabel* said = first ? window->firstMessage : window->secondMessage;
        QLabel* silent = first ? window->secondMessage : window->firstMessage;
        QVERIFY2(said->text().startsWith(message), qPrintable(said->text()));
        QVERIFY(silent->text().isEmpty());
        QLineEdit* box = first ? window->firstBox : window->secondBox;
        QCOMPARE(QApplication::focusWidget(), box);
        QCOMPARE(box->selectedText(), first ? a : b);
        QCOMPARE(window->results->columnCount(), 0);
        QCOMPARE(window->history().size(), std::size_t{1});
        // Another pair: the message of the last one goes.
        Compute(window, "Pressure and temperature (P, T)", "5", "600");
        QVERIFY(said->text().isEmpty() && window->results->columnCount() == 3);
    }

    // "Copy" gives the states on show, "Copy all" the whole history, as the driver writes
    // them; a removed state leaves the history.
    void copiesAndRemoves() {
        StartedProgram program;
        program->showStateWindow();
        ui::StateWindow* window = program->stateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        Compute(window, "Temperature and quality (T, x)", "400", "0.5");
        Compute(window, "Pressure and temperature (P, T)", "1", "300");
        const QLocale english = testing::English();
        const QString wet = StateText("T = 400 K, x = 0.5", window->history()[0].state, english);
        const QString liquid =
            StateText("P = 1 MPa, T = 300 K", window->history()[1].state, english);
        QTest::keyClick(window->firstBox, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), liquid);
        QTest::mouseClick(window->copyAllButton, Qt::LeftButton);
        QCOMPARE(QGuiApplication::clipboard()->text(), wet + '\n' + liquid);
        window->historyList->setCurrentRow(0);
        QCOMPARE(Cell(window->results, "Region", 1), QString("Wet steam, x = 0.5"));
        window->historyList->setFocus();
        QTest::keyClick(window->historyList, Qt::Key_Delete);
        QCOMPARE(window->history().size(), std::size_t{1});
        QCOMPARE(window->historyList->count(), 1);
        QCOMPARE(window->results->columnCount(), 0);
        QTest::mouseClick(window->copyAllButton, Qt::LeftButton);
        QCOMPARE(QGuiApplication::clipboard()->text(), liquid);
    }

    // Every control has a name for screen readers, and so has every value of the table.
    void namesEveryControlAndValue() {
        StartedProgram program;
        program->showStateWindow();
        ui::StateWindow* window = program->stateWindow();
        Compute(window, "Pressure and enthalpy (P, h)", "5", "2800");
        QCOMPARE(window->firstBox->accessibleName(), QString("Pressure, MPa"));
        QCOMPARE(window->secondBox->accessibleName(), QString("Enthalpy, kJ/kg"));
        for (QWidget* control :
             std::initializer_list<QWidget*>{window->pairBox, window->results, window->historyList})
            QVERIFY(!control->accessibleName().isEmpty());
        for (QPushButton* button : {window->computeButton, window->removeButton, window->copyButton,
                                    window->copyAllButton})
            QVERIFY(!button->text().isEmpty());
        const QString spoken = window->results->item(6, 1)->data(Qt::AccessibleTextRole).toString();
        QVERIFY2(spoken.startsWith("State, Enthalpy: 2") && spoken.endsWith(" kJ/kg"),
                 qPrintable(spoken));
    }
};

QTEST_MAIN(StateWindowTest)
#include "state_window_test.moc"
