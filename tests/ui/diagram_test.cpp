// The plotting widget's scales and the window "Diagram" through its controls: opened from the
// menu, its curves, a state marker at its computed place, a click giving the state there, a
// process against the solver, the chart as SVG and its curves as CSV, and the units chosen.
#include <QFile>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <cmath>

#include "driver/chart.h"
#include "tests/ui/window_support.h"
#include "ui/plot_widget.h"

using namespace vapomet;
using namespace vapomet::uitest;

namespace {

// The program with its diagram open and its curves drawn.
ui::DiagramWindow* OpenDiagram(StartedProgram& program) {
    QTest::keyClick(program->frmMain(), Qt::Key_D, Qt::ControlModifier);
    ui::DiagramWindow* diagram = program->diagramWindow();
    if (diagram == nullptr || !QTest::qWaitForWindowActive(diagram)) return nullptr;
    if (!diagram->curvesShown()) QSignalSpy(diagram, &ui::DiagramWindow::curvesReady).wait(10000);
    return diagram->curvesShown() ? diagram : nullptr;
}

}  // namespace

class DiagramTest : public QObject {
    Q_OBJECT

  private slots:
    // Data to pixels and back on linear and logarithmic axes.
    void scales_data() {
        QTest::addColumn<double>("lo");
        QTest::addColumn<double>("hi");
        QTest::addColumn<bool>("logarithmic");
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("pixel");
        QTest::newRow("linear") << 0.0 << 10.0 << false << 2.5 << 225.0;
        QTest::newRow("linear offset") << 273.15 << 1073.15 << false << 673.15 << 350.0;
        QTest::newRow("log decades") << 1e-3 << 100.0 << true << 0.1 << 300.0;
        QTest::newRow("log between") << 1.0 << 10.0 << true << std::sqrt(10.0) << 350.0;
    }
    void scales() {
        QFETCH(double, lo);
        QFETCH(double, hi);
        QFETCH(bool, logarithmic);
        QFETCH(double, value);
        QFETCH(double, pixel);
        const ui::PlotScale scale(lo, hi, logarithmic, 100.0, 600.0);
        QVERIFY(std::fabs(scale.toPixel(value) - pixel) < 1e-9);
        QVERIFY(std::fabs(scale.toValue(pixel) - value) < 1e-12 * std::max(1.0, value));
        QVERIFY(std::fabs(scale.toPixel(lo) - 100.0) < 1e-9);
        QVERIFY(std::fabs(scale.toPixel(hi) - 600.0) < 1e-9);
        // Ticks lie inside the range, in order.
        const std::vector<double> ticks = scale.ticks(8);
        QVERIFY(ticks.size() >= 3);
        QVERIFY(std::is_sorted(ticks.begin(), ticks.end()));
        QVERIFY(ticks.front() >= lo * (1 - 1e-12) && ticks.back() <= hi * (1 + 1e-12));
    }

    void tickTexts() {
        QCOMPARE(ui::TickText(0.001), QString("0.001"));
        QCOMPARE(ui::TickText(2000), QString("2000"));
        QCOMPARE(ui::TickText(-0.0), QString("0"));
        QCOMPARE(ui::TickText(1e-5), QString("1e-05"));
    }

    // An axis in another unit: ticks at round values of that unit, labelled in it.
    void ticksInTheAxisUnit() {
        const ui::AxisUnit celsius{1.0, -273.15};
        const ui::PlotScale scale(273.15, 1073.15, false, 0.0, 800.0, celsius);
        const std::vector<double> ticks = scale.ticks(8);
        QVERIFY(ticks.size() >= 3);
        for (const double tick : ticks) {
            const double shown = tick - 273.15;
            QVERIFY2(std::fabs(shown - 100.0 * std::round(shown / 100.0)) < 1e-9,
                     qPrintable(QString::number(shown)));
        }
        QCOMPARE(scale.tickText(373.15), QString("100"));
    }

    // The Units menu: captions, isolines at round values of the unit chosen, the status line
    // and the process in it; pressures stay absolute on the chart.
    void showsTheChosenUnits() {
        StartedProgram program;
        program->preferences().set({});
        ui::DiagramWindow* diagram = OpenDiagram(program);
        QVERIFY(diagram != nullptr);
        diagram->showChart(ChartKind::PH);
        if (!diagram->curvesShown())
            QSignalSpy(diagram, &ui::DiagramWindow::curvesReady).wait(10000);
        program->preferences().set(
            {UnitSystem::BarCelsius, true, kStandardAtmosphere, TransportRelease::Iaps1985});
        QSignalSpy(diagram, &ui::DiagramWindow::curvesReady).wait(10000);
        QVERIFY(diagram->curvesShown());
        QCOMPARE(diagram->pressureUnit->text(), QString("bar"));
        int isotherms = 0;
        for (const ui::PlotCurve& curve : diagram->plot->curves()) {
            if (!curve.label.endsWith(QString::fromUtf8(" °C"))) continue;
            ++isotherms;
            const double celsius = curve.label.chopped(3).toDouble();
            QVERIFY2(std::fabs(celsius - std::round(celsius)) < 1e-9, qPrintable(curve.label));
        }
        QVERIFY(isotherms >= 3);
        const QString text = diagram->stateText(QPointF(3000, 1));
        QVERIFY2(text.contains("P = 10 bar") && text.contains(QString::fromUtf8(" °C")),
                 qPrintable(text));
        program->preferences().set({});
    }

