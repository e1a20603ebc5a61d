#include "ui/page_windows.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QWindow>

#include "ui/layouts.h"

namespace vapomet::ui {

void SlotArray::build(QWidget* client, int page, const QString& arrayName,
                      const ResultPages& pages) {
    labels_.assign(static_cast<std::size_t>(SlotCount(page)), nullptr);
    QPalette slotPalette = client->palette();
    slotPalette.setColor(QPalette::Window, SystemColour(kColourInactiveCaptionText));
    for (const SlotPlace& place : SlotPlaces(page)) {
        // Every slot is right-aligned except page 3's region slot.
        const bool region = page == 3 && place.slot == RegionSlot();
        FitLabel* label = PlaceLabel(client, QStringLiteral("%1_%2").arg(arrayName).arg(place.slot),
                                     pages.text(page, place.slot), place.slotBox,
                                     region ? Qt::AlignLeft : Qt::AlignRight, Verdana());
        label->setPalette(slotPalette);
        label->setAutoFillBackground(true);
        label->setProperty("slotIndex", place.slot);
        // Selectable by mouse and keyboard once clicked; Tab still walks only page 1's inputs
        // and buttons.
        label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        label->setFocusPolicy(Qt::ClickFocus);
        label->setAccessibleName(SlotDescription(page, place.slot));
        if (place.captionName != nullptr) {
            FitLabel* caption =
                PlaceLabel(client, QString::fromLatin1(place.captionName),
                           SlotCaption(page, place.slot), place.captionBox, place.captionAlignment,
                           place.captionInSansSerif ? MsSansSerif() : Verdana());
            caption->setBuddy(label);
        }
        labels_[static_cast<std::size_t>(place.slot)] = label;
    }
}

namespace {

// A click on a page's background ends the selection in its values, as in any text.
class SelectionEnder : public QObject {
  public:
    SelectionEnder(QWidget* background, const SlotArray& values)
        : QObject(background), values_(values) {
        background->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress)
            for (int index = 0; index < values_.count(); ++index)
                if (values_.slot(index)->hasSelectedText()) values_.slot(index)->setSelection(0, 0);
        return false;
    }

  private:
    const SlotArray& values_;
};

}  // namespace

void PageWindow::setUpCopying(QWidget* window) {
    new SelectionEnder(client_, slots_);
    copyPage_ = new QAction(QStringLiteral("Copy page"), window);
    copyPage_->setObjectName(QStringLiteral("copyPage"));
    copyPage_->setShortcut(QKeySequence::Copy);
    copyAllPages_ = new QAction(QStringLiteral("Copy all pages"), window);
    copyAllPages_->setObjectName(QStringLiteral("copyAllPages"));
    copyAllPages_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    for (QAction* action : {copyPage_, copyAllPages_}) {
        action->setShortcutContext(Qt::WindowShortcut);
        window->addAction(action);
    }
    QObject::connect(copyPage_, &QAction::triggered, window, [this] { copy(false); });
    QObject::connect(copyAllPages_, &QAction::triggered, window, [this] { copy(true); });

    std::vector<QWidget*> owners{client_};
    for (int index = 0; index < slots_.count(); ++index) owners.push_back(slots_.slot(index));
    for (QWidget* owner : owners) {
        owner->setContextMenuPolicy(Qt::CustomContextMenu);
        QObject::connect(owner, &QWidget::customContextMenuRequested, window,
                         [this, owner](const QPoint& at) { showMenu(owner, at); });
    }
}

void PageWindow::showNote(const QString& note) {
    for (FitLabel* label : noted_) label->setNote(note);
}

void PageWindow::copy(bool all) const {
    // Ctrl+C in a slot with selected text copies that text, as in any text; "Copy page" in the
    // menu copies the page.
    const auto* focused = qobject_cast<const QLabel*>(QApplication::focusWidget());
    if (!all && !inMenu_ && focused != nullptr && focused->hasSelectedText()) {
        PutOnClipboard(focused->selectedText());
        return;
    }
    if (copy_) copy_(all);
}

void PageWindow::showMenu(QWidget* owner, const QPoint& at) const {
    QMenu menu(owner);
    if (const auto* label = qobject_cast<const QLabel*>(owner); label && label->hasSelectedText()) {
        menu.addAction(QStringLiteral("Copy"), [label] { PutOnClipboard(label->selectedText()); });
        menu.addSeparator();
    }
    menu.addAction(copyPage_);
    menu.addAction(copyAllPages_);
    inMenu_ = true;
    menu.exec(owner->mapToGlobal(at));
    inMenu_ = false;
}

