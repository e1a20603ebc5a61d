#include "ui/plot_widget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "driver/chart.h"

namespace vapomet::ui {

namespace {

// Room around the plot for the tick texts and captions, in multiples of the font's height.
constexpr double kLeftMargin = 4.5, kBottomMargin = 3.0, kTopMargin = 1.0, kRightMargin = 1.5;
constexpr int kTicksAcross = 8;
// A press that moves less than this many pixels is a click.
constexpr int kClickDistance = 4;
// One notch of the wheel zooms by this factor.
constexpr double kWheelZoom = 1.25;
// The narrowest range, as a fraction of the home range (in the logarithm for a log axis).
constexpr double kNarrowest = 1e-6;

}  // namespace

PlotScale::PlotScale(double lo, double hi, bool logarithmic, double pixelLo, double pixelHi,
                     AxisUnit unit)
    : lo_(lo), hi_(hi), log_(logarithmic), pixelLo_(pixelLo), pixelHi_(pixelHi), unit_(unit) {}

double PlotScale::t(double value) const {
    return log_ ? std::log(value / lo_) / std::log(hi_ / lo_) : (value - lo_) / (hi_ - lo_);
}

double PlotScale::toPixel(double value) const {
    return pixelLo_ + t(value) * (pixelHi_ - pixelLo_);
}

double PlotScale::toValue(double pixel) const {
    const double f = (pixel - pixelLo_) / (pixelHi_ - pixelLo_);
    return log_ ? lo_ * std::pow(hi_ / lo_, f) : lo_ + f * (hi_ - lo_);
}

std::vector<double> PlotScale::ticks(int count) const {
    std::vector<double> ticks =
        RoundValues(unit_.shown(std::min(lo_, hi_)), unit_.shown(std::max(lo_, hi_)), count, log_);
    for (double& tick : ticks) tick = unit_.value(tick);
    return ticks;
}

QString PlotScale::tickText(double value) const {
    return TickText(unit_.shown(value));
}

QString TickText(double value) {
    const QString text = QString::number(value, 'g', 6);
    return text == QStringLiteral("-0") ? QStringLiteral("0") : text;
}

PlotWidget::PlotWidget(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setMinimumSize(320, 240);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::ClickFocus);
}

void PlotWidget::setAxes(const QString& xCaption, bool xLog, const QString& yCaption, bool yLog,
                         AxisUnit xUnit, AxisUnit yUnit) {
    xCaption_ = xCaption;
    yCaption_ = yCaption;
    xLog_ = xLog;
    yLog_ = yLog;
    xUnit_ = xUnit;
    yUnit_ = yUnit;
    update();
}

void PlotWidget::setRange(const PlotRange& range) {
    const PlotRange next = bounded(range);
    if (next == range_) return;
    range_ = next;
    update();
    emit rangeChanged(range_);
}

void PlotWidget::setCurves(std::vector<PlotCurve> curves) {
    curves_ = std::move(curves);
    update();
}

void PlotWidget::setMarkers(std::vector<PlotMarker> markers) {
    markers_ = std::move(markers);
    update();
}

PlotRange PlotWidget::bounded(PlotRange r) const {
    // Each axis stays inside home; a range narrower than the narrowest is widened about its
    // middle.
    const auto fit = [](double& lo, double& hi, double homeLo, double homeHi, bool log) {
        const auto in = [log](double v) { return log ? std::log(v) : v; };
        const auto out = [log](double v) { return log ? std::exp(v) : v; };
        double a = in(lo), b = in(hi);
        const double ha = in(homeLo), hb = in(homeHi);
        const double narrowest = kNarrowest * (hb - ha);
        if (!(b - a >= narrowest)) {
            const double middle = std::isfinite(a + b) ? (a + b) / 2 : (ha + hb) / 2;
            a = middle - narrowest / 2;
            b = middle + narrowest / 2;
        }
        const double width = std::min(b - a, hb - ha);
        a = std::clamp(a, ha, hb - width);
        b = a + width;
        lo = out(a);
        hi = out(b);
    };
    fit(r.xLo, r.xHi, home_.xLo, home_.xHi, xLog_);
    fit(r.yLo, r.yHi, home_.yLo, home_.yHi, yLog_);
    return r;
}

QRect PlotWidget::plotArea(const QRect& target) const {
    const double line = fontMetrics().height();
    return target.adjusted(
        static_cast<int>(kLeftMargin * line), static_cast<int>(kTopMargin * line),
        -static_cast<int>(kRightMargin * line), -static_cast<int>(kBottomMargin * line));
}

