#include "ui/page_bridge.h"

#include <QClipboard>
#include <QGuiApplication>

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

}  // namespace

void PutOnClipboard(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}

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
    PageWindow* window = loaded(page);
    window->showNote(pages_.note(number));
    window->setCopyHandler([this, number](bool all) {
        PutOnClipboard(all ? AllPagesText(pages_) : PageText(pages_, number));
    });
    emit windowLoaded(page);
    return window;
}

void PageBridge::unload(Page page) {
    QPointer<QWidget>& window = windows_[IndexOf(page)];
    if (!window) return;
    QWidget* widget = window.data();
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
