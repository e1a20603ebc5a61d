// Presses of "Calculate" made through the widgets: by Enter, what they leave in the input boxes,
// and the real message box.
#include <QTest>

#include "driver/plan.h"
#include "tests/ui/window_support.h"

using namespace vapomet;
using namespace vapomet::uitest;

namespace {

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

    // Enter on the focused Calculate button presses it: the windows show what the driver
    // writes for the same inputs. (The long run makes its presses by clicking.)
    void enterOnCalculatePresses() {
        StartedProgram program;
        QStringList driverMessages;
        const ResultPages expected = DriverPages(program->pages(), "1", "300", driverMessages);
        ui::FrmMain* main = program->frmMain();
        Type(main->Text1, "1");
        Type(main->Text2, "300");
        main->Calbtn->setFocus();
        QTest::keyClick(main->Calbtn, Qt::Key_Return);
        QVERIFY(driverMessages.isEmpty());
        QCOMPARE(program.recorder.messages, driverMessages);
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
            main->Text1->setSelection(
                selectionLength < 0 ? selectionStart - selectionLength : selectionStart,
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
        // Typing after the press is undone back to the text of the press.
        QTest::keyClick(main->Text1, Qt::Key_End);
        QTest::keyClicks(main->Text1, "7");
        QTest::keyClick(main->Text1, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(main->Text1->text(), p);
    }

    // The message reaches the user as a real modal box: caption "Vapomet", OK only, no icon.
    void messageIsAModalOkBox() {
        StartedProgram program;
        program->setMessageSink(nullptr);  // back to the message boxes
        BoxAnswerer answerer;
        Type(program->frmMain()->Text1, "abc");
        program->frmMain()->Calbtn->click();
        QCOMPARE(answerer.boxes.size(), 1);
        const BoxAnswerer::Box& box = answerer.boxes.front();
        QCOMPARE(box.title, QStringLiteral("Vapomet"));
        QCOMPARE(box.text, kInvalidNumber);
        QCOMPARE(box.buttons, 1);
        QCOMPARE(box.icon, QMessageBox::NoIcon);
        QVERIFY(box.modal);
    }
};

QTEST_MAIN(PressTest)
#include "press_test.moc"
