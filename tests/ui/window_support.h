// Helpers of the window tests: a started program, typing and pressing, the windows of the
// pages, and an answerer of message boxes.
#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>

#include "tests/support/support.h"
#include "ui/look.h"
#include "ui/module1.h"
#include "ui/sysinfo.h"

namespace vapomet::uitest {

using testing::English;
using testing::MessageRecorder;

// Runs the deletions that closing and unloading windows have scheduled.
inline void FlushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

inline int CountWidgets(const QString& name) {
    const QWidgetList all = QApplication::allWidgets();
    return static_cast<int>(std::count_if(
        all.begin(), all.end(), [&](QWidget* widget) { return widget->objectName() == name; }));
}

// A program after start-up without the splash wait, its messages recorded and its end noted.
struct StartedProgram {
    explicit StartedProgram(const QLocale& locale = English())
        : program(std::make_unique<ui::Module1>(locale)) {
        QApplication::setQuitOnLastWindowClosed(false);
        ui::RegisterFontSubstitutes();
        program->setMessageSink(&recorder);
        program->setEndProgram([this] { ++ends; });
        program->startUp(std::chrono::milliseconds(0));
    }
    ~StartedProgram() {
        program.reset();
        FlushDeletes();
    }
    ui::Module1* operator->() { return program.get(); }
    // The window of a page, as a page and as a widget; null when it is not loaded.
    ui::PageWindow* page(int page) {
        if (page == 1) return program->frmMain();
        return page == 2 ? static_cast<ui::PageWindow*>(program->steam2()) : program->steam3();
    }
    QWidget* window(int page) { return dynamic_cast<QWidget*>(this->page(page)); }
    QStringList shown(int page) {
        QStringList texts;
        for (int slot = 0; slot < this->page(page)->valueSlots().count(); ++slot)
            texts.append(this->page(page)->valueSlots().slot(slot)->wholeText());
        return texts;
    }

    MessageRecorder recorder;
    int ends = 0;
    std::unique_ptr<ui::Module1> program;
};

inline void Type(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

// Types P and T and clicks "Calculate".
inline void Press(StartedProgram& program, const QString& p, const QString& t) {
    Type(program->frmMain()->Text1, p);
    Type(program->frmMain()->Text2, t);
    QTest::mouseClick(program->frmMain()->Calbtn, Qt::LeftButton);
}

// Answers the program's message boxes while it lives: notes each box as its caption, text,
// number of buttons, icon and modality, whether it can be minimized or maximized, and clicks
// its OK.
class BoxAnswerer {
  public:
    BoxAnswerer() {
        timer_.setInterval(1);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr || !box->isVisible()) return;
            const auto sizing = Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint;
            boxes.append(QStringLiteral("%1|%2|%3|%4|%5|%6")
                             .arg(box->windowTitle(), box->text())
                             .arg(box->buttons().size())
                             .arg(box->icon())
                             .arg(box->windowModality())
                             .arg((box->windowFlags() & sizing) != 0));
            texts.append(box->text());
            box->button(QMessageBox::Ok)->click();
        });
        timer_.start();
    }
    QStringList boxes, texts;

  private:
    QTimer timer_;
};

}  // namespace vapomet::uitest
