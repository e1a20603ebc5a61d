// vapomet-cli: one press of "Calculate" on fresh pages, printed for a person or as JSON.
//   vapomet-cli [--json] P T
// Exit status: 0 when the press showed no message, 1 when it did, 2 on a usage error.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <cstdio>

#include "driver/calculate.h"

namespace {

constexpr const char* kUsage =
    "usage: vapomet-cli [--json] P T\n"
    "  P  pressure in MPa, T  temperature in K, written as on the main window.\n"
    "  Prints the three result pages of one press of Calculate.\n";

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
    const bool json = !args.isEmpty() && args.front() == "--json";
    if (json) args.removeFirst();
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
