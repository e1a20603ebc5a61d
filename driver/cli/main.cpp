// vapomet-cli: one press of "Calculate" on fresh pages, printed for a person or as JSON; or
// property tables of many states, as CSV or JSON Lines.
//   vapomet-cli [--json] P T
//   vapomet-cli --batch [FILE] [--json]
//   vapomet-cli --grid P=LO:HI:N T=LO:HI:N [--log P] [--log T] [--json]
//   vapomet-cli --saturation T=LO:HI:N|P=LO:HI:N [--log T|P] [--json]
// Exit status: 0 when the press or every row showed no message, 1 when one did, 2 on a usage
// error.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <cstdio>

#include "driver/calculate.h"
#include "driver/cli/tables.h"

namespace {

constexpr const char* kUsage =
    "usage: vapomet-cli [--json] P T\n"
    "       vapomet-cli --batch [FILE] [--json]\n"
    "       vapomet-cli --grid P=LO:HI:N T=LO:HI:N [--log P] [--log T] [--json]\n"
    "       vapomet-cli --saturation T=LO:HI:N|P=LO:HI:N [--log T|P] [--json]\n"
    "  P  pressure in MPa, T  temperature in K, written as on the main window.\n"
    "  Prints the three result pages of one press of Calculate.\n"
    "  --batch     a table of page 3 for each line \"P T\" (blanks or a comma between them) of\n"
    "              FILE or the standard input; lines starting with # and empty lines are\n"
    "              skipped, numbers are read in the C convention\n"
    "  --grid      the same table over N pressures from LO to HI and N temperatures\n"
    "  --saturation  saturated liquid and vapour side by side at N temperatures or pressures\n"
    "  --log X     spaces the values of X logarithmically\n"
    "  --json      JSON Lines instead of CSV\n"
    "  Tables give every value in full precision; a row that a press would answer with a\n"
    "  message carries the message instead of values.\n";

// Collects the messages of the press instead of showing them in a window.
class MessageList : public vapomet::MessageSink {
  public:
    void showMessage(const QString& text) override { texts.append(text); }
    QStringList texts;
};

void PrintPages(const vapomet::ResultPages& pages) {
    for (int page = 1; page <= vapomet::kPageCount; ++page) {
        const QString title = vapomet::PageTitle(page) + "  " + vapomet::PageSubject(page);
        std::printf("%s%s\n", page == 1 ? "" : "\n", title.toLocal8Bit().constData());
        for (int index : vapomet::SlotReadingOrder(page)) {
            const QString caption = vapomet::SlotCaption(page, index);
            const QByteArray text = pages.text(page, index).toLocal8Bit();
            if (caption.isEmpty()) {
                std::printf("  %s\n", text.constData());
            } else {
                std::printf("  %-20s %s\n", caption.toLocal8Bit().constData(), text.constData());
            }
        }
    }
}

void PrintJson(const vapomet::ResultPages& pages, const QStringList& messages) {
    QJsonObject pageObject;
    for (int page = 1; page <= vapomet::kPageCount; ++page) {
        pageObject.insert(QString::number(page), QJsonArray::fromStringList(pages.texts(page)));
    }
    const QJsonObject root{{"messages", QJsonArray::fromStringList(messages)},
                           {"pages", pageObject}};
    std::printf("%s\n", QJsonDocument(root).toJson(QJsonDocument::Compact).constData());
}

}  // namespace

int main(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i) args.append(QString::fromLocal8Bit(argv[i]));
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    const bool json = args.removeAll(QStringLiteral("--json")) > 0;
    const auto format = json ? vapomet::cli::Format::JsonLines : vapomet::cli::Format::Csv;
    if (!args.isEmpty() && args.front() == QStringLiteral("--batch")) {
        if (args.size() > 2) {
            std::fputs(kUsage, stderr);
            return 2;
        }
        return vapomet::cli::RunBatch(args.value(1), format, stdout);
    }
    if (!args.isEmpty() && args.front() == QStringLiteral("--grid"))
        return vapomet::cli::RunGrid(args.mid(1), format, stdout);
    if (!args.isEmpty() && args.front() == QStringLiteral("--saturation"))
        return vapomet::cli::RunSaturation(args.mid(1), format, stdout);
    if (args.size() != 2) {
        std::fputs(kUsage, stderr);
        return 2;
    }

    vapomet::ResultPages pages;
    MessageList messages;
    vapomet::Calculate(args[0], args[1], pages, messages);

    for (const QString& message : messages.texts) {
        std::fprintf(stderr, "Vapomet: %s\n", message.trimmed().toLocal8Bit().constData());
    }
    if (json) {
        PrintJson(pages, messages.texts);
    } else {
        PrintPages(pages);
    }
    return messages.texts.isEmpty() ? 0 : 1;
}
