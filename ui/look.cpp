#include "ui/look.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>
#include <cmath>

#include "vapomet/version.h"

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

QIcon ProgramIcon() {
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128})
        icon.addFile(QStringLiteral(":/vapomet/icon-%1.png").arg(size), QSize(size, size));
    return icon;
}

QString VersionLine() {
    return QStringLiteral("Version %1.%2.%3")
        .arg(VAPOMET_VERSION_MAJOR)
        .arg(VAPOMET_VERSION_MINOR)
        .arg(VAPOMET_VERSION_PATCH);
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
