// The windows in use: start-up, notes, copying and accessible names, help and About, System
// Info, and the end. Presses, message boxes and moving between the pages are the long run's.
#include <QAccessible>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <ctime>

#include "driver/plan.h"
#include "tests/ui/window_support.h"

using namespace vapomet;
using namespace vapomet::uitest;

class WindowsTest : public QObject {
    Q_OBJECT
    QStringList shown_;  // each window of the program as it is first shown or hidden

  public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const auto* widget = qobject_cast<QWidget*>(watched);
        const QString entry = (event->type() == QEvent::Show ? "show " : "hide ") +
                              (widget != nullptr ? widget->objectName() : QString());
        if (widget != nullptr && widget->isWindow() && !widget->objectName().isEmpty() &&
            (event->type() == QEvent::Show || event->type() == QEvent::Hide) &&
            !shown_.contains(entry))
            shown_.append(entry);
        return false;
    }

  private slots:
    // Start-up: the splash for at least two seconds without spinning, the windows in their
    // order, page 1 in front, every window showing its page's load texts in the user's
    // convention.
    void startUpInOrder() {
        QApplication::setQuitOnLastWindowClosed(false);
        qApp->installEventFilter(this);
        MessageRecorder recorder;
        ui::Module1 program(English());
        program.setMessageSink(&recorder);
        qint64 splashGoneAt = -1;
        bool mainLoadedHidden = false;
        QElapsedTimer clock;
        connect(&program, &ui::Module1::splashUnloaded, this, [&] {
            splashGoneAt = clock.elapsed();
            mainLoadedHidden = program.frmMain() != nullptr && !program.frmMain()->isVisible();
        });
        const std::clock_t processor = std::clock();  // this process's processor time
        clock.start();
        program.startUp();
        qApp->removeEventFilter(this);
        QVERIFY2(splashGoneAt >= 2000 && mainLoadedHidden,
                 qPrintable(QString::number(splashGoneAt)));
        // A waiting loop that spun would use about as much processor time as wall time.
        QVERIFY(std::clock() - processor < CLOCKS_PER_SEC / 4000 * clock.elapsed());
        QCOMPARE(shown_, (QStringList{"show frmSplash", "hide frmSplash", "show Steam3",
                                      "show Steam2", "show frmMain"}));
        QCOMPARE(QApplication::activeWindow(), program.frmMain());
        QVERIFY(program.frmSplash() == nullptr && recorder.messages.isEmpty());
    }

    // The pages say where they use the region-1 and region-2 equations beyond their range, and
    // stop saying it with the next press.
    void beyondTheRegionsIsNoted() {
        StartedProgram program;
        const auto noted = [](QWidget* window, const char* label) {
            return window->findChild<QLabel*>(label)->toolTip().contains("beyond the range");
        };
        for (const auto& [p, t, page1, page3] :
             {std::tuple{"30", "630", true, true}, std::tuple{"16", "640", true, false},
              std::tuple{"1", "300", false, false}, std::tuple{"30", "630", true, true}}) {
            Press(program, p, t);
            QCOMPARE(noted(program->frmMain(), "Label3"), page1);
            QCOMPARE(noted(program->frmMain(), "Label8"), page1);
            QCOMPARE(noted(program->steam3(), "Label1_13"), page3);
        }
    }

    // Ctrl+C copies the page in front, Ctrl+Shift+C all pages, and with a slot's text selected
    // that text; screen readers hear what each box and slot is.
    void copyingAndAccessibleNames() {
        StartedProgram program;
        Press(program, "1", "300");
        QClipboard* clipboard = QGuiApplication::clipboard();
        QStringList pages;
        for (int page = 1; page <= kPageCount; ++page) {
            ui::ShowInFront(program.window(page));
            QVERIFY(QTest::qWaitForWindowActive(program.window(page)));
            QTest::keyClick(program.window(page), Qt::Key_C, Qt::ControlModifier);
            pages.append(clipboard->text());
            QCOMPARE(pages.last(), PageText(program->pages(), page));
        }
        QVERIFY(pages[0].contains("\nT\t300.0000\tK\n") &&
                pages[0].contains("h'(kJ/kg)\t112.5750\tkJ/kg\n"));
        QTest::keyClick(program->steam3(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(clipboard->text(), pages.join('\n'));
        program->steam3()->valueSlots().slot(4)->setFocus();
        program->steam3()->valueSlots().slot(4)->setSelection(0, 3);
        QTest::keyClick(program->steam3(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboard->text(), QStringLiteral("113"));
        // "Copy page" in the context menu copies the page even while a value is selected.
        ui::FitLabel* enthalpy = program->steam3()->valueSlots().slot(4);
        QTimer::singleShot(50, [] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                auto* menu = qobject_cast<QMenu*>(widget);
                if (menu == nullptr || !menu->isVisible()) continue;
                for (QAction* action : menu->actions())
                    if (action->text() == "Copy page") action->trigger();
                menu->close();
            }
        });
        emit enthalpy->customContextMenuRequested(QPoint(2, 2));
        QCOMPARE(clipboard->text(), pages[2]);
        // A double click selects the whole value; a click on the page's background ends the
        // selection.
        QTest::mouseDClick(enthalpy, Qt::LeftButton, Qt::NoModifier, enthalpy->rect().center());
        QCOMPARE(enthalpy->selectedText(), enthalpy->text());
        QCOMPARE(enthalpy->text(), QStringLiteral("113.4923"));
        QTest::mouseClick(program->steam3(), Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
        QVERIFY(!enthalpy->hasSelectedText());

        const auto name = [](QWidget* widget) {
            return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
        };
        QCOMPARE(name(program->frmMain()->Text1) + '|' + name(program->frmMain()->Text2),
                 QStringLiteral("Pressure, MPa|Temperature, K"));
        QCOMPARE(name(program->frmMain()->valueSlots().slot(22)),
                 "Saturated liquid enthalpy, kJ/kg");
        for (int page = 1; page <= kPageCount; ++page)
            for (int slot = 0; slot < SlotCount(page); ++slot)
                QCOMPARE(name(program.page(page)->valueSlots().slot(slot)),
                         SlotDescription(page, slot));
    }

    // The menu item chosen twice gives one window, OK its default button, no minimize or
    // maximize; Enter and Esc close and unload it and leave page 1 active.
    void helpAndAbout() {
        for (const auto& [about, key] :
             {std::pair{false, Qt::Key_Return}, std::pair{false, Qt::Key_Escape},
              std::pair{true, Qt::Key_Return}, std::pair{true, Qt::Key_Escape}}) {
            StartedProgram program;
            QAction* item = about ? program->frmMain()->Abt : program->frmMain()->Usage;
            const auto current = [&]() -> ui::OkWindow* {
                return about ? static_cast<ui::OkWindow*>(program->frmAbout()) : program->frmHelp();
            };
            item->trigger();
            ui::OkWindow* first = current();
            item->trigger();
            QCOMPARE(current(), first);
            QTRY_COMPARE(QApplication::activeWindow(), first);
            QVERIFY(first->cmdOK->isDefault());
            QVERIFY(!(first->windowFlags() &
                      (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
            QTest::keyClick(first, key);
            FlushDeletes();
            QCOMPARE(CountWidgets(about ? "frmAbout" : "frmHelp"), 0);
            QVERIFY(current() == nullptr && QTest::qWaitForWindowActive(program->frmMain()));
        }
    }

    // Page 1 in the middle of the screen, pages 2 and 3 a step up and to the left in turn, so
    // that none hides another whole; a page closed and opened again comes back where it was.
    void pagesOpenWhereTheProgramPlacesThem() {
        StartedProgram program;
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        const QPoint main = program.window(1)->pos();
        const QPoint second = program.window(2)->pos(), third = program.window(3)->pos();
        // (The offscreen screen is narrow: a step to the left may stop at its edge.)
        QVERIFY(third.x() <= second.x() && second.x() <= main.x());
        QVERIFY(third.y() < second.y() && second.y() < main.y());
        QCOMPARE(main.y() - second.y(), 48);
        for (int page = 1; page <= kPageCount; ++page)
            QVERIFY(screen.contains(program.window(page)->geometry()));
        program.window(3)->move(main + QPoint(-10, 20));
        QVERIFY(program.window(3)->close());
        FlushDeletes();
        QVERIFY(program->steam3() == nullptr);
        program->showSteam3();
        QCOMPARE(program.window(3)->pos(), main + QPoint(-10, 20));
        // A place off the screen is brought back onto it.
        program.window(2)->move(screen.bottomRight());
        QVERIFY(program.window(2)->close());
        FlushDeletes();
        program->showSteam2();
        QVERIFY(screen.contains(program.window(2)->geometry()));
    }

    // F10 gives the menu the keyboard, on its first entry, as a lone Alt does; Escape leaves.
    void menuFromTheKeyboard() {
        StartedProgram program;
        ui::FrmMain* main = program->frmMain();
        QVERIFY(QTest::qWaitForWindowActive(main));
        QTest::keyClick(main, Qt::Key_F10);
        QCOMPARE(main->menuBar()->activeAction(), main->Exit);
        QVERIFY(main->menuBar()->hasFocus());
        QTest::keyClick(main->menuBar(), Qt::Key_Escape);
        QTRY_VERIFY(!main->menuBar()->hasFocus());
    }

    // "System Info..." (Alt+S) where there is no registry, as on every Linux desktop: the one
    // message, and About stays open.
    void systemInfo() {
        StartedProgram program;
        program->showAbout();
        QCOMPARE(QKeySequence::mnemonic(program->frmAbout()->cmdSysInfo->text()),
                 QKeySequence("Alt+S"));
        QTest::mouseClick(program->frmAbout()->cmdSysInfo, Qt::LeftButton);
        QCOMPARE(program.recorder.messages, QStringList{ui::kSysInfoUnavailable});
        QVERIFY(program->frmAbout() != nullptr);
        // With the real message box: once it is answered, About is active again, so that the
        // next Return acts on About, not on page 1.
        program->setMessageSink(nullptr);
        QVERIFY(QTest::qWaitForWindowActive(program->frmAbout()));
        QString shown;
        QTimer::singleShot(0, [&shown] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) return;
            shown = box->text();
            box->accept();
        });
        program->frmAbout()->cmdSysInfo->click();
        QCOMPARE(shown, ui::kSysInfoUnavailable);
        QTRY_COMPARE(QApplication::activeWindow(), program->frmAbout());
    }

    // Exit in the menu and a close request on page 1 unload the pages, help and About, then end
    // the program.
    void exitEndsEverything() {
        for (const bool byCloseRequest : {false, true}) {
            StartedProgram program;
            program->showHelp();
            program->showAbout();
            byCloseRequest ? (void)program->frmMain()->close()
                           : program->frmMain()->Exit->trigger();
            QCOMPARE(program.ends, 1);
            FlushDeletes();
            for (const char* name : {"frmMain", "Steam2", "Steam3", "frmHelp", "frmAbout"})
                QVERIFY2(CountWidgets(name) == 0, name);
        }
    }
};

QTEST_MAIN(WindowsTest)
#include "windows_test.moc"
