// A sweep over the whole accepted input domain, 0 < P <= 100 MPa and 273.15 < T <= 2273.15 K,
// denser near 647 K, on the saturation line, on the boundary between regions 2 and 3, near
// 10 MPa and near 863.15 and 1073.15 K. Every press ends normally or with the invalid-region
// message exactly where no region holds the state, and every slot shows "NaN", a caption or a
// finite number written with its slot's decimals: never "nan", "inf" or an empty text.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "driver/calculate.h"
#include "driver/plan.h"
#include "property/property.h"
#include "shown_pages.h"

namespace vapomet {
namespace {

using testing::Convention;
using testing::kEnglish;
using testing::kGerman;
using testing::MessageRecorder;
using testing::Shown;

std::vector<double> Pressures() {
    std::vector<double> p;
    for (int i = 0; i < 64; ++i) p.push_back(1e-6 * std::pow(10.0, 6.0 * i / 64.0));
    for (int i = 1; i <= 100; ++i) p.push_back(i);
    for (double d : {1e-9, 1e-6, 1e-3, 0.05, 0.5}) {
        p.push_back(10.0 - d);
        p.push_back(10.0 + d);
    }
    p.push_back(std::nextafter(10.0, 11.0));
    for (double x : {0.000611, 0.000612, 16.5,   16.53, 17.5, 20.5, 21.5, 22.03, 22.04,
                     22.05,    22.06,    22.064, 22.07, 22.1, 22.5, 23.5, 25.5,  30.5,
                     35.5,     45.5,     55.5,   65.5,  75.5, 85.5, 99.5, 99.999}) {
        p.push_back(x);
    }
    std::sort(p.begin(), p.end());
    p.erase(std::unique(p.begin(), p.end()), p.end());
    return p;
}

std::vector<double> Temperatures() {
    std::vector<double> t{273.15 + 1e-6, 273.15 + 0.01, 273.16, 2273.15};
    for (double x = 275.0; x < 2273.0; x += 12.0) t.push_back(x);
    for (double x = 640.0; x <= 654.0; x += 1.0) t.push_back(x);
    for (double x = 646.0; x <= 648.0; x += 0.05) t.push_back(x);
    for (double x : {647.0, std::nextafter(647.0, 648.0), 647.096, 863.15, 1073.15}) {
        t.push_back(x);
    }
    for (double edge : {863.15, 1073.15}) {
        for (double d : {1e-6, 0.01, 0.1, 1.0}) {
            t.push_back(edge - d);
            t.push_back(edge + d);
        }
    }
    std::sort(t.begin(), t.end());
    t.erase(std::unique(t.begin(), t.end()), t.end());
    return t;
}

// The pressures swept at T: the grid, and on the saturation line or the 2-3 boundary the exact
// boundary pressure and its neighbours.
std::vector<double> PressuresAt(double T, const std::vector<double>& grid) {
    std::vector<double> p = grid;
    double edge = 0.0;
    if (T <= 647.0) {
        edge = Satpr(T);
    } else if (T <= 863.15) {
        edge = b23(T);
    }
    if (edge > 0.0 && edge <= 100.0) {
        p.push_back(edge);
        p.push_back(std::nextafter(edge, 0.0));
        p.push_back(std::nextafter(edge, 200.0));
    }
    return p;
}

QString Exact(double value) {
    return QString::number(value, 'g', 17);
}

// The caption page 3 must show, from the region boundaries; empty where no region holds it.
QString ExpectedCaption(double P, double T) {
    if (T <= 647.0) {
        return P > Satpr(T) ? "Region - 1  Water below Triple Point "
                            : "Region - 2  Steam below Triple Point ";
    }
    if (T <= 863.15) {
        return P < b23(T) ? "Region - 2  Steam below Triple Point "
                          : "Region - 3  Pressurised Water ";
    }
    if (T <= 1073.15) return "Region - 2 Steam below Triple Point ";
    return P <= 10.0 ? "Region - 5  Superheated Steam " : QString();
}

// Whether the saturation line exists at P below 647.0 K (page 2 is then computed).
bool SaturationAtP(double P) {
    try {
        const double Tsat = Sattr(P);
        return Tsat > 273.15 && Tsat <= 647.0;
    } catch (const PropertyError&) {
        return false;
    }
}

// A slot shows a number exactly as the independent formatter writes what it reads back.
bool WellFormed(const ResultPages& pages, int page, int index, const Convention& convention) {
    try {
        const double value = pages.readNumber(page, index);
        return pages.text(page, index) ==
               Shown(value, testing::SlotDecimals(page, index), convention);
    } catch (const SlotReadError&) {
        return false;
    }
}

// Checks one press; returns a description of each problem.
std::vector<std::string> CheckPress(double P, double T, const Convention& convention) {
    std::vector<std::string> problems;
    auto problem = [&](const std::string& what) {
        std::ostringstream out;
        out.precision(17);
        out << convention.name << ", P " << P << " MPa, T " << T << " K: " << what;
        problems.push_back(out.str());
    };

    ResultPages pages(convention.locale());
    MessageRecorder recorder;
    Calculate(Exact(P), Exact(T), pages, recorder);

    const QString caption = ExpectedCaption(P, T);
    const bool invalid = caption.isEmpty();
    const QStringList messages = invalid ? QStringList{kInvalidRegion} : QStringList{};
    if (recorder.messages != messages) {
        problem("messages \"" + recorder.messages.join("|").toStdString() + "\"");
    }

    const bool saturation = T <= 647.0;
    const bool page2 = saturation && SaturationAtP(P);
    for (int page = 1; page <= 3; ++page) {
        for (int index = 0; index < SlotCount(page); ++index) {
            const QString& text = pages.text(page, index);
            const std::string where = "page " + std::to_string(page) + " slot " +
                                      std::to_string(index) + " \"" + text.toStdString() + "\"";
            if (page == 3 && index == testing::kPage3Region) {
                const QString expected = invalid ? QStringLiteral("Region :") : caption;
                if (text != expected) problem(where + " is not the caption");
                continue;
            }
            const bool number = page == 1   ? saturation
                                : page == 2 ? page2
                                            : (index <= testing::kPage3T || !invalid);
            if (!number) {
                if (text != "NaN") problem(where + " is not NaN");
                continue;
            }
            if (!WellFormed(pages, page, index, convention)) {
                problem(where + " is not a number with its decimals");
            }
        }
    }
    if (pages.text(3, testing::kPage3P) != Shown(P, testing::kStateDecimals, convention) ||
        pages.text(3, testing::kPage3T) != Shown(T, testing::kStateDecimals, convention)) {
        problem("page 3 does not show the input P and T");
    }
    return problems;
}

// Presses every stepT-th temperature from firstT with every stepP-th pressure at it.
void Sweep(const Convention& convention, std::size_t firstT, std::size_t stepT, std::size_t stepP) {
    FillCoefficientTables();
    const std::vector<double> grid = Pressures();
    const std::vector<double> temperatures = Temperatures();
    ASSERT_GE(grid.size(), 200u);
    ASSERT_GE(temperatures.size(), 200u);
    std::vector<std::string> problems;
    int presses = 0;
    for (std::size_t i = firstT; i < temperatures.size(); i += stepT) {
        const std::vector<double> pressures = PressuresAt(temperatures[i], grid);
        for (std::size_t j = 0; j < pressures.size(); j += stepP, ++presses) {
            const auto found = CheckPress(pressures[j], temperatures[i], convention);
            problems.insert(problems.end(), found.begin(), found.end());
        }
    }
    EXPECT_GT(presses, 0);
    EXPECT_TRUE(problems.empty()) << problems.size() << " problems in " << presses << " presses";
    for (std::size_t i = 0; i < std::min<std::size_t>(problems.size(), 10); ++i)
        ADD_FAILURE() << problems[i];
}

constexpr int kShards = 8;

class SweepTest : public ::testing::TestWithParam<int> {};

TEST_P(SweepTest, EveryPressEndsAsPlannedAndEverySlotIsWellFormed) {
    Sweep(kEnglish, GetParam(), kShards, 1);
}

INSTANTIATE_TEST_SUITE_P(Shards, SweepTest, ::testing::Range(0, kShards));

// A coarser sweep with comma decimals and point grouping.
TEST(SweepTest, CommaDecimalPagesAreWellFormed) {
    Sweep(kGerman, 0, 7, 7);
}

}  // namespace
}  // namespace vapomet
