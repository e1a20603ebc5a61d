#include "ui/module1.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <QTimer>
#include <QWindow>

#include "driver/plan.h"

namespace vapomet::ui {

void MessageBoxSink::showMessage(const QString& text) {
    QMessageBox box(
        QMessageBox::NoIcon, QStringLiteral("Vapomet"), text, QMessageBox::Ok,
        owner_ ? owner_.data() : QApplication::activeWindow(),
        Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    box.setObjectName(QStringLiteral("messageBox"));
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
    // Window managers hand the focus to some other window of the program when the box goes;
    // the user goes on in the window the message was about.
    if (owner_) ShowInFront(owner_);
}

void ShowInFront(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

Module1::Module1(const QLocale& locale)
    : pages_(locale), platform_(NativePlatform()), endProgram_([] { QCoreApplication::exit(0); }) {
    connect(&bridge_, &PageBridge::windowLoaded, this, &Module1::connectPage);
    QApplication::setWindowIcon(ProgramIcon());
}

Module1::~Module1() {
    delete splash_.data();
    delete help_.data();
    delete about_.data();
    delete state_.data();
    delete diagram_.data();
}

void Module1::waitForSplash(const QElapsedTimer& since, std::chrono::milliseconds minimum) {
    // Let the window system handle its events until the time is up. Each round blocks in the
    // event loop until an event comes or the remaining time has passed, so the wait uses no
    // processor time of its own; the clock is monotonic, not the time of day.
    while (since.elapsed() < minimum.count()) {
        const qint64 remaining = minimum.count() - since.elapsed();
        if (remaining <= 0) break;
        QEventLoop loop;
        QTimer::singleShot(static_cast<int>(remaining), Qt::PreciseTimer, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

void Module1::startUp(std::chrono::milliseconds splashMinimum) {
    QElapsedTimer startMark;
    startMark.start();

    splash_ = new FrmSplash();  // its load step sets the version line
    splash_->show();
    splash_->repaint();
    QCoreApplication::processEvents();
    emit splashShown();

    waitForSplash(startMark, splashMinimum);

    loadMain();  // hidden: default inputs, "NaN" in every slot

    delete splash_.data();
    emit splashUnloaded();

    showSteam3();
    showSteam2();
    ShowInFront(frmMain());
    // The pages are mapped a moment before the frmMain() window; a window manager that is still
    // busy with them may give the focus to page 2 and leave it there. If the frmMain() window, once
    // on the screen, does not become active soon, ask again.
    const auto waitFor = [this](auto done, std::chrono::milliseconds limit) {
        QElapsedTimer since;
        since.start();
        while (frmMain() && !done() && since.elapsed() < limit.count()) {
            QEventLoop loop;
            QTimer::singleShot(10, &loop, &QEventLoop::quit);
            loop.exec();
        }
    };
    waitFor([this] { return frmMain()->windowHandle() && frmMain()->windowHandle()->isExposed(); },
            kExposureWait);
    waitFor([this] { return frmMain()->isActiveWindow(); }, kActivationWait);
    if (frmMain() && !frmMain()->isActiveWindow()) frmMain()->activateWindow();
    emit mainShown();
}

FrmMain* Module1::loadMain() {
    return static_cast<FrmMain*>(bridge_.load(Page::Main));
}

void Module1::connectPage(Page page) {
    switch (page) {
        case Page::Main: {
            FrmMain* main = frmMain();
            boxes_.setOwner(main);
            connect(main, &FrmMain::calculateClicked, this, &Module1::calculate);
            connect(main, &FrmMain::nextPageClicked, this, &Module1::showSteam2);
            connect(main, &FrmMain::exitClicked, this, &Module1::exitProgram);
            connect(main, &FrmMain::usageClicked, this, &Module1::showHelp);
            connect(main, &FrmMain::aboutClicked, this, &Module1::showAbout);
            connect(main, &FrmMain::stateToolClicked, this, &Module1::showStateWindow);
            connect(main, &FrmMain::diagramToolClicked, this, &Module1::showDiagram);
            break;
        }
        case Page::SaturationAtP:
            connect(steam2(), &Steam2::nextPageClicked, this, &Module1::showSteam3);
            connect(steam2(), &Steam2::unloaded, this,
                    [this] { bridge_.unload(Page::SaturationAtP); });
            break;
        case Page::StateAtPT:
            connect(steam3(), &Steam3::unloaded, this, [this] { bridge_.unload(Page::StateAtPT); });
            break;
    }
}

void Module1::calculate() {
    FrmMain* main = frmMain();
    if (main == nullptr) return;
    const QString pressure = main->Text1->text();
    const QString temperature = main->Text2->text();
    main->forgetTyping();
    const std::optional<Input> refused = Calculate(pressure, temperature, pages_, *messages_);
    if (diagram_) diagram_->pagesChanged();
    // The text to correct, selected in its box, so that what the user types next replaces it.
    // (A message box answered by ending the program leaves no window.)
    main = frmMain();
    if (refused && main != nullptr) {
        QLineEdit* box = *refused == Input::Pressure ? main->Text1 : main->Text2;
        box->setFocus(Qt::OtherFocusReason);
        box->selectAll();
    }
}

void Module1::backToMain() {
    if (frmMain()) ShowInFront(frmMain());
}

void Module1::showSteam2() {
    bridge_.load(Page::SaturationAtP);
    ShowInFront(steam2());
}
void Module1::showSteam3() {
    bridge_.load(Page::StateAtPT);
    ShowInFront(steam3());
}

void Module1::showHelp() {
    if (!help_) {
        help_ = new FrmHelp();
        connect(help_, &OkWindow::unloaded, this, [this] {
            if (help_) help_->deleteLater();
            help_ = nullptr;
            backToMain();
        });
    }
    ShowInFront(help_);
}

void Module1::showAbout() {
    if (!about_) {
        about_ = new FrmAbout(frmMain());
        connect(about_, &FrmAbout::sysInfoClicked, this, &Module1::sysInfo);
        connect(about_, &OkWindow::unloaded, this, [this] {
            if (about_) about_->deleteLater();
            about_ = nullptr;
            backToMain();
        });
    }
    ShowInFront(about_);
}

void Module1::sysInfo() {
    // The message answers About's button: About is active again once it is closed.
    boxes_.setOwner(about_ ? static_cast<QWidget*>(about_) : frmMain());
    StartSysInfo(*platform_, *messages_);
    boxes_.setOwner(frmMain());
}

void Module1::showStateWindow() {
    if (!state_) {
        state_ = new StateWindow(history_, preferences_, pages_.locale());
        connect(state_, &StateWindow::diagramAsked, this, [this](std::vector<std::size_t> entries) {
            showDiagram();
            diagram_->highlight(std::move(entries));
        });
        CentreOnScreen(state_);
    }
    ShowInFront(state_);
}

void Module1::showDiagram() {
    if (!diagram_) {
        diagram_ = new DiagramWindow(history_, pages_, preferences_, pages_.locale());
        CentreOnScreen(diagram_);
    }
    ShowInFront(diagram_);
}

void Module1::exitProgram() {
    for (const Page page : kPages) bridge_.unload(page);
    // Help, About and the tool windows go with the program.
    if (help_) help_->deleteLater();
    if (about_) about_->deleteLater();
    if (state_) state_->deleteLater();
    if (diagram_) diagram_->deleteLater();
    state_ = nullptr;
    diagram_ = nullptr;
    help_ = nullptr;
    about_ = nullptr;
    endProgram_();
}

}  // namespace vapomet::ui
