// Helpers of the window tests: a made-up registry, a started program, typing
// and the windows of the pages.
#pragma once

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <map>
#include <memory>

#include "tests/support/message_recorder.h"
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

// The top-level widgets (or, with all, any widgets) with this object name that still exist.
inline int CountWindows(const QString& name, bool all = false) {
    int count = 0;
    for (QWidget* widget : all ? QApplication::allWidgets() : QApplication::topLevelWidgets())
        count += widget->objectName() == name;
    return count;
}

// A program after start-up with no splash wait, its messages recorded and its end noted.
struct StartedProgram {
    StartedProgram() : program(std::make_unique<ui::Module1>(English())) {
        program->setMessageSink(&recorder);
        program->setEndProgram([this] { ++ends; });
        program->startUp(std::chrono::milliseconds(0));
    }
    ~StartedProgram() {
        program.reset();
        FlushDeletes();
    }
    ui::Module1& operator*() { return *program; }
    ui::Module1* operator->() { return program.get(); }

    MessageRecorder recorder;
    int ends = 0;
    std::unique_ptr<ui::Module1> program;
};

// The window of a page, as a page and as a widget; null when it is not loaded.
inline ui::PageWindow* PageOf(StartedProgram& program, int page) {
    if (page == 2) return program->steam2();
    if (page == 3) return program->steam3();
    return program->frmMain();
}
inline QWidget* WindowOf(StartedProgram& program, int page) {
    return dynamic_cast<QWidget*>(PageOf(program, page));
}

// Answers the program's message boxes while it lives: notes each box as it was shown and
// clicks its OK button.
class BoxAnswerer {
  public:
    struct Box {
        QString title, text;
        int buttons;
        QMessageBox::Icon icon;
        Qt::WindowModality modality;
        Qt::WindowFlags flags;
    };

    BoxAnswerer() {
        timer_.setInterval(1);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr || !box->isVisible()) return;
            boxes.append({box->windowTitle(), box->text(), static_cast<int>(box->buttons().size()),
                          box->icon(), box->windowModality(), box->windowFlags()});
            box->button(QMessageBox::Ok)->click();
        });
        timer_.start();
    }
    QStringList texts() const {
        QStringList shown;
        for (const Box& box : boxes) shown.append(box.text);
        return shown;
    }
    QList<Box> boxes;

  private:
    QTimer timer_;
};

// What a freshly loaded page shows under en_US.
inline QStringList FreshTexts(int page) {
    QStringList texts(SlotCount(page), QStringLiteral("NaN"));
    if (page == 3) {
        texts[0] = QStringLiteral("5.000");
        texts[1] = QStringLiteral("500.000");
        texts[RegionSlot()] = QStringLiteral("Region :");
    }
    return texts;
}

// Replaces the text of an input box by typing.
inline void Type(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

// The texts the page's window shows, slot by slot.
inline QStringList ShownTexts(ui::PageWindow& window) {
    QStringList texts;
    for (int index = 0; index < window.valueSlots().count(); ++index) {
        texts.append(window.valueSlots().slot(index)->wholeText());
    }
    return texts;
}

// A registry made up by the test: keys by root and name, values with their type and bytes.
class FakePlatform : public ui::SystemPlatform {
  public:
    struct Value {
        std::uint32_t type;
        QByteArray bytes;
    };

    void addValue(std::uint32_t root, const QString& key, const QString& name, Value value) {
        keys[{root, key}][name] = std::move(value);
    }

    bool openKey(std::uint32_t root, const QString& keyName, std::uint32_t access,
                 KeyHandle& key) override {
        accesses.append(access);
        const auto found = keys.find({root, keyName});
        if (found == keys.end()) {
            key = 0;
            return false;
        }
        key = nextHandle++;
        openKeys[key] = &found->second;
        return true;
    }

    bool queryValue(KeyHandle key, const QString& valueName, std::uint32_t& type, char* buffer,
                    std::uint32_t& size) override {
        const auto open = openKeys.find(key);
        if (open == openKeys.end()) return false;
        const auto value = open->second->find(valueName);
        if (value == open->second->end()) return false;
        if (static_cast<std::uint32_t>(value->second.bytes.size()) > size) return false;
        std::copy(value->second.bytes.begin(), value->second.bytes.end(), buffer);
        size = static_cast<std::uint32_t>(value->second.bytes.size());
        type = value->second.type;
        return true;
    }

    void closeKey(KeyHandle key) override {
        ++closes;
        openKeys.erase(key);
    }

    bool isOrdinaryFile(const QString& path) override { return files.contains(path); }

    bool startProcess(const QString& path) override {
        startAttempts.append(path);
        return startable.contains(path);
    }

    std::map<std::pair<std::uint32_t, QString>, std::map<QString, Value>> keys;
    std::map<KeyHandle, std::map<QString, Value>*> openKeys;
    KeyHandle nextHandle = 1;
    QList<std::uint32_t> accesses;
    int closes = 0;
    QStringList files;
    QStringList startable;
    QStringList startAttempts;
};

}  // namespace vapomet::uitest
