#include "ui/diagram_window.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QMenuBar>
#include <QPainter>
#include <QSvgGenerator>
#include <QTextStream>
#include <QTimer>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>
#include <cmath>

#include "driver/messages.h"
#include "driver/numbers.h"
#include "driver/state_table.h"
#include "ui/controls.h"
#include "ui/look.h"
#include "ui/preference_menus.h"

namespace vapomet::ui {

namespace {

// A change of view is drawn once the user has stopped changing it for this long.
constexpr int kSettleMilliseconds = 60;
// Pictures for reports are read at a distance: their text is larger than the window's.
constexpr double kPictureFontSize = 11.0;
const QColor kPressColour(230, 140, 20);
const QColor kHistoryColour(20, 150, 150);
const QColor kProcessColour(180, 30, 60);

QPen PenOf(LineKind kind) {
    switch (kind) {
        case LineKind::Saturation: return QPen(Qt::black, 2.0);
        case LineKind::Isobar: return QPen(QColor(30, 90, 200), 1.0);
        case LineKind::Isotherm: return QPen(QColor(200, 50, 40), 1.0);
        case LineKind::Isenthalp: return QPen(QColor(30, 140, 60), 1.0);
        case LineKind::Isentrope: return QPen(QColor(130, 60, 170), 1.0);
        case LineKind::Isochore: return QPen(QColor(170, 110, 20), 1.0);
        case LineKind::Quality: return QPen(QColor(120, 120, 120), 1.0, Qt::DashLine);
        case LineKind::Boundary: return QPen(QColor(60, 60, 60), 1.5, Qt::DotLine);
    }
    return QPen();
}

PlotRange RangeOf(const ChartView& view) {
    return {view.xLo, view.xHi, view.yLo, view.yHi};
}

std::vector<PlotCurve> CurvesOf(const ChartData& data) {
    std::vector<PlotCurve> curves;
    for (const ChartLine& line : data.lines)
        curves.push_back({line.points, PenOf(line.kind), line.label});
    return curves;
}

std::vector<QPointF> Projected(ChartKind kind, const std::vector<State>& states) {
    std::vector<QPointF> points;
    for (const State& state : states) points.push_back(ChartPointOf(kind, state));
    return points;
}

// An axis's unit: the chart's values are the library's.
AxisUnit AxisUnitOf(const Units& units, Variable variable) {
    const double offset = ShownValue(units, variable, 0.0);
    return {ShownValue(units, variable, 1.0) - offset, offset};
}

void SetUpPlot(PlotWidget& plot, ChartKind kind, const Units& units) {
    const ChartAxes axes = AxesOf(kind);
    plot.setAxes(AxisCaption(axes.x, units), axes.logX, AxisCaption(axes.y, units), axes.logY,
                 AxisUnitOf(units, axes.x), AxisUnitOf(units, axes.y));
    plot.setHome(RangeOf(FullView(kind)));
    plot.resetRange();
}

// The critical point, marked on every chart.
PlotMarker CriticalMarker(const ChartData& data) {
    return {data.critical, QStringLiteral("critical point"), Qt::black, false};
}

bool SavePlot(const PlotWidget& plot, const QString& file, const QString& title) {
    const QRect area(QPoint(0, 0), plot.size());
    if (QFileInfo(file).suffix().compare(QStringLiteral("svg"), Qt::CaseInsensitive) == 0) {
        QSvgGenerator svg;
        svg.setFileName(file);
        svg.setSize(area.size());
        svg.setViewBox(area);
        svg.setTitle(title);
        svg.setDescription(QStringLiteral("Drawn by Vapomet after IAPWS-IF97"));
        QPainter painter;
        if (!painter.begin(&svg)) return false;
        plot.render(painter, area);
        return painter.end() && QFileInfo(file).size() > 0;
    }
    QImage image(area.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    plot.render(painter, area);
    painter.end();
    return image.save(file);
}

}  // namespace

DiagramWindow::DiagramWindow(StateHistory& history, const ResultPages& pages,
                             PreferenceStore& preferences, const QLocale& locale)
    : QWidget(nullptr, Qt::Window),
      history_(history),
      pages_(pages),
      locale_(locale),
      preferences_(preferences),
      units_(ChartUnits(preferences.units())) {
    setObjectName(QStringLiteral("frmDiagram"));
    setWindowTitle(QStringLiteral("Diagram"));
    setFont(Verdana());

    chartBox = new QComboBox(this);
    chartBox->setObjectName(QStringLiteral("chartBox"));
    chartBox->setAccessibleName(QStringLiteral("Chart"));
    for (const ChartKind kind : kChartKinds) chartBox->addItem(ChartTitle(kind));
    auto* chartLabel = new QLabel(QStringLiteral("C&hart:"), this);
    chartLabel->setBuddy(chartBox);
    boundariesBox = new QCheckBox(QStringLiteral("&Region boundaries"), this);
    boundariesBox->setObjectName(QStringLiteral("boundariesBox"));
    resetButton = new QPushButton(QStringLiteral("R&eset view"), this);
    pngButton = new QPushButton(QStringLiteral("&PNG..."), this);
    svgButton = new QPushButton(QStringLiteral("&SVG..."), this);
    csvButton = new QPushButton(QStringLiteral("C&SV..."), this);
    copyButton = new QPushButton(QStringLiteral("C&opy picture"), this);
    pngButton->setAccessibleName(QStringLiteral("Export the chart as PNG"));
    svgButton->setAccessibleName(QStringLiteral("Export the chart as SVG"));
    csvButton->setAccessibleName(QStringLiteral("Export the curves as CSV"));
    auto* tools = new QHBoxLayout;
    tools->addWidget(chartLabel);
    tools->addWidget(chartBox);
    tools->addWidget(boundariesBox);
    tools->addWidget(resetButton);
    tools->addStretch(1);
    for (QPushButton* button : {pngButton, svgButton, csvButton, copyButton})
        tools->addWidget(button);

    plot = new PlotWidget(this);
    plot->setObjectName(QStringLiteral("plot"));
    plot->setAccessibleName(
        QStringLiteral("Chart; the status line tells the state under the cursor"));
    statusLine = new QLabel(this);
    statusLine->setObjectName(QStringLiteral("statusLine"));
    statusLine->setTextFormat(Qt::PlainText);
    statusLine->setTextInteractionFlags(Qt::TextSelectableByMouse);
    statusLine->setMinimumHeight(2 * statusLine->fontMetrics().lineSpacing());

    auto* process = new QGroupBox(QStringLiteral("Process from a state of the history"), this);
    processFrom = new QComboBox(process);
    processFrom->setObjectName(QStringLiteral("processFrom"));
    processFrom->setAccessibleName(QStringLiteral("Start state"));
    processFrom->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    processFrom->setMinimumContentsLength(24);
    processKind = new QComboBox(process);
    processKind->setObjectName(QStringLiteral("processKind"));
    processKind->setAccessibleName(QStringLiteral("Process"));
    processKind->addItem(
        QStringLiteral("Expansion or compression to P2 with isentropic efficiency eta"));
    processKind->addItem(QStringLiteral("Throttling to P2"));
    pressureBox = new QLineEdit(process);
    pressureBox->setObjectName(QStringLiteral("pressureBox"));
    pressureBox->setAccessibleName(QStringLiteral("End pressure P2, MPa"));
    efficiencyBox = new QLineEdit(QStringLiteral("0.85"), process);
    efficiencyBox->setObjectName(QStringLiteral("efficiencyBox"));
    efficiencyBox->setAccessibleName(QStringLiteral("Isentropic efficiency eta"));
    drawButton = new QPushButton(QStringLiteral("&Draw"), process);
    drawButton->setObjectName(QStringLiteral("drawButton"));
    processResult = new QLabel(process);
    processResult->setObjectName(QStringLiteral("processResult"));
    processResult->setTextFormat(Qt::PlainText);
    processResult->setWordWrap(true);
    processResult->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* p2Label = new QLabel(QStringLiteral("P&2"), process);
    p2Label->setBuddy(pressureBox);
    auto* etaLabel = new QLabel(QStringLiteral("e&ta"), process);
    etaLabel->setBuddy(efficiencyBox);
    auto* fromLabel = new QLabel(QStringLiteral("&From"), process);
    fromLabel->setBuddy(processFrom);
    auto* grid = new QGridLayout(process);
    grid->addWidget(fromLabel, 0, 0);
    grid->addWidget(processFrom, 0, 1, 1, 5);
    grid->addWidget(processKind, 1, 0, 1, 2);
    grid->addWidget(p2Label, 1, 2);
    grid->addWidget(pressureBox, 1, 3);
    pressureUnit = new QLabel(process);
    pressureUnit->setObjectName(QStringLiteral("pressureUnit"));
    grid->addWidget(pressureUnit, 1, 4);
    grid->addWidget(etaLabel, 1, 5);
    grid->addWidget(efficiencyBox, 1, 6);
    grid->addWidget(drawButton, 1, 7);
    grid->addWidget(processResult, 2, 0, 1, 8);
    grid->setColumnStretch(1, 1);

    auto* bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("menuBar"));
    AddUnitsMenu(bar, preferences_);
    connect(&preferences_, &PreferenceStore::changed, this, &DiagramWindow::unitsChosen);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(bar);
    layout->addLayout(tools);
    layout->addWidget(plot, 1);
    layout->addWidget(statusLine);
    layout->addWidget(process);

