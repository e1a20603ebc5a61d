// The help and About windows' texts, and the system-information look-up with a made-up
// registry.
#include <QTest>

#include "tests/ui/window_support.h"

using namespace vapomet;
using namespace vapomet::uitest;

namespace {

const QString kMsinfoKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString kLocationKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");

FakePlatform::Value String(const QByteArray& text) {
    return {ui::kRegString, text + '\0'};
}

}  // namespace

class HelpAboutTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        QApplication::setQuitOnLastWindowClosed(false);
        ui::RegisterFontSubstitutes();
    }

    void usageText() {
        const QString text = ui::UsageText();
        QVERIFY(text.endsWith(QStringLiteral(".\r\nEnjoy.\r\n")));
        QVERIFY(!text.contains(QRegularExpression(QStringLiteral("[^\r]\n"))));
        const QStringList lines = text.chopped(2).split(QStringLiteral("\r\n"));
        const QStringList expected = {
            "Enter the Pressure P (in MPa) and Temperature T (in K) in the two ",
            "input fields and click the \"Calculate\" button.",
            "Program then displays :",
            "",
            "1. On Page-1 the Saturation line properties at Saturation Pressure ",
            "corresponding to Temperature T [ if T < 647.15 K (374 C) ].",
            "",
            "2. On Page-2 the Saturation Line properties at Saturation ",
            "Temperature corresponding to Pressure P [ if P < 22 MPa (220 ",
            "bars)].",
            "",
            "3. On Page-3 the Thermodynamic properties at P, T as asked for.",
            "",
            "P, T have to be within the limits as specified by the International ",
            "Association for the Properties of Water and Steam - formulations ",
            lines.value(15),
            "If P, T are invalid, the program returns an error message.",
            "",
            "Disclaimer : No warranties of any kind are either implied or given.",
            "",
            lines.value(20),
            "Enjoy."};
        QCOMPARE(lines, expected);
        QVERIFY(lines[15].startsWith(QStringLiteral("for Industrial Use, 1997. (")));
        QVERIFY(lines[15].endsWith(QLatin1Char(')')));
        QVERIFY(lines[20].contains(QStringLiteral("e-mail")));
    }

    // The help window's box shows the usage text line for line, on the tooltip colour.
    void helpWindowShowsUsage() {
        StartedProgram program;
        program->frmMain()->Usage->trigger();
        ui::FrmHelp* help = program->frmHelp();
        QVERIFY(help != nullptr);
        QCOMPARE(help->Usg->toPlainText().split(QLatin1Char('\n')),
                 ui::UsageText().split(QStringLiteral("\r\n")));
        QCOMPARE(help->Usg->palette().color(QPalette::Base),
                 ui::SystemColour(ui::kColourTooltipBackground));
        QVERIFY(help->cmdOK->isDefault());
        QCOMPARE(help->cmdOK->font().family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(help->pos(), QPoint(ui::TwipsX(2370), ui::TwipsY(2400)));
        QVERIFY(!help->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!help->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    }

    void nomenclature() {
        const QString text = ui::NomenclatureText();
        QVERIFY(text.endsWith(QStringLiteral("\r\n")));
        const QStringList lines = text.chopped(2).split(QStringLiteral("\r\n"));
        const QStringList expected = {" Nomenclature :",
                                      "",
                                      " v     -> Specific Volume (m3/kg)",
                                      " rho  -> Specific Density (kg/m3) ",
                                      " h     -> Specific Enthalpy (kJ/kg)",
                                      " u    -> Specific Internal Energy (kJ/kg) ",
                                      " s    -> Specific Entropy (kJ/kg-K)",
                                      " Cp  -> Specific Heat @ Constant Pressure (kJ/kg-K) ",
                                      " Cv  -> Specific Heat @ Constant Volume (kJ/kg-K)",
                                      " l     -> Specific Conductivity (W/m-K) ",
                                      " mu  -> Viscosity (Micro-Pascal.sec)",
                                      " k    -> Specific Heat Ratio ",
                                      " w    -> Sonic Velocity (m/sec) ",
                                      " NaN -> Not a Number"};
        QCOMPARE(lines.size(), expected.size());
        for (int i = 0; i < lines.size(); ++i) {
            QCOMPARE(lines[i], i == 1 ? QString() : QStringLiteral("\t") + expected[i]);
        }
        StartedProgram program;
        QCOMPARE(program->steam3()->Text1->toPlainText().split(QLatin1Char('\n')),
                 text.split(QStringLiteral("\r\n")));
    }

    void aboutWindow() {
        StartedProgram program;
        program->frmMain()->Abt->trigger();
        ui::FrmAbout* about = program->frmAbout();
        QVERIFY(about != nullptr);
        QCOMPARE(about->lblVersion->text(), QStringLiteral("Version 1.0.0"));
        QCOMPARE(
            about->lblTitle->text(),
            QStringLiteral(
                "Thermodynamic Properties of Water and Steam as per IAPWS Formulations- 1997"));
        QCOMPARE(about->cmdSysInfo->text(), QStringLiteral("&System Info..."));
        QVERIFY(about->cmdOK->isDefault());
        QCOMPARE(about->windowTitle(), QStringLiteral("IAPWS"));
        QCOMPARE(about->minimumSize(), about->maximumSize());
    }

    // "System Info..." has Alt+S as its access key; without the tool the one message comes, once.
    void sysInfoWithoutToolShowsMessage() {
        StartedProgram program;
        program->setPlatform(std::make_unique<FakePlatform>());
        program->showAbout();
        QVERIFY(QTest::qWaitForWindowActive(program->frmAbout()));
        QCOMPARE(QKeySequence::mnemonic(program->frmAbout()->cmdSysInfo->text()),
                 QKeySequence(QStringLiteral("Alt+S")));
        QTest::mouseClick(program->frmAbout()->cmdSysInfo, Qt::LeftButton);
        QCOMPARE(program.recorder.messages, QStringList{ui::kSysInfoUnavailable});
        QVERIFY(program->frmAbout() != nullptr);
    }

    // The platform the tests run on has no registry: the message comes.
    void nativePlatformWithoutRegistry() {
#ifdef _WIN32
        QSKIP("Windows has the registry");
#else
        auto platform = ui::NativePlatform();
        QString value = QStringLiteral("before");
        QVERIFY(!ui::GetKeyValue(*platform, ui::kHkeyLocalMachine, kMsinfoKey, "PATH", value));
        QCOMPARE(value, QString());
        MessageRecorder recorder;
        ui::StartSysInfo(*platform, recorder);
        QCOMPARE(recorder.messages, QStringList{ui::kSysInfoUnavailable});
#endif
    }

    void getKeyValue_data() {
        QTest::addColumn<bool>("keyExists");
        QTest::addColumn<uint>("type");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("before");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("after");
        QTest::addColumn<bool>("throws");
        const QByteArray dword10("\x0A\x00\x00\x00", 4);
        QTest::newRow("no key") << false << 1u << QByteArray() << "old" << false << "" << false;
        QTest::newRow("no value") << true << 0u << QByteArray() << "old" << false << "" << false;
        QTest::newRow("string") << true << 1u << QByteArray("C:\\Tools\\msinfo32.exe\0", 22) << ""
                                << true << "C:\\Tools\\msinfo32.exe" << false;
        QTest::newRow("string without end mark but short")
            << true << 1u << QByteArray("abc") << "x" << true << "abc" << false;
        QTest::newRow("string cut at first NUL")
            << true << 1u << QByteArray("ab\0cd\0", 6) << "" << true << "ab" << false;
        QTest::newRow("1024 bytes, no end mark")
            << true << 1u << QByteArray(1024, 'a') << "" << false << "" << true;
        QTest::newRow("1023 bytes fit")
            << true << 1u << QByteArray(1023, 'a') << "" << true << QString(1023, 'a') << false;
        QTest::newRow("longer than the buffer")
            << true << 1u << QByteArray(1025, 'a') << "old" << false << "" << false;
        QTest::newRow("number 10") << true << 4u << dword10 << "" << true << "10" << false;
        QTest::newRow("number, bytes reversed") << true << 4u << QByteArray("\x78\x56\x34\x12", 4)
                                                << "" << true << "305419896" << false;
        QTest::newRow("number, digits without leading zeros")
            << true << 4u << QByteArray("\x03\x02\x01\x00", 4) << "" << true << "291" << false;
        QTest::newRow("number appended to the text")
            << true << 4u << dword10 << "1" << true << "26" << false;
        QTest::newRow("number zero")
            << true << 4u << QByteArray(4, '\0') << "" << true << "&h" << false;
        QTest::newRow("other type keeps the text")
            << true << 3u << QByteArray("\x01\x02", 2) << "kept" << true << "kept" << false;
    }

    void getKeyValue() {
        QFETCH(bool, keyExists);
        QFETCH(uint, type);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, before);
        QFETCH(bool, found);
        QFETCH(QString, after);
        QFETCH(bool, throws);
        FakePlatform registry;
        if (keyExists) {
            registry.addValue(ui::kHkeyLocalMachine, kMsinfoKey, "Other", String("x"));
            if (type != 0)
                registry.addValue(ui::kHkeyLocalMachine, kMsinfoKey, "PATH", {type, bytes});
        }
        QString value = before;
        bool result = false;
        bool threw = false;
        try {
            result = ui::GetKeyValue(registry, ui::kHkeyLocalMachine, kMsinfoKey, "PATH", value);
        } catch (const ui::MissingEndMark&) {
            threw = true;
        }
        QCOMPARE(threw, throws);
        QCOMPARE(registry.accesses, QList<std::uint32_t>{0x2003Fu});
        QCOMPARE(registry.closes, 1);
        QVERIFY(registry.openKeys.empty());
        if (throws) return;
        QCOMPARE(result, found);
        QCOMPARE(value, after);
    }

    void startSysInfo_data() {
        QTest::addColumn<QByteArray>("pathValue");  // empty: none
        QTest::addColumn<uint>("pathType");
        QTest::addColumn<QByteArray>("folderValue");  // empty: none
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("startable");
        QTest::addColumn<QStringList>("attempts");
        QTest::addColumn<bool>("message");
        const QStringList none;
        QTest::newRow("neither value")
            << QByteArray() << 1u << QByteArray() << none << none << none << true;
        QTest::newRow("folder without the tool")
            << QByteArray() << 1u << QByteArray("C:\\Tools") << none
            << QStringList{"C:\\Tools\\MSINFO32.EXE"} << none << true;
        QTest::newRow("folder with the tool")
            << QByteArray() << 1u << QByteArray("C:\\Tools")
            << QStringList{"C:\\Tools\\MSINFO32.EXE"} << QStringList{"C:\\Tools\\MSINFO32.EXE"}
            << QStringList{"C:\\Tools\\MSINFO32.EXE"} << false;
        QTest::newRow("path used unchecked")
            << QByteArray("D:\\msinfo.exe") << 1u << QByteArray() << none
            << QStringList{"D:\\msinfo.exe"} << QStringList{"D:\\msinfo.exe"} << false;
        QTest::newRow("path that does not start")
            << QByteArray("D:\\nothing.exe") << 1u << QByteArray("C:\\Tools")
            << QStringList{"C:\\Tools\\MSINFO32.EXE"} << QStringList{"C:\\Tools\\MSINFO32.EXE"}
            << QStringList{"D:\\nothing.exe"} << true;
        QTest::newRow("path without end mark")
            << QByteArray(1024, 'p') << 1u << QByteArray("C:\\Tools")
            << QStringList{"C:\\Tools\\MSINFO32.EXE"} << QStringList{"C:\\Tools\\MSINFO32.EXE"}
            << none << true;
        QTest::newRow("path of another type") << QByteArray("\x01", 1) << 3u << QByteArray() << none
                                              << none << QStringList{""} << true;
    }

    // Which program is started, and whether the one message appears.
    void startSysInfo() {
        QFETCH(QByteArray, pathValue);
        QFETCH(uint, pathType);
        QFETCH(QByteArray, folderValue);
        QFETCH(QStringList, files);
        QFETCH(QStringList, startable);
        QFETCH(QStringList, attempts);
        QFETCH(bool, message);
        FakePlatform platform;
        if (!pathValue.isEmpty()) {
            platform.addValue(ui::kHkeyLocalMachine, kMsinfoKey, "PATH",
                              {pathType, pathType == 1 && pathValue.size() < 1024 ? pathValue + '\0'
                                                                                  : pathValue});
        }
        if (!folderValue.isEmpty()) {
            platform.addValue(ui::kHkeyLocalMachine, kLocationKey, "MSINFO", String(folderValue));
        }
        platform.files = files;
        platform.startable = startable;
        MessageRecorder recorder;
        ui::StartSysInfo(platform, recorder);
        QCOMPARE(platform.startAttempts, attempts);
        QCOMPARE(recorder.messages, message ? QStringList{ui::kSysInfoUnavailable} : QStringList{});
    }
};

QTEST_MAIN(HelpAboutTest)
#include "help_about_test.moc"