    // Ctrl+D opens the diagram on h-s; again it brings the same window forward.
    void opensOnTheMollierChart() {
        StartedProgram program;
        ui::DiagramWindow* diagram = OpenDiagram(program);
        QVERIFY(diagram != nullptr);
        QCOMPARE(diagram->chart(), ChartKind::HS);
        QCOMPARE(diagram->chartBox->currentText(), QString("h-s (Mollier)"));
        QVERIFY(diagram->plot->curves().size() > 10);
        program->frmMain()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(program->frmMain()));
        program->frmMain()->DiagramTool->trigger();
        QVERIFY(QTest::qWaitForWindowActive(diagram));
        QCOMPARE(CountWidgets("frmDiagram"), 1);
    }

    // A state of the history is marked where the chart puts it; a click on the chart adds the
    // state there to the history; the status line tells the state under the cursor.
    void marksAndClicks() {
        StartedProgram program;
        ui::DiagramWindow* diagram = OpenDiagram(program);
        QVERIFY(diagram != nullptr);
        const State state = StateAt(10.0, 800.0);
        program->history().add({{"P = 10 MPa, T = 800 K", state}});
        const QPointF place = ChartPointOf(ChartKind::HS, state);
        const auto& markers = diagram->plot->markers();
        QVERIFY(std::any_of(markers.begin(), markers.end(), [&](const ui::PlotMarker& m) {
            return m.label == "1" && m.at == place;
        }));
        const QPointF pixel = diagram->plot->toPixel(place);
        QVERIFY(diagram->plot->plotArea().contains(pixel.toPoint()));

        const QPoint at = diagram->plot->plotArea().center();
        const QPointF value = diagram->plot->toValue(at);
        QMouseEvent move(QEvent::MouseMove, at, diagram->plot->mapToGlobal(at), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(diagram->plot, &move);
        QVERIFY2(diagram->statusLine->text().contains("P = "),
                 qPrintable(diagram->statusLine->text()));
        QTest::mouseClick(diagram->plot, Qt::LeftButton, Qt::NoModifier, at);
        QCOMPARE(program->history().entries().size(), std::size_t{2});
        const State clicked = program->history().entries().back().state;
        QVERIFY(std::fabs(clicked.s - value.x()) < 1e-9 * value.x());
        QVERIFY(std::fabs(clicked.h - value.y()) < 1e-9 * value.y());
    }

    // An expansion from a state of the history ends where the solver puts it, and its end
    // joins the history; a pressure that is no number is refused beside its box.
    void drawsAProcess() {
        StartedProgram program;
        ui::DiagramWindow* diagram = OpenDiagram(program);
        QVERIFY(diagram != nullptr);
        const State start = StateAt(10.0, 800.0);
        program->history().add({{"start", start}});
        Type(diagram->pressureBox, "abc");
        QTest::mouseClick(diagram->drawButton, Qt::LeftButton);
        QVERIFY(diagram->processResult->text().startsWith("P2"));
        QCOMPARE(QApplication::focusWidget(), diagram->pressureBox);
        Type(diagram->pressureBox, "0.01");
        Type(diagram->efficiencyBox, "0.85");
        QTest::keyClick(diagram->efficiencyBox, Qt::Key_Return);
        QCOMPARE(program->history().entries().size(), std::size_t{2});
        const State end = program->history().entries().back().state;
        const double hs = StatesFrom(Variable::P, 0.01, Variable::s, start.s).front().h;
        QVERIFY(std::fabs(end.h - (start.h - 0.85 * (start.h - hs))) < 1e-9);
        QVERIFY(std::fabs(end.P - 0.01) < 1e-15);
        QVERIFY(diagram->processResult->text().startsWith("delta h = "));
    }

    // The SVG parses and holds a path for every curve; the CSV holds every point under a
    // header naming the chart's axes.
    void exportsSvgAndCsv() {
        StartedProgram program;
        ui::DiagramWindow* diagram = OpenDiagram(program);
        QVERIFY(diagram != nullptr);
        QTemporaryDir folder;
        const QString svg = folder.filePath("chart.svg"), csv = folder.filePath("chart.csv");
        QVERIFY(diagram->savePicture(svg));
        QFile file(svg);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        int paths = 0;
        QString title;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == QStringLiteral("path")) ++paths;
            if (xml.isStartElement() && xml.name() == QStringLiteral("title"))
                title = xml.readElementText();
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(title, QString("Vapomet h-s chart"));
        QVERIFY(paths >= static_cast<int>(diagram->plot->curves().size()));
        QVERIFY(diagram->saveCurves(csv));
        QFile table(csv);
        QVERIFY(table.open(QIODevice::ReadOnly | QIODevice::Text));
        const QStringList lines =
            QString::fromUtf8(table.readAll()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.front(), QString("line,label,\"s (kJ/(kg K))\",\"h (kJ/kg)\""));
        std::size_t points = 0;
        for (const ui::PlotCurve& curve : diagram->plot->curves()) points += curve.points.size();
        QCOMPARE(static_cast<std::size_t>(lines.size() - 1), points);
        QVERIFY(!diagram->savePicture(folder.filePath("no/such/folder/chart.png")));
    }
};

QTEST_MAIN(DiagramTest)
#include "diagram_test.moc"
