// The bridge from the result pages to their windows: one table of page windows, each loaded
// when its page is first shown or written, showing its page's texts as they are written, and
// copying its page to the clipboard.
#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <array>
#include <optional>

#include "driver/pages.h"
#include "ui/page_windows.h"

namespace vapomet::ui {

// The three pages: saturation at T with the inputs (the main window), saturation at P, and the
// state at (P, T).
enum class Page { Main = 1, SaturationAtP = 2, StateAtPT = 3 };
inline constexpr Page kPages[] = {Page::Main, Page::SaturationAtP, Page::StateAtPT};
constexpr int Number(Page page) {
    return static_cast<int>(page);
}

class PageBridge : public QObject, public PageViewer {
    Q_OBJECT
  public:
    explicit PageBridge(ResultPages& pages);
    ~PageBridge() override;

    // The page's window if loaded, or null.
    PageWindow* loaded(Page page) const;
    template <typename Window>
    Window* loadedAs(Page page) const {
        return dynamic_cast<Window*>(loaded(page));
    }
    // The page's window, loaded hidden if it was not.
    PageWindow* load(Page page);
    // Unloads the window: the page's texts go back to those of a fresh window.
    void unload(Page page);

    void slotWritten(int page, int index) override;
    void pageRefreshed(int page) override;
    void noteWritten(int page) override;

  signals:
    // A page window was made: the program connects its buttons.
    void windowLoaded(vapomet::ui::Page page);

  private:
    PageWindow* make(Page page);
    // Where a page window opens: where it was when last unloaded, else pages 2 and 3 a step
    // up and to the left of page 1 in turn, their title bars in sight above it (page 1, in
    // front, is centred); always on the screen.
    void place(Page page, QWidget* window) const;
    ResultPages& pages_;
    std::array<QPointer<QWidget>, std::size(kPages)> windows_;
    std::array<std::optional<QPoint>, std::size(kPages)> lastPlaces_;
};

}  // namespace vapomet::ui
