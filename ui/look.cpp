#include "ui/look.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <cmath>

#ifdef _WIN32
#include "ui/win32/win32_calls.h"
#endif

namespace vapomet::ui {

namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr double kFallbackDpi = 96.0;
constexpr double kPointSize = 8.25;

double ScreenDpi(bool horizontal) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return kFallbackDpi;
    const double dpi = horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY();
    return dpi > 0.0 ? dpi : kFallbackDpi;
}

QFont Face(const QString& family) {
    QFont font(family);
    font.setPointSizeF(kPointSize);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    return font;
}

}  // namespace

int TwipsToPixels(int twips, double dotsPerInch) {
    return static_cast<int>(std::lround(twips * dotsPerInch / kTwipsPerInch));
}

double LogicalDpiX() {
    return ScreenDpi(true);
}
double LogicalDpiY() {
    return ScreenDpi(false);
}
int TwipsX(int twips) {
    return TwipsToPixels(twips, LogicalDpiX());
}
int TwipsY(int twips) {
    return TwipsToPixels(twips, LogicalDpiY());
}

QRect TwipsToRect(const TwipRect& box) {
    // Edges are converted, not sizes, so that boxes that touch in twips touch in pixels.
    const int left = TwipsX(box.left);
    const int top = TwipsY(box.top);
    return {left, top, TwipsX(box.left + box.width) - left, TwipsY(box.top + box.height) - top};
}

QSize TwipsToSize(int width, int height) {
    return {TwipsX(width), TwipsY(height)};
}

QFont Verdana() {
    return Face(QStringLiteral("Verdana"));
}
QFont MsSansSerif() {
    return Face(QStringLiteral("MS Sans Serif"));
}

void RegisterFontSubstitutes() {
    // Verdana is a wide humanist sans; DejaVu Sans (from Bitstream Vera) has nearly its widths.
    QFont::insertSubstitutions(
        QStringLiteral("Verdana"),
        {QStringLiteral("DejaVu Sans"), QStringLiteral("Bitstream Vera Sans"),
         QStringLiteral("Tahoma"), QStringLiteral("Sans Serif")});
    // MS Sans Serif is a plain, narrower sans: Arial's metric twin serves best.
    QFont::insertSubstitutions(
        QStringLiteral("MS Sans Serif"),
        {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans"),
         QStringLiteral("Arial"), QStringLiteral("Helvetica"), QStringLiteral("DejaVu Sans")});
}

QColor SystemColour(int index) {
#ifdef _WIN32
    const win32::Rgb rgb = win32::SystemColour(index);
    return QColor(rgb.red, rgb.green, rgb.blue);
#else
    switch (index) {
        case kColourWindow: return QColor(255, 255, 255);
        case kColourInactiveCaptionText: return QColor(212, 208, 200);  // light grey
        case kColourTooltipBackground: return QColor(255, 255, 225);    // pale yellow
        default: return QColor(192, 192, 192);
    }
#endif
}

QLabel* PlaceLabel(QWidget* parent, const QString& objectName, const QString& text,
                   const TwipRect& box, Qt::Alignment alignment, const QFont& font) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(objectName);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(alignment | Qt::AlignVCenter);
    label->setFont(font);
    label->setGeometry(TwipsToRect(box));
    return label;
}

LineControl::LineControl(QWidget* parent, const QString& objectName, int x1, int y1, int x2, int y2,
                         int widthPx, QColor colour)
    : QWidget(parent), width_(widthPx), colour_(colour) {
    setObjectName(objectName);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // Only horizontal lines occur: the box spans the line and is as high as the line is wide,
    // centred on it.
    const int left = TwipsX(std::min(x1, x2));
    const int right = TwipsX(std::max(x1, x2));
    const int y = TwipsY((y1 + y2) / 2);
    setGeometry(left, y - (widthPx - 1) / 2, std::max(1, right - left), widthPx);
}

void LineControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor colour = colour_.isValid() ? colour_ : palette().color(QPalette::WindowText);
    painter.fillRect(rect(), colour);
}

RoundedRectangle::RoundedRectangle(QWidget* parent, const QString& objectName, const TwipRect& box,
                                   int outlineWidthPx)
    : QWidget(parent), outline_(outlineWidthPx) {
    setObjectName(objectName);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(TwipsToRect(box));
}

void RoundedRectangle::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(palette().color(QPalette::WindowText), outline_);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const double inset = outline_ / 2.0;
    const QRectF frame = QRectF(rect()).adjusted(inset, inset, -inset, -inset);
    const double radius = std::min(frame.width(), frame.height()) / 10.0;
    painter.drawRoundedRect(frame, radius, radius);
}

PictureBox::PictureBox(QWidget* parent, const QString& objectName, const TwipRect& box,
                       const QPixmap& picture, const QColor& background)
    : QWidget(parent), picture_(picture), background_(background) {
    setObjectName(objectName);
    setGeometry(TwipsToRect(box));
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (background_.isValid()) painter.fillRect(rect(), background_);
    painter.drawPixmap(0, 0, picture_);
}

QPixmap SplashPicture() {
    return QPixmap(QStringLiteral(":/vapomet/splash.png"));
}
QPixmap AboutPicture() {
    return QPixmap(QStringLiteral(":/vapomet/about.png"));
}
QPixmap HelpPicture() {
    return QPixmap(QStringLiteral(":/vapomet/help.png"));
}

}  // namespace vapomet::ui
