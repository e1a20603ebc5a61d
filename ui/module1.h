// The program's life: start-up with the splash window, navigation between the three pages,
// the menu with the help, About and tool windows, and the end of the program.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <chrono>
#include <functional>
#include <memory>

#include "driver/calculate.h"
#include "driver/pages.h"
#include "driver/preferences.h"
#include "ui/diagram_window.h"
#include "ui/help_about.h"
#include "ui/page_bridge.h"
#include "ui/state_window.h"
#include "ui/sysinfo.h"

namespace vapomet::ui {

// The splash window stays at least this long.
inline constexpr std::chrono::milliseconds kSplashMinimum{2000};
// How long start-up waits for the window system to put the main window on the screen, and then
// to make it active, before it asks for the activation again.
inline constexpr std::chrono::milliseconds kExposureWait{2000};
inline constexpr std::chrono::milliseconds kActivationWait{300};

// Messages as boxes modal to the whole program: the text, an OK button only, no icon, caption
// "Vapomet", no minimize or maximize button. The box stands over `owner`, which is active
// again once the box is answered.
class MessageBoxSink : public MessageSink {
  public:
    void setOwner(QWidget* owner) { owner_ = owner; }
    void showMessage(const QString& text) override;

  private:
    QPointer<QWidget> owner_;
};

class Module1 : public QObject {
    Q_OBJECT
  public:
    explicit Module1(const QLocale& locale = QLocale::system());
    ~Module1() override;

    // The start-up routine: splash for at least `splashMinimum`, main window loaded hidden,
    // splash unloaded, page 3 shown, page 2 shown, main window shown on top.
    void startUp(std::chrono::milliseconds splashMinimum = kSplashMinimum);

    // The handlers of the buttons and the menu.
    void calculate();
    void showSteam2();
    void showSteam3();
    void showHelp();
    void showAbout();
    void sysInfo();
    void showStateWindow();
    void showDiagram();
    void exitProgram();

    // The windows now loaded, or null.
    FrmMain* frmMain() const { return bridge_.loadedAs<FrmMain>(Page::Main); }
    Steam2* steam2() const { return bridge_.loadedAs<Steam2>(Page::SaturationAtP); }
    Steam3* steam3() const { return bridge_.loadedAs<Steam3>(Page::StateAtPT); }
    FrmHelp* frmHelp() const { return help_; }
    FrmAbout* frmAbout() const { return about_; }
    StateWindow* stateWindow() const { return state_; }
    DiagramWindow* diagramWindow() const { return diagram_; }
    FrmSplash* frmSplash() const { return splash_; }

    ResultPages& pages() { return pages_; }
    StateHistory& history() { return history_; }
    PreferenceStore& preferences() { return preferences_; }
    // Where messages go: the modal boxes unless another sink is given (null: the boxes).
    void setMessageSink(MessageSink* sink) { messages_ = sink != nullptr ? sink : &boxes_; }
    void setPlatform(std::unique_ptr<SystemPlatform> platform) { platform_ = std::move(platform); }
    // What ending the program does; by default it leaves the event loop.
    void setEndProgram(std::function<void()> end) { endProgram_ = std::move(end); }

  signals:
    void splashShown();
    void splashUnloaded();
    void mainShown();

  private:
    FrmMain* loadMain();
    // Connects a page window's buttons as it is made.
    void connectPage(Page page);
    // Page 1 active with the keyboard focus, as after a message, Help or About.
    void backToMain();
    void waitForSplash(const QElapsedTimer& since, std::chrono::milliseconds minimum);

    ResultPages pages_;
    PageBridge bridge_{pages_};
    StateHistory history_;
    PreferenceStore preferences_;
    MessageBoxSink boxes_;
    MessageSink* messages_ = &boxes_;
    std::unique_ptr<SystemPlatform> platform_;
    std::function<void()> endProgram_;
    QPointer<FrmSplash> splash_;
    QPointer<FrmHelp> help_;
    QPointer<FrmAbout> about_;
    QPointer<StateWindow> state_;
    QPointer<DiagramWindow> diagram_;
};

// Shows a window: makes it visible, brings it to the front and activates it.
void ShowInFront(QWidget* window);

}  // namespace vapomet::ui
