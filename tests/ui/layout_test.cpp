// The layouts of the windows: every control and slot at its box, captions word for word,
// fonts, lines, sizes, captions of the windows, focus order, and no overlaps but the intended.
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <cmath>

#include "tests/ui/window_support.h"

using namespace vapomet;
using namespace vapomet::uitest;

namespace {

// One control as the layout gives it. `text` null: not a static text (a slot's text changes).
// Alignment: 'L', 'R', 'C', or '-' where it does not apply.
struct Control {
    const char* name;
    const char* text;
    int left, top, width, height;
    char alignment;
    bool sansSerif;  // MS Sans Serif rather than Verdana
};

struct Line {
    const char* name;
    int x1, y, x2, width;
};

// clang-format off
const Control kPage1[] = {
    {"Label9", "Input -->", 1320, 150, 975, 255, 'R', false},
    {"Label1", "P (MPa)", 2400, 150, 735, 255, 'R', false},
    {"Text1", "5.", 3330, 120, 975, 285, '-', false},
    {"Label2", "T (K)", 4800, 150, 495, 255, 'R', false},
    {"Text2", "500.", 5400, 120, 615, 285, '-', true},
    {"Calbtn", "Calculate", 8520, 120, 975, 315, '-', false},
    {"Nxtpgbtn", "->Next Page", 8160, 720, 1335, 315, '-', false},
    {"Label3", "Saturation Properties along Water Line", 2828, 1200, 4335, 255, 'C', false},
    {"Label8", "Saturation Properties along Steam Line", 2828, 2880, 4335, 255, 'C', false},
    {"Label4", "P sat (MPa)", 480, 720, 975, 255, 'R', false}, {"Label10_0", nullptr, 1680, 720, 975, 255, 'R', false},
    {"Label5", "@ T (K)", 3000, 720, 855, 255, 'R', false}, {"Label10_1", nullptr, 4080, 720, 975, 255, 'R', false},
    {"Label6", "v'(m3/kg)", 600, 1560, 855, 255, 'R', false}, {"Label10_2", nullptr, 1560, 1560, 1095, 255, 'R', false},
    {"Label32", "rho'(kg/m3)", 2760, 1560, 1095, 255, 'R', false}, {"Label10_16", nullptr, 3960, 1560, 1095, 255, 'R', false},
    {"Label31", "h'(kJ/kg)", 5160, 1560, 855, 255, 'L', false}, {"Label10_22", nullptr, 6120, 1560, 1215, 255, 'R', false},
    {"Label30", "u'(kJ/kg)", 7440, 1560, 855, 255, 'R', false}, {"Label10_21", nullptr, 8400, 1560, 1095, 255, 'R', false},
    {"Label7", "s'(kJ/kg-K)", 480, 1920, 975, 255, 'R', false}, {"Label10_3", nullptr, 1560, 1920, 1095, 255, 'R', false},
    {"Label29", "Cp'(kJ/kg)", 3120, 1950, 975, 255, 'R', false}, {"Label10_17", nullptr, 4320, 1920, 975, 255, 'R', false},
    {"Label28", "Cv'(kJ/kg) =", 5640, 1950, 975, 255, 'L', false}, {"Label10_23", nullptr, 6720, 1950, 615, 255, 'R', false},
    {"Label27", "w'(m/sec)", 7440, 1950, 855, 255, 'R', false}, {"Label10_20", nullptr, 8400, 1950, 1095, 255, 'R', false},
    {"Label20", "l' (W/m-K)", 360, 2400, 1095, 255, 'R', false}, {"Label10_4", nullptr, 1560, 2400, 1095, 255, 'R', false},
    {"Label25", "k'(Cp/Cv)", 3180, 2400, 915, 255, 'R', false}, {"Label10_18", nullptr, 4320, 2400, 975, 255, 'R', false},
    {"Label26", "Mu' (uPascal-sec)", 6120, 2400, 1575, 255, 'R', false}, {"Label10_19", nullptr, 7800, 2400, 1695, 255, 'R', false},
    {"Label14", "v\"(m3/kg)", 120, 3480, 1095, 255, 'R', false}, {"Label10_5", nullptr, 1440, 3480, 975, 255, 'R', false},
    {"Label11", "rho\"(kg/m3)", 2760, 3480, 1095, 255, 'R', false}, {"Label10_8", nullptr, 3960, 3480, 1095, 255, 'R', false},
    {"Label12", "h\"(kJ/kg)", 5160, 3480, 855, 255, 'R', false}, {"Label10_11", nullptr, 6120, 3480, 1215, 255, 'R', false},
    {"Label13", "u\"(kJ/kg)", 7440, 3480, 855, 255, 'R', false}, {"Label10_13", nullptr, 8400, 3480, 1095, 255, 'R', false},
    {"Label18", "s\"(kJ/kg-K)", 480, 3960, 975, 255, 'R', false}, {"Label10_6", nullptr, 1560, 3960, 1095, 255, 'R', false},
    {"Label15", "Cp\"(kJ/kg)", 3120, 3960, 975, 255, 'R', false}, {"Label10_9", nullptr, 4320, 3960, 975, 255, 'R', false},
    {"Label16", "Cv\"(kJ/kg)", 5640, 3960, 975, 255, 'R', false}, {"Label10_12", nullptr, 6720, 3960, 615, 255, 'R', false},
    {"Label17", "w\"(m/sec)", 7320, 3960, 975, 255, 'R', false}, {"Label10_14", nullptr, 8400, 3960, 1095, 255, 'R', false},
    {"Label23", "l\"(W/m-K)", 360, 4440, 1095, 255, 'R', false}, {"Label10_7", nullptr, 1560, 4440, 1095, 255, 'R', false},
    {"Label21", "k\"(Cp/Cv)", 3180, 4440, 915, 255, 'R', false}, {"Label10_10", nullptr, 4320, 4440, 975, 255, 'R', false},
    {"Label19", "Mu\" (uPascal-sec)", 6120, 4440, 1575, 255, 'R', false}, {"Label10_15", nullptr, 7800, 4440, 1695, 255, 'R', false},
};
const Line kPage1Lines[] = {{"Line6", 120, 600, 9600, 2}, {"Line1", 120, 1320, 2760, 1},
                            {"Line3", 7200, 1320, 9600, 1}, {"Line2", 120, 3000, 2760, 1},
                            {"Line4", 7200, 3000, 9480, 1}, {"Line5", 120, 4800, 9600, 2}};

const Control kPage2[] = {
    {"Nextpg", "Next Page ->", 8040, 390, 1455, 315, '-', false},
    {"Label3", "Saturation Properties along Water Line", 3030, 840, 3735, 255, 'C', false},
    {"Label8", "Saturation Properties along Steam Line", 3090, 2520, 3615, 255, 'C', false},
    {"Label4", "T sat (K)", 120, 420, 855, 255, 'R', false}, {"Label1_6", nullptr, 1320, 420, 855, 255, 'R', false},
    {"Label5", "@ P (MPa)", 2520, 420, 1095, 255, 'R', false}, {"Label1_7", nullptr, 3840, 420, 855, 255, 'R', false},
    {"Label6", "v'(m3/kg)", 120, 1170, 975, 255, 'R', false}, {"Label1_0", nullptr, 1200, 1170, 1095, 255, 'R', false},
    {"Label32", "rho'(kg/m3)", 2400, 1170, 1095, 255, 'R', false}, {"Label1_8", nullptr, 3600, 1170, 975, 255, 'R', false},
    {"Label31", "h'(kJ/kg)", 4680, 1170, 855, 255, 'L', false}, {"Label1_11", nullptr, 5640, 1170, 1455, 255, 'R', false},
    {"Label30", "u'(kJ/kg)", 7440, 1170, 975, 255, 'R', false}, {"Label1_12", nullptr, 8520, 1170, 975, 255, 'R', false},
    {"Label7", "s'(kJ/kg-K)", 240, 1560, 1095, 255, 'R', false}, {"Label1_1", nullptr, 1440, 1560, 855, 255, 'R', false},
    {"Label29", "Cp'(kJ/kg)", 2520, 1560, 975, 255, 'R', false}, {"Label1_9", nullptr, 3600, 1560, 735, 255, 'R', false},
    {"Label28", "Cv'(kJ/kg) =", 4800, 1560, 855, 255, 'L', false}, {"Label1_23", nullptr, 5640, 1560, 735, 255, 'R', false},
    {"Label27", "w'(m/sec)", 7440, 1560, 975, 255, 'R', false}, {"Label1_13", nullptr, 8520, 1560, 975, 255, 'R', false},
    {"Label20", "l' (W/m-K)", 0, 2040, 975, 255, 'R', false}, {"Label1_2", nullptr, 1080, 2040, 1215, 255, 'R', false},
    {"Label25", "k'(Cp/Cv)", 2520, 2040, 975, 255, 'R', false}, {"Label1_10", nullptr, 3600, 2040, 735, 255, 'R', false},
    {"Label26", "Mu' (uPascal-sec)", 5760, 1995, 1935, 345, 'R', false}, {"Label1_14", nullptr, 7920, 2040, 1575, 255, 'R', false},
    {"Label14", "v\"(m3/kg)", 120, 3120, 975, 255, 'R', false}, {"Label1_3", nullptr, 1200, 3120, 1095, 255, 'R', false},
    {"Label11", "rho\"(kg/m3)", 2400, 3120, 1095, 255, 'R', false}, {"Label1_19", nullptr, 3600, 3120, 975, 255, 'R', false},
    {"Label12", "h\"(kJ/kg)", 4680, 3120, 855, 255, 'L', false}, {"Label1_21", nullptr, 5640, 3120, 1455, 255, 'R', false},
    {"Label13", "u\"(kJ/kg)", 7440, 3120, 975, 255, 'R', false}, {"Label1_15", nullptr, 8520, 3120, 975, 255, 'R', false},
    {"Label18", "s\"(kJ/kg-K)", 240, 3600, 1095, 255, 'R', false}, {"Label1_4", nullptr, 1440, 3600, 855, 255, 'R', false},
    {"Label15", "Cp\"(kJ/kg)", 2400, 3600, 1095, 255, 'R', false}, {"Label1_20", nullptr, 3600, 3600, 735, 255, 'R', false},
    {"Label16", "Cv\"(kJ/kg)", 4560, 3600, 855, 255, 'L', false}, {"Label1_22", nullptr, 5640, 3600, 855, 255, 'R', false},
    {"Label17", "w\"(m/sec)", 7440, 3600, 975, 255, 'R', false}, {"Label1_16", nullptr, 8520, 3600, 975, 255, 'R', false},
    {"Label23", "l\"(W/m-K)", 120, 4050, 855, 255, 'R', false}, {"Label1_5", nullptr, 1080, 4050, 1215, 255, 'R', false},
    {"Label21", "k\"(Cp/Cv)", 2520, 4050, 975, 255, 'L', false}, {"Label1_18", nullptr, 3600, 4050, 735, 255, 'R', false},
    {"Label19", "Mu\" (uPascal-sec)", 5760, 4005, 1935, 345, 'R', false}, {"Label1_17", nullptr, 7920, 4050, 1575, 255, 'R', false},
};
const Line kPage2Lines[] = {{"Line1", 240, 960, 3000, 1}, {"Line2", 6840, 960, 9480, 1},
                            {"Line3", 240, 2640, 3000, 1}, {"Line4", 6840, 2640, 9480, 1},
                            {"Line5", 240, 4560, 9480, 2}};

const Control kPage3[] = {
    {"Label4", "P (MPa)", 360, 180, 615, 255, 'R', true}, {"Label1_0", nullptr, 1320, 180, 1095, 255, 'R', false},
    {"Label5", "T (K)", 3000, 180, 495, 255, 'R', true}, {"Label1_1", nullptr, 3600, 180, 1095, 255, 'R', false},
    {"Label1_13", nullptr, 5280, 180, 3735, 255, 'L', false},
    {"Label6", "v (m3/kg)", 240, 720, 735, 255, 'R', true}, {"Label1_2", nullptr, 1080, 720, 1335, 255, 'R', false},
    {"Label32", "rho (kg/m3)", 2520, 720, 855, 255, 'R', true}, {"Label1_3", nullptr, 3600, 720, 1095, 255, 'R', false},
    {"Label31", "h (kJ/kg)", 5040, 720, 735, 255, 'R', true}, {"Label1_4", nullptr, 5880, 720, 1215, 255, 'R', false},
    {"Label30", "u (kJ/kg)", 7200, 720, 735, 255, 'R', true}, {"Label1_5", nullptr, 8040, 720, 975, 255, 'R', false},
    {"Label7", "s (kJ/kg-K)", 120, 1080, 855, 255, 'R', true}, {"Label1_6", nullptr, 1080, 1080, 1335, 255, 'R', false},
    {"Label29", "Cp (kJ/kg-K)", 2520, 1080, 975, 255, 'R', true}, {"Label1_7", nullptr, 3720, 1080, 975, 255, 'R', false},
    {"Label28", "Cv (kJ/kg-K)", 4800, 1080, 975, 255, 'R', true}, {"Label1_8", nullptr, 6240, 1080, 855, 255, 'R', false},
    {"Label27", "w (m/sec)", 7200, 1080, 735, 255, 'R', true}, {"Label1_9", nullptr, 8040, 1080, 975, 255, 'R', false},
    {"Label20", "l (W/m-K)", 240, 1560, 735, 255, 'R', true}, {"Label1_10", nullptr, 1080, 1560, 1335, 255, 'R', false},
    {"Label25", "k (Cp/Cv)", 2640, 1560, 915, 255, 'R', true}, {"Label1_11", nullptr, 3720, 1560, 975, 255, 'R', false},
    {"Label26", "Mu (uPascal-sec)", 5760, 1560, 1575, 255, 'R', false}, {"Label1_12", nullptr, 7560, 1560, 1455, 255, 'R', false},
    {"Shape1", nullptr, 900, 2040, 7335, 3255, '-', false},
    {"Text1", nullptr, 1200, 2160, 6735, 2895, '-', false},
};
// clang-format on

int Px(int twips, double dpi) {
    return static_cast<int>(std::lround(twips * dpi / 1440.0));
}

QRect Expected(const Control& c) {
    const double dx = ui::LogicalDpiX();
    const double dy = ui::LogicalDpiY();
    const int left = Px(c.left, dx);
    const int top = Px(c.top, dy);
    return {left, top, Px(c.left + c.width, dx) - left, Px(c.top + c.height, dy) - top};
}

bool OverlapInTwips(const Control& a, const Control& b) {
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
}

QString TextOf(QWidget* widget) {
    if (auto* label = dynamic_cast<ui::FitLabel*>(widget)) return label->wholeText();
    if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) return edit->text();
    if (auto* button = qobject_cast<QPushButton*>(widget)) return button->text();
    return {};
}

