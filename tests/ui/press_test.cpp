// Presses of "Calculate" made through the widgets: by Enter, what they leave in the input boxes,
// and the real message box.
#include <QAccessible>
#include <QClipboard>
#include <QTest>
#include <algorithm>

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

    // The message reaches the user as a real box, modal to the whole program: caption
    // "Vapomet", OK only, no icon, no minimize or maximize button.
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
        QCOMPARE(box.modality, Qt::ApplicationModal);
        QVERIFY(!(box.flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    }

    void enterInABoxCalculates_data() {
        QTest::addColumn<bool>("inTemperatureBox");
        QTest::addColumn<int>("key");
        QTest::newRow("Return in the P box") << false << int(Qt::Key_Return);
        QTest::newRow("Enter in the T box") << true << int(Qt::Key_Enter);
    }

    void enterInABoxCalculates() {
        QFETCH(bool, inTemperatureBox);
        QFETCH(int, key);
        StartedProgram program;
        QStringList driverMessages;
        const ResultPages expected = DriverPages(program->pages(), "3", "500", driverMessages);
        ui::FrmMain* main = program->frmMain();
        Type(main->Text1, "3");
        Type(main->Text2, "500");
        QTest::keyClick(inTemperatureBox ? main->Text2 : main->Text1, static_cast<Qt::Key>(key));
        QVERIFY(program.recorder.messages.isEmpty());
        CheckWindowsShow(program, expected);
    }

    void refusedTextIsSelected_data() {
        QTest::addColumn<QString>("p");
        QTest::addColumn<QString>("t");
        QTest::addColumn<bool>("temperatureBox");
        QTest::newRow("P not a number") << "1,5x"
                                        << "300" << false;
        QTest::newRow("T not a number") << "1"
                                        << "3OO" << true;
        QTest::newRow("P out of range") << "150"
                                        << "300" << false;
        QTest::newRow("T out of range") << "1"
                                        << "3000" << true;
        QTest::newRow("P too small to hold") << "1e-400"
                                             << "300" << false;
    }

    // After a refused press the box whose text caused the message has the focus with its text
    // selected: what the user types next replaces it.
    void refusedTextIsSelected() {
        QFETCH(QString, p);
        QFETCH(QString, t);
        QFETCH(bool, temperatureBox);
        StartedProgram program;
        ui::FrmMain* main = program->frmMain();
        QVERIFY(QTest::qWaitForWindowActive(main));
        Type(main->Text1, p);
        Type(main->Text2, t);
        main->Calbtn->setFocus();
        QTest::keyClick(main->Calbtn, Qt::Key_Return);
        QCOMPARE(program.recorder.messages.size(), 1);
        QLineEdit* box = temperatureBox ? main->Text2 : main->Text1;
        QCOMPARE(QApplication::focusWidget(), box);
        QCOMPARE(box->selectedText(), temperatureBox ? t : p);
    }

    // A message box, Help and About leave page 1 active when they close.
    void pageOneActiveAfterAMessage() {
        StartedProgram program;
        program->setMessageSink(nullptr);
        program->showSteam3();  // another page of the program in front
        QVERIFY(QTest::qWaitForWindowActive(program->steam3()));
        {
            BoxAnswerer answerer;
            program->frmMain()->Text1->setText(QStringLiteral("x"));
            program->calculate();
            QCOMPARE(answerer.boxes.size(), 1);
        }
        QVERIFY(QTest::qWaitForWindowActive(program->frmMain()));
        program->showHelp();
        QVERIFY(QTest::qWaitForWindowActive(program->frmHelp()));
        program->frmHelp()->cmdOK->click();
        QVERIFY(QTest::qWaitForWindowActive(program->frmMain()));
        QCOMPARE(QApplication::activeWindow(), program->frmMain());
    }

    void stateBeyondTheRegionsIsNoted_data() {
        QTest::addColumn<QString>("p");
        QTest::addColumn<QString>("t");
        QTest::addColumn<bool>("page1");
        QTest::addColumn<bool>("page3");
        QTest::newRow("liquid at 630 K") << "30"
                                         << "630" << true << true;
        QTest::newRow("steam below B23 at 640 K") << "16"
                                                  << "640" << true << false;
        QTest::newRow("water at 300 K") << "1"
                                        << "300" << false << false;
    }

    // The pages say where they use the region-1 and region-2 equations beyond their range, and
    // stop saying it with the next press.
    void stateBeyondTheRegionsIsNoted() {
        QFETCH(QString, p);
        QFETCH(QString, t);
        QFETCH(bool, page1);
        QFETCH(bool, page3);
        StartedProgram program;
        const auto noted = [&](QWidget* window, const char* name) {
            return window->findChild<QLabel*>(QString::fromLatin1(name))
                ->toolTip()
                .contains(QStringLiteral("beyond the range"));
        };
        for (const bool again : {false, true}) {
            // The second time, a press at 1 MPa and 300 K comes in between.
            if (again) {
                Type(program->frmMain()->Text1, "1");
                Type(program->frmMain()->Text2, "300");
                program->frmMain()->Calbtn->click();
                QVERIFY(!noted(program->frmMain(), "Label3"));
                QVERIFY(!noted(program->steam3(), "Label1_13"));
            }
            Type(program->frmMain()->Text1, p);
            Type(program->frmMain()->Text2, t);
            program->frmMain()->Calbtn->click();
            QCOMPARE(noted(program->frmMain(), "Label3"), page1);
            QCOMPARE(noted(program->frmMain(), "Label8"), page1);
            QCOMPARE(noted(program->steam3(), "Label1_13"), page3);
        }
    }

    // "Copy page" and "Copy all pages" put the pages on the clipboard as the windows show them:
    // title, P and T, then each slot's caption, text and unit, one line each.
    void copyingThePages() {
        StartedProgram program;
        Type(program->frmMain()->Text1, "1");
        Type(program->frmMain()->Text2, "300");
        program->frmMain()->Calbtn->click();
        QClipboard* clipboard = QGuiApplication::clipboard();
        QStringList pageTexts;
        for (int page = 1; page <= kPageCount; ++page) {
            QWidget* window = WindowOf(program, page);
            ui::ShowInFront(window);
            QVERIFY(QTest::qWaitForWindowActive(window));
            clipboard->clear();
            QTest::keyClick(window, Qt::Key_C, Qt::ControlModifier);
            const QString text = clipboard->text();
            QStringList lines = text.split('\n');
            QCOMPARE(lines.takeLast(), QString());
            const QStringList subjects{"saturation at T", "saturation at P", "state at P and T"};
            QCOMPARE(lines.takeFirst(),
                     QStringLiteral("IAPWS - %1\t").arg(page) + subjects[page - 1]);
            QCOMPARE(lines.takeFirst(), QStringLiteral("P\t1.0000\tMPa"));
            QCOMPARE(lines.takeFirst(), QStringLiteral("T\t300.0000\tK"));
            // Every slot, with the caption the window shows beside it.
            ui::SlotArray& values = PageOf(program, page)->valueSlots();
            QCOMPARE(lines.size(), values.count());
            for (const QLabel* caption : window->findChildren<QLabel*>()) {
                const auto* slot = dynamic_cast<const ui::FitLabel*>(caption->buddy());
                if (slot == nullptr) continue;
                const QString line = caption->text() + '\t' + slot->wholeText() + '\t';
                QVERIFY2(std::any_of(lines.begin(), lines.end(),
                                     [&](const QString& l) { return l.startsWith(line); }),
                         qPrintable(line));
            }
            pageTexts.append(text);
        }
        QVERIFY(pageTexts[0].contains(QStringLiteral("h'(kJ/kg)\t112.5750\tkJ/kg\n")));
        QVERIFY(pageTexts[2].contains(QStringLiteral("w (m/sec)\t1,504.558\tm/s\n")));

        QTest::keyClick(program->steam3(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(clipboard->text(), pageTexts.join('\n'));

        // With a slot's text selected, Ctrl+C copies that text.
        ui::FitLabel* slot = program->steam3()->valueSlots().slot(4);
        slot->setFocus();
        slot->setSelection(0, 3);
        QTest::keyClick(program->steam3(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboard->text(), QStringLiteral("113"));
    }

    // Screen readers hear what each input, slot and button is, with its unit; each caption
    // labels its slot.
    void accessibleNames() {
        StartedProgram program;
        const auto name = [](QWidget* widget) {
            return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
        };
        QCOMPARE(name(program->frmMain()->Text1), QStringLiteral("Pressure, MPa"));
        QCOMPARE(name(program->frmMain()->Text2), QStringLiteral("Temperature, K"));
        QCOMPARE(name(program->frmMain()->valueSlots().slot(22)),
                 QStringLiteral("Saturated liquid enthalpy, kJ/kg"));
        QCOMPARE(name(program->steam2()->valueSlots().slot(16)),
                 QStringLiteral("Saturated vapour speed of sound, m/s"));
        QCOMPARE(name(program->steam3()->valueSlots().slot(0)), QStringLiteral("Pressure, MPa"));
        QVERIFY(name(program->frmMain()->Nxtpgbtn).contains(QStringLiteral("saturation at P")));
        for (int page = 1; page <= kPageCount; ++page) {
            QStringList names;
            ui::SlotArray& values = PageOf(program, page)->valueSlots();
            for (int index = 0; index < values.count(); ++index) {
                const QString slotName = name(values.slot(index));
                QVERIFY2(!slotName.isEmpty() && !names.contains(slotName), qPrintable(slotName));
                names.append(slotName);
            }
            int buddies = 0;
            for (const QLabel* caption : WindowOf(program, page)->findChildren<QLabel*>())
                buddies += caption->buddy() != nullptr;
            QCOMPARE(buddies, values.count() - (page == 3 ? 1 : 0));  // the region has no caption
        }
    }
};

QTEST_MAIN(PressTest)
#include "press_test.moc"