    auto* settle = new QTimer(this);
    settle->setSingleShot(true);
    settle->setInterval(kSettleMilliseconds);
    connect(settle, &QTimer::timeout, this, &DiagramWindow::requestCurves);
    connect(plot, &PlotWidget::rangeChanged, settle, qOverload<>(&QTimer::start));
    connect(chartBox, &QComboBox::currentIndexChanged, this, &DiagramWindow::chartChosen);
    connect(boundariesBox, &QCheckBox::toggled, this, &DiagramWindow::requestCurves);
    connect(resetButton, &QPushButton::clicked, plot, &PlotWidget::resetRange);
    connect(plot, &PlotWidget::hovered, this,
            [this](const QPointF& at) { statusLine->setText(stateText(at)); });
    connect(plot, &PlotWidget::left, statusLine, &QLabel::clear);
    connect(plot, &PlotWidget::clicked, this, [this](const QPointF& at) {
        const std::vector<State> states = StatesAtPoint(chart(), at);
        if (!states.empty())
            history_.add({{PointGiven(chart(), at, locale_, units_), states.front()}});
    });
    connect(drawButton, &QPushButton::clicked, this, &DiagramWindow::drawProcess);
    connect(pressureBox, &QLineEdit::returnPressed, this, &DiagramWindow::drawProcess);
    connect(efficiencyBox, &QLineEdit::returnPressed, this, &DiagramWindow::drawProcess);
    connect(processKind, &QComboBox::currentIndexChanged, this,
            [this](int index) { efficiencyBox->setEnabled(index == 0); });
    connect(pngButton, &QPushButton::clicked, this, [this] { exportAs(QStringLiteral("png")); });
    connect(svgButton, &QPushButton::clicked, this, [this] { exportAs(QStringLiteral("svg")); });
    connect(csvButton, &QPushButton::clicked, this, [this] { exportAs(QStringLiteral("csv")); });
    connect(copyButton, &QPushButton::clicked, this, [this] {
        QImage image(plot->size(), QImage::Format_RGB32);
        QPainter painter(&image);
        plot->render(painter, image.rect());
        painter.end();
        QGuiApplication::clipboard()->setImage(image);
    });
    connect(&history_, &StateHistory::changed, this, &DiagramWindow::historyChanged);

