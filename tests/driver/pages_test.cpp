// The page model: how a number becomes a slot's text under point- and comma-decimal settings,
// the read-back of a shown number, the texts of freshly loaded pages, reset, and what a viewer
// is told.
#include "driver/pages.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <stdexcept>
#include <tuple>
#include <utility>
#include <vector>

#include "shown_pages.h"

namespace vapomet {
namespace {

using testing::Convention;
using testing::kEnglish;
using testing::kGerman;
using testing::Shown;

// ---- Formatting -----------------------------------------------------------------------------

struct FormatCase {
    double value;
    int decimals;
    const char* english;
    const char* german;
};

class FormatTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatTest, WritesRoundedTextWithRegionalSeparators) {
    const FormatCase& c = GetParam();
    for (const Convention* convention : {&kEnglish, &kGerman}) {
        ResultPages pages(convention->locale());
        pages.writeNumber(3, 4, c.value, c.decimals);
        const char* expected = convention->germanLocale ? c.german : c.english;
        EXPECT_EQ(pages.text(3, 4), QString::fromUtf8(expected))
            << convention->name << ": " << c.value << " with " << c.decimals << " decimals";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Values, FormatTest,
    ::testing::Values(
        // An enthalpy above a thousand: grouped thousands, four decimals.
        FormatCase{2549.911452, 4, "2,549.9115", "2.549,9115"},
        FormatCase{6583.80291, 4, "6,583.8029", "6.583,8029"},
        // A liquid's volume: leading zero, 0.001 and three more rounded digits.
        FormatCase{0.00100215168, 6, "0.001002", "0,001002"},
        FormatCase{0.001, 6, "0.001000", "0,001000"},
        FormatCase{997.85294, 4, "997.8529", "997,8529"},
        FormatCase{4.17301218, 3, "4.173", "4,173"},
        FormatCase{1507.73921, 3, "1,507.739", "1.507,739"}, FormatCase{0.5, 3, "0.500", "0,500"},
        FormatCase{5.0, 4, "5.0000", "5,0000"},
        // Trailing zeros kept, several groups.
        FormatCase{1234567.891, 4, "1,234,567.8910", "1.234.567,8910"},
        // Rounding that carries into a new group.
        FormatCase{999.99996, 4, "1,000.0000", "1.000,0000"},
        // Values that round to zero show no sign; a value that does not round to zero keeps it.
        FormatCase{-0.00004, 4, "0.0000", "0,0000"}, FormatCase{-0.0, 3, "0.000", "0,000"},
        FormatCase{-0.0004999, 3, "0.000", "0,000"}, FormatCase{0.0, 4, "0.0000", "0,0000"},
        FormatCase{-1e-300, 6, "0.000000", "0,000000"}, FormatCase{-0.0006, 3, "-0.001", "-0,001"},
        FormatCase{-1234.5, 3, "-1,234.500", "-1.234,500"},
        // Any finite double is accepted, however large.
        FormatCase{1e20, 4, "100,000,000,000,000,000,000.0000",
                   "100.000.000.000.000.000.000,0000"}));

// Over many magnitudes and both signs, the page shows what an independent formatter shows.
TEST(FormatTest, AgreesWithAnIndependentFormatterOverManyMagnitudes) {
    for (const Convention* convention : {&kEnglish, &kGerman}) {
        ResultPages pages(convention->locale());
        for (int step = -400; step <= 400; ++step) {
            const double magnitude = 1.2345678901 * std::pow(10.0, step / 50.0);
            for (double value : {magnitude, -magnitude}) {
                for (int decimals : {3, 4, 6}) {
                    pages.writeNumber(1, 0, value, decimals);
                    ASSERT_EQ(pages.text(1, 0), Shown(value, decimals, *convention))
                        << convention->name << ": " << value << " with " << decimals;
                }
            }
        }
    }
}

// ---- Read-back ------------------------------------------------------------------------------

struct ReadCase {
    const char* text;
    bool german;
    std::optional<double> value;  // empty: the read-back fails
};

class ReadBackTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadBackTest, ReadsShownNumbersAndRejectsTheRest) {
    const ReadCase& c = GetParam();
    ResultPages pages(c.german ? testing::German() : testing::English());
    pages.writeText(2, 9, QString::fromUtf8(c.text));
    if (c.value) {
        EXPECT_DOUBLE_EQ(pages.readNumber(2, 9), *c.value) << '"' << c.text << '"';
    } else {
        EXPECT_THROW(pages.readNumber(2, 9), SlotReadError) << '"' << c.text << '"';
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadBackTest,
    ::testing::Values(ReadCase{"4.173", false, 4.173}, ReadCase{"1,507.739", false, 1507.739},
                      ReadCase{"1,234,567.8910", false, 1234567.891},
                      ReadCase{"-0.001", false, -0.001}, ReadCase{"0.000", false, 0.0},
                      ReadCase{"4,173", true, 4.173}, ReadCase{"1.507,739", true, 1507.739},
                      ReadCase{"1.234.567,8910", true, 1234567.891},
                      ReadCase{"-0,001", true, -0.001}, ReadCase{"NaN", false, std::nullopt},
                      ReadCase{"NaN", true, std::nullopt},
                      ReadCase{"Region :", false, std::nullopt}, ReadCase{"", false, std::nullopt},
                      ReadCase{"", true, std::nullopt}, ReadCase{"#garbage", false, std::nullopt},
                      ReadCase{"4.173abc", false, std::nullopt},
                      ReadCase{"4,1,73", true, std::nullopt}));

// What the formatter writes, the read-back returns, to within half a unit of the last decimal.
TEST(ReadBackTest, ReturnsWhatWasWrittenToItsDecimals) {
    const std::vector<std::pair<double, int>> values{
        {4.17301218, 3}, {1507.73921, 3}, {2549.911452, 4}, {0.00100215168, 6},
        {-1234.5678, 3}, {44.6579342, 3}, {1234567.891, 4}, {0.00004, 4}};
    for (const Convention* convention : {&kEnglish, &kGerman}) {
        ResultPages pages(convention->locale());
        for (const auto& [value, decimals] : values) {
            pages.writeNumber(1, 17, value, decimals);
            EXPECT_NEAR(pages.readNumber(1, 17), value, 0.5000001 * std::pow(10.0, -decimals))
                << convention->name << ": " << pages.text(1, 17).toStdString();
        }
    }
}

// ---- Initial texts and reset ----------------------------------------------------------------

QStringList InitialTexts(int page, const Convention& convention) {
    QStringList texts(testing::kSlotCounts[page - 1], QStringLiteral("NaN"));
    if (page == 3) {
        texts[0] = convention.germanLocale ? "5,000" : "5.000";
        texts[1] = convention.germanLocale ? "500,000" : "500.000";
        texts[13] = "Region :";
    }
    return texts;
}

TEST(InitialTextsTest, FreshPagesShowNaNAndPage3ItsLoadTexts) {
    for (const Convention* convention : {&kEnglish, &kGerman}) {
        const ResultPages pages(convention->locale());
        for (int page = 1; page <= kPageCount; ++page) {
            EXPECT_EQ(pages.texts(page), InitialTexts(page, *convention))
                << convention->name << ", page " << page;
            EXPECT_EQ(SlotCount(page), testing::kSlotCounts[page - 1]);
        }
    }
}

TEST(ResetTest, ResetsOnlyThatPageToItsInitialTexts) {
    for (const Convention* convention : {&kEnglish, &kGerman}) {
        for (int resetPage = 1; resetPage <= kPageCount; ++resetPage) {
            ResultPages pages(convention->locale());
            for (int page = 1; page <= kPageCount; ++page) {
                for (int index = 0; index < SlotCount(page); ++index) {
                    pages.writeNumber(page, index, 100.0 * page + index, 3);
                }
            }
            const std::array<QStringList, 3> before{pages.texts(1), pages.texts(2), pages.texts(3)};
            pages.reset(resetPage);
            for (int page = 1; page <= kPageCount; ++page) {
                const QStringList expected =
                    page == resetPage ? InitialTexts(page, *convention) : before[page - 1];
                EXPECT_EQ(pages.texts(page), expected)
                    << convention->name << ": page " << page << " after reset of " << resetPage;
            }
        }
    }
}

// ---- Viewer ---------------------------------------------------------------------------------

// Records each notification with the text the slot shows at that moment.
class RecordingViewer : public PageViewer {
  public:
    using Write = std::tuple<int, int, QString>;
    explicit RecordingViewer(const ResultPages& pages) : pages_(pages) {}
    void slotWritten(int page, int index) override {
        written.push_back({page, index, pages_.text(page, index)});
    }
    void pageRefreshed(int page) override { refreshed.push_back(page); }
    std::vector<Write> written;
    std::vector<int> refreshed;

