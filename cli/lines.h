// What the tables read: the lines of a batch input, each as two texts, and the ranges of
// --grid and --saturation.
#pragma once

#include <QString>
#include <QStringList>
#include <istream>
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

// The two fields of a line of the batch input: separated by a comma where it has one, by
// blanks otherwise; false where there are not two.
bool TwoFields(std::string_view line, std::string_view& first, std::string_view& second);
// The same as two texts; a line that is not two fields is unreadable.
TextPair SplitLine(std::string_view line);

// The input a piece of bytes at a time, line by line, each without its line break; the last
// line may end without one.
class LineReader {
  public:
    explicit LineReader(std::istream& in) : in_(in) {}
    // The next line; false at the end of the input. `amount` grows by the bytes read.
    bool next(std::string_view& line, double& amount);

  private:
    static constexpr std::size_t kPiece = 1 << 20;
    std::istream& in_;
    std::string pending_;
    std::size_t at_ = 0;
    bool ended_ = false;
};
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
