// The shape of every window, whatever its exact geometry, after presses at the extremes of the
// input domain under en_US and de_DE: each control inside its window, no two overlapping unless
// one frames the other, every text shown whole (with a smaller font where needed, never below
// 6 pt, or cut at its end with "…" and whole in its tooltip where even that is too wide), each
// slot named for its index with its caption beside it, fixed pages 2 and 3, the program's icon,
// and the focus order; and every text the program shows. ctest runs it at scale factors 1, 1.5
// and 2.
#include <QAbstractButton>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStyle>
#include <QStyleOptionFrame>

#include "driver/plan.h"
#include "tests/ui/window_support.h"

using namespace vapomet;
using namespace vapomet::uitest;

namespace {

// What is wrong with how a label shows its text, or nothing.
QString Misfit(const ui::FitLabel& label) {
    const QString whole = label.wholeText(), shown = label.text();
    const double room = label.contentsRect().width() - 2 * label.margin();
    const double points = label.font().pointSizeF();
    if (label.wordWrap()) return {};
    if (points < ui::kSmallestPointSize ||
        QFontMetricsF(label.font()).horizontalAdvance(shown) > room)
        return "does not fit";
    if (shown == whole) return {};
    if (points > ui::kSmallestPointSize) return "cut before its font was made smallest";
    if (!shown.endsWith(QChar(0x2026)) || !whole.startsWith(shown.chopped(1)))
        return "cut elsewhere";
    return label.toolTip().contains(whole) ? QString() : "cut without the whole text as its tip";
}

// With the cursor after the last character, the first is still at the box's left edge.
bool ShowsWholeText(QLineEdit* box) {
    box->end(false);
    QStyleOptionFrame option;
    option.initFrom(box);
    const QRect contents = box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box);
    return box->cursorPositionAt(QPoint(contents.left() + 2, box->height() / 2)) == 0;
}

// The slot's caption is at its left on the same row, with nothing between them, and names the
// slot's quantity.
bool BesideItsCaption(const QWidget* slot, const QList<QWidget*>& controls) {
    const auto caption = std::find_if(controls.begin(), controls.end(), [&](QWidget* w) {
        return qobject_cast<QLabel*>(w) && qobject_cast<QLabel*>(w)->buddy() == slot;
    });
    if (caption == controls.end()) return false;
    const int page = dynamic_cast<ui::PageWindow*>(slot->window())->page();
    const QRect c = (*caption)->geometry(), s = slot->geometry();
    const QRect between(QPoint(c.right() + 1, s.top()), QPoint(s.left() - 1, s.bottom()));
    return qobject_cast<QLabel*>(*caption)->text() ==
               SlotCaption(page, slot->property("slotIndex").toInt()) &&
           c.right() <= s.left() && c.top() <= s.bottom() && s.top() <= c.bottom() &&
           std::none_of(controls.begin(), controls.end(), [&](QWidget* other) {
               return other != *caption && other != slot && other->geometry().intersects(between);
           });
}

QWidget* Window(const QString& name) {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->objectName() == name) return window;
    return nullptr;
}

}  // namespace

class LayoutTest : public QObject {
    Q_OBJECT
    QList<std::pair<QString, QStringList>> found_;  // each text and where it is shown

    void note(QString text, const QString& where) {
        text = '"' + text.replace('\t', "\\t").replace('\r', "\\r").replace('\n', "\\n") + '"';
        auto known = std::find_if(found_.begin(), found_.end(),
                                  [&](const auto& t) { return t.first == text; });
        if (known == found_.end()) known = found_.insert(found_.end(), {text, {}});
        known->second.append(where);
    }

    // A window's title, menus, and each control that shows a text, in the order it made them.
    void noteWindow(QWidget* window) {
        const QString name = window->objectName();
        note(window->windowTitle(), name + "/title");
        if (auto* main = qobject_cast<QMainWindow*>(window))
            for (const QAction* item : main->menuBar()->actions()) {
                note(item->text(), name + "/menu");
                for (const QAction* sub :
                     item->menu() ? item->menu()->actions() : QList<QAction*>{})
                    note(sub->text(), name + "/menu/" + item->text());
            }
        for (QWidget* control : window->findChildren<QWidget*>()) {
            const QString where = name + '/' + control->objectName();
            if (control->window() != window || control->objectName().startsWith("qt_")) continue;
            // A text box's whole text is one text, its line ends shown as \n.
            if (auto* slot = dynamic_cast<ui::FitLabel*>(control))
                note(slot->wholeText(), where);
            else if (auto* label = qobject_cast<QLabel*>(control))
                note(label->text(), where);
            if (auto* button = qobject_cast<QAbstractButton*>(control)) note(button->text(), where);
            if (auto* box = qobject_cast<QLineEdit*>(control)) note(box->text(), where);
            if (auto* box = qobject_cast<QPlainTextEdit*>(control)) note(box->toPlainText(), where);
        }
    }

