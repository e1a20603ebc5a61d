// Draws the program's pictures at build time: the splash picture (61 by 60, 256 colours), the
// About picture (62 by 88), the help window's small picture (24 by 22, 16 colours) and the
// program's icon in five sizes.
//   draw_pictures OUTPUT_FOLDER
// Only shapes are drawn, no text, so the pictures look the same wherever they are built.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cstdio>

namespace {

// A drop of water with its point upwards, filling the given box.
QPainterPath Drop(const QRectF& box) {
    QPainterPath path;
    const double cx = box.center().x();
    const double r = box.width() / 2.0;
    const double bottomCy = box.bottom() - r;
    path.moveTo(cx, box.top());
    path.cubicTo(cx + r * 0.35, box.top() + box.height() * 0.30, cx + r, bottomCy - r * 0.45,
                 cx + r, bottomCy);
    path.arcTo(QRectF(cx - r, bottomCy - r, 2 * r, 2 * r), 0.0, -180.0);
    path.cubicTo(cx - r, bottomCy - r * 0.45, cx - r * 0.35, box.top() + box.height() * 0.30, cx,
                 box.top());
    path.closeSubpath();
    return path;
}

void PaintDrop(QPainter& painter, const QRectF& box) {
    QRadialGradient water(box.center() + QPointF(-box.width() * 0.15, box.height() * 0.1),
                          box.width() * 0.8);
    water.setColorAt(0.0, QColor(190, 225, 255));
    water.setColorAt(0.5, QColor(60, 140, 220));
    water.setColorAt(1.0, QColor(20, 70, 160));
    painter.setPen(QPen(QColor(15, 50, 120), 1.0));
    painter.setBrush(water);
    painter.drawPath(Drop(box));
    // A highlight on the drop's left shoulder.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 170));
    const double w = box.width();
    painter.drawEllipse(QRectF(box.left() + w * 0.22, box.top() + box.height() * 0.52, w * 0.16,
                               box.height() * 0.18));
}

// Wisps of steam rising from a point: three S-curves of falling strength.
void PaintSteam(QPainter& painter, double x, double bottom, double height, double spread) {
    for (int i = 0; i < 3; ++i) {
        const double dx = (i - 1) * spread;
        QPainterPath wisp;
        wisp.moveTo(x + dx, bottom);
        wisp.cubicTo(x + dx - spread * 0.6, bottom - height * 0.35, x + dx + spread * 0.6,
                     bottom - height * 0.65, x + dx, bottom - height);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(QColor(150, 160, 175, 230 - 40 * i), 2.0, Qt::SolidLine, Qt::RoundCap));
        painter.drawPath(wisp);
    }
}

void PaintWaves(QPainter& painter, const QRectF& area) {
    QLinearGradient sea(area.topLeft(), area.bottomLeft());
    sea.setColorAt(0.0, QColor(70, 150, 225));
    sea.setColorAt(1.0, QColor(15, 60, 140));
    QPainterPath path;
    path.moveTo(area.left(), area.top());
    const double step = area.width() / 4.0;
    for (int i = 0; i < 4; ++i) {
        const double x0 = area.left() + i * step;
        path.cubicTo(x0 + step * 0.3, area.top() - 3.0, x0 + step * 0.7, area.top() + 3.0,
                     x0 + step, area.top());
    }
    path.lineTo(area.bottomRight());
    path.lineTo(area.bottomLeft());
    path.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(sea);
    painter.drawPath(path);
}

QImage Canvas(int width, int height, const QColor& top, const QColor& bottom) {
    QImage image(width, height, QImage::Format_ARGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, 0, height);
    sky.setColorAt(0.0, top);
    sky.setColorAt(1.0, bottom);
    painter.fillRect(image.rect(), sky);
    return image;
}

QImage Splash() {
    QImage image = Canvas(61, 60, QColor(235, 242, 250), QColor(200, 220, 240));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    PaintWaves(painter, QRectF(0, 48, 61, 12));
    PaintDrop(painter, QRectF(18, 16, 25, 34));
    PaintSteam(painter, 30.5, 16, 14, 7);
    painter.setPen(QColor(90, 110, 140));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(0.5, 0.5, 60, 59));
    painter.end();
    return image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
}

QImage About() {
    QImage image = Canvas(62, 88, QColor(245, 248, 252), QColor(205, 222, 240));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    PaintWaves(painter, QRectF(0, 70, 62, 18));
    PaintDrop(painter, QRectF(17, 32, 28, 38));
    PaintSteam(painter, 31, 30, 24, 8);
    // A thermometer at the right edge: stem and bulb.
    painter.setPen(QPen(QColor(90, 90, 100), 1.0));
    painter.setBrush(QColor(250, 250, 250));
    painter.drawRoundedRect(QRectF(52, 8, 5, 44), 2.5, 2.5);
    painter.setBrush(QColor(200, 30, 30));
    painter.drawEllipse(QRectF(50.5, 49, 8, 8));
    painter.setPen(Qt::NoPen);
    painter.drawRect(QRectF(53.5, 24, 2, 27));
    painter.end();
    return image;
}

QImage Help() {
    QImage image = Canvas(24, 22, QColor(255, 255, 255), QColor(255, 255, 255));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    PaintDrop(painter, QRectF(5, 1, 14, 20));
    painter.end();
    QList<QRgb> sixteen;
    for (int i = 0; i < 16; ++i) {
        // White, greys and the blues of the drop.
        sixteen.append(i < 4 ? qRgb(255 - 40 * i, 255 - 40 * i, 255 - 40 * i)
                             : qRgb(10 + 14 * (i - 4), 50 + 16 * (i - 4), 120 + 11 * (i - 4)));
    }
    return image.convertToFormat(QImage::Format_Indexed8, sixteen, Qt::ThresholdDither);
}

// The program's icon at `size` pixels: a rounded tile with the drop and its steam, as the
// scalable icon of the desktop entry draws them.
QImage Icon(int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 128.0, size / 128.0);
    QLinearGradient tile(0, 6, 0, 122);
    tile.setColorAt(0.0, QColor(247, 251, 255));
    tile.setColorAt(1.0, QColor(217, 232, 245));
    painter.setPen(QPen(QColor(143, 176, 204), 2.0));
    painter.setBrush(tile);
    painter.drawRoundedRect(QRectF(6, 6, 116, 116), 22, 22);
    PaintSteam(painter, 64, 56, 44, 22);
    PaintDrop(painter, QRectF(40, 46, 48, 70));
    painter.end();
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: draw_pictures OUTPUT_FOLDER\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) return 1;
    bool ok = Splash().save(folder.filePath(QStringLiteral("splash.png"))) &&
              About().save(folder.filePath(QStringLiteral("about.png"))) &&
              Help().save(folder.filePath(QStringLiteral("help.png")));
    for (const int size : {16, 32, 48, 64, 128})
        ok = ok && Icon(size).save(folder.filePath(QStringLiteral("icon-%1.png").arg(size)));
    if (!ok) std::fprintf(stderr, "draw_pictures: could not write the pictures\n");
    return ok ? 0 : 1;
}
