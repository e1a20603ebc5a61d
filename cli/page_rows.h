// Page 3's rows: what a press would put on page 3 for each line "P T" of --batch and each point
// of --grid over P and T. The batch reads its input in blocks of bytes, takes its numbers by
// from_chars where they are plain ASCII (by the press's own reading otherwise, so that every row
// is the press's), and formats every row straight into the text of its block: nothing is
// allocated per row once the buffers have grown, and rows keep their input order.
#pragma once

#include <QString>
#include <cstdio>
#include <functional>
#include <istream>
#include <optional>
#include <vector>

#include "cli/lines.h"
#include "cli/tables.h"

namespace vapomet::cli {

std::vector<QString> StateHeader(const Choices& choices);

// The rows of a batch input, with the header first; 1 when any row has a message. `total` is the
// input's size in bytes where known, for the progress line.
int RunPageRows(std::istream& in, std::optional<double> total, const Choices& choices,
                std::FILE* out);

// The rows of the pairs of texts `next` gives, with the header first; 1 when any row has a
// message.
int StreamStateRows(const std::function<bool(TextPair&, double&)>& next, const Choices& choices,
                    std::FILE* out, std::optional<double> total);

}  // namespace vapomet::cli
