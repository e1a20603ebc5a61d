// Start-up: the splash window, the order in which the windows appear, and what they show.
#include <sys/resource.h>

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include "tests/ui/window_support.h"

using namespace vapomet;
using namespace vapomet::uitest;

namespace {

double ProcessorSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Notes, in order, each time a window of the program is shown or hidden.
class WindowLog : public QObject {
  public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget != nullptr && widget->isWindow() && !widget->objectName().isEmpty()) {
            if (event->type() == QEvent::Show) entries.append("show " + widget->objectName());
            if (event->type() == QEvent::Hide) entries.append("hide " + widget->objectName());
        }
        return false;
    }
    QStringList entries;
};

}  // namespace

class StartUpTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        QApplication::setQuitOnLastWindowClosed(false);
        ui::RegisterFontSubstitutes();
    }

    // The full start-up with its real splash wait: at least 2 s, little processor time, the
    // windows in their order and the main window in front.
    void startUpInOrder() {
        WindowLog log;
        qApp->installEventFilter(&log);
        MessageRecorder recorder;
        ui::Module1 program(English());
        program.setMessageSink(&recorder);
        program.setEndProgram([] {});

        QElapsedTimer clock;
        QString versionLine;
        qint64 splashShownAt = -1;
        qint64 splashGoneAt = -1;
        bool mainLoadedHiddenBeforeSplashGone = false;
        connect(&program, &ui::Module1::splashShown, this, [&] {
            splashShownAt = clock.elapsed();
            QVERIFY(program.frmSplash() != nullptr);
            QVERIFY(program.frmSplash()->isVisible());
            versionLine = program.frmSplash()->lblVersion->text();
            QVERIFY(program.frmMain() == nullptr);
        });
        connect(&program, &ui::Module1::splashUnloaded, this, [&] {
            splashGoneAt = clock.elapsed();
            mainLoadedHiddenBeforeSplashGone =
                program.frmMain() != nullptr && !program.frmMain()->isVisible();
            QVERIFY(program.steam3() == nullptr);
        });

        clock.start();
        const double cpuBefore = ProcessorSeconds();
        program.startUp();
        const double cpuUsed = ProcessorSeconds() - cpuBefore;
        const qint64 wall = clock.elapsed();
        qApp->removeEventFilter(&log);

        QCOMPARE(versionLine, QStringLiteral("Version 1.0.0"));
        QVERIFY(splashShownAt >= 0);
        QVERIFY2(splashGoneAt >= 2000,
                 qPrintable(QString("splash gone after %1 ms").arg(splashGoneAt)));
        QVERIFY(mainLoadedHiddenBeforeSplashGone);
        // A waiting loop that spun would use about as much processor time as wall time.
        QVERIFY2(cpuUsed < 0.25 * static_cast<double>(wall) / 1000.0,
                 qPrintable(QString("%1 s of processor time in %2 ms").arg(cpuUsed).arg(wall)));
        qInfo(
            "start-up: %lld ms to the main window shown, %lld ms after the splash; %.3f s of "
            "processor time",
            static_cast<long long>(wall), static_cast<long long>(wall - splashGoneAt), cpuUsed);

        const QStringList order = {"show frmSplash", "hide frmSplash", "show Steam3", "show Steam2",
                                   "show frmMain"};
        QStringList seen;
        for (const QString& entry : log.entries) {
            if (order.contains(entry) && !seen.contains(entry)) seen.append(entry);
        }
        QCOMPARE(seen, order);
        QCOMPARE(log.entries.last(), QStringLiteral("show frmMain"));
        QVERIFY(program.frmSplash() == nullptr);
        FlushDeletes();
        QCOMPARE(CountWindows("frmSplash"), 0);
        QVERIFY(program.steam2()->isVisible());
        QVERIFY(program.steam3()->isVisible());
        QVERIFY(program.frmMain()->isVisible());
        QCOMPARE(QApplication::activeWindow(), program.frmMain());
        QVERIFY(recorder.messages.isEmpty());
    }

    // What every slot and input shows right after start-up, in the windows and in the pages.
    void stateAfterStartUp() {
        StartedProgram program;
        ui::FrmMain* main = program->frmMain();
        QCOMPARE(main->Text1->text(), QStringLiteral("5."));
        QCOMPARE(main->Text2->text(), QStringLiteral("500."));

        for (int page = 1; page <= kPageCount; ++page) {
            QCOMPARE(ShownTexts(*PageOf(program, page)), FreshTexts(page));
            QCOMPARE(program->pages().texts(page), FreshTexts(page));
        }
        QVERIFY(program.recorder.messages.isEmpty());
    }

    // The Steam3 load step writes the default inputs with the user's separators.
    void page3DefaultsFollowRegionalSettings() {
        ui::Module1 program(QLocale(QLocale::German, QLocale::Germany));
        MessageRecorder recorder;
        program.setMessageSink(&recorder);
        program.startUp(std::chrono::milliseconds(0));
        QCOMPARE(program.steam3()->valueSlots().slot(0)->wholeText(), QStringLiteral("5,000"));
        QCOMPARE(program.steam3()->valueSlots().slot(1)->wholeText(), QStringLiteral("500,000"));
    }
};

QTEST_MAIN(StartUpTest)
#include "startup_test.moc"
