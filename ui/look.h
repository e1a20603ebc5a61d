// The look shared by every window: positions in twips, the two fonts, the Windows system
// colours, the program's icon and pictures.
#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QPixmap>
#include <QRect>

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

// The program's icon, on every window.
QIcon ProgramIcon();

// "Version " and the program's major, minor and revision numbers, as the splash and About
// windows show it.
QString VersionLine();

// The pictures kept as resources: the splash picture (61 by 60), the About picture (62 by 88)
// and the help window's small picture (24 by 22).
QPixmap SplashPicture();
QPixmap AboutPicture();
QPixmap HelpPicture();

}  // namespace vapomet::ui
