// The batch of vapomet-cli on any input a user could hand it. The first byte picks CSV or JSON
// Lines and the transport release; the rest is the input, line by line.
//
// What must hold: the output parses back, a header and a row for every line that holds a state
// (CSV: as many fields as columns in each row; JSON Lines: an object with every column's key on
// each line); and a line's row never depends on its neighbours: each of the first lines alone
// gives the same row.
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/lines.h"
#include "cli/page_rows.h"

namespace {

using namespace vapomet;

void Require(bool holds) {
    if (!holds) std::abort();  // libFuzzer reports the input that led here
}

// The rows of a batch input, each a line of the output, the header first in CSV.
std::vector<std::string> Rows(std::string_view input, const cli::Choices& choices) {
    char* text = nullptr;
    std::size_t size = 0;
    std::FILE* out = open_memstream(&text, &size);
    std::istringstream in{std::string(input)};
    cli::RunPageRows(in, std::nullopt, choices, out);
    std::fclose(out);
    std::vector<std::string> rows;
    std::string_view all(text, size);
    while (!all.empty()) {
        const std::size_t end = all.find('\n');
        Require(end != std::string_view::npos);  // every row ends its line
        rows.emplace_back(all.substr(0, end));
        all.remove_prefix(end + 1);
    }
    std::free(text);
    return rows;
}

// The fields of a CSV line, quotes respected; -1 where a quote is left open.
int CsvFields(std::string_view line) {
    int fields = 1;
    bool quoted = false;
    for (const char c : line) {
        if (c == '"') quoted = !quoted;
        if (c == ',' && !quoted) ++fields;
    }
    return quoted ? -1 : fields;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    cli::Choices choices;
    if (size > 0) {
        choices.format = data[0] % 2 == 0 ? cli::Format::Csv : cli::Format::JsonLines;
        choices.transport =
            data[0] % 4 < 2 ? TransportRelease::Iaps1985 : TransportRelease::Iapws2008;
    }
    const std::string_view input(reinterpret_cast<const char*>(data) + (size > 0),
                                 size - (size > 0));
    std::vector<std::string_view> lines;  // those that hold a state
    for (std::string_view rest = input; !rest.empty();) {
        const std::size_t end = std::min(rest.find('\n'), rest.size());
        if (!cli::Skipped(rest.substr(0, end))) lines.push_back(rest.substr(0, end));
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    const std::vector<std::string> rows = Rows(input, choices);
    const bool csv = choices.format == cli::Format::Csv;
    const std::size_t columns = cli::StateHeader(choices).size();
    Require(rows.size() == lines.size() + (csv ? 1 : 0));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (csv) {
            Require(CsvFields(rows[i]) == static_cast<int>(columns));
            continue;
        }
        QJsonParseError error;
        const QJsonDocument row =
            QJsonDocument::fromJson(QByteArray::fromStdString(rows[i]), &error);
        Require(error.error == QJsonParseError::NoError && row.isObject());
        Require(row.object().size() == static_cast<qsizetype>(columns));
    }
    const std::size_t first = csv ? 1 : 0;
    for (std::size_t i = 0; i < std::min<std::size_t>(lines.size(), 4); ++i) {
        const std::vector<std::string> alone = Rows(std::string(lines[i]) + '\n', choices);
        Require(alone.size() == first + 1 && alone.back() == rows[first + i]);
    }
    return 0;
}
