#include "ui/controls.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QWindow>
#include <algorithm>
#include <cmath>

namespace vapomet::ui {

namespace {

// The largest size, in quarter points from `base` down to kSmallestPointSize, at which a text
// of `width` pixels at `base` fits `room`; kSmallestPointSize where it never does. Widths grow
// nearly in proportion to the size, so the search starts at the proportional size and rarely
// takes more than a step or two.
QFont LargestFitting(const QFont& base, const QString& text, double room) {
    QFont font = base;
    const double width = QFontMetricsF(base).horizontalAdvance(text);
    if (width <= room) return font;
    double size = std::floor(base.pointSizeF() * room / width * 4.0 + 1.0) / 4.0;
    for (size = std::min(size, base.pointSizeF()); size > kSmallestPointSize; size -= 0.25) {
        font.setPointSizeF(size);
        if (QFontMetricsF(font).horizontalAdvance(text) <= room) return font;
    }
    font.setPointSizeF(kSmallestPointSize);
    return font;
}

}  // namespace

FitLabel::FitLabel(QWidget* parent, const QFont& font) : QLabel(parent), base_(font) {
    setTextFormat(Qt::PlainText);
    setFont(font);
}

void FitLabel::showText(const QString& text) {
    whole_ = text;
    fit();
}

void FitLabel::setNote(const QString& note) {
    note_ = note;
    fit();
}

void FitLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    fit();
}

void FitLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    if (!(textInteractionFlags() & Qt::TextSelectableByMouse) || event->button() != Qt::LeftButton)
        return QLabel::mouseDoubleClickEvent(event);
    setSelection(0, static_cast<int>(text().size()));
    event->accept();
}

void FitLabel::fit() {
    if (wordWrap()) {
        setText(whole_);
        return;
    }
    const int room = contentsRect().width() - 2 * margin();
    const QFont font = LargestFitting(base_, whole_, room);
    if (font != this->font()) setFont(font);
    const QString shown = QFontMetricsF(font).horizontalAdvance(whole_) <= room
                              ? whole_
                              : QFontMetrics(font).elidedText(whole_, Qt::ElideRight, room);
    if (shown != text()) setText(shown);
    QString tip = shown != whole_ ? whole_ : QString();
    if (!note_.isEmpty()) tip += (tip.isEmpty() ? QString() : QStringLiteral("\n\n")) + note_;
    if (tip != toolTip()) setToolTip(tip);
}

InputBox::InputBox(const QString& text, QWidget* parent, const QFont& font)
    : QLineEdit(text, parent), base_(font) {
    setFont(font);
    // A classic sunken box has its 2-pixel edge and one pixel inside it; the style's line edit
    // keeps one more on each side.
    setTextMargins(-1, 0, -1, 0);
    connect(this, &QLineEdit::textChanged, this, [this] { fit(); });
    fit();
}

int InputBox::textWidth() const {
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    const QMargins margins = textMargins();
    constexpr int kLineEditMargin = 2;  // QLineEdit's own space on each side of its text
    return contents.width() - margins.left() - margins.right() - 2 * kLineEditMargin;
}

bool InputBox::showsWholeText() const {
    return QFontMetricsF(font()).horizontalAdvance(text()) <= textWidth();
}

void InputBox::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    fit();
}

bool InputBox::event(QEvent* event) {
    // The box claims the copy key for itself; without a selection it has nothing to copy, and
    // the window's own Ctrl+C, which copies the page, takes it.
    if (event->type() == QEvent::ShortcutOverride && !hasSelectedText() &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        event->ignore();
        return true;
    }
    return QLineEdit::event(event);
}

void InputBox::fit() {
    const QFont font = LargestFitting(base_, text(), textWidth());
    if (font != this->font()) setFont(font);
    const QString tip = showsWholeText() ? QString() : text();
    if (tip != toolTip()) setToolTip(tip);
}