Qt::Alignment HorizontalAlignment(char code) {
    switch (code) {
        case 'L': return Qt::AlignLeft;
        case 'R': return Qt::AlignRight;
        default: return Qt::AlignHCenter;
    }
}

template <std::size_t N>
void CheckControls(QWidget* client, const Control (&controls)[N]) {
    QStringList listed;
    for (const Control& c : controls) {
        const QString name = QString::fromLatin1(c.name);
        listed.append(name);
        auto* widget = client->findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
        QVERIFY2(widget != nullptr, c.name);
        QCOMPARE(widget->geometry(), Expected(c));
        if (c.text != nullptr) QCOMPARE(TextOf(widget), QString::fromUtf8(c.text));
        if (auto* label = qobject_cast<QLabel*>(widget); label && c.alignment != '-') {
            QCOMPARE(label->alignment() & Qt::AlignHorizontal_Mask,
                     HorizontalAlignment(c.alignment));
        }
        if (qobject_cast<QLabel*>(widget) || qobject_cast<QLineEdit*>(widget)) {
            QCOMPARE(widget->font().family(),
                     c.sansSerif ? QStringLiteral("MS Sans Serif") : QStringLiteral("Verdana"));
            // 8.25 pt, or smaller where the text would not fit its box.
            QVERIFY(widget->font().pointSizeF() <= 8.25);
            QVERIFY(widget->font().pointSizeF() >= ui::kSmallestPointSize);
        }
    }
    // No control that the layout does not list; lines are checked on their own.
    for (QWidget* child : client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->objectName().startsWith(QStringLiteral("Line"))) continue;
        QVERIFY2(listed.contains(child->objectName()), qPrintable(child->objectName()));
    }
    // Two controls overlap on the screen exactly where their boxes overlap in the layout.
    for (std::size_t i = 0; i < N; ++i) {
        for (std::size_t j = i + 1; j < N; ++j) {
            const bool onScreen = Expected(controls[i]).intersects(Expected(controls[j]));
            QVERIFY2(onScreen == OverlapInTwips(controls[i], controls[j]),
                     qPrintable(QString("%1 and %2").arg(controls[i].name, controls[j].name)));
        }
    }
}