PlotScale PlotWidget::xScale(const QRect& area) const {
    return PlotScale(range_.xLo, range_.xHi, xLog_, area.left(), area.right(), xUnit_);
}

PlotScale PlotWidget::yScale(const QRect& area) const {
    return PlotScale(range_.yLo, range_.yHi, yLog_, area.bottom(), area.top(), yUnit_);
}

QPointF PlotWidget::toPixel(const QPointF& value) const {
    const QRect area = plotArea();
    return {xScale(area).toPixel(value.x()), yScale(area).toPixel(value.y())};
}

QPointF PlotWidget::toValue(const QPointF& pixel) const {
    const QRect area = plotArea();
    return {xScale(area).toValue(pixel.x()), yScale(area).toValue(pixel.y())};
}

void PlotWidget::render(QPainter& painter, const QRect& target) const {
    const QRect area = plotArea(target);
    const PlotScale x = xScale(area), y = yScale(area);
    const QPalette& colours = palette();
    painter.save();
    painter.setFont(font());
    painter.fillRect(target, colours.color(QPalette::Base));
    const QFontMetrics metrics(font());
    const QColor grid = colours.color(QPalette::Mid).lighter(130);
    const QColor text = colours.color(QPalette::Text);

    // Grid lines at the ticks, and the tick texts outside the frame.
    for (const double value : x.ticks(kTicksAcross)) {
        const double px = x.toPixel(value);
        painter.setPen(QPen(grid, 0));
        painter.drawLine(QPointF(px, area.top()), QPointF(px, area.bottom()));
        painter.setPen(text);
        const QString label = x.tickText(value);
        painter.drawText(
            QPointF(px - metrics.horizontalAdvance(label) / 2.0, area.bottom() + metrics.height()),
            label);
    }
    for (const double value : y.ticks(kTicksAcross)) {
        const double py = y.toPixel(value);
        painter.setPen(QPen(grid, 0));
        painter.drawLine(QPointF(area.left(), py), QPointF(area.right(), py));
        painter.setPen(text);
        const QString label = y.tickText(value);
        painter.drawText(QPointF(area.left() - metrics.horizontalAdvance(label) - 4,
                                 py + metrics.ascent() / 2.0),
                         label);
    }
    painter.setPen(text);
    painter.drawText(
        QRect(area.left(), area.bottom() + metrics.height() + 4, area.width(), metrics.height()),
        Qt::AlignHCenter, xCaption_);
    painter.save();
    painter.translate(target.left() + metrics.height() * 0.2, area.center().y());
    painter.rotate(-90);
    painter.drawText(QRect(-area.height() / 2, 0, area.height(), metrics.height()),
                     Qt::AlignHCenter, yCaption_);
    painter.restore();

    // Curves, clipped to the frame; each label beside its last point in view, moved down past
    // the labels already drawn.
    std::vector<QRectF> labels;
    const auto place = [&labels, &metrics](QRectF box) {
        for (int tries = 0; tries < 8 && std::any_of(labels.begin(), labels.end(),
                                                     [&box](const QRectF& other) {
                                                         return other.intersects(box);
                                                     });
             ++tries)
            box.translate(0, metrics.height());
        labels.push_back(box);
        return QPointF(box.left(), box.top() + metrics.ascent());
    };
    painter.setClipRect(area);
    painter.setRenderHint(QPainter::Antialiasing);
    const auto pixel = [&](const QPointF& v) {
        return QPointF(x.toPixel(v.x()), y.toPixel(v.y()));
    };
    const auto inside = [&](const QPointF& v) {
        return v.x() >= std::min(range_.xLo, range_.xHi) &&
               v.x() <= std::max(range_.xLo, range_.xHi) &&
               v.y() >= std::min(range_.yLo, range_.yHi) &&
               v.y() <= std::max(range_.yLo, range_.yHi);
    };
    for (const PlotCurve& curve : curves_) {
        QPainterPath path;
        bool started = false;
        const QPointF* last = nullptr;
        for (const QPointF& point : curve.points) {
            if (!std::isfinite(point.x()) || !std::isfinite(point.y()) ||
                (xLog_ && point.x() <= 0) || (yLog_ && point.y() <= 0)) {
                started = false;
                continue;
            }
            const QPointF p = pixel(point);
            started ? path.lineTo(p) : path.moveTo(p);
            started = true;
            if (inside(point)) last = &point;
        }
        painter.setPen(curve.pen);
        painter.drawPath(path);
        if (last != nullptr && !curve.label.isEmpty()) {
            const QPointF p = pixel(*last);
            const double width = metrics.horizontalAdvance(curve.label);
            // Kept inside the frame: a label at the right or top edge is drawn in front of it.
            const double left = std::min(p.x() + 3.0, area.right() - width - 2.0);
            const double base = std::max(p.y() - 3.0, area.top() + metrics.ascent() + 1.0);
            painter.setPen(curve.pen.color().darker(120));
            painter.drawText(place(QRectF(left, base - metrics.ascent(), width, metrics.height())),
                             curve.label);
        }
    }
    for (const PlotMarker& marker : markers_) {
        if (!inside(marker.at)) continue;
        const QPointF p = pixel(marker.at);
        const double radius = marker.highlighted ? 6.0 : 4.0;
        painter.setPen(QPen(marker.colour.darker(150), marker.highlighted ? 2.0 : 1.0));
        painter.setBrush(marker.colour);
        painter.drawEllipse(p, radius, radius);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(text);
        painter.drawText(
            place(QRectF(p + QPointF(radius + 2, -radius - 2 - metrics.ascent()),
                         QSizeF(metrics.horizontalAdvance(marker.label), metrics.height()))),
            marker.label);
    }
    painter.setClipping(false);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(text);
    painter.drawRect(area);
    if (drag_ == Drag::Zoom) {
        painter.setPen(QPen(colours.color(QPalette::Highlight), 1, Qt::DashLine));
        painter.drawRect(QRect(pressedAt_, dragAt_).normalized());
    }
    painter.restore();
}

void PlotWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    render(painter, rect());
}

void PlotWidget::wheelEvent(QWheelEvent* event) {
    const double notches = event->angleDelta().y() / 120.0;
    if (notches == 0.0) return;
    const double factor = std::pow(kWheelZoom, -notches);
    // The point under the cursor stays where it is.
    const QRect area = plotArea();
    const QPointF at = event->position();
    const auto zoom = [factor](double lo, double hi, double f, bool log) {
        const auto in = [log](double v) { return log ? std::log(v) : v; };
        const auto out = [log](double v) { return log ? std::exp(v) : v; };
        const double a = in(lo), b = in(hi), c = a + f * (b - a);
        return std::pair(out(c - (c - a) * factor), out(c + (b - c) * factor));
    };
    const auto [xLo, xHi] =
        zoom(range_.xLo, range_.xHi, (at.x() - area.left()) / std::max(1, area.width()), xLog_);
    const auto [yLo, yHi] =
        zoom(range_.yLo, range_.yHi, (area.bottom() - at.y()) / std::max(1, area.height()), yLog_);
    setRange({xLo, xHi, yLo, yHi});
    event->accept();
}

void PlotWidget::mousePressEvent(QMouseEvent* event) {
    pressedAt_ = dragAt_ = event->position().toPoint();
    pressedRange_ = range_;
    drag_ = event->button() == Qt::LeftButton ? Drag::Zoom
            : event->button() == Qt::RightButton || event->button() == Qt::MiddleButton
                ? Drag::Pan
                : Drag::None;
}

void PlotWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (plotArea().contains(at))
        emit hovered(toValue(at));
    else
        emit left();
    if (drag_ == Drag::None) return;
    dragAt_ = at;
    if (drag_ == Drag::Pan) {
        // The data under the cursor follows it.
        const QRect area = plotArea();
        const PlotScale x =
            PlotScale(pressedRange_.xLo, pressedRange_.xHi, xLog_, area.left(), area.right());
        const PlotScale y =
            PlotScale(pressedRange_.yLo, pressedRange_.yHi, yLog_, area.bottom(), area.top());
        const double dx = at.x() - pressedAt_.x(), dy = at.y() - pressedAt_.y();
        setRange({x.toValue(area.left() - dx), x.toValue(area.right() - dx),
                  y.toValue(area.bottom() - dy), y.toValue(area.top() - dy)});
    }
    update();
}

void PlotWidget::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const Drag drag = drag_;
    drag_ = Drag::None;
    const bool click = (at - pressedAt_).manhattanLength() < kClickDistance;
    if (drag == Drag::Zoom && click && plotArea().contains(at)) emit clicked(toValue(at));
    if (drag == Drag::Zoom && !click) {
        const QPointF a = toValue(pressedAt_), b = toValue(at);
        setRange({std::min(a.x(), b.x()), std::max(a.x(), b.x()), std::min(a.y(), b.y()),
                  std::max(a.y(), b.y())});
    }
    update();
}

void PlotWidget::leaveEvent(QEvent*) {
    emit left();
}

}  // namespace vapomet::ui
