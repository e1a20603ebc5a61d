// Every text the program shows, compared character for character, blanks included, with
// tests/ui/texts.txt: window titles, captions, buttons, menus, the help and nomenclature boxes,
// the load texts of the pages, the messages and the region captions. The one place where the
// texts are written down: each text once, then where it is shown. After a deliberate change,
// the test leaves what it found in the build folder as texts.found.txt, to compare and copy.
#include <QAbstractButton>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>

#include "driver/plan.h"
#include "tests/ui/window_support.h"

using namespace vapomet;
using namespace vapomet::uitest;

class TextsTest : public QObject {
    Q_OBJECT
    QList<std::pair<QString, QStringList>> found_;  // each text and where it is shown

    void note(QString text, const QString& where) {
        text = '"' + text.replace('\t', "\\t").replace('\r', "\\r").replace('\n', "\\n") + '"';
        const auto known = std::find_if(found_.begin(), found_.end(),
                                        [&](const auto& t) { return t.first == text; });
        if (known != found_.end()) {
            known->second.append(where);
        } else {
            found_.append({text, {where}});
        }
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
            if (auto* slot = dynamic_cast<ui::FitLabel*>(control)) note(slot->wholeText(), where);
            if (auto* label = qobject_cast<QLabel*>(control);
                label && !dynamic_cast<ui::FitLabel*>(control))
                note(label->text(), where);
            if (auto* button = qobject_cast<QAbstractButton*>(control)) note(button->text(), where);
            if (auto* box = qobject_cast<QLineEdit*>(control)) note(box->text(), where);
            if (auto* box = qobject_cast<QPlainTextEdit*>(control)) note(box->toPlainText(), where);
        }
    }

  private slots:
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

QTEST_MAIN(TextsTest)
#include "texts_test.moc"
