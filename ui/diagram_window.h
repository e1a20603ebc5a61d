// The window "Diagram": the chart chosen (h-s first), its saturation curve and isolines for the
// view, the states of the last press and of the history as markers, the state under the
// cursor in the status line (a click adds it to the history), and processes from a state of
// the history. The curves are computed by the driver away from the window's thread and kept
// per chart and view. Its Units menu chooses the units of its axes, lines and words (pressures
// absolute). Also the same chart drawn without a window, for files.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QWidget>
#include <map>
#include <optional>
#include <tuple>

#include "driver/chart.h"
#include "driver/pages.h"
#include "driver/preferences.h"
#include "driver/state_history.h"
#include "ui/plot_widget.h"

namespace vapomet::ui {

class DiagramWindow : public QWidget {
    Q_OBJECT
  public:
    DiagramWindow(StateHistory& history, const ResultPages& pages, PreferenceStore& preferences,
                  const QLocale& locale);

    ChartKind chart() const;
    void showChart(ChartKind kind);
    // Marks these states of the history more strongly.
    void highlight(std::vector<std::size_t> entries);
    // The last press's states changed.
    void pagesChanged() { showMarkers(); }
    // Whether the curves of the view on show are drawn (they come a moment after a change).
    bool curvesShown() const { return shown_.has_value(); }
    // The state-at-cursor text of a point, as the status line shows it.
    QString stateText(const QPointF& point) const;
    // The chart as a picture (".png", ".svg") or its curves as CSV; false where it could not
    // be written.
    bool savePicture(const QString& file) const;
    bool saveCurves(const QString& file) const;

    QComboBox* chartBox = nullptr;
    QCheckBox* boundariesBox = nullptr;
    QPushButton* resetButton = nullptr;
    QPushButton* pngButton = nullptr;
    QPushButton* svgButton = nullptr;
    QPushButton* csvButton = nullptr;
    QPushButton* copyButton = nullptr;
    PlotWidget* plot = nullptr;
    QLabel* statusLine = nullptr;
    QComboBox* processFrom = nullptr;
    QComboBox* processKind = nullptr;
    QLineEdit* pressureBox = nullptr;
    QLabel* pressureUnit = nullptr;
    QLineEdit* efficiencyBox = nullptr;
    QPushButton* drawButton = nullptr;
    QLabel* processResult = nullptr;

  signals:
    void curvesReady();

  public slots:
    void drawProcess();

  private:
    using Key = std::tuple<int, bool, double, double, double, double>;
    Key keyOf() const;
    void chartChosen();
    void unitsChosen();
    void requestCurves();
    void showCurves(const ChartData& data);
    void showMarkers();
    void historyChanged();
    void exportAs(const QString& suffix);

    StateHistory& history_;
    const ResultPages& pages_;
    QLocale locale_;
    PreferenceStore& preferences_;
    Units units_;  // the chart's: the preferences', pressures absolute
    std::map<Key, ChartData> cache_;
    std::optional<Key> shown_;
    int generation_ = 0;
    std::vector<std::size_t> highlighted_;
    std::optional<Process> process_;
};

// The chart of `kind` over its whole range with these states marked, written to a PNG or SVG
// file of `size` pixels; false where the file could not be written.
bool WriteDiagram(ChartKind kind, const std::vector<ChartState>& states, const QString& file,
                  QSize size = QSize(1000, 750));

}  // namespace vapomet::ui
