#include "cli/page_rows.h"

#include <cstdint>
#include <string>
#include <string_view>

#include "cli/columns.h"
#include "cli/pipeline.h"
#include "cli/progress.h"
#include "driver/numbers.h"
#include "driver/pages.h"
#include "driver/state_table.h"

namespace vapomet::cli {

namespace {

// What every row of a run writes alike, quoted for its format once.
struct RunTexts {
    std::string release, note;
};

// Page 3 of a press of two texts typed in the units chosen; a line that is not two fields
// carries itself in its first column.
StateRow ComputeRow(const TextPair& texts, const Choices& choices) {
    if (texts.unreadable) {
        StateRow row;
        row.pressureText = texts.first;
        row.message = kInvalidNumber;
        return row;
    }
    StateRow row =
        ComputeStateRow(InLibraryUnit(choices, Variable::P, texts.first),
                        InLibraryUnit(choices, Variable::T, texts.second), choices.transport);
    row.pressureText = texts.first;
    row.temperatureText = texts.second;
    return row;
}

// Appends a row to its text; whether it carries a message.
bool AppendStateRow(RowText& text, const StateRow& row, const Choices& choices,
                    const RunTexts& run) {
    const Format format = choices.format;
    const auto quoted = [&](const QString& words) {
        const Field field = TextField(words, format);
        field ? text.field(*field) : text.empty();
    };
    // A text that is no number shows as it was given.
    const auto given = [&](QuantityId quantity, const std::optional<double>& value,
                           const QString& typed) {
        value ? AppendShown(text, choices.units, quantity, value) : quoted(typed);
    };
    given(QuantityId::Pressure, row.P, row.pressureText);
    given(QuantityId::Temperature, row.T, row.temperatureText);
    if (row.values && row.region) {
        const char region = static_cast<char>('0' + static_cast<int>(*row.region));
        text.field({&region, 1});
    } else {
        text.empty();
    }
    for (const Quantity* q : TableQuantities()) {
        if (row.values)
            AppendShown(text, choices.units, q->id, (*row.values)[static_cast<std::size_t>(q->id)]);
        else
            text.empty();
    }
    row.values ? text.field(run.release) : text.empty();
    if (row.note.isEmpty())
        text.empty();
    else if (row.note == kBeyondRangeNote)
        text.field(run.note);
    else
        quoted(row.note);
    quoted(row.message);
    text.end();
    return !row.message.isEmpty();
}

// Lines of the input one after another, without their line breaks; ends[i] is where line i ends.
struct LineBlock {
    std::string bytes;
    std::vector<std::uint32_t> ends;
};
struct BlockRows {
    std::string text;
    bool anyMessage = false;
};

// The row of one line: plain numbers read here, anything else as the press reads its texts.
StateRow RowOfLine(std::string_view line, const Choices& choices) {
    std::string_view first, second;
    if (TwoFields(line, first, second)) {
        const std::optional<double> P = ReadPlainNumber(first);
        const std::optional<double> T = ReadPlainNumber(second);
        if (P && T)
            return ComputeStateRow(choices.units.library(QuantityId::Pressure, *P),
                                   choices.units.library(QuantityId::Temperature, *T),
                                   choices.transport);
    }
    return ComputeRow(SplitLine(line), choices);
}

// An estimate of a row's length, so that a block's text grows once.
constexpr std::size_t kRowBytes = 640;

}  // namespace

std::vector<QString> StateHeader(const Choices& choices) {
    std::vector<QString> names{WithUnit(QuantityOf(QuantityId::Pressure), choices.units),
                               WithUnit(QuantityOf(QuantityId::Temperature), choices.units),
                               QStringLiteral("region")};
    for (const Quantity* q : TableQuantities()) names.push_back(WithUnit(*q, choices.units));
    names.push_back(QStringLiteral("transport"));
    names.push_back(QStringLiteral("note"));
    names.push_back(QStringLiteral("message"));
    return names;
}

int RunPageRows(std::istream& in, std::optional<double> total, const Choices& choices,
                std::FILE* out) {
    RowWriter writer(choices.format, out);
    writer.header(StateHeader(choices), choices.unitsChosen);
    const RunTexts run{*TextField(ReleaseName(choices.transport), choices.format),
                       *TextField(kBeyondRangeNote, choices.format)};
    Progress progress(total);
    LineReader reader(in);
    bool anyMessage = false;
    const std::function<bool(LineBlock&, double&)> next = [&](LineBlock& block, double& amount) {
        block.bytes.clear();
        block.ends.clear();
        std::string_view line;
        while (block.ends.size() < kBlock && reader.next(line, amount)) {
            if (Skipped(line)) continue;
            block.bytes += line;
            block.ends.push_back(static_cast<std::uint32_t>(block.bytes.size()));
        }
        return !block.ends.empty();
    };
    const std::function<BlockRows(const LineBlock&)> compute = [&](const LineBlock& block) {
        BlockRows rows;
        rows.text.reserve(block.ends.size() * kRowBytes);
        std::uint32_t from = 0;
        for (const std::uint32_t end : block.ends) {
            const std::string_view line = std::string_view(block.bytes).substr(from, end - from);
            from = end;
            RowText text(choices.format, writer.keys(), rows.text);
            rows.anyMessage =
                AppendStateRow(text, RowOfLine(line, choices), choices, run) || rows.anyMessage;
        }
        return rows;
    };
    Stream<LineBlock, BlockRows>(
        next, compute,
        [&](const BlockRows& rows) {
            anyMessage = anyMessage || rows.anyMessage;
            writer.rows(rows.text);
        },
        progress, StreamShape{kChunk / kBlock, 1},
        [](const LineBlock& block) { return block.ends.size(); });
    return anyMessage ? 1 : 0;
}

int StreamStateRows(const std::function<bool(TextPair&, double&)>& next, const Choices& choices,
                    std::FILE* out, std::optional<double> total) {
    RowWriter writer(choices.format, out);
    writer.header(StateHeader(choices), choices.unitsChosen);
    const RunTexts run{*TextField(ReleaseName(choices.transport), choices.format),
                       *TextField(kBeyondRangeNote, choices.format)};
    Progress progress(total);
    bool anyMessage = false;
    Stream<TextPair, StateRow>(
        next, [&choices](const TextPair& texts) { return ComputeRow(texts, choices); },
        [&](const StateRow& row) {
            std::string line;
            RowText text(choices.format, writer.keys(), line);
            anyMessage = AppendStateRow(text, row, choices, run) || anyMessage;
            writer.rows(line);
        },
        progress);
    return anyMessage ? 1 : 0;
}

}  // namespace vapomet::cli
