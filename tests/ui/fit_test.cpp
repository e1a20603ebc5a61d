// Every number is shown whole: over presses at the corners and extremes of the input domain,
// under en_US and de_DE, each value slot and caption of the three pages shows its whole text in
// its box (with a smaller font where needed) or, where even the smallest font is too wide, the
// text cut at its end with "…" and the whole text in its tooltip; and the input boxes show every
// in-domain number of up to seven characters whole. ctest runs it at scale factors 1, 1.5, 2.
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTest>

#include "tests/ui/window_support.h"

using namespace vapomet;
using namespace vapomet::uitest;

namespace {

// What is wrong with how a label shows its text, or nothing.
QString Misfit(const ui::FitLabel& label) {
    const double room = label.contentsRect().width() - 2 * label.margin();
    const double shown = QFontMetricsF(label.font()).horizontalAdvance(label.text());
    const QString whole = label.wholeText();
    const QString where =
        label.objectName() + QStringLiteral(" \"") + whole + QStringLiteral("\": ");
    if (label.font().pointSizeF() < ui::kSmallestPointSize) return where + "font below 6 pt";
    if (shown > room) return where + QStringLiteral("%1 px wide in %2 px").arg(shown).arg(room);
    if (label.text() == whole) return {};
    // Only a text too wide even at the smallest font is cut.
    if (label.font().pointSizeF() > ui::kSmallestPointSize) return where + "cut before shrinking";
    if (!label.text().endsWith(QChar(0x2026)) || !whole.startsWith(label.text().chopped(1)))
        return where + "cut elsewhere than at its end: \"" + label.text() + "\"";
    if (!label.toolTip().contains(whole)) return where + "elided without the whole text as tip";
    return {};
}

QStringList Misfits(QWidget* window) {
    QStringList found;
    for (const ui::FitLabel* label : window->findChildren<ui::FitLabel*>()) {
        if (label->wordWrap()) continue;
        if (const QString wrong = Misfit(*label); !wrong.isEmpty()) found.append(wrong);
    }
    return found;
}

// Whether the box shows its whole text: with the cursor after the last character, the first
// is still at the box's left edge.
bool ShowsWholeText(QLineEdit* box) {
    box->end(false);
    QStyleOptionFrame option;
    option.initFrom(box);
    const QRect contents = box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box);
    return box->cursorPositionAt(QPoint(contents.left() + 2, box->height() / 2)) == 0;
}

}  // namespace

class FitTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        QApplication::setQuitOnLastWindowClosed(false);
        ui::RegisterFontSubstitutes();
        qInfo("scale factor %s", qgetenv("QT_SCALE_FACTOR").constData());
    }

    void pagesShowWholeNumbers_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("p");
        QTest::addColumn<QString>("t");
        const char* const states[][3] = {
            {"LowestPressure_HottestSteam", "0.000001", "2273.15"},
            {"LowestPressure_TriplePoint", "0.000001", "273.16"},
            {"HighestPressure_TriplePoint", "100", "273.16"},
            {"HighestPressure_Region2Edge", "100", "1073.15"},
            {"Region5Corner", "10", "2273.15"},
            {"CriticalPoint", "22.064", "647.096"},
            {"Saturation_647K", "22", "647"},
            {"AbsurdlyLowPressure", "1e-100", "1100"},
            {"TinyPressure_Liquid", "0.000612", "273.16"},
        };
        for (const char* locale : {"en_US", "de_DE"}) {
            for (const auto& state : states) {
                QString p = QString::fromLatin1(state[1]), t = QString::fromLatin1(state[2]);
                if (QString::fromLatin1(locale) == "de_DE") {
                    p.replace('.', ',');
                    t.replace('.', ',');
                }
                QTest::addRow("%s_%s", state[0], locale) << locale << p << t;
            }
        }
    }

    void pagesShowWholeNumbers() {
        QFETCH(QString, locale);
        QFETCH(QString, p);
        QFETCH(QString, t);
        MessageRecorder recorder;
        ui::Module1 program{QLocale(locale)};
        program.setMessageSink(&recorder);
        program.setEndProgram([] {});
        program.startUp(std::chrono::milliseconds(0));
        program.frmMain()->Text1->setText(p);
        program.frmMain()->Text2->setText(t);
        program.calculate();
        QStringList misfits;
        for (QWidget* window :
             {static_cast<QWidget*>(program.frmMain()), static_cast<QWidget*>(program.steam2()),
              static_cast<QWidget*>(program.steam3())})
            misfits += Misfits(window);
        QVERIFY2(misfits.isEmpty(), qPrintable(misfits.join('\n')));
        QVERIFY(ShowsWholeText(program.frmMain()->Text1));
        QVERIFY(ShowsWholeText(program.frmMain()->Text2));
    }

    void inputBoxesShowWholeNumbers_data() {
        QTest::addColumn<QString>("text");
        for (const char* text : {"2273.15", "1073.15", "0.00061", "647.096", "22.064", "99.9999",
                                 "2273,15", "1e-6", "273.16", "0.5e-3"})
            QTest::newRow(text) << text;
    }

    // Seven characters or fewer, typed into either box, show whole.
    void inputBoxesShowWholeNumbers() {
        QFETCH(QString, text);
        StartedProgram program;
        for (QLineEdit* box : {program->frmMain()->Text1, program->frmMain()->Text2}) {
            Type(box, text);
            QVERIFY2(ShowsWholeText(box), qPrintable(box->objectName()));
            QVERIFY(box->font().pointSizeF() >= ui::kSmallestPointSize);
        }
    }
};

QTEST_MAIN(FitTest)
#include "fit_test.moc"
