// The look shared by every window: positions in twips, the two fonts, the Windows system
// colours and the small drawn controls (lines, the rounded rectangle, picture boxes).
#pragma once

#include <QColor>
#include <QFont>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QRect>
#include <QWidget>

namespace vapomet::ui {

// A box as the layouts give it: Left, Top, Width, Height in twips (1/1440 inch).
struct TwipRect {
    int left, top, width, height;
};

// Twips to device-independent pixels at the screen's logical resolution (15 twips to a pixel
// at 96 dots per inch), so that the layout grows with the screen's text size.
int TwipsToPixels(int twips, double dotsPerInch);
double LogicalDpiX();
double LogicalDpiY();
int TwipsX(int twips);
int TwipsY(int twips);
QRect TwipsToRect(const TwipRect& box);
QSize TwipsToSize(int width, int height);

// The two faces of the windows, 8.25 pt regular. Platforms without them get the substitutes
// that RegisterFontSubstitutes names.
QFont Verdana();
QFont MsSansSerif();
void RegisterFontSubstitutes();

// Windows system colours by their index: 5 window background, 19 inactive caption text,
// 24 tooltip background. On Windows they are read from the system; elsewhere fixed colours
// that look like them stand in.
inline constexpr int kColourWindow = 5;
inline constexpr int kColourInactiveCaptionText = 19;
inline constexpr int kColourTooltipBackground = 24;
QColor SystemColour(int index);

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

// The program's icon, on every window.
QIcon ProgramIcon();

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

// The pictures kept as resources: the splash picture (61 by 60), the About picture (62 by 88)
// and the help window's small picture (24 by 22).
QPixmap SplashPicture();
QPixmap AboutPicture();
QPixmap HelpPicture();

}  // namespace vapomet::ui