    resize(980, 760);
    unitsChosen();
    chartChosen();
    historyChanged();
}

ChartKind DiagramWindow::chart() const {
    return kChartKinds[std::max(0, chartBox->currentIndex())];
}

void DiagramWindow::showChart(ChartKind kind) {
    for (int i = 0; i < static_cast<int>(std::size(kChartKinds)); ++i)
        if (kChartKinds[i] == kind) chartBox->setCurrentIndex(i);
}

void DiagramWindow::chartChosen() {
    shown_.reset();
    statusLine->clear();
    SetUpPlot(*plot, chart(), units_);
    plot->setCurves({});
    requestCurves();
}

// Other units: the labels and lines of the view on show, whose values were round in the old.
void DiagramWindow::unitsChosen() {
    const Units units = ChartUnits(preferences_.units());
    const QString unit = units.nameOf(QuantityId::Pressure);
    pressureUnit->setText(unit);
    pressureBox->setAccessibleName(QStringLiteral("End pressure P2, ") + unit);
    if (units == units_) return;  // the Transport menu, say: the chart stays as it is
    units_ = units;
    cache_.clear();
    shown_.reset();
    statusLine->clear();
    const PlotRange range = plot->range();
    SetUpPlot(*plot, chart(), units_);
    plot->setRange(range);
    requestCurves();
}

DiagramWindow::Key DiagramWindow::keyOf() const {
    const PlotRange& r = plot->range();
    return {static_cast<int>(chart()), boundariesBox->isChecked(), r.xLo, r.xHi, r.yLo, r.yHi};
}

void DiagramWindow::requestCurves() {
    const Key key = keyOf();
    if (const auto cached = cache_.find(key); cached != cache_.end()) {
        shown_ = key;
        showCurves(cached->second);
        return;
    }
    const int generation = ++generation_;
    const ChartKind kind = chart();
    const PlotRange r = plot->range();
    const bool boundaries = boundariesBox->isChecked();
    auto* watcher = new QFutureWatcher<ChartData>(this);
    connect(watcher, &QFutureWatcher<ChartData>::finished, this, [this, watcher, key, generation] {
        watcher->deleteLater();
        const ChartData curves = watcher->result();
        cache_[key] = curves;
        // A later request supersedes this one.
        if (generation != generation_) return;
        shown_ = key;
        showCurves(curves);
    });
    watcher->setFuture(QtConcurrent::run([kind, r, boundaries, units = units_] {
        return ChartCurves(kind, {r.xLo, r.xHi, r.yLo, r.yHi}, boundaries, units);
    }));
}

void DiagramWindow::showCurves(const ChartData& chartData) {
    std::vector<PlotCurve> curves = CurvesOf(chartData);
    if (process_) {
        curves.push_back({Projected(chartData.kind, process_->isentrope),
                          QPen(kProcessColour, 1.5, Qt::DashLine), QStringLiteral("isentropic")});
        curves.push_back(
            {Projected(chartData.kind, process_->path), QPen(kProcessColour, 2.5), QString()});
    }
    plot->setCurves(std::move(curves));
    showMarkers();
    emit curvesReady();
}

void DiagramWindow::showMarkers() {
    const ChartKind kind = chart();
    std::vector<PlotMarker> markers;
    for (const ChartState& state : PressStates(pages_))
        markers.push_back({ChartPointOf(kind, state.state), state.label, kPressColour, false});
    const std::vector<HistoryEntry>& entries = history_.entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const bool strong =
            std::find(highlighted_.begin(), highlighted_.end(), i) != highlighted_.end();
        markers.push_back(
            {ChartPointOf(kind, entries[i].state), QString::number(i + 1), kHistoryColour, strong});
    }
    if (process_) {
        markers.push_back({ChartPointOf(kind, process_->isentropicEnd), QStringLiteral("2s"),
                           kProcessColour, false});
    }
    if (shown_) markers.push_back(CriticalMarker(cache_.at(*shown_)));
    plot->setMarkers(std::move(markers));
}

