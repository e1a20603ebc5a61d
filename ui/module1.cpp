#include "ui/module1.h"

#include <QApplication>
#include <QClipboard>
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
    pages_.setViewer(this);
    QApplication::setWindowIcon(ProgramIcon());
}

Module1::~Module1() {
    pages_.setViewer(nullptr);
    delete splash_.data();
    delete help_.data();
    delete about_.data();
    delete steam2_.data();
    delete steam3_.data();
    delete main_.data();
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
    ShowInFront(main_);
    // The pages are mapped a moment before the main window; a window manager that is still
    // busy with them may give the focus to page 2 and leave it there. If the main window, once
    // on the screen, does not become active soon, ask again.
    const auto waitFor = [this](auto done, std::chrono::milliseconds limit) {
        QElapsedTimer since;
        since.start();
        while (main_ && !done() && since.elapsed() < limit.count()) {
            QEventLoop loop;
            QTimer::singleShot(10, &loop, &QEventLoop::quit);
            loop.exec();
        }
    };
    waitFor([this] { return main_->windowHandle() && main_->windowHandle()->isExposed(); },
            kExposureWait);
    waitFor([this] { return main_->isActiveWindow(); }, kActivationWait);
    if (main_ && !main_->isActiveWindow()) main_->activateWindow();
    emit mainShown();
}

FrmMain* Module1::loadMain() {
    if (main_) return main_;
    main_ = new FrmMain(pages_);
    prepare(main_);
    boxes_.setOwner(main_);
    connect(main_, &FrmMain::calculateClicked, this, &Module1::calculate);
    connect(main_, &FrmMain::nextPageClicked, this, &Module1::showSteam2);
    connect(main_, &FrmMain::exitClicked, this, &Module1::exitProgram);
    connect(main_, &FrmMain::usageClicked, this, &Module1::showHelp);
    connect(main_, &FrmMain::aboutClicked, this, &Module1::showAbout);
    return main_;
}

Steam2* Module1::loadSteam2() {
    if (steam2_) return steam2_;
    steam2_ = new Steam2(pages_);
    prepare(steam2_);
    connect(steam2_, &Steam2::nextPageClicked, this, &Module1::showSteam3);
    connect(steam2_, &Steam2::unloaded, this, [this] { unloadPage(2); });
    return steam2_;
}

Steam3* Module1::loadSteam3() {
    if (steam3_) return steam3_;
    steam3_ = new Steam3(pages_);
    prepare(steam3_);
    connect(steam3_, &Steam3::unloaded, this, [this] { unloadPage(3); });
    // The load step of page 3: the default texts of the two input boxes, read as numbers and
    // written with three decimals into the P and T slots; then page 3 is repainted.
    const double pressure = ReadInputNumber(kDefaultPressureText, pages_.locale()).value_or(5.0);
    const double temperature =
        ReadInputNumber(kDefaultTemperatureText, pages_.locale()).value_or(500.0);
    pages_.writeNumber(3, 0, pressure, 3);
    pages_.writeNumber(3, 1, temperature, 3);
    steam3_->update();
    return steam3_;
}

// A page window as it is loaded: the page's note, and where its copying goes.
void Module1::prepare(PageWindow* window) {
    const int page = window->page();
    window->showNote(pages_.note(page));
    window->setCopyHandler([this, page](bool all) {
        QGuiApplication::clipboard()->setText(all ? AllPagesText(pages_) : PageText(pages_, page));
    });
}

PageWindow* Module1::loaded(int page) const {
    switch (page) {
        case 1: return main_.data();
        case 2: return steam2_.data();
        case 3: return steam3_.data();
        default: return nullptr;
    }
}

PageWindow* Module1::load(int page) {
    switch (page) {
        case 1: return loadMain();
        case 2: return loadSteam2();
        case 3: return loadSteam3();
        default: return nullptr;
    }
}

void Module1::unloadPage(int page) {
    QWidget* window = nullptr;
    switch (page) {
        case 1:
            window = main_.data();
            main_ = nullptr;
            break;
        case 2:
            window = steam2_.data();
            steam2_ = nullptr;
            break;
        case 3:
            window = steam3_.data();
            steam3_ = nullptr;
            break;
        default: return;
    }
    if (window == nullptr) return;
    // The page's texts go back to those of a fresh window, which the next load shows.
    pages_.reset(page);
    window->hide();
    window->deleteLater();
}

void Module1::slotWritten(int page, int index) {
    if (PageWindow* window = loaded(page)) {
        window->valueSlots().show(index, pages_.text(page, index));
        return;
    }
    // The page's window is not loaded: load it hidden; it shows the page's texts. Page 3's load
    // step writes its P and T slots, so a write into one of them is made again after it.
    const QString written = pages_.text(page, index);
    load(page);
    if (pages_.text(page, index) != written) pages_.writeText(page, index, written);
}

void Module1::noteWritten(int page) {
    if (PageWindow* window = loaded(page)) window->showNote(pages_.note(page));
}

void Module1::pageRefreshed(int page) {
    PageWindow* window = loaded(page);
    if (window == nullptr) window = load(page);
    if (window != nullptr) window->client()->update();
}

void Module1::calculate() {
    if (!main_) return;
    const QString pressure = main_->Text1->text();
    const QString temperature = main_->Text2->text();
    main_->forgetTyping();
    const std::optional<Input> refused = Calculate(pressure, temperature, pages_, *messages_);
    // The text to correct, selected in its box, so that what the user types next replaces it.
    if (refused && main_) {
        QLineEdit* box = *refused == Input::Pressure ? main_->Text1 : main_->Text2;
        box->setFocus(Qt::OtherFocusReason);
        box->selectAll();
    }
}

void Module1::backToMain() {
    if (main_) ShowInFront(main_);
}

void Module1::showSteam2() {
    ShowInFront(loadSteam2());
}
void Module1::showSteam3() {
    ShowInFront(loadSteam3());
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
        about_ = new FrmAbout(main_);
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
    StartSysInfo(*platform_, *messages_);
}

void Module1::exitProgram() {
    unloadPage(1);
    unloadPage(2);
    unloadPage(3);
    // Help and About go with the program.
    if (help_) help_->deleteLater();
    if (about_) about_->deleteLater();
    help_ = nullptr;
    about_ = nullptr;
    endProgram_();
}

}  // namespace vapomet::ui