FitLabel* PlaceLabel(QWidget* parent, const QString& objectName, const QString& text,
                     const TwipRect& box, Qt::Alignment alignment, const QFont& font) {
    auto* label = new FitLabel(parent, font);
    label->setObjectName(objectName);
    label->setAlignment(alignment | Qt::AlignVCenter);
    label->setGeometry(TwipsToRect(box));
    label->showText(text);
    return label;
}

LineControl::LineControl(QWidget* parent, const QString& objectName, int x1, int y1, int x2, int y2,
                         int widthPx, QColor colour)
    : QWidget(parent), width_(widthPx), colour_(colour) {
    setObjectName(objectName);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // Only horizontal lines occur: the box spans the line and is as high as the line is wide,
    // centred on it.
    const int left = TwipsX(std::min(x1, x2));
    const int right = TwipsX(std::max(x1, x2));
    const int y = TwipsY((y1 + y2) / 2);
    setGeometry(left, y - (widthPx - 1) / 2, std::max(1, right - left), widthPx);
}

void LineControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor colour = colour_.isValid() ? colour_ : palette().color(QPalette::WindowText);
    painter.fillRect(rect(), colour);
}

RoundedRectangle::RoundedRectangle(QWidget* parent, const QString& objectName, const TwipRect& box,
                                   int outlineWidthPx)
    : QWidget(parent), outline_(outlineWidthPx) {
    setObjectName(objectName);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(TwipsToRect(box));
}

void RoundedRectangle::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(palette().color(QPalette::WindowText), outline_);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const double inset = outline_ / 2.0;
    const QRectF frame = QRectF(rect()).adjusted(inset, inset, -inset, -inset);
    const double radius = std::min(frame.width(), frame.height()) / 10.0;
    painter.drawRoundedRect(frame, radius, radius);
}

PictureBox::PictureBox(QWidget* parent, const QString& objectName, const TwipRect& box,
                       const QPixmap& picture, const QColor& background)
    : QWidget(parent), picture_(picture), background_(background) {
    setObjectName(objectName);
    setGeometry(TwipsToRect(box));
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (background_.isValid()) painter.fillRect(rect(), background_);
    painter.drawPixmap(0, 0, picture_);
}

void CommandButton::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        event->modifiers() == Qt::NoModifier) {
        click();
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void DragArea::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    QWindow* handle = window()->windowHandle();
    // Where the window system can move the window itself, let it; otherwise follow the mouse.
    if (handle != nullptr && handle->startSystemMove()) return;
    dragging_ = true;
    grabOffset_ = event->globalPosition().toPoint() - window()->frameGeometry().topLeft();
}

void DragArea::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_) return QWidget::mouseMoveEvent(event);
    window()->move(event->globalPosition().toPoint() - grabOffset_);
}

void DragArea::mouseReleaseEvent(QMouseEvent* event) {
    dragging_ = false;
    QWidget::mouseReleaseEvent(event);
}

QPlainTextEdit* PlaceTextBox(QWidget* parent, const QString& objectName, const TwipRect& box,
                             const QString& text, const QColor& background) {
    auto* textBox = new QPlainTextEdit(parent);
    textBox->setObjectName(objectName);
    textBox->setGeometry(TwipsToRect(box));
    textBox->setPlainText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    textBox->setReadOnly(true);
    textBox->setTabChangesFocus(true);
    textBox->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    textBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette palette = textBox->palette();
    palette.setColor(QPalette::Base, background);
    textBox->setPalette(palette);
    return textBox;
}

QString CrlfLines(std::span<const char* const> lines) {
    QString text;
    for (const char* line : lines) text += QString::fromLatin1(line) + QStringLiteral("\r\n");
    return text;
}

void PutOnClipboard(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}

void CentreOnScreen(QWidget* window) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect area = screen->availableGeometry();
    const QSize size = window->size();
    window->move(area.center() - QPoint(size.width() / 2, size.height() / 2));
}

}  // namespace vapomet::ui
