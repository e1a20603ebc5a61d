// What the tables read: the lines of a batch input, each as two texts, and the ranges of
// --grid and --saturation.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vapomet::cli {

// The two texts of a line of input, or of a point of a grid. A line that is not two fields is
// unreadable; `first` then holds the whole line, for its row to show.
struct TextPair {
    QString first, second;
    bool unreadable = false;
};

// A line of the batch input as two texts: separated by blanks, or by a comma.
TextPair SplitLine(const std::string& line);
// Whether a line holds no state: empty, blank, or a remark starting with #.
bool Skipped(std::string_view line);

// A range "X=LO:HI:N" of N values from LO to HI, evenly or logarithmically spaced.
struct Range {
    QString name;  // "P", "T", "h" ...
    double low = 0, high = 0;
    int count = 0;
    bool logarithmic = false;
    double at(int i) const;
};
// The ranges of the arguments, each named among `names`, with their --log marks; empty where
// an argument is no range of those or a logarithmic range does not lie above zero.
std::optional<std::vector<Range>> ParseRanges(const QStringList& arguments,
                                              const QStringList& names);

}  // namespace vapomet::cli
