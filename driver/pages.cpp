#include "driver/pages.h"

#include <cmath>

#include "driver/numbers.h"

namespace vapomet {

namespace {

// What a freshly loaded page 3 shows in its P and T slots: the default inputs 5. and 500.
// written with three decimals.
constexpr int kDefaultInputDecimals = 3;

void CheckAddress(int page, int index) {
    if (index < 0 || index >= SlotCount(page)) {
        throw std::out_of_range("no slot " + std::to_string(index) + " on page " +
                                std::to_string(page));
    }
}

}  // namespace

const QString kBeyondRangeNote = QStringLiteral(
    "Between 623.15 K and 647.0 K this state is computed with the region-1 or region-2 "
    "equations of IAPWS-IF97 beyond the range in which the 1997 formulation defines them; near "
    "647 K saturated densities can differ from the formulation's region-3 values by up to "
    "about 27 %.");

ResultPages::ResultPages(const QLocale& locale) : locale_(locale) {
    for (int page = 1; page <= kPageCount; ++page) reset(page);
}

const QString& ResultPages::text(int page, int index) const {
    CheckAddress(page, index);
    return pages_[page - 1][index];
}

QStringList ResultPages::texts(int page) const {
    CheckAddress(page, 0);
    return pages_[page - 1];
}

QString& ResultPages::slot(int page, int index) {
    CheckAddress(page, index);
    return pages_[page - 1][index];
}

QString ResultPages::formatNumber(double value, int decimals) const {
    return FormatNumber(value, decimals, locale_);
}

void ResultPages::writeNumber(int page, int index, double value, int decimals) {
    writeText(page, index, formatNumber(value, decimals));
}

void ResultPages::writeText(int page, int index, const QString& text) {
    slot(page, index) = text;
    if (viewer_ != nullptr) viewer_->slotWritten(page, index);
}

double ResultPages::readNumber(int page, int index) const {
    bool ok = false;
    const double value = locale_.toDouble(text(page, index), &ok);
    // The locale's reader also takes "nan" and "inf" for numbers; no slot shows them as one.
    if (!ok || !std::isfinite(value)) {
        throw SlotReadError("slot " + std::to_string(index) + " of page " + std::to_string(page) +
                            " does not show a number");
    }
    return value;
}

void ResultPages::refresh(int page) {
    CheckAddress(page, 0);
    if (viewer_ != nullptr) viewer_->pageRefreshed(page);
}

const QString& ResultPages::note(int page) const {
    CheckAddress(page, 0);
    return notes_[page - 1];
}

void ResultPages::writeNote(int page, const QString& note) {
    CheckAddress(page, 0);
    if (notes_[page - 1] == note) return;
    notes_[page - 1] = note;
    if (viewer_ != nullptr) viewer_->noteWritten(page);
}

const ResultPages::Inputs& ResultPages::inputs(int page) const {
    CheckAddress(page, 0);
    return inputs_[page - 1];
}

void ResultPages::writeInputs(int page, double P, double T) {
    CheckAddress(page, 0);
    inputs_[page - 1] = {formatNumber(P, QuantityOf(QuantityId::Pressure).decimals),
                         formatNumber(T, QuantityOf(QuantityId::Temperature).decimals)};
}

void ResultPages::reset(int page) {
    CheckAddress(page, 0);
    notes_[page - 1].clear();
    inputs_[page - 1] = {};
    QStringList& texts = pages_[page - 1];
    texts = QStringList(SlotCount(page), kNaN);
    if (page == 3) {
        texts[SlotOf(QuantityId::Pressure, 3, Phase::None)] =
            formatNumber(kDefaultPressure.value, kDefaultInputDecimals);
        texts[SlotOf(QuantityId::Temperature, 3, Phase::None)] =
            formatNumber(kDefaultTemperature.value, kDefaultInputDecimals);
        texts[RegionSlot()] = kRegionPlaceholder;
    }
}

ResultPages::Run::Run(ResultPages& pages) : pages_(pages) {
    for (int page = 1; page <= kPageCount; ++page)
        written_[static_cast<std::size_t>(page - 1)].assign(
            static_cast<std::size_t>(SlotCount(page)), false);
}

void ResultPages::Run::number(int page, int slot, double value) {
    text(page, slot, pages_.formatNumber(value, QuantityAt(page, slot).quantity.decimals));
}

void ResultPages::Run::text(int page, int slot, const QString& text) {
    pages_.writeText(page, slot, text);
    written_.at(static_cast<std::size_t>(page - 1)).at(static_cast<std::size_t>(slot)) = true;
}

void ResultPages::Run::note(int page, bool beyondRange) {
    pages_.writeNote(page, beyondRange ? kBeyondRangeNote : QString());
}

void ResultPages::Run::inputs(double P, double T) {
    for (int page = 1; page <= kPageCount; ++page) pages_.writeInputs(page, P, T);
}

void ResultPages::Run::fillNaN() {
    for (int page = 1; page <= 2; ++page)
        for (int slot = 0; slot < SlotCount(page); ++slot) text(page, slot, kNaN);
}

void ResultPages::Run::markUnwritten() {
    for (int page = 1; page <= kPageCount; ++page) {
        for (int slot = 0; slot < SlotCount(page); ++slot) {
            if (written_[static_cast<std::size_t>(page - 1)][static_cast<std::size_t>(slot)])
                continue;
            pages_.writeText(page, slot,
                             page == 3 && slot == RegionSlot() ? kRegionPlaceholder : kNaN);
        }
    }
}

namespace {

QString Line(const QString& caption, const QString& text, const QString& unit) {
    return caption + QLatin1Char('\t') + text + QLatin1Char('\t') + unit + QLatin1Char('\n');
}

}  // namespace

QString PageText(const ResultPages& pages, int page) {
    const Quantity& pressure = QuantityOf(QuantityId::Pressure);
    const Quantity& temperature = QuantityOf(QuantityId::Temperature);
    const ResultPages::Inputs& inputs = pages.inputs(page);
    QString text = PageTitle(page) + QLatin1Char('\t') + PageSubject(page) + QLatin1Char('\n');
    text +=
        Line(QString::fromUtf8(pressure.symbol), inputs.pressure, QString::fromUtf8(pressure.unit));
    text += Line(QString::fromUtf8(temperature.symbol), inputs.temperature,
                 QString::fromUtf8(temperature.unit));
    for (const int slot : SlotReadingOrder(page)) {
        const SlotQuantity at = QuantityAt(page, slot);
        // The region slot has no caption beside it: its quantity's name stands for one.
        const QString caption = *at.place.caption != '\0' ? QString::fromUtf8(at.place.caption)
                                                          : SlotDescription(page, slot);
        text += Line(caption, pages.text(page, slot), QString::fromUtf8(at.quantity.unit));
    }
    // The page's note goes with its values into a report, not only into a tooltip.
    if (!pages.note(page).isEmpty()) text += Line(QStringLiteral("Note"), pages.note(page), {});
    return text;
}

QString AllPagesText(const ResultPages& pages) {
    QString text;
    for (int page = 1; page <= kPageCount; ++page) {
        if (page > 1) text += QLatin1Char('\n');
        text += PageText(pages, page);
    }
    return text;
}

}  // namespace vapomet