FrmMain::FrmMain(const ResultPages& pages)
    // An ordinary window without a title bar: window managers raise the other pages above it
    // and list it among the windows to switch to.
    : QMainWindow(nullptr, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(PageTitle(1));
    setFont(Verdana());

    auto* bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("menuBar"));
    bar->setNativeMenuBar(false);
    Exit = bar->addAction(QStringLiteral("Exit"));
    Exit->setObjectName(QStringLiteral("Exit"));
    Help = bar->addMenu(QStringLiteral("Help"));
    Help->setObjectName(QStringLiteral("Help"));
    Usage = Help->addAction(QStringLiteral("Usage"));
    Usage->setObjectName(QStringLiteral("Usage"));
    Abt = Help->addAction(QStringLiteral("About"));
    Abt->setObjectName(QStringLiteral("Abt"));
    Tools = bar->addMenu(QStringLiteral("&Tools"));
    Tools->setObjectName(QStringLiteral("Tools"));
    StateTool = Tools->addAction(QStringLiteral("&State from two properties..."));
    StateTool->setObjectName(QStringLiteral("StateTool"));
    StateTool->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    DiagramTool = Tools->addAction(QStringLiteral("&Diagram..."));
    DiagramTool->setObjectName(QStringLiteral("DiagramTool"));
    DiagramTool->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    setMenuBar(bar);

    auto* area = new DragArea(this);
    area->setObjectName(QStringLiteral("client"));
    area->setFont(Verdana());
    area->setFixedSize(TwipsToSize(9795, 5130));
    client_ = area;
    setCentralWidget(area);

    PlaceLabel(area, QStringLiteral("Label9"), QStringLiteral("Input -->"), {1320, 150, 975, 255},
               Qt::AlignRight, Verdana());
    PlaceLabel(area, QStringLiteral("Label1"), QStringLiteral("P (MPa)"), {2400, 150, 735, 255},
               Qt::AlignRight, Verdana());
    Text1 = new InputBox(QString::fromLatin1(kDefaultPressure.text), area, Verdana());
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(TwipsToRect({3330, 120, 975, 285}));
    Text1->setAccessibleName(QuantityDescription(QuantityId::Pressure));
    PlaceLabel(area, QStringLiteral("Label2"), QStringLiteral("T (K)"), {4800, 150, 495, 255},
               Qt::AlignRight, Verdana());
    Text2 = new InputBox(QString::fromLatin1(kDefaultTemperature.text), area, MsSansSerif());
    Text2->setObjectName(QStringLiteral("Text2"));
    Text2->setGeometry(TwipsToRect({5400, 120, 615, 285}));
    Text2->setAccessibleName(QuantityDescription(QuantityId::Temperature));
    Calbtn = new CommandButton(QStringLiteral("Calculate"), area);
    Calbtn->setObjectName(QStringLiteral("Calbtn"));
    Calbtn->setGeometry(TwipsToRect({8520, 120, 975, 315}));
    new LineControl(area, QStringLiteral("Line6"), 120, 600, 9600, 600, 2);
    Nxtpgbtn = new CommandButton(QStringLiteral("->Next Page"), area);
    Nxtpgbtn->setObjectName(QStringLiteral("Nxtpgbtn"));
    Nxtpgbtn->setGeometry(TwipsToRect({8160, 720, 1335, 315}));
    Nxtpgbtn->setAccessibleName(QStringLiteral("Next page: ") + PageSubject(2));
    noted_.push_back(PlaceLabel(area, QStringLiteral("Label3"),
                                QStringLiteral("Saturation Properties along Water Line"),
                                {2828, 1200, 4335, 255}, Qt::AlignHCenter, Verdana()));
    new LineControl(area, QStringLiteral("Line1"), 120, 1320, 2760, 1320);
    new LineControl(area, QStringLiteral("Line3"), 7200, 1320, 9600, 1320);
    noted_.push_back(PlaceLabel(area, QStringLiteral("Label8"),
                                QStringLiteral("Saturation Properties along Steam Line"),
                                {2828, 2880, 4335, 255}, Qt::AlignHCenter, Verdana()));
    new LineControl(area, QStringLiteral("Line2"), 120, 3000, 2760, 3000);
    new LineControl(area, QStringLiteral("Line4"), 7200, 3000, 9480, 3000);
    new LineControl(area, QStringLiteral("Line5"), 120, 4800, 9600, 4800, 2);
    slots_.build(area, 1, QStringLiteral("Label10"), pages);

    // Focus order: P box, T box, "Calculate", "->Next Page"; nothing else takes the focus.
    Calbtn->setFocusPolicy(Qt::StrongFocus);
    Nxtpgbtn->setFocusPolicy(Qt::StrongFocus);
    setTabOrder(Text1, Text2);
    setTabOrder(Text2, Calbtn);
    setTabOrder(Calbtn, Nxtpgbtn);
    Text1->setFocus();

    // Enter in either box presses "Calculate".
    connect(Text1, &QLineEdit::returnPressed, Calbtn, &QPushButton::click);
    connect(Text2, &QLineEdit::returnPressed, Calbtn, &QPushButton::click);
    connect(Calbtn, &QPushButton::clicked, this, &FrmMain::calculateClicked);
    connect(Nxtpgbtn, &QPushButton::clicked, this, &FrmMain::nextPageClicked);
    connect(Exit, &QAction::triggered, this, &FrmMain::exitClicked);
    connect(Usage, &QAction::triggered, this, &FrmMain::usageClicked);
    connect(Abt, &QAction::triggered, this, &FrmMain::aboutClicked);
    connect(StateTool, &QAction::triggered, this, &FrmMain::stateToolClicked);
    connect(DiagramTool, &QAction::triggered, this, &FrmMain::diagramToolClicked);

    // F10 opens the menu, as a lone Alt does: the menu bar takes the keyboard when its window
    // sees Alt pressed (as a shortcut override) and released with nothing else.
    auto* menuKey = new QAction(this);
    menuKey->setShortcut(QKeySequence(Qt::Key_F10));
    menuKey->setShortcutContext(Qt::WindowShortcut);
    addAction(menuKey);
    connect(menuKey, &QAction::triggered, this, [this] {
        QKeyEvent press(QEvent::ShortcutOverride, Qt::Key_Alt, Qt::NoModifier);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
        QCoreApplication::sendEvent(this, &press);
        QCoreApplication::sendEvent(this, &release);
    });

    setUpCopying(this);
    adjustSize();
    CentreOnScreen(this);
}

