#include "ui/page_bridge.h"

#include <QGuiApplication>
#include <QScreen>

namespace vapomet::ui {

namespace {

std::size_t IndexOf(Page page) {
    return static_cast<std::size_t>(Number(page) - 1);
}

std::optional<Page> PageNumbered(int number) {
    for (const Page page : kPages)
        if (Number(page) == number) return page;
    return std::nullopt;
}

// The step between page windows opened in turn: about two title bars, so that each page's
// title and top left corner stay in sight under the next.
constexpr int kCascadeStep = 48;
// Room kept for a window manager's frame around a page when it is kept on the screen.
constexpr int kFrameAllowance = 32;

}  // namespace

PageBridge::PageBridge(ResultPages& pages) : pages_(pages) {
    pages_.setViewer(this);
}

PageBridge::~PageBridge() {
    pages_.setViewer(nullptr);
    for (QPointer<QWidget>& window : windows_) delete window.data();
}

PageWindow* PageBridge::loaded(Page page) const {
    return dynamic_cast<PageWindow*>(windows_[IndexOf(page)].data());
}

PageWindow* PageBridge::load(Page page) {
    if (PageWindow* window = loaded(page)) return window;
    return make(page);
}

// Makes the page's window from the page's texts. An unloaded page holds the texts of a fresh
// one (page 3: the default inputs in its P and T slots) and any written since.
PageWindow* PageBridge::make(Page page) {
    const int number = Number(page);
    QWidget* widget = nullptr;
    switch (page) {
        case Page::Main: widget = new FrmMain(pages_); break;
        case Page::SaturationAtP: widget = new Steam2(pages_); break;
        case Page::StateAtPT: widget = new Steam3(pages_); break;
    }
    windows_[IndexOf(page)] = widget;
    place(page, widget);
    PageWindow* window = loaded(page);
    window->showNote(pages_.note(number));
    window->setCopyHandler([this, number](bool all) {
        PutOnClipboard(all ? AllPagesText(pages_) : PageText(pages_, number));
    });
    emit windowLoaded(page);
    return window;
}

void PageBridge::place(Page page, QWidget* window) const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    QPoint at = window->pos();  // page 1 centres itself
    if (const std::optional<QPoint>& last = lastPlaces_[IndexOf(page)]) {
        at = *last;
    } else if (page != Page::Main) {
        const QWidget* main = windows_[IndexOf(Page::Main)].data();
        const QRect area = screen->availableGeometry();
        const QPoint origin =
            main != nullptr ? main->pos()
                            : area.center() - QPoint(window->width() / 2, window->height() / 2);
        at = origin - QPoint(kCascadeStep, kCascadeStep) * (Number(page) - 1);
    }
    const QRect area = screen->availableGeometry();
    const int right = area.right() - window->width() - kFrameAllowance;
    const int bottom = area.bottom() - window->height() - kFrameAllowance;
    window->move(std::clamp(at.x(), area.left(), std::max(area.left(), right)),
                 std::clamp(at.y(), area.top(), std::max(area.top(), bottom)));
}

void PageBridge::unload(Page page) {
    QPointer<QWidget>& window = windows_[IndexOf(page)];
    if (!window) return;
    QWidget* widget = window.data();
    lastPlaces_[IndexOf(page)] = widget->pos();
    window = nullptr;
    pages_.reset(Number(page));
    widget->hide();
    widget->deleteLater();
}

void PageBridge::slotWritten(int number, int index) {
    const std::optional<Page> page = PageNumbered(number);
    if (!page) return;
    // A window made now is built from the page's texts, the new one among them.
    if (PageWindow* window = loaded(*page))
        window->valueSlots().show(index, pages_.text(number, index));
    else
        make(*page);
}

void PageBridge::noteWritten(int number) {
    if (const std::optional<Page> page = PageNumbered(number))
        if (PageWindow* window = loaded(*page)) window->showNote(pages_.note(number));
}

void PageBridge::pageRefreshed(int number) {
    if (const std::optional<Page> page = PageNumbered(number)) load(*page)->client()->update();
}

}  // namespace vapomet::ui