void DiagramWindow::highlight(std::vector<std::size_t> entries) {
    highlighted_ = std::move(entries);
    showMarkers();
}

void DiagramWindow::historyChanged() {
    const std::vector<HistoryEntry>& entries = history_.entries();
    const int chosen = processFrom->currentIndex();
    const bool grew = static_cast<int>(entries.size()) > processFrom->count();
    processFrom->clear();
    for (std::size_t i = 0; i < entries.size(); ++i)
        processFrom->addItem(QStringLiteral("%1: %2, %3")
                                 .arg(i + 1)
                                 .arg(entries[i].given, RegionInWords(entries[i].state)));
    processFrom->setCurrentIndex(grew || chosen >= processFrom->count() ? processFrom->count() - 1
                                                                        : chosen);
    highlighted_.clear();
    showMarkers();
}

QString DiagramWindow::stateText(const QPointF& point) const {
    return PointInWords(chart(), point, locale_, units_);
}

void DiagramWindow::drawProcess() {
    const std::vector<HistoryEntry>& entries = history_.entries();
    const int from = processFrom->currentIndex();
    const bool throttling = processKind->currentIndex() == 1;
    std::optional<double> P2 = ReadInputNumber(pressureBox->text(), locale_);
    if (P2) P2 = LibraryValue(units_, Variable::P, *P2);
    const std::optional<double> eta =
        throttling ? std::optional(1.0) : ReadInputNumber(efficiencyBox->text(), locale_);
    const auto refuse = [this](const QString& why, QLineEdit* box) {
        processResult->setText(why);
        if (box != nullptr) {
            box->setFocus(Qt::OtherFocusReason);
            box->selectAll();
        }
    };
    if (from < 0 || static_cast<std::size_t>(from) >= entries.size())
        return refuse(QStringLiteral("Compute or click a state first: a process starts from a "
                                     "state of the history."),
                      nullptr);
    if (!P2) return refuse(QStringLiteral("P2: please enter a valid number"), pressureBox);
    if (!eta) return refuse(QStringLiteral("eta: please enter a valid number"), efficiencyBox);
    const HistoryEntry start = entries[static_cast<std::size_t>(from)];
    try {
        process_ = RunProcess(throttling ? ProcessKind::Throttling : ProcessKind::Isentropic,
                              start.state, *P2, *eta);
    } catch (const PropertyError& error) {
        process_.reset();
        if (shown_) showCurves(cache_.at(*shown_));
        return refuse(MessageOf(error),
                      eta && !(*eta > 0 && *eta <= 1) ? efficiencyBox : pressureBox);
    }
    processResult->setText(ProcessInWords(*process_, locale_, units_));
    history_.add({{ProcessGiven(*process_, *eta, from + 1, locale_, units_), process_->end}});
    if (shown_) showCurves(cache_.at(*shown_));
}