  private:
    const ResultPages& pages_;
};

TEST(ViewerTest, IsToldOfEachWriteAfterTheTextHasChanged) {
    ResultPages pages(testing::English());
    RecordingViewer viewer(pages);
    pages.setViewer(&viewer);
    pages.writeNumber(1, 22, 2549.911452, 4);
    pages.writeText(3, 13, QStringLiteral("Region - 3  Pressurised Water "));
    pages.writeNumber(2, 23, 2.0, 3);
    const std::vector<RecordingViewer::Write> expected{
        {1, 22, "2,549.9115"}, {3, 13, "Region - 3  Pressurised Water "}, {2, 23, "2.000"}};
    EXPECT_EQ(viewer.written, expected);
    EXPECT_TRUE(viewer.refreshed.empty());
}

TEST(ViewerTest, NaNFillTellsEverySlotOfPages1And2OnceAndLeavesPage3) {
    ResultPages pages(testing::English());
    for (int page = 1; page <= kPageCount; ++page) {
        for (int index = 0; index < SlotCount(page); ++index) pages.writeNumber(page, index, 1, 3);
    }
    const QStringList page3 = pages.texts(3);
    RecordingViewer viewer(pages);
    pages.setViewer(&viewer);
    pages.fillNaN();

    std::set<std::pair<int, int>> told;
    for (const auto& [page, index, text] : viewer.written) {
        EXPECT_NE(page, 3);
        EXPECT_EQ(text, "NaN") << page << "/" << index;
        EXPECT_TRUE(told.insert({page, index}).second) << "told twice of " << page << "/" << index;
    }
    EXPECT_EQ(told.size(), 48u);
    EXPECT_EQ(pages.texts(1), QStringList(24, "NaN"));
    EXPECT_EQ(pages.texts(2), QStringList(24, "NaN"));
    EXPECT_EQ(pages.texts(3), page3);
}

TEST(ViewerTest, RefreshTellsThePageAndChangesNoText) {
    ResultPages pages(testing::English());
    RecordingViewer viewer(pages);
    pages.setViewer(&viewer);
    pages.refresh(3);
    EXPECT_EQ(viewer.refreshed, std::vector<int>{3});
    EXPECT_TRUE(viewer.written.empty());
    EXPECT_EQ(pages.texts(3), InitialTexts(3, kEnglish));
}

// ---- Addresses and captions -----------------------------------------------------------------

TEST(AddressTest, SlotsOutsideThePagesAreRejected) {
    ResultPages pages(testing::English());
    for (const auto& [page, index] :
         std::vector<std::pair<int, int>>{{0, 0}, {4, 0}, {1, -1}, {1, 24}, {2, 24}, {3, 14}}) {
        EXPECT_THROW(pages.writeText(page, index, "x"), std::out_of_range) << page << "/" << index;
        EXPECT_THROW(pages.text(page, index), std::out_of_range) << page << "/" << index;
    }
}

// Each slot's caption, character for character, by slot index.
const std::vector<std::vector<const char*>> kCaptions{
    {"P sat (MPa)",        "@ T (K)",      "v'(m3/kg)",   "s'(kJ/kg-K)",  "l' (W/m-K)",
     "v\"(m3/kg)",         "s\"(kJ/kg-K)", "l\"(W/m-K)",  "rho\"(kg/m3)", "Cp\"(kJ/kg)",
     "k\"(Cp/Cv)",         "h\"(kJ/kg)",   "Cv\"(kJ/kg)", "u\"(kJ/kg)",   "w\"(m/sec)",
     "Mu\" (uPascal-sec)", "rho'(kg/m3)",  "Cp'(kJ/kg)",  "k'(Cp/Cv)",    "Mu' (uPascal-sec)",
     "w'(m/sec)",          "u'(kJ/kg)",    "h'(kJ/kg)",   "Cv'(kJ/kg) ="},
    {"v'(m3/kg)",   "s'(kJ/kg-K)", "l' (W/m-K)",         "v\"(m3/kg)",  "s\"(kJ/kg-K)",
     "l\"(W/m-K)",  "T sat (K)",   "@ P (MPa)",          "rho'(kg/m3)", "Cp'(kJ/kg)",
     "k'(Cp/Cv)",   "h'(kJ/kg)",   "u'(kJ/kg)",          "w'(m/sec)",   "Mu' (uPascal-sec)",
     "u\"(kJ/kg)",  "w\"(m/sec)",  "Mu\" (uPascal-sec)", "k\"(Cp/Cv)",  "rho\"(kg/m3)",
     "Cp\"(kJ/kg)", "h\"(kJ/kg)",  "Cv\"(kJ/kg)",        "Cv'(kJ/kg) ="},
    {"P (MPa)", "T (K)", "v (m3/kg)", "rho (kg/m3)", "h (kJ/kg)", "u (kJ/kg)", "s (kJ/kg-K)",
     "Cp (kJ/kg-K)", "Cv (kJ/kg-K)", "w (m/sec)", "l (W/m-K)", "k (Cp/Cv)", "Mu (uPascal-sec)",
     ""}};

// The slots of each page row by row, left to right, as the windows lay them out.
const std::vector<std::vector<int>> kReadingOrder{
    {0, 1, 2, 16, 22, 21, 3, 17, 23, 20, 4, 18, 19, 5, 8, 11, 13, 6, 9, 12, 14, 7, 10, 15},
    {6, 7, 0, 8, 11, 12, 1, 9, 23, 13, 2, 10, 14, 3, 19, 21, 15, 4, 20, 22, 16, 5, 18, 17},
    {0, 1, 13, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}};

TEST(CaptionTest, EverySlotHasItsCaptionCharacterForCharacter) {
    for (int page = 1; page <= kPageCount; ++page) {
        ASSERT_EQ(static_cast<int>(kCaptions[page - 1].size()), SlotCount(page));
        for (int index = 0; index < SlotCount(page); ++index) {
            EXPECT_EQ(SlotCaption(page, index), QString::fromUtf8(kCaptions[page - 1][index]))
                << "page " << page << ", slot " << index;
        }
    }
}

TEST(CaptionTest, ReadingOrderFollowsTheRows) {
    for (int page = 1; page <= kPageCount; ++page) {
        const std::span<const int> order = SlotReadingOrder(page);
        EXPECT_EQ(std::vector<int>(order.begin(), order.end()), kReadingOrder[page - 1])
            << "page " << page;
    }
}

}  // namespace
}  // namespace vapomet
