// Moving between the pages, closing and re-opening them, writes into closed pages, the help
// and About windows, and the end of the program.
#include <QMouseEvent>
#include <QTest>

#include "tests/ui/window_support.h"

using namespace vapomet;
using namespace vapomet::uitest;

namespace {

void Press(StartedProgram& program, const QString& p, const QString& t) {
    program->frmMain()->Text1->setText(p);
    program->frmMain()->Text2->setText(t);
    QTest::mouseClick(program->frmMain()->Calbtn, Qt::LeftButton);
}

}  // namespace

class NavigationTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        QApplication::setQuitOnLastWindowClosed(false);
        ui::RegisterFontSubstitutes();
    }

    void nextPageBringsPageToFront_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<bool>("closedFirst");
        QTest::newRow("page 2 behind") << 2 << false;
        QTest::newRow("page 2 closed") << 2 << true;
        QTest::newRow("page 3 behind") << 3 << false;
        QTest::newRow("page 3 closed") << 3 << true;
    }

    // "->Next Page" shows page 2 and "Next Page ->" page 3, loaded afresh if they were
    // closed; neither button hides its own window.
    void nextPageBringsPageToFront() {
        QFETCH(int, page);
        QFETCH(bool, closedFirst);
        StartedProgram program;
        Press(program, "1", "300");
        if (closedFirst) {
            WindowOf(program, page)->close();
            FlushDeletes();
            QVERIFY(WindowOf(program, page) == nullptr);
            QCOMPARE(CountWindows(page == 2 ? "Steam2" : "Steam3"), 0);
        }
        ShowInFrontOfPage(program, page);
        QWidget* shown = WindowOf(program, page);
        QVERIFY(shown != nullptr);
        QVERIFY(shown->isVisible());
        QVERIFY(QTest::qWaitForWindowActive(shown));
        QCOMPARE(QApplication::activeWindow(), shown);
        QCOMPARE(CountWindows(page == 2 ? "Steam2" : "Steam3"), 1);
        QVERIFY(program->frmMain()->isVisible());
        if (page == 3) QVERIFY(program->steam2()->isVisible());
        if (closedFirst) {
            QCOMPARE(ShownTexts(*PageOf(program, page)), FreshTexts(page));
        } else {
            QVERIFY(!ShownTexts(*PageOf(program, page)).contains(QStringLiteral("NaN")));
        }
    }

    void writeIntoClosedPage_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("t");
        QTest::newRow("page 2, saturation") << 2 << "300";
        QTest::newRow("page 3, saturation") << 3 << "300";
        QTest::newRow("page 2, NaN fill above 647 K") << 2 << "800";
        QTest::newRow("page 3, above 647 K") << 3 << "800";
    }

    // The calculation's writes load a closed page hidden, once; it then shows all that was
    // written. (The long run checks the texts of such pages after every press.)
    void writeIntoClosedPage() {
        QFETCH(int, page);
        QFETCH(QString, t);
        StartedProgram program;
        WindowOf(program, page)->close();
        FlushDeletes();
        Press(program, "1", t);
        QWidget* window = WindowOf(program, page);
        QVERIFY(window != nullptr);
        QVERIFY(!window->isVisible());
        QCOMPARE(ShownTexts(*PageOf(program, page)), program->pages().texts(page));
        QCOMPARE(CountWindows(page == 2 ? "Steam2" : "Steam3"), 1);
        QVERIFY(program.recorder.messages.isEmpty());
    }

    void singleHelpAndAbout_data() {
        QTest::addColumn<bool>("about");
        QTest::addColumn<int>("key");
        QTest::newRow("help, Enter") << false << int(Qt::Key_Return);
        QTest::newRow("help, Esc") << false << int(Qt::Key_Escape);
        QTest::newRow("About, Enter") << true << int(Qt::Key_Return);
        QTest::newRow("About, Esc") << true << int(Qt::Key_Escape);
    }

    // Choosing the menu item twice gives one window; Enter and Esc close and unload it, and
    // the next choice opens a new one.
    void singleHelpAndAbout() {
        QFETCH(bool, about);
        QFETCH(int, key);
        StartedProgram program;
        QAction* item = about ? program->frmMain()->Abt : program->frmMain()->Usage;
        const QString name = about ? "frmAbout" : "frmHelp";
        auto current = [&]() -> QWidget* {
            return about ? static_cast<QWidget*>(program->frmAbout()) : program->frmHelp();
        };
        item->trigger();
        QWidget* first = current();
        item->trigger();
        QCOMPARE(current(), first);
        QVERIFY(first->isVisible());
        // A dialog counts as active while its owner is; wait for the window itself.
        QTRY_COMPARE(QApplication::activeWindow(), first);
        QCOMPARE(CountWindows(name, true), 1);

        QTest::keyClick(first, static_cast<Qt::Key>(key));
        FlushDeletes();
        QVERIFY(current() == nullptr);
        QCOMPARE(CountWindows(name, true), 0);
        item->trigger();
        QVERIFY(current() != nullptr);
        QVERIFY(current()->isVisible());
    }

    // The OK buttons close their windows too.
    void okButtonsClose() {
        StartedProgram program;
        program->showHelp();
        program->showAbout();
        QTest::mouseClick(program->frmHelp()->cmdOK, Qt::LeftButton);
        QTest::mouseClick(program->frmAbout()->cmdOK, Qt::LeftButton);
        FlushDeletes();
        QVERIFY(program->frmHelp() == nullptr);
        QVERIFY(program->frmAbout() == nullptr);
    }

    void exitEndsEverything_data() {
        QTest::addColumn<bool>("byCloseRequest");
        QTest::newRow("Exit in the menu") << false;
        QTest::newRow("close request on the main window") << true;
    }

    // "Exit" unloads the three pages and takes help and About with it, then ends the program.
    void exitEndsEverything() {
        QFETCH(bool, byCloseRequest);
        StartedProgram program;
        program->showHelp();
        program->showAbout();
        Press(program, "1", "300");
        if (byCloseRequest) {
            program->frmMain()->close();
        } else {
            program->frmMain()->Exit->trigger();
        }
        QCOMPARE(program.ends, 1);
        FlushDeletes();
        QVERIFY(!program->frmMain() && !program->steam2() && !program->steam3());
        QVERIFY(!program->frmHelp() && !program->frmAbout());
        for (const char* name : {"frmMain", "Steam2", "Steam3", "frmHelp", "frmAbout"})
            QVERIFY2(CountWindows(name, true) == 0, name);
    }

    // The main window has no title bar; dragging its empty background moves it.
    void mainWindowMovesByItsBackground() {
        StartedProgram program;
        ui::FrmMain* main = program->frmMain();
        QVERIFY(main->windowFlags().testFlag(Qt::FramelessWindowHint));
        QWidget* background = main->client();
        const QPoint before = main->pos();
        const QPoint grab(5, background->height() - 5);
        const QPoint globalGrab = background->mapToGlobal(grab);
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(grab), QPointF(globalGrab),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(background, &press);
        const QPoint moved = globalGrab + QPoint(40, 25);
        QMouseEvent move(QEvent::MouseMove, QPointF(background->mapFromGlobal(moved)),
                         QPointF(moved), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(background, &move);
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(background->mapFromGlobal(moved)),
                            QPointF(moved), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(background, &release);
        QCOMPARE(main->pos(), before + QPoint(40, 25));
    }

  private:
    static void ShowInFrontOfPage(StartedProgram& program, int page) {
        if (page == 2) {
            QTest::mouseClick(program->frmMain()->Nxtpgbtn, Qt::LeftButton);
        } else {
            if (program->steam2() == nullptr) program->showSteam2();
            QTest::mouseClick(program->steam2()->Nextpg, Qt::LeftButton);
        }
    }
};

QTEST_MAIN(NavigationTest)
#include "navigation_test.moc"
