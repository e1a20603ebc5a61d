// Helpers of the window tests: a started program, typing and pressing, and the windows of the
// pages.
#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
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

// Types P and T and presses "Calculate": a click (way 0), or Return with the focus on the
// button (1) or in the P box (2), or Enter in the T box (3).
inline void Press(StartedProgram& program, const QString& p, const QString& t, int way = 0) {
    ui::FrmMain* main = program->frmMain();
    Type(main->Text1, p);
    Type(main->Text2, t);
    QWidget* target = way == 1   ? static_cast<QWidget*>(main->Calbtn)
                      : way == 2 ? main->Text1
                                 : main->Text2;
    target->setFocus();
    way == 0 ? QTest::mouseClick(main->Calbtn, Qt::LeftButton)
             : QTest::keyClick(target, way == 3 ? Qt::Key_Enter : Qt::Key_Return);
}

}  // namespace vapomet::uitest
