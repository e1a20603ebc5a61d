// Presses of "Calculate" made through the widgets: typing into the input boxes, clicking or
// pressing Enter, and reading what the three pages show.
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "driver/plan.h"
#include "tests/ui/ui_support.h"

using namespace vapomet;
using namespace vapomet::uitest;

namespace {

void Type(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

// The pages the driver itself fills for these inputs, starting from the program's pages.
ResultPages DriverPages(const ResultPages& before, const QString& p, const QString& t,
                        QStringList& messages) {
    ResultPages pages = before;
    pages.setViewer(nullptr);
    MessageRecorder recorder;
    Calculate(p, t, pages, recorder);
    messages = recorder.messages;
    return pages;
}

void CheckWindowsShow(StartedProgram& program, const ResultPages& expected) {
    ui::PageWindow* windows[] = {program->frmMain(), program->steam2(), program->steam3()};
    for (int page = 1; page <= kPageCount; ++page) {
        QVERIFY2(windows[page - 1] != nullptr, qPrintable(QString("page %1").arg(page)));
        QCOMPARE(ShownTexts(*windows[page - 1]), expected.texts(page));
        QCOMPARE(program->pages().texts(page), expected.texts(page));
    }
}

}  // namespace

class PressTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QApplication::setQuitOnLastWindowClosed(false);
        ui::RegisterFontSubstitutes();
    }

    void pressShowsDriverResults_data() {
        QTest::addColumn<QString>("p");
        QTest::addColumn<QString>("t");
        QTest::addColumn<bool>("byEnter");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("region");
        QTest::addColumn<bool>("saturationPages");
        QTest::newRow("water, clicked") << "1" << "300" << false << QStringList{}
                                        << "Region - 1  Water below Triple Point " << true;
        QTest::newRow("water, Enter on Calculate") << "1" << "300" << true << QStringList{}
                                                   << "Region - 1  Water below Triple Point " << true;
        QTest::newRow("steam above 647 K") << "1" << "800" << false << QStringList{} << "" << false;
        QTest::newRow("not a number") << "abc" << "300" << false << QStringList{kInvalidNumber}
                                      << "Region :" << true;
        QTest::newRow("pressure too high") << "200" << "300" << false
                                           << QStringList{kInvalidPressure} << "Region :" << true;
        QTest::newRow("temperature too low") << "1" << "200" << true
                                             << QStringList{kInvalidTemperature} << "Region :" << true;
        QTest::newRow("no region") << "10.1" << "1200" << false << QStringList{kInvalidRegion}
                                   << "" << false;
    }

    // Each press shows exactly what the driver writes for the same inputs, on all three pages,
    // and its messages reach the message sink.
    void pressShowsDriverResults() {
        QFETCH(QString, p);
        QFETCH(QString, t);
        QFETCH(bool, byEnter);
        QFETCH(QStringList, messages);
        QFETCH(QString, region);
        QFETCH(bool, saturationPages);

        StartedProgram program;
        QStringList driverMessages;
        const ResultPages expected = DriverPages(program->pages(), p, t, driverMessages);

        ui::FrmMain* main = program->frmMain();
        Type(main->Text1, p);
        Type(main->Text2, t);
        QCOMPARE(main->Text1->text(), p);
        QCOMPARE(main->Text2->text(), t);
        if (byEnter) {
            main->Calbtn->setFocus();
            QTest::keyClick(main->Calbtn, Qt::Key_Return);
        } else {
            QTest::mouseClick(main->Calbtn, Qt::LeftButton);
        }

        QCOMPARE(program.recorder.messages, messages);
        QCOMPARE(driverMessages, messages);
        CheckWindowsShow(program, expected);
        if (!region.isEmpty()) {
            QCOMPARE(program->steam3()->valueSlots().slot(kRegionSlot)->text(), region);
        }
        // A valid press writes the inputs into page 3 with four decimals; a rejected one
        // leaves the defaults of start-up.
        const QString shownP = program->steam3()->valueSlots().slot(0)->text();
        QCOMPARE(shownP, messages.isEmpty() || messages == QStringList{kInvalidRegion}
                             ? English().toString(English().toDouble(p), 'f', 4)
                             : QStringLiteral("5.000"));
        const bool pagesHaveNumbers =
            program->frmMain()->valueSlots().slot(0)->text() != QStringLiteral("NaN");
        QCOMPARE(pagesHaveNumbers, saturationPages && messages.isEmpty());
    }

    // A region-3 state: page 3 gets its caption and whatever the driver writes, and the
    // driver's messages (if its density solver gives up) reach the sink in the same order.
    void region3PressMatchesDriver() {
        StartedProgram program;
        QStringList driverMessages;
        const ResultPages expected = DriverPages(program->pages(), "30", "650", driverMessages);
        Type(program->frmMain()->Text1, "30");
        Type(program->frmMain()->Text2, "650");
        QTest::mouseClick(program->frmMain()->Calbtn, Qt::LeftButton);
        QCOMPARE(program.recorder.messages, driverMessages);
        if (!driverMessages.isEmpty()) QCOMPARE(driverMessages.last(), kComputationError);
        QCOMPARE(program->steam3()->valueSlots().slot(kRegionSlot)->text(),
                 QStringLiteral("Region - 3  Pressurised Water "));
        CheckWindowsShow(program, expected);
    }

    void pressLeavesTheBoxesAsTyped_data() {
        QTest::addColumn<QString>("p");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<int>("selectionStart");
        QTest::addColumn<int>("selectionLength");  // negative: the cursor at the start
        QTest::newRow("cursor at the end") << "12.5" << 4 << -1 << 0;
        QTest::newRow("cursor inside") << "12.5" << 2 << -1 << 0;
        QTest::newRow("cursor at the start") << "12.5" << 0 << -1 << 0;
        QTest::newRow("selection, cursor at its end") << "12.5" << 3 << 1 << 2;
        QTest::newRow("selection, cursor at its start") << "12.5" << 1 << 1 << -2;
        QTest::newRow("not a number") << "abc" << 1 << -1 << 0;
    }

    // A press keeps the texts, the cursor and the selection of the input boxes, but the typing
    // before it is no longer kept for undoing: over a long session that history would grow
    // with every press.
    void pressLeavesTheBoxesAsTyped() {
        QFETCH(QString, p);
        QFETCH(int, cursor);
        QFETCH(int, selectionStart);
        QFETCH(int, selectionLength);
        StartedProgram program;
        ui::FrmMain* main = program->frmMain();
        Type(main->Text1, p);
        Type(main->Text2, "300");
        if (selectionStart < 0) {
            main->Text1->setCursorPosition(cursor);
        } else {
            main->Text1->setSelection(selectionLength < 0 ? selectionStart - selectionLength
                                                          : selectionStart,
                                      selectionLength);
        }
        const QString selected = main->Text1->selectedText();
        QVERIFY(main->Text1->isUndoAvailable());
        QVERIFY(main->Text2->isUndoAvailable());

        QTest::mouseClick(main->Calbtn, Qt::LeftButton);

        QCOMPARE(main->Text1->text(), p);
        QCOMPARE(main->Text2->text(), QStringLiteral("300"));
        QCOMPARE(main->Text1->cursorPosition(), cursor);
        QCOMPARE(main->Text1->selectionStart(), selectionStart);
        QCOMPARE(main->Text1->selectedText(), selected);
        QVERIFY(!main->Text1->isUndoAvailable());
        QVERIFY(!main->Text2->isUndoAvailable());
        QCOMPARE(program->steam3()->valueSlots().slot(0)->text(),
                 program.recorder.messages.isEmpty() ? English().toString(English().toDouble(p), 'f', 4)
                                                     : QStringLiteral("5.000"));
        // Typing after the press is undone back to the text of the press.
        QTest::keyClick(main->Text1, Qt::Key_End);
        QTest::keyClicks(main->Text1, "7");
        QTest::keyClick(main->Text1, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(main->Text1->text(), p);
    }

    // The same inputs twice give the same pages.
    void pressingTwiceGivesTheSamePages() {
        StartedProgram program;
        Type(program->frmMain()->Text1, "1");
        Type(program->frmMain()->Text2, "300");
        program->frmMain()->Calbtn->click();
        QStringList first;
        for (int page = 1; page <= kPageCount; ++page) first += program->pages().texts(page);
        program->frmMain()->Calbtn->click();
        QStringList second;
        for (int page = 1; page <= kPageCount; ++page) second += program->pages().texts(page);
        QCOMPARE(second, first);
        QVERIFY(!first.contains(QStringLiteral("NaN")));
    }

    // The message reaches the user as a real modal box: caption "Vapomet", OK only, no icon.
    void messageIsAModalOkBox() {
        StartedProgram program;
        program->setMessageSink(nullptr);  // back to the message boxes
        QString title, text;
        int buttons = -1;
        QMessageBox::Icon icon = QMessageBox::Warning;
        bool wasModal = false;
        int polls = 0;
        std::function<void()> answer = [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) {
                if (++polls < 500) QTimer::singleShot(10, answer);
                return;
            }
            title = box->windowTitle();
            text = box->text();
            buttons = static_cast<int>(box->buttons().size());
            icon = box->icon();
            wasModal = box->isModal();
            box->button(QMessageBox::Ok)->click();
        };
        QTimer::singleShot(0, answer);
        Type(program->frmMain()->Text1, "abc");
        program->frmMain()->Calbtn->click();
        QCOMPARE(title, QStringLiteral("Vapomet"));
        QCOMPARE(text, kInvalidNumber);
        QCOMPARE(buttons, 1);
        QCOMPARE(icon, QMessageBox::NoIcon);
        QVERIFY(wasModal);
    }

    // From the click to all three pages updated: reported, and well under a frame.
    void pressTime() {
        StartedProgram program;
        Type(program->frmMain()->Text1, "1");
        Type(program->frmMain()->Text2, "300");
        constexpr int kPresses = 50;
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < kPresses; ++i) program->frmMain()->Calbtn->click();
        const double perPress = static_cast<double>(clock.nsecsElapsed()) / 1e6 / kPresses;
        qInfo("click on Calculate to three pages updated: %.3f ms", perPress);
        QVERIFY2(perPress < 16.0, qPrintable(QString("%1 ms per press").arg(perPress)));
    }
};

QTEST_MAIN(PressTest)
#include "press_test.moc"
