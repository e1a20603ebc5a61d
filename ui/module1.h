// The program's windows and their life: start-up with the splash window, the three pages,
// navigation, the menu, the help and About windows, and the end of the program. Also the
// viewer through which the pages' texts reach the windows.
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
#include "ui/help_about.h"
#include "ui/sysinfo.h"
#include "ui/windows.h"

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

class Module1 : public QObject, public PageViewer {
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
    void exitProgram();

    // The windows now loaded, or null.
    FrmMain* frmMain() const { return main_; }
    Steam2* steam2() const { return steam2_; }
    Steam3* steam3() const { return steam3_; }
    FrmHelp* frmHelp() const { return help_; }
    FrmAbout* frmAbout() const { return about_; }
    FrmSplash* frmSplash() const { return splash_; }

    ResultPages& pages() { return pages_; }
    // Where messages go: the modal boxes unless another sink is given (null: the boxes).
    void setMessageSink(MessageSink* sink) { messages_ = sink != nullptr ? sink : &boxes_; }
    void setPlatform(std::unique_ptr<SystemPlatform> platform) { platform_ = std::move(platform); }
    // What ending the program does; by default it leaves the event loop.
    void setEndProgram(std::function<void()> end) { endProgram_ = std::move(end); }

    // PageViewer: a write loads its page window (hidden) if needed and shows the new text.
    void slotWritten(int page, int index) override;
    void pageRefreshed(int page) override;
    void noteWritten(int page) override;

  signals:
    void splashShown();
    void splashUnloaded();
    void mainShown();

  private:
    FrmMain* loadMain();
    Steam2* loadSteam2();
    Steam3* loadSteam3();
    PageWindow* loaded(int page) const;
    PageWindow* load(int page);
    void prepare(PageWindow* window);
    void unloadPage(int page);
    // Page 1 active with the keyboard focus, as after a message, Help or About.
    void backToMain();
    void waitForSplash(const QElapsedTimer& since, std::chrono::milliseconds minimum);

    ResultPages pages_;
    MessageBoxSink boxes_;
    MessageSink* messages_ = &boxes_;
    std::unique_ptr<SystemPlatform> platform_;
    std::function<void()> endProgram_;
    QPointer<FrmSplash> splash_;
    QPointer<FrmMain> main_;
    QPointer<Steam2> steam2_;
    QPointer<Steam3> steam3_;
    QPointer<FrmHelp> help_;
    QPointer<FrmAbout> about_;
};

// Shows a window: makes it visible, brings it to the front and activates it.
void ShowInFront(QWidget* window);

}  // namespace vapomet::ui
