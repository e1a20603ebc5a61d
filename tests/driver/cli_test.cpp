// The command-line companion run as a separate process: its human and JSON output against a
// press of Calculate in the same process, its exit status, its messages on the standard error,
// its usage error and its regional settings.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <string>
#include <utility>
#include <vector>

#include "driver/calculate.h"
#include "driver/plan.h"
#include "tests/support/message_recorder.h"
#include "tests/support/run_cli.h"

namespace vapomet {
namespace {

using testing::MessageRecorder;

using testing::CliOutcome;
using testing::RunCli;
using Environment = QStringList;

const Environment kEnglishSettings{"LC_ALL=en_US.UTF-8"};
const Environment kGermanSettings{"LC_ALL=de_DE.UTF-8"};

struct DirectPress {
    std::array<QStringList, 3> pages;
    QStringList messages;
};

DirectPress PressDirectly(const char* P, const char* T, const QLocale& locale) {
    ResultPages pages(locale);
    MessageRecorder recorder;
    Calculate(QString::fromUtf8(P), QString::fromUtf8(T), pages, recorder);
    return {{pages.texts(1), pages.texts(2), pages.texts(3)}, recorder.messages};
}

QStringList Lines(const std::string& text) {
    return QString::fromStdString(text).split('\n');
}

// ---- Human output ---------------------------------------------------------------------------

TEST(CliTest, PrintsThePagesWithTheirCaptions) {
    const CliOutcome run = RunCli({"1", "300"}, kEnglishSettings);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const DirectPress press = PressDirectly("1", "300", testing::English());

    // The pages follow each other, separated by an empty line, each headed by its title.
    const QStringList blocks = QString::fromStdString(run.out).trimmed().split("\n\n");
    ASSERT_EQ(blocks.size(), 3) << run.out;
    for (int page = 1; page <= 3; ++page) {
        const QStringList lines = blocks[page - 1].split('\n');
        const std::span<const int> order = SlotReadingOrder(page);
        ASSERT_EQ(lines.size(), static_cast<int>(order.size()) + 1)
            << blocks[page - 1].toStdString();
        EXPECT_TRUE(lines[0].contains(QStringLiteral("IAPWS - %1").arg(page)))
            << lines[0].toStdString();
        for (std::size_t row = 0; row < order.size(); ++row) {
            const int index = order[row];
            const QString line = lines[static_cast<int>(row) + 1].trimmed();
            const QString text = press.pages[page - 1][index];
            const QString caption = SlotCaption(page, index);
            if (caption.isEmpty()) {
                EXPECT_EQ(line, text.trimmed()) << "page " << page << ", slot " << index;
            } else {
                EXPECT_TRUE(line.startsWith(caption + ' ')) << line.toStdString();
                EXPECT_EQ(line.mid(caption.size()).trimmed(), text)
                    << "page " << page << ", slot " << index;
            }
        }
    }
    EXPECT_TRUE(run.out.find("Region - 1  Water below Triple Point") != std::string::npos);
    EXPECT_TRUE(run.out.find("P sat (MPa)") != std::string::npos);
    EXPECT_TRUE(run.out.find("Cv'(kJ/kg) =") != std::string::npos);
}

TEST(CliTest, InvalidRegionExitsWithOneAndTheMessageOnStandardError) {
    const CliOutcome run = RunCli({"10.1", "1100"}, kEnglishSettings);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Invalid Region - Recheck Input Data ...."), std::string::npos)
        << run.err;
    EXPECT_EQ(run.out.find("Invalid Region"), std::string::npos) << "message on stdout";
    EXPECT_EQ(Lines(run.err).filter("Invalid Region").size(), 1);
}

// ---- JSON output ----------------------------------------------------------------------------

struct JsonCase {
    const char* P;
    const char* T;
    int status;
};

class CliJsonTest : public ::testing::TestWithParam<JsonCase> {};

TEST_P(CliJsonTest, GivesThePagesAndMessagesOfADirectPress) {
    const JsonCase& c = GetParam();
    const CliOutcome run = RunCli({"--json", c.P, c.T}, kEnglishSettings);
    EXPECT_EQ(run.status, c.status) << run.err;
    QJsonParseError error;
    const QJsonDocument document =
        QJsonDocument::fromJson(QByteArray::fromStdString(run.out), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString() << "\n"
                                                     << run.out;
    ASSERT_TRUE(document.isObject());
    const QJsonObject root = document.object();
    const DirectPress press = PressDirectly(c.P, c.T, testing::English());

    ASSERT_TRUE(root.value("messages").isArray());
    QStringList messages;
    for (const QJsonValue& message : root.value("messages").toArray())
        messages << message.toString();
    EXPECT_EQ(messages, press.messages);
    EXPECT_EQ(messages.isEmpty(), c.status == 0);

    const QJsonObject pages = root.value("pages").toObject();
    ASSERT_EQ(pages.size(), 3);
    for (int page = 1; page <= 3; ++page) {
        const QJsonArray texts = pages.value(QString::number(page)).toArray();
        ASSERT_EQ(texts.size(), page == 3 ? 14 : 24) << "page " << page;
        for (int index = 0; index < texts.size(); ++index) {
            ASSERT_TRUE(texts[index].isString());
            EXPECT_EQ(texts[index].toString(), press.pages[page - 1][index])
                << c.P << ", " << c.T << ": page " << page << ", slot " << index;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Inputs, CliJsonTest,
                         ::testing::Values(JsonCase{"1", "300", 0}, JsonCase{"30", "650", 0},
                                           JsonCase{"8", "2000", 0}, JsonCase{"10.1", "1100", 1},
                                           JsonCase{"abc", "300", 1}, JsonCase{"", "300", 1},
                                           JsonCase{"0", "500", 1}));

// ---- Usage ----------------------------------------------------------------------------------

class CliUsageTest : public ::testing::TestWithParam<QStringList> {};

TEST_P(CliUsageTest, PrintsUsageAndExitsWithTwo) {
    const CliOutcome run = RunCli(GetParam(), kEnglishSettings);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("usage: vapomet-cli"), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
}

INSTANTIATE_TEST_SUITE_P(Arguments, CliUsageTest,
                         ::testing::Values(QStringList{}, QStringList{"1"}, QStringList{"--json"},
                                           QStringList{"--json", "1"},
                                           QStringList{"1", "300", "5"}));

// ---- Regional settings ----------------------------------------------------------------------

struct SettingsCase {
    const char* name;
    Environment environment;
    bool german;
};

class CliSettingsTest : public ::testing::TestWithParam<SettingsCase> {};

TEST_P(CliSettingsTest, NumbersFollowTheUsersSettings) {
    const SettingsCase& c = GetParam();
    const char* pressure = c.german ? "0,5" : "0.5";
    const CliOutcome run = RunCli({"--json", pressure, "300"}, c.environment);
    ASSERT_EQ(run.status, 0) << c.name << ": " << run.err;
    const QJsonObject pages = QJsonDocument::fromJson(QByteArray::fromStdString(run.out))
                                  .object()
                                  .value("pages")
                                  .toObject();
    const DirectPress press =
        PressDirectly(pressure, "300", c.german ? testing::German() : testing::English());
    for (int page = 1; page <= 3; ++page) {
        const QJsonArray texts = pages.value(QString::number(page)).toArray();
        ASSERT_EQ(texts.size(), press.pages[page - 1].size()) << c.name;
        for (int index = 0; index < texts.size(); ++index) {
            EXPECT_EQ(texts[index].toString(), press.pages[page - 1][index])
                << c.name << ": page " << page << ", slot " << index;
        }
    }
    // Page 3 slot 0 shows the pressure with the convention's decimal separator.
    EXPECT_EQ(pages.value("3").toArray()[0].toString(), c.german ? "0,5000" : "0.5000") << c.name;
}

INSTANTIATE_TEST_SUITE_P(Environments, CliSettingsTest,
                         ::testing::Values(SettingsCase{"LC_ALL=de_DE", kGermanSettings, true},
                                           SettingsCase{"LANG=de_DE", {"LANG=de_DE.UTF-8"}, true},
                                           SettingsCase{"LC_ALL=en_US over LANG=de_DE",
                                                        {"LC_ALL=en_US.UTF-8", "LANG=de_DE.UTF-8"},
                                                        false},
                                           SettingsCase{"LC_ALL=en_US", kEnglishSettings, false}),
                         [](const ::testing::TestParamInfo<SettingsCase>& p) {
                             return std::to_string(p.index) +
                                    (p.param.german ? "_comma" : "_point");
                         });

}  // namespace
}  // namespace vapomet
