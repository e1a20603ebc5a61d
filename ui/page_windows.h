// The splash window and the three page windows. They show the texts of the result pages and
// report the user's presses; they compute nothing.
#pragma once

#include <QMainWindow>
#include <QPlainTextEdit>
#include <functional>
#include <vector>

#include "driver/pages.h"
#include "ui/controls.h"

class QAction;
class QMenu;

namespace vapomet::ui {

// The value slots of one page, by index, each at its box beside its caption. A slot's text can
// be selected with the mouse and the keyboard; screen readers name it by what it shows.
class SlotArray {
  public:
    void build(QWidget* client, int page, const QString& arrayName, const ResultPages& pages);
    FitLabel* slot(int index) const { return labels_.at(static_cast<std::size_t>(index)); }
    int count() const { return static_cast<int>(labels_.size()); }
    void show(int index, const QString& text) { slot(index)->showText(text); }

  private:
    std::vector<FitLabel*> labels_;
};

// A page window: its slots, its note, and the copying of its page.
class PageWindow {
  public:
    virtual ~PageWindow() = default;
    virtual int page() const = 0;
    SlotArray& valueSlots() { return slots_; }
    QWidget* client() const { return client_; }
    // The page's note (ResultPages::note), as the tooltip of what it is about.
    void showNote(const QString& note);
    // What "Copy page" (all false) and "Copy all pages" (all true) do.
    void setCopyHandler(std::function<void(bool all)> copy) { copy_ = std::move(copy); }
    QAction* copyPageAction() const { return copyPage_; }
    QAction* copyAllPagesAction() const { return copyAllPages_; }

  protected:
    // "Copy page" (Ctrl+C where no text is selected) and "Copy all pages" (Ctrl+Shift+C) as
    // shortcuts of the window and in the context menu of its background and slots.
    void setUpCopying(QWidget* window);
    SlotArray slots_;
    QWidget* client_ = nullptr;
    std::vector<FitLabel*> noted_;  // the labels the note is about

  private:
    void copy(bool all) const;
    void showMenu(QWidget* owner, const QPoint& at) const;
    std::function<void(bool all)> copy_;
    mutable bool inMenu_ = false;  // "Copy page" chosen in the context menu copies the page
    QAction* copyPage_ = nullptr;
    QAction* copyAllPages_ = nullptr;
};

// Page 1 and the main window: the two inputs, "Calculate", "->Next Page" and the menu ("Exit",
// "Help", and "Tools" with the windows of states from two properties and of diagrams).
class FrmMain : public QMainWindow, public PageWindow {
    Q_OBJECT
  public:
    explicit FrmMain(const ResultPages& pages);
    int page() const override { return 1; }
    // The input boxes forget the typing that led to their texts (text, cursor and selection
    // stay), so that their undo history does not grow with every press of the session.
    void forgetTyping();

    InputBox* Text1 = nullptr;
    InputBox* Text2 = nullptr;
    CommandButton* Calbtn = nullptr;
    CommandButton* Nxtpgbtn = nullptr;
    QAction* Exit = nullptr;
    QMenu* Help = nullptr;
    QAction* Usage = nullptr;
    QAction* Abt = nullptr;
    QMenu* Tools = nullptr;
    QAction* StateTool = nullptr;
    QAction* DiagramTool = nullptr;

  signals:
    void calculateClicked();
    void nextPageClicked();
    void exitClicked();
    void usageClicked();
    void aboutClicked();
    void stateToolClicked();
    void diagramToolClicked();

  protected:
    void closeEvent(QCloseEvent* event) override;
};

// Page 2: saturation at the input pressure, with "Next Page ->".
class Steam2 : public QWidget, public PageWindow {
    Q_OBJECT
  public:
    explicit Steam2(const ResultPages& pages);
    int page() const override { return 2; }
    CommandButton* Nextpg = nullptr;

  signals:
    void nextPageClicked();
    void unloaded();

  protected:
    void closeEvent(QCloseEvent* event) override;
};

// Page 3: the state at P and T, its region and the nomenclature.
class Steam3 : public QWidget, public PageWindow {
    Q_OBJECT
  public:
    explicit Steam3(const ResultPages& pages);
    int page() const override { return 3; }
    QPlainTextEdit* Text1 = nullptr;

  signals:
    void unloaded();

  protected:
    void closeEvent(QCloseEvent* event) override;
};

// The nomenclature of page 3, as the text box holds it (tabs and CRLF line ends).
QString NomenclatureText();

// The splash window: picture, credit line and version line.
class FrmSplash : public QFrame {
    Q_OBJECT
  public:
    FrmSplash();
    FitLabel* lblVersion = nullptr;
    FitLabel* lblCredit = nullptr;
};

}  // namespace vapomet::ui
