// A whole press of "Calculate" on any pair of texts, on fresh pages and on pages that show an
// earlier state.
//
// What must hold: the messages form one of the sequences the press can show; a press stopped
// by validation leaves the pages as they were; a press that ran writes every slot, so that its
// pages do not depend on what they showed before; a press without a message shows a number in
// every slot of page 3 and its P and T beside them.
#include <QStringList>

#include "driver/calculate.h"
#include "driver/plan.h"
#include "fuzz/fuzz_input.h"
#include "tests/support/message_recorder.h"

using vapomet::fuzz::Require;

namespace {

QList<QStringList> AllTexts(const vapomet::ResultPages& pages) {
    QList<QStringList> texts;
    for (int page = 1; page <= vapomet::kPageCount; ++page) texts.append(pages.texts(page));
    return texts;
}

bool StopsBeforeWriting(const QStringList& messages) {
    return messages.size() == 1 && vapomet::fuzz::IsValidationMessage(messages[0]);
}

bool IsSequenceOfARun(const QStringList& messages) {
    return messages.isEmpty() || messages == QStringList{vapomet::kInvalidRegion} ||
           messages == QStringList{vapomet::kComputationError} ||
           messages == QStringList{vapomet::kFailedToConverge, vapomet::kComputationError};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const vapomet::fuzz::TypedInput input = vapomet::fuzz::ReadTypedInput(data, size);

    vapomet::ResultPages fresh(input.locale);
    const QList<QStringList> before = AllTexts(fresh);
    vapomet::testing::MessageRecorder freshMessages;
    vapomet::Calculate(input.pressure, input.temperature, fresh, freshMessages);

    // The same press on pages that show a full calculation of an earlier state.
    vapomet::ResultPages earlier(input.locale);
    vapomet::testing::MessageRecorder earlierMessages;
    vapomet::Calculate(QStringLiteral("1"), QStringLiteral("300"), earlier, earlierMessages);
    Require(earlierMessages.messages.isEmpty());
    const QList<QStringList> shownBefore = AllTexts(earlier);
    vapomet::testing::MessageRecorder shown;
    vapomet::Calculate(input.pressure, input.temperature, earlier, shown);
    Require(shown.messages == freshMessages.messages);

    if (StopsBeforeWriting(shown.messages)) {
        Require(AllTexts(fresh) == before);
        Require(AllTexts(earlier) == shownBefore);
        return 0;
    }
    Require(IsSequenceOfARun(shown.messages));
    // A fault while planning ends the press before anything is written; any later end leaves
    // every slot written by this press.
    const bool untouched = AllTexts(fresh) == before && AllTexts(earlier) == shownBefore;
    Require(AllTexts(earlier) == AllTexts(fresh) ||
            (untouched && shown.messages == QStringList{vapomet::kComputationError}));
    if (shown.messages.isEmpty()) {
        for (int index = 0; index < vapomet::SlotCount(3); ++index) {
            if (index == vapomet::RegionSlot()) continue;
            bool number = false;
            try {
                fresh.readNumber(3, index);
                number = true;
            } catch (const vapomet::SlotReadError&) {
            }
            Require(number);
        }
        const std::optional<double> P = vapomet::ReadInputNumber(input.pressure, input.locale);
        const std::optional<double> T = vapomet::ReadInputNumber(input.temperature, input.locale);
        Require(P && T);
        Require(fresh.text(3, 0) == fresh.formatNumber(*P, 4));
        Require(fresh.text(3, 1) == fresh.formatNumber(*T, 4));
    }
    return 0;
}
