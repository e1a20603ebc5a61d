#include "driver/pages.h"

#include <cmath>

namespace vapomet {

namespace {

// What a freshly loaded page 3 shows in its P and T slots: the default inputs 5. and 500.
// written with three decimals.
constexpr double kDefaultPressure = 5.0;
constexpr double kDefaultTemperature = 500.0;
constexpr int kDefaultInputDecimals = 3;

void CheckAddress(int page, int index) {
    if (index < 0 || index >= SlotCount(page)) {
        throw std::out_of_range("no slot " + std::to_string(index) + " on page " +
                                std::to_string(page));
    }
}

}  // namespace

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
    QString text = locale_.toString(value, 'f', decimals);
    // -0.0004 rounds to zero at four decimals: show it as a plain zero, without a sign.
    if (text.startsWith(locale_.negativeSign())) {
        const QString zero = locale_.toString(0.0, 'f', decimals);
        if (text.mid(locale_.negativeSign().size()) == zero) text = zero;
    }
    return text;
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

void ResultPages::fillNaN() {
    for (int page = 1; page <= 2; ++page) {
        for (int index = 0; index < SlotCount(page); ++index) writeText(page, index, kNaN);
    }
}

void ResultPages::refresh(int page) {
    CheckAddress(page, 0);
    if (viewer_ != nullptr) viewer_->pageRefreshed(page);
}

void ResultPages::reset(int page) {
    CheckAddress(page, 0);
    QStringList& texts = pages_[page - 1];
    texts = QStringList(SlotCount(page), kNaN);
    if (page == 3) {
        texts[SlotOf(QuantityId::Pressure, 3, Phase::None)] =
            formatNumber(kDefaultPressure, kDefaultInputDecimals);
        texts[SlotOf(QuantityId::Temperature, 3, Phase::None)] =
            formatNumber(kDefaultTemperature, kDefaultInputDecimals);
        texts[RegionSlot()] = kRegionPlaceholder;
    }
}

}  // namespace vapomet
