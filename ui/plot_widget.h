// A small plotting widget on QPainter: a linear or logarithmic axis each way with round ticks,
// curves with a label at their last point in view, and labelled markers. The wheel zooms about
// the cursor, a dragged rectangle zooms to it, a drag with the right button pans; a click and
// the cursor's place are reported in data units. It draws into any painter, for pictures.
#pragma once

#include <QPen>
#include <QPointF>
#include <QWidget>
#include <vector>

namespace vapomet::ui {

// The data shown along both axes.
struct PlotRange {
    double xLo, xHi, yLo, yHi;
    bool operator==(const PlotRange&) const = default;
};

// The unit an axis is labelled in: shown = data * factor + offset.
struct AxisUnit {
    double factor = 1.0, offset = 0.0;
    double shown(double value) const { return value * factor + offset; }
    double value(double shown) const { return (shown - offset) / factor; }
};

// One axis: from data to pixels and back, linear or in the logarithm.
class PlotScale {
  public:
    PlotScale(double lo, double hi, bool logarithmic, double pixelLo, double pixelHi,
              AxisUnit unit = {});
    double toPixel(double value) const;
    double toValue(double pixel) const;
    // Where to put ticks: data whose values in the axis's unit are round, inside the range.
    std::vector<double> ticks(int count) const;
    // A tick's text, in the axis's unit.
    QString tickText(double value) const;

  private:
    double t(double value) const;
    double lo_, hi_;
    bool log_;
    double pixelLo_, pixelHi_;
    AxisUnit unit_;
};

// A tick's text: "0.001", "2000", "1e-05".
QString TickText(double value);

struct PlotCurve {
    std::vector<QPointF> points;
    QPen pen;
    QString label;  // drawn beside the curve's last point in view; empty for none
};

struct PlotMarker {
    QPointF at;
    QString label;
    QColor colour;
    bool highlighted = false;
};

class PlotWidget : public QWidget {
    Q_OBJECT
  public:
    explicit PlotWidget(QWidget* parent = nullptr);

    void setAxes(const QString& xCaption, bool xLog, const QString& yCaption, bool yLog,
                 AxisUnit xUnit = {}, AxisUnit yUnit = {});
    // The range shown, and the widest one the user may zoom out to.
    void setRange(const PlotRange& range);
    void setHome(const PlotRange& home) { home_ = home; }
    const PlotRange& range() const { return range_; }
    void resetRange() { setRange(home_); }
    void setCurves(std::vector<PlotCurve> curves);
    void setMarkers(std::vector<PlotMarker> markers);
    const std::vector<PlotCurve>& curves() const { return curves_; }
    const std::vector<PlotMarker>& markers() const { return markers_; }

    // Data to pixels of the widget and back.
    QPointF toPixel(const QPointF& value) const;
    QPointF toValue(const QPointF& pixel) const;
    QRect plotArea() const { return plotArea(rect()); }

    // Draws the whole plot into `target` of a painter (the window, a picture, an SVG file).
    void render(QPainter& painter, const QRect& target) const;

  signals:
    void rangeChanged(const vapomet::ui::PlotRange& range);
    void hovered(const QPointF& value);
    void left();
    void clicked(const QPointF& value);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    QRect plotArea(const QRect& target) const;
    PlotScale xScale(const QRect& area) const;
    PlotScale yScale(const QRect& area) const;
    // Keeps a range inside the home range and not narrower than a part in a million of it.
    PlotRange bounded(PlotRange range) const;

    QString xCaption_, yCaption_;
    bool xLog_ = false, yLog_ = false;
    AxisUnit xUnit_, yUnit_;
    PlotRange range_{0, 1, 0, 1}, home_{0, 1, 0, 1};
    std::vector<PlotCurve> curves_;
    std::vector<PlotMarker> markers_;
    enum class Drag { None, Zoom, Pan } drag_ = Drag::None;
    QPoint pressedAt_, dragAt_;
    PlotRange pressedRange_{0, 1, 0, 1};
};

}  // namespace vapomet::ui
