// A press of "Calculate" on any pair of texts a user could type, on fresh pages and on pages
// that show an earlier state. The first byte picks the regional settings; the rest, split at
// its first line break, is the pressure and the temperature text.
//
// What must hold: a text that is read gives a finite number, the same with blanks around it;
// validation refuses with one of its messages, naming the box at fault, and leaves the pages as
// they were; a press that ran shows one of the message sequences a run can show and writes every
// slot, so that its pages do not depend on what they showed before; every slot then shows "NaN",
// a region caption or a number that reads back, never "nan" or "inf"; a press without a message
// shows a number in every slot of page 3, its P and T among them.
#include <QStringList>
#include <cmath>
#include <cstdlib>
#include <string_view>

#include "driver/calculate.h"
#include "driver/plan.h"
#include "tests/support/support.h"

namespace {

using namespace vapomet;
using testing::AllTexts;

void Require(bool holds) {
    if (!holds) std::abort();  // libFuzzer reports the input that led here
}

bool IsNumber(const ResultPages& pages, int page, int slot) {
    try {
        return std::isfinite(pages.readNumber(page, slot));
    } catch (const SlotReadError&) {
        return false;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const QLocale kLocales[] = {testing::English(), testing::German(),
                                       QLocale(QLocale::French, QLocale::France), QLocale::c()};
    const QLocale& locale = kLocales[size > 0 ? data[0] % 4 : 0];
    const std::string_view rest(reinterpret_cast<const char*>(data) + (size > 0),
                                size - (size > 0));
    const std::size_t cut = std::min(rest.find('\n'), rest.size());
    const QString pressure = QString::fromUtf8(rest.substr(0, cut));
    const QString temperature = QString::fromUtf8(rest.substr(std::min(cut + 1, rest.size())));
    const std::optional<double> P = ReadInputNumber(pressure, locale);
    const std::optional<double> T = ReadInputNumber(temperature, locale);
    for (const auto& [text, value] : {std::pair{pressure, P}, {temperature, T}})
        Require(!value ||
                (std::isfinite(*value) && ReadInputNumber(" " + text + "\t", locale) == value));

    ResultPages fresh(locale);
    const QList<QStringList> freshBefore = AllTexts(fresh);
    testing::MessageRecorder freshMessages;
    const std::optional<Input> refused = Calculate(pressure, temperature, fresh, freshMessages);
    ResultPages earlier(locale);
    testing::MessageRecorder messages;
    Calculate("1", "300", earlier, messages);
    const QList<QStringList> earlierBefore = AllTexts(earlier);
    messages.messages.clear();
    Calculate(pressure, temperature, earlier, messages);
    Require(messages.messages == freshMessages.messages);

    if (refused) {
        const QString& message = messages.messages.value(0);
        Require(messages.messages.size() == 1);
        Require(message == (!P || !T                      ? kInvalidNumber
                            : *refused == Input::Pressure ? kInvalidPressure
                                                          : kInvalidTemperature));
        Require(message != kInvalidNumber || (*refused == Input::Pressure ? !P : P && !T));
        Require(AllTexts(fresh) == freshBefore && AllTexts(earlier) == earlierBefore);
        return 0;
    }
    Require(P && T && *P > 0.0 && *P <= 100.0 && *T > 273.15 && *T <= 2273.15);
    Require(messages.messages.isEmpty() || messages.messages == QStringList{kInvalidRegion} ||
            messages.messages == QStringList{kComputationError} ||
            messages.messages == QStringList{kFailedToConverge, kComputationError});
    // A fault while planning ends the press before anything is written; any other end leaves
    // every slot written by this press.
    Require(
        AllTexts(earlier) == AllTexts(fresh) ||
        (AllTexts(fresh) == freshBefore && messages.messages == QStringList{kComputationError}));
    for (int page = 1; page <= kPageCount; ++page) {
        for (int slot = 0; slot < SlotCount(page); ++slot) {
            const QString& text = fresh.text(page, slot);
            const bool region = page == 3 && slot == RegionSlot();
            Require(region ? text.startsWith("Region")
                           : text == kNaN || IsNumber(fresh, page, slot));
            if (messages.messages.isEmpty() && page == 3 && !region)
                Require(IsNumber(fresh, page, slot));
        }
    }
    if (messages.messages.isEmpty()) {
        Require(fresh.text(3, 0) == fresh.formatNumber(*P, 4));
        Require(fresh.text(3, 1) == fresh.formatNumber(*T, 4));
    }
    return 0;
}