namespace {

void ForgetTyping(QLineEdit* box) {
    if (!box->isUndoAvailable() && !box->isRedoAvailable()) return;
    const int cursor = box->cursorPosition();
    const int selectionStart = box->selectionStart();
    const int selectionLength = box->selectionLength();
    const bool cursorAtStart = selectionStart >= 0 && cursor == selectionStart;
    box->setText(box->text());  // setting the text clears the box's undo history
    if (selectionStart < 0) {
        box->setCursorPosition(cursor);
    } else if (cursorAtStart) {
        box->setSelection(selectionStart + selectionLength, -selectionLength);
    } else {
        box->setSelection(selectionStart, selectionLength);
    }
}

}  // namespace

void FrmMain::forgetTyping() {
    ForgetTyping(Text1);
    ForgetTyping(Text2);
}

void FrmMain::closeEvent(QCloseEvent* event) {
    // The window has no close button; a close command from the keyboard ends the program
    // the way "Exit" does, which also unloads this window.
    event->ignore();
    emit exitClicked();
}

Steam2::Steam2(const ResultPages& pages) : QWidget(nullptr, Qt::Window) {
    setObjectName(QStringLiteral("Steam2"));
    setWindowTitle(PageTitle(2));
    setFont(Verdana());
    client_ = this;
    // A fixed size: a smaller window would hide its own values.
    setFixedSize(TwipsToSize(9795, 4770));

    Nextpg = new CommandButton(QStringLiteral("Next Page ->"), this);
    Nextpg->setObjectName(QStringLiteral("Nextpg"));
    Nextpg->setGeometry(TwipsToRect({8040, 390, 1455, 315}));
    Nextpg->setFocusPolicy(Qt::StrongFocus);
    Nextpg->setAccessibleName(QStringLiteral("Next page: ") + PageSubject(3));
    noted_.push_back(PlaceLabel(this, QStringLiteral("Label3"),
                                QStringLiteral("Saturation Properties along Water Line"),
                                {3030, 840, 3735, 255}, Qt::AlignHCenter, Verdana()));
    new LineControl(this, QStringLiteral("Line1"), 240, 960, 3000, 960);
    new LineControl(this, QStringLiteral("Line2"), 6840, 960, 9480, 960);
    noted_.push_back(PlaceLabel(this, QStringLiteral("Label8"),
                                QStringLiteral("Saturation Properties along Steam Line"),
                                {3090, 2520, 3615, 255}, Qt::AlignHCenter, Verdana()));
    new LineControl(this, QStringLiteral("Line3"), 240, 2640, 3000, 2640);
    new LineControl(this, QStringLiteral("Line4"), 6840, 2640, 9480, 2640);
    new LineControl(this, QStringLiteral("Line5"), 240, 4560, 9480, 4560, 2);
    slots_.build(this, 2, QStringLiteral("Label1"), pages);
    Nextpg->setFocus();
    setUpCopying(this);

    connect(Nextpg, &QPushButton::clicked, this, &Steam2::nextPageClicked);
}