bool DiagramWindow::savePicture(const QString& file) const {
    return SavePlot(*plot, file, QStringLiteral("Vapomet %1 chart").arg(ChartName(chart())));
}

bool DiagramWindow::saveCurves(const QString& file) const {
    if (!shown_) return false;
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) return false;
    QTextStream stream(&out);
    const ChartAxes axes = AxesOf(chart());
    // Each coordinate in the chart's unit, named in the header: "h (kJ/kg)".
    const auto column = [this](Variable v) {
        const QString caption = AxisCaption(v, units_);
        const qsizetype comma = caption.indexOf(QStringLiteral(", "));
        return comma < 0 ? caption
                         : caption.left(comma) + QStringLiteral(" (") + caption.mid(comma + 2) +
                               QLatin1Char(')');
    };
    stream << "line,label,\"" << column(axes.x) << "\",\"" << column(axes.y) << "\"\n";
    int number = 0;
    for (const ChartLine& line : cache_.at(*shown_).lines) {
        ++number;
        for (const QPointF& point : line.points)
            stream << number << ",\"" << line.label << "\","
                   << QString::number(ShownValue(units_, axes.x, point.x()), 'g', 17) << ','
                   << QString::number(ShownValue(units_, axes.y, point.y()), 'g', 17) << '\n';
    }
    stream.flush();
    return out.error() == QFile::NoError;
}

void DiagramWindow::exportAs(const QString& suffix) {
    const QString file = QFileDialog::getSaveFileName(
        this, QStringLiteral("Export"), ChartName(chart()) + QLatin1Char('.') + suffix,
        suffix.toUpper() + QStringLiteral(" (*.") + suffix + QLatin1Char(')'));
    if (file.isEmpty()) return;
    const bool written = suffix == QStringLiteral("csv") ? saveCurves(file) : savePicture(file);
    statusLine->setText(written ? QStringLiteral("Written: ") + file
                                : QStringLiteral("Could not write ") + file);
}

bool WriteDiagram(ChartKind kind, const std::vector<ChartState>& states, const QString& file,
                  QSize size) {
    PlotWidget plot;
    QFont font = Verdana();
    font.setPointSizeF(kPictureFontSize);
    plot.setFont(font);
    plot.resize(size);
    SetUpPlot(plot, kind, Units());
    const ChartData data = ChartCurves(kind, FullView(kind), false);
    plot.setCurves(CurvesOf(data));
    std::vector<PlotMarker> markers{CriticalMarker(data)};
    for (const ChartState& state : states)
        markers.push_back({ChartPointOf(kind, state.state), state.label, kHistoryColour, false});
    plot.setMarkers(std::move(markers));
    return SavePlot(plot, file, QStringLiteral("Vapomet %1 chart").arg(ChartName(kind)));
}

}  // namespace vapomet::ui