  private slots:
    void controls_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("p");
        QTest::addColumn<QString>("t");
        const char* const states[][3] = {{"LowestPressure_HottestSteam", "0.000001", "2273.15"},
                                         {"LowestPressure_TriplePoint", "0.000001", "273.16"},
                                         {"HighestPressure_TriplePoint", "100", "273.16"},
                                         {"CriticalPoint", "22.064", "647.096"},
                                         {"AbsurdlyLowPressure", "1e-100", "1100"},
                                         {"SevenCharacters", "0.00061", "1073.15"}};
        for (const char* locale : {"en_US", "de_DE"})
            for (const auto& [name, p, t] : states)
                QTest::addRow("%s_%s", name, locale)
                    << locale << QString(p).replace('.', locale[0] == 'd' ? ',' : '.')
                    << QString(t).replace('.', locale[0] == 'd' ? ',' : '.');
    }

    // Two controls may share pixels where one frames the other, where their boxes meet in a
    // line of pixels, and where the splash puts its picture in front of its frame. Slot i of a
    // page is the control named Label10_i (page 1) or Label1_i; its caption, at its left on the
    // same row with nothing between them, shows the slot's caption.
    void controls() {
        QFETCH(QString, locale);
        QFETCH(QString, p);
        QFETCH(QString, t);
        StartedProgram program{QLocale(locale)};
        Press(program, p, t);
        QVERIFY(ShowsWholeText(program->frmMain()->Text1) &&
                ShowsWholeText(program->frmMain()->Text2));
        program->showHelp();
        program->showAbout();
        ui::FrmSplash splash;
        for (QWidget* client :
             {program.page(1)->client(), program.window(2), program.window(3), Window("frmHelp"),
              Window("frmAbout"), static_cast<QWidget*>(&splash)}) {
            QVERIFY(!client->window()->windowIcon().isNull());
            const QList<QWidget*> controls =
                client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
            for (const QWidget* a : controls) {
                const QString name = client->window()->objectName() + '/' + a->objectName();
                QVERIFY2(client->rect().contains(a->geometry()), qPrintable(name));
                if (auto* label = dynamic_cast<const ui::FitLabel*>(a))
                    QVERIFY2(Misfit(*label).isEmpty(), qPrintable(name + ": " + Misfit(*label)));
                for (const QWidget* b : controls) {
                    const QRect both = a->geometry() & b->geometry();
                    QVERIFY2(a == b || both.isEmpty() || both == a->geometry() ||
                                 both == b->geometry() || both.width() == 1 || both.height() == 1 ||
                                 a->objectName() + b->objectName() == "Picture1fraMainFrame" ||
                                 a->objectName() + b->objectName() == "fraMainFramePicture1",
                             qPrintable(name + " and " + b->objectName()));
                }
                const bool region = client == program.window(3) && a->objectName() == "Label1_13";
                if (a->property("slotIndex").isValid() && !region)
                    QVERIFY2(BesideItsCaption(a, controls), qPrintable(name));
            }
        }
        for (int page = 1; page <= kPageCount; ++page)
            for (int index = 0; index < SlotCount(page); ++index)
                QCOMPARE(program.page(page)->valueSlots().slot(index)->objectName(),
                         QString(page == 1 ? "Label10_%1" : "Label1_%1").arg(index));
        QVERIFY(program.window(2)->minimumSize() == program.window(2)->maximumSize() &&
                program.window(3)->minimumSize() == program.window(3)->maximumSize());
    }

    // The focus starts on the first control and Tab walks the order, back to the first.
    void focusOrder() {
        StartedProgram program;
        program->showHelp();
        program->showAbout();
        for (const auto& [name, order] :
             {std::pair{"frmMain", QStringList{"Text1", "Text2", "Calbtn", "Nxtpgbtn"}},
              {"Steam2", QStringList{"Nextpg"}},
              {"frmHelp", QStringList{"cmdOK", "Usg"}},
              {"frmAbout", QStringList{"cmdOK", "cmdSysInfo"}}}) {
            ui::ShowInFront(Window(name));
            QTRY_COMPARE(QApplication::activeWindow(), Window(name));
            QStringList walked;
            for (int i = 0; i <= order.size() && QApplication::focusWidget() != nullptr; ++i) {
                walked.append(QApplication::focusWidget()->objectName());
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            }
            QCOMPARE(walked, order + QStringList{order.first()});
        }
    }

    // Every text the program shows, compared character for character, blanks included, with
    // tests/ui/texts.txt: window titles, captions, buttons, menus, the help and nomenclature
    // boxes, the load texts of the pages, the messages and the region captions. The one place
    // where the texts are written down: each text once, then where it is shown. After a
    // deliberate change, the test leaves what it found in the build folder as texts.found.txt,
    // to compare and copy.
    void everyTextAsWritten() {
        StartedProgram program;
        program->showHelp();
        program->showAbout();
        ui::FrmSplash splash;
        for (QWidget* window :
             {static_cast<QWidget*>(&splash), program.window(1), program.window(2),
              program.window(3), static_cast<QWidget*>(program->frmHelp()),
              static_cast<QWidget*>(program->frmAbout())})
            noteWindow(window);
        const char* const presses[][2] = {{"abc", "300"},   {"0", "500"},    {"1", "3000"},
                                          {"10.1", "1100"}, {"1", "300"},    {"0.1", "500"},
                                          {"30", "650"},    {"100", "1000"}, {"8", "2000"}};
        for (const auto& [p, t] : presses) {
            Press(program, p, t);
            note(program.recorder.messages.isEmpty() ? program->pages().text(3, RegionSlot())
                                                     : program.recorder.messages.takeFirst(),
                 QStringLiteral("press/%1MPa/%2K").arg(p, t));
        }
        for (const QString& message :
             {kComputationError, kFailedToConverge, ui::kSysInfoUnavailable})
            note(message, "message");

        QStringList lines;
        for (const auto& [text, where] : found_) lines.append(text + ' ' + where.join(' '));
        QFile file(QStringLiteral(VAPOMET_TEXTS)), out(QStringLiteral("texts.found.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList written =
            QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
        if (lines != written && out.open(QIODevice::WriteOnly))
            out.write((lines.join('\n') + '\n').toUtf8());
        for (int i = 0; i < std::max(lines.size(), written.size()); ++i)
            QCOMPARE(lines.value(i), written.value(i));
    }
};

QTEST_MAIN(LayoutTest)
#include "layout_test.moc"