void Steam2::closeEvent(QCloseEvent* event) {
    event->accept();
    emit unloaded();
}

QString NomenclatureText() {
    static const char* const kLines[] = {
        "\t Nomenclature :",
        "",
        "\t v     -> Specific Volume (m3/kg)",
        "\t rho  -> Specific Density (kg/m3) ",
        "\t h     -> Specific Enthalpy (kJ/kg)",
        "\t u    -> Specific Internal Energy (kJ/kg) ",
        "\t s    -> Specific Entropy (kJ/kg-K)",
        "\t Cp  -> Specific Heat @ Constant Pressure (kJ/kg-K) ",
        "\t Cv  -> Specific Heat @ Constant Volume (kJ/kg-K)",
        "\t l     -> Specific Conductivity (W/m-K) ",
        "\t mu  -> Viscosity (Micro-Pascal.sec)",
        "\t k    -> Specific Heat Ratio ",
        "\t w    -> Sonic Velocity (m/sec) ",
        "\t NaN -> Not a Number",
    };
    return CrlfLines(kLines);
}

Steam3::Steam3(const ResultPages& pages) : QWidget(nullptr, Qt::Window) {
    setObjectName(QStringLiteral("Steam3"));
    setWindowTitle(PageTitle(3));
    setFont(Verdana());
    client_ = this;
    setFixedSize(TwipsToSize(9135, 5415));

    slots_.build(this, 3, QStringLiteral("Label1"), pages);
    noted_.push_back(slots_.slot(RegionSlot()));
    new RoundedRectangle(this, QStringLiteral("Shape1"), {900, 2040, 7335, 3255}, 2);
    Text1 = PlaceTextBox(this, QStringLiteral("Text1"), {1200, 2160, 6735, 2895},
                         NomenclatureText(), SystemColour(kColourInactiveCaptionText));
    Text1->setFont(Verdana());
    Text1->document()->setDocumentMargin(2);
    Text1->setTabStopDistance(Text1->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 8.0);
    setUpCopying(this);
}

void Steam3::closeEvent(QCloseEvent* event) {
    event->accept();
    emit unloaded();
}

FrmSplash::FrmSplash() : QFrame(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmSplash"));
    setFont(Verdana());
    setFrameStyle(QFrame::WinPanel | QFrame::Raised);
    setFixedSize(TwipsToSize(4680, 1830));

    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("fraMainFrame"));
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    frame->setGeometry(TwipsToRect({600, 548, 3060, 735}));
    lblCredit =
        PlaceLabel(frame, QStringLiteral("lblCredit"), QStringLiteral("by the Vapomet team"),
                   {840, 120, 2055, 255}, Qt::AlignRight, Verdana());
    lblVersion = PlaceLabel(frame, QStringLiteral("lblVersion"), QString(), {1440, 360, 1455, 255},
                            Qt::AlignRight, Verdana());
    // The picture stands in front of the frame's left edge.
    new PictureBox(this, QStringLiteral("Picture1"), {600, 428, 975, 975}, SplashPicture(),
                   QColor());

    // The splash window's load step: the version line.
    lblVersion->showText(VersionLine());
    CentreOnScreen(this);
}

}  // namespace vapomet::ui
