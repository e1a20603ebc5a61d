#include "cli/writers.h"

#include <charconv>

namespace vapomet::cli {

namespace {

// A column's name without its unit: "h (kJ/kg)" is h.
QString Key(const QString& name) {
    return name.endsWith(QLatin1Char(')')) && name.contains(QStringLiteral(" ("))
               ? name.left(name.lastIndexOf(QStringLiteral(" (")))
               : name;
}

}  // namespace

std::string Shortest(double value) {
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return std::string(buffer, end);
}

Field NumberField(const std::optional<double>& value) {
    return value ? Field(Shortest(*value)) : std::nullopt;
}

Field TextField(const QString& text, Format format) {
    if (text.isEmpty()) return std::nullopt;
    return format == Format::Csv ? CsvField(text) : JsonString(text);
}

std::string CsvField(const QString& text) {
    const std::string field = text.toStdString();
    if (field.find_first_of(",\"\r\n") == std::string::npos) return field;
    std::string quoted = "\"";
    for (const char c : field) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + '"';
}

std::string JsonString(const QString& text) {
    std::string json = "\"";
    for (const char c : text.toStdString()) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
            case '"': json += "\\\""; break;
            case '\\': json += "\\\\"; break;
            case '\n': json += "\\n"; break;
            case '\r': json += "\\r"; break;
            case '\t': json += "\\t"; break;
            default:
                if (byte < 0x20 || byte == 0x7F) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
                    json += escaped;
                } else {
                    json += c;  // UTF-8 as it is
                }
        }
    }
    return json + '"';
}

void RowWriter::header(const std::vector<QString>& names, bool sayUnits) {
    keys_.clear();
    for (const QString& name : names) keys_.push_back(JsonString(Key(name)));
    if (format_ == Format::JsonLines) {
        if (!sayUnits) return;
        std::string line = "{\"units\":{";
        bool first = true;
        for (std::size_t i = 0; i < names.size(); ++i) {
            const QString key = Key(names[i]);
            if (key == names[i]) continue;
            const QString unit = names[i].mid(key.size() + 2).chopped(1);
            line += (first ? "" : ",") + keys_[i] + ":" + JsonString(unit);
            first = false;
        }
        write(line + "}}");
        return;
    }
    std::string line;
    for (std::size_t i = 0; i < names.size(); ++i) line += (i ? "," : "") + CsvField(names[i]);
    write(line);
}

RowText::RowText(Format format, const std::vector<std::string>& keys, std::string& out)
    : format_(format), keys_(keys), out_(out) {
    if (format_ == Format::JsonLines) out_ += '{';
}

void RowText::next() {
    if (column_ > 0) out_ += ',';
    if (format_ == Format::JsonLines) {
        out_ += keys_[column_];
        out_ += ':';
    }
    ++column_;
}

void RowText::field(std::string_view text) {
    next();
    out_ += text;
}

void RowText::number(double value) {
    next();
    char buffer[32];
    out_.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

void RowText::empty() {
    next();
    if (format_ == Format::JsonLines) out_ += "null";
}

void RowText::end() {
    out_ += format_ == Format::JsonLines ? "}\n" : "\n";
}

void RowWriter::row(const std::vector<Field>& fields) {
    std::string line;
    RowText text(format_, keys_, line);
    for (const Field& field : fields) field ? text.field(*field) : text.empty();
    text.end();
    rows(line);
}

void RowWriter::rows(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), out_);
}

void RowWriter::write(const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), out_);
    std::fputc('\n', out_);
}

}  // namespace vapomet::cli
