// The controls the windows are built of: labels and input boxes that show their text whole,
// command buttons, the drawn lines, frames and pictures, the read-only text box, and the
// placing of a window on the screen.
#pragma once

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPoint>
#include <QPushButton>
#include <span>

#include "ui/look.h"

namespace vapomet::ui {

// The smallest font a text is shrunk to before it is elided: still legible.
inline constexpr double kSmallestPointSize = 6.0;

// A label whose text is always shown whole: a text wider than the box is drawn with the font
// reduced just enough, down to kSmallestPointSize. Only a text that still does not fit is
// elided at its end with "…", and then the whole text is its tooltip.
class FitLabel : public QLabel {
  public:
    FitLabel(QWidget* parent, const QFont& font);
    void showText(const QString& text);
    const QString& wholeText() const { return whole_; }
    // A remark shown as the tooltip (after the whole text, where that is elided).
    void setNote(const QString& note);

  protected:
    void resizeEvent(QResizeEvent* event) override;
    // A double click on a selectable value selects all of it, not the word under the mouse
    // ("1,706.7237" is one value).
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    void fit();
    QFont base_;
    QString whole_;
    QString note_;
};

// An input box whose text, as far as the box allows, is shown whole: its font shrinks like a
// FitLabel's; a text that still does not fit is the box's tooltip. Its inner margins are those
// of a classic sunken text box. Ctrl+C without a selection is left to the window.
class InputBox : public QLineEdit {
  public:
    InputBox(const QString& text, QWidget* parent, const QFont& font);
    bool showsWholeText() const;

  protected:
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;

  private:
    int textWidth() const;
    void fit();
    QFont base_;
};

// A static caption or value slot at its box.
FitLabel* PlaceLabel(QWidget* parent, const QString& objectName, const QString& text,
                     const TwipRect& box, Qt::Alignment alignment, const QFont& font);

// A horizontal line between two points, of 1 or 2 pixels.
class LineControl : public QWidget {
  public:
    LineControl(QWidget* parent, const QString& objectName, int x1, int y1, int x2, int y2,
                int widthPx = 1, QColor colour = QColor());
    QColor colour() const { return colour_; }
    int lineWidth() const { return width_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int width_;
    QColor colour_;
};

// An outlined rectangle with rounded corners.
class RoundedRectangle : public QWidget {
  public:
    RoundedRectangle(QWidget* parent, const QString& objectName, const TwipRect& box,
                     int outlineWidthPx);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int outline_;
};

// A box that shows a picture at its top left corner on its own background.
class PictureBox : public QWidget {
  public:
    PictureBox(QWidget* parent, const QString& objectName, const TwipRect& box,
               const QPixmap& picture, const QColor& background);
    const QPixmap& picture() const { return picture_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QPixmap picture_;
    QColor background_;
};

// A push button that, like a Windows command button, is also pressed by Enter while it has
// the focus.
class CommandButton : public QPushButton {
  public:
    CommandButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {}

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// The background of the main window: the window has no title bar, so the user moves it by
// dragging its empty background.
class DragArea : public QWidget {
  public:
    explicit DragArea(QWidget* parent) : QWidget(parent) {}

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    bool dragging_ = false;
    QPoint grabOffset_;
};

// A read-only text box at its box holding `text`, whose lines end in CRLF as the program
// copies them: the box shows the lines, the CR of each is not drawn. Tab leaves the box.
QPlainTextEdit* PlaceTextBox(QWidget* parent, const QString& objectName, const TwipRect& box,
                             const QString& text, const QColor& background);

// The lines, each ended by CRLF.
QString CrlfLines(std::span<const char* const> lines);

// Puts plain text on the clipboard, as every "Copy" of the program does.
void PutOnClipboard(const QString& text);

// Places a top-level window at the centre of the primary screen's free area.
void CentreOnScreen(QWidget* window);

}  // namespace vapomet::ui