template <std::size_t N>
void CheckLines(QWidget* client, const Line (&lines)[N]) {
    const double dx = ui::LogicalDpiX();
    const double dy = ui::LogicalDpiY();
    for (const Line& line : lines) {
        auto* widget = client->findChild<ui::LineControl*>(QString::fromLatin1(line.name),
                                                           Qt::FindDirectChildrenOnly);
        QVERIFY2(widget != nullptr, line.name);
        QCOMPARE(widget->geometry().left(), Px(line.x1, dx));
        QCOMPARE(widget->geometry().right() + 1, Px(line.x2, dx));
        QCOMPARE(widget->geometry().top(), Px(line.y, dy));
        QCOMPARE(widget->height(), line.width);
        QCOMPARE(widget->lineWidth(), line.width);
    }
}

}  // namespace

class LayoutTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        QApplication::setQuitOnLastWindowClosed(false);
        ui::RegisterFontSubstitutes();
    }

    void page1() {
        StartedProgram program;
        CheckControls(program->frmMain()->client(), kPage1);
        CheckLines(program->frmMain()->client(), kPage1Lines);
    }
    void page2() {
        StartedProgram program;
        CheckControls(program->steam2()->client(), kPage2);
        CheckLines(program->steam2()->client(), kPage2Lines);
    }
    void page3() {
        StartedProgram program;
        CheckControls(program->steam3()->client(), kPage3);
    }

    // Each slot is found by its index: the label named for index i is element i of the page's
    // slot array, and the caption at its left is the driver's caption for that index.
    void slotsByIndex() {
        StartedProgram program;
        ui::PageWindow* windows[] = {program->frmMain(), program->steam2(), program->steam3()};
        const QString arrays[] = {"Label10", "Label1", "Label1"};
        for (int page = 1; page <= kPageCount; ++page) {
            ui::SlotArray& array = windows[page - 1]->valueSlots();
            QCOMPARE(array.count(), SlotCount(page));
            for (int index = 0; index < array.count(); ++index) {
                QCOMPARE(array.slot(index)->objectName(),
                         QString("%1_%2").arg(arrays[page - 1]).arg(index));
                QCOMPARE(array.slot(index)->property("slotIndex").toInt(), index);
                QVERIFY(array.slot(index)->autoFillBackground());
                QCOMPARE(array.slot(index)->palette().color(QPalette::Window),
                         ui::SystemColour(ui::kColourInactiveCaptionText));
            }
        }
    }

    void windowSizesAndCaptions_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("page 1") << "frmMain"
                                << "IAPWS - 1" << 9795 << 5130;
        QTest::newRow("page 2") << "Steam2"
                                << "IAPWS - 2" << 9795 << 4770;
        QTest::newRow("page 3") << "Steam3"
                                << "IAPWS - 3" << 9135 << 5415;
        QTest::newRow("help") << "frmHelp"
                              << "How to use ...." << 6015 << 5625;
        QTest::newRow("About") << "frmAbout"
                               << "IAPWS" << 5490 << 2520;
        QTest::newRow("splash") << "frmSplash"
                                << "" << 4680 << 1830;
    }

    void windowSizesAndCaptions() {
        QFETCH(QString, window);
        QFETCH(QString, caption);
        QFETCH(int, width);
        QFETCH(int, height);
        StartedProgram program;
        program->showHelp();
        program->showAbout();
        ui::FrmSplash splash;
        QWidget* shown = window == "frmMain"    ? program->frmMain()->client()
                         : window == "Steam2"   ? program->steam2()
                         : window == "Steam3"   ? program->steam3()
                         : window == "frmHelp"  ? static_cast<QWidget*>(program->frmHelp())
                         : window == "frmAbout" ? static_cast<QWidget*>(program->frmAbout())
                                                : &splash;
        QCOMPARE(shown->window()->windowTitle(), caption);
        QCOMPARE(shown->size(), QSize(Px(width, ui::LogicalDpiX()), Px(height, ui::LogicalDpiY())));
        // The program's icon on every window; pages 2 and 3 cannot be resized to hide values.
        QVERIFY(!shown->window()->windowIcon().isNull());
        if (window == "Steam2" || window == "Steam3")
            QCOMPARE(shown->minimumSize(), shown->maximumSize());
    }

    void mainWindowHasNoTitleBarAndMenuOnTop() {
        StartedProgram program;
        ui::FrmMain* main = program->frmMain();
        QVERIFY(main->windowFlags().testFlag(Qt::FramelessWindowHint));
        QMenuBar* bar = main->menuBar();
        QCOMPARE(bar->geometry().top(), 0);
        QCOMPARE(main->client()->geometry().top(), bar->geometry().bottom() + 1);
        const QList<QAction*> items = bar->actions();
        QCOMPARE(items.size(), 2);
        QCOMPARE(items[0]->text(), QStringLiteral("Exit"));
        QVERIFY(items[0]->menu() == nullptr);
        QCOMPARE(items[1]->text(), QStringLiteral("Help"));
        QStringList helpItems;
        for (QAction* action : items[1]->menu()->actions()) helpItems.append(action->text());
        QCOMPARE(helpItems, (QStringList{"Usage", "About"}));
    }

    void focusOrder_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("page 1") << "frmMain" << QStringList{"Text1", "Text2", "Calbtn", "Nxtpgbtn"};
        QTest::newRow("help") << "frmHelp" << QStringList{"cmdOK", "Usg"};
        QTest::newRow("About") << "frmAbout" << QStringList{"cmdOK", "cmdSysInfo"};
    }

    // The focus starts on the first control and Tab walks the order, back to the first.
    void focusOrder() {
        QFETCH(QString, window);
        QFETCH(QStringList, order);
        StartedProgram program;
        QWidget* shown = program->frmMain();
        if (window == "frmHelp") {
            program->showHelp();
            shown = program->frmHelp();
        } else if (window == "frmAbout") {
            program->showAbout();
            shown = program->frmAbout();
        }
        QTRY_COMPARE(QApplication::activeWindow(), shown);
        QStringList walked;
        for (int i = 0; i <= order.size(); ++i) {
            walked.append(QApplication::focusWidget() ? QApplication::focusWidget()->objectName()
                                                      : QString());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(walked, order + QStringList{order.first()});
    }

    void page2FocusStartsOnNextPage() {
        StartedProgram program;
        program->showSteam2();
        QVERIFY(QTest::qWaitForWindowActive(program->steam2()));
        QCOMPARE(QApplication::focusWidget(), program->steam2()->Nextpg);
    }

    // Twips to pixels follows the screen's resolution.
    void twipsFollowResolution_data() {
        QTest::addColumn<int>("twips");
        QTest::addColumn<double>("dpi");
        QTest::addColumn<int>("pixels");
        QTest::newRow("96 dpi") << 9795 << 96.0 << 653;
        QTest::newRow("120 dpi") << 9795 << 120.0 << 816;
        QTest::newRow("192 dpi") << 1440 << 192.0 << 192;
        QTest::newRow("half pixel") << 2828 << 96.0 << 189;
    }
    void twipsFollowResolution() {
        QFETCH(int, twips);
        QFETCH(double, dpi);
        QFETCH(int, pixels);
        QCOMPARE(ui::TwipsToPixels(twips, dpi), pixels);
    }
};

QTEST_MAIN(LayoutTest)
#include "layout_test.moc"
