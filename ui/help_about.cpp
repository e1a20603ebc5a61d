#include "ui/help_about.h"

#include <QCloseEvent>

namespace vapomet::ui {

QString UsageText() {
    static const char* const kLines[] = {
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
        "for Industrial Use, 1997. (http://www.iapws.org)",
        "If P, T are invalid, the program returns an error message.",
        "",
        "Disclaimer : No warranties of any kind are either implied or given.",
        "",
        "Please report faults by e-mail to vapomet@example.org - thank you.",
        "Enjoy.",
    };
    return CrlfLines(kLines);
}

void OkWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    emit unloaded();
}

namespace {

CommandButton* NewOkButton(QDialog* window, const TwipRect& box) {
    auto* button = new CommandButton(QStringLiteral("OK"), window);
    button->setObjectName(QStringLiteral("cmdOK"));
    button->setGeometry(TwipsToRect(box));
    // Default and cancel button: Enter presses it through the default role, Esc through the
    // window's reject, and both close the window.
    button->setDefault(true);
    QObject::connect(button, &QPushButton::clicked, window, &QDialog::close);
    return button;
}

}  // namespace

FrmHelp::FrmHelp()
    : OkWindow(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(QStringLiteral("How to use ...."));
    setFont(Verdana());
    setModal(false);
    setSizeGripEnabled(false);

    auto* picture = new PictureBox(this, QStringLiteral("Picture1"), {0, 0, 6015, 5535},
                                   HelpPicture(), SystemColour(kColourWindow));
    Usg = PlaceTextBox(picture, QStringLiteral("Usg"), {120, 360, 5895, 4935}, UsageText(),
                       SystemColour(kColourTooltipBackground));
    cmdOK = NewOkButton(this, {4080, 120, 1215, 375});
    cmdOK->setFont(MsSansSerif());
    cmdOK->raise();
    setTabOrder(cmdOK, Usg);

    const QRect client = TwipsToRect({2370, 2400, 6015, 5625});
    resize(client.size());
    move(client.topLeft());
    cmdOK->setFocus();
}

FrmAbout::FrmAbout(QWidget* owner)
    : OkWindow(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("IAPWS"));
    setFont(Verdana());
    setModal(false);
    setFixedSize(TwipsToSize(5490, 2520));

    QColor lightGrey(192, 192, 192);
    new PictureBox(this, QStringLiteral("picIcon"), {360, 240, 990, 1380}, AboutPicture(),
                   lightGrey);
    lblTitle = PlaceLabel(this, QStringLiteral("lblTitle"), QString(), {1680, 240, 3540, 390},
                          Qt::AlignLeft, Verdana());
    lblTitle->setWordWrap(true);
    lblTitle->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette black = lblTitle->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    lblTitle->setPalette(black);
    lblVersion = PlaceLabel(this, QStringLiteral("lblVersion"), QString(), {3570, 780, 1575, 225},
                            Qt::AlignRight, Verdana());
    // Two lines on one place, white under grey, make an etched separator.
    new LineControl(this, QStringLiteral("Line1_0"), 1680, 1440, 5160, 1440, 2, Qt::white);
    new LineControl(this, QStringLiteral("Line1_1"), 1680, 1440, 5160, 1440, 1,
                    QColor(128, 128, 128));
    lblDisclaimer =
        PlaceLabel(this, QStringLiteral("lblDisclaimer"), QStringLiteral("Vapomet team"),
                   {1650, 1545, 1575, 225}, Qt::AlignLeft, Verdana());
    cmdOK = NewOkButton(this, {3885, 1545, 1467, 345});
    cmdSysInfo = new CommandButton(QStringLiteral("&System Info..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdSysInfo->setGeometry(TwipsToRect({3900, 1995, 1452, 345}));
    cmdSysInfo->setAutoDefault(false);
    setTabOrder(cmdOK, cmdSysInfo);
    connect(cmdSysInfo, &QPushButton::clicked, this, &FrmAbout::sysInfoClicked);

    // The load step: version and title lines.
    lblVersion->showText(VersionLine());
    lblTitle->showText(kAboutTitle);

    CentreOnScreen(this);
    cmdOK->setFocus();
}

}  // namespace vapomet::ui
