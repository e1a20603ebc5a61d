// The table forms of vapomet-cli: batch rows against presses of the same texts, bad lines in
// their places, grid and saturation tables against the single routines, exit statuses.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <cmath>

#include "driver/plan.h"
#include "driver/quantities.h"
#include "property/property.h"
#include "tests/support/message_recorder.h"
#include "tests/support/run_cli.h"

namespace vapomet {
namespace {

using testing::RunCli;

// The JSON objects of JSON Lines output.
std::vector<QJsonObject> Rows(const std::string& out) {
    std::vector<QJsonObject> rows;
    for (const QByteArray& line : QByteArray::fromStdString(out).split('\n'))
        if (!line.isEmpty()) rows.push_back(QJsonDocument::fromJson(line).object());
    return rows;
}

// A value as page 3 shows it in the C convention.
QString Shown(double value, QuantityId id) {
    return QLocale::c().toString(value, 'f', QuantityOf(id).decimals);
}

// Every line of a batch, good or bad, gives the row a press of its texts gives: the region,
// the message and every value at the decimals page 3 shows it with.
TEST(BatchTest, RowsAreThePressesOfTheirLines) {
    const QStringList lines{"1 300",      "# a remark", "30,650",     "8 2000",      "",
                            "0.0035 300", "22.1 647.1", "abc 300",    "0 500",       "1 3000",
                            "10.1 1100",  "1 2 3",      "1e-400 300", "100 1073.15", "0.5, 1500"};
    const testing::CliOutcome batch =
        RunCli({"--batch", "--json"}, {"LC_ALL=C"}, lines.join('\n').toUtf8());
    EXPECT_EQ(batch.status, 1) << batch.err;
    const std::vector<QJsonObject> rows = Rows(batch.out);
    std::size_t row = 0;
    for (const QString& line : lines) {
        if (line.isEmpty() || line.startsWith('#')) continue;
        ASSERT_LT(row, rows.size());
        const QJsonObject& r = rows[row++];
        const QStringList texts = line.contains(',') ? line.split(',') : line.split(' ');
        const testing::CliOutcome press =
            texts.size() == 2
                ? RunCli({"--json", texts[0].trimmed(), texts[1].trimmed()}, {"LC_ALL=C"})
                : testing::CliOutcome{1, "", ""};
        const QJsonObject pressed = QJsonDocument::fromJson(press.out.c_str()).object();
        const QJsonArray page3 = pressed["pages"].toObject()["3"].toArray();
        QStringList messages;
        for (const QJsonValue& m : pressed["messages"].toArray())
            messages << m.toString().trimmed();
        if (texts.size() != 2) messages << kInvalidNumber;
        SCOPED_TRACE(line.toStdString());
        if (!messages.isEmpty()) {
            EXPECT_EQ(r["message"].toString(), messages.join(' ').trimmed());
            EXPECT_TRUE(r["h"].isNull());
            continue;
        }
        EXPECT_TRUE(r["message"].isNull());
        // The page's text without its digit grouping.
        const auto slot = [&](QuantityId id) {
            return page3[SlotOf(id, 3, Phase::None)].toString().remove(',');
        };
        EXPECT_TRUE(slot(QuantityId::Region)
                        .startsWith(QStringLiteral("Region - %1").arg(r["region"].toInt())));
        const std::pair<const char*, QuantityId> columns[] = {
            {"v", QuantityId::Volume},
            {"density", QuantityId::Density},
            {"h", QuantityId::Enthalpy},
            {"u", QuantityId::InternalEnergy},
            {"s", QuantityId::Entropy},
            {"cp", QuantityId::Cp},
            {"cv", QuantityId::Cv},
            {"w", QuantityId::SpeedOfSound},
            {"conductivity", QuantityId::Conductivity},
            {"viscosity", QuantityId::Viscosity}};
        for (const auto& [key, id] : columns)
            EXPECT_EQ(Shown(r[key].toDouble(), id), slot(id)) << key;
        // The page's ratio is that of cp and cv as shown; the table's is of the full values.
        const double cp = Shown(r["cp"].toDouble(), QuantityId::Cp).toDouble();
        const double cv = Shown(r["cv"].toDouble(), QuantityId::Cv).toDouble();
        EXPECT_EQ(Shown(cp / cv, QuantityId::Ratio), slot(QuantityId::Ratio));
        EXPECT_DOUBLE_EQ(r["cp/cv"].toDouble(), r["cp"].toDouble() / r["cv"].toDouble());
    }
    EXPECT_EQ(row, rows.size());
}

// CSV: a header naming each column with its unit, then a row for every line that is not a
// remark or empty, in order.
TEST(BatchTest, CsvKeepsEveryLineInItsPlace) {
    const testing::CliOutcome batch =
        RunCli({"--batch"}, {"LC_ALL=C"}, "3 300\n\nnot a number\n# remark\n10.1 1100\n8,2000\n");
    const QStringList lines = QString::fromStdString(batch.out).trimmed().split('\n');
    ASSERT_EQ(lines.size(), 5);
    EXPECT_TRUE(lines[0].startsWith("P (MPa),T (K),region,v (m3/kg),density (kg/m3),h (kJ/kg)"));
    EXPECT_TRUE(lines[0].endsWith(",viscosity (µPa s),message"));
    EXPECT_TRUE(lines[1].startsWith("3,300,1,0.0010021516796866943,"));
    EXPECT_TRUE(lines[2].endsWith(",\"Please try again, this time with a valid number\""));
    EXPECT_TRUE(lines[3].startsWith("10.1,1100,,"));
    EXPECT_TRUE(lines[3].endsWith(",Invalid Region - Recheck Input Data ...."));
    EXPECT_TRUE(lines[4].startsWith("8,2000,5,"));
    EXPECT_EQ(batch.status, 1);
}

// Grid and saturation tables hold the single routines' values: bit for bit, as the shortest
// text of a double reads back to it.
TEST(GridTest, RowsAreTheSingleRoutines) {
    const testing::CliOutcome grid =
        RunCli({"--grid", "P=1:100:3", "T=300:1200:4", "--log", "P", "--json"});
    EXPECT_EQ(grid.status, 1);  // 100 MPa at 1200 K lies in no region
    const std::vector<QJsonObject> rows = Rows(grid.out);
    ASSERT_EQ(rows.size(), 12u);
    using Routine = double (*)(const double&, const double&);
    const Routine h[] = {nullptr, R1h, R2h, nullptr, nullptr, R5h};
    const Routine w[] = {nullptr, R1w, R2w, nullptr, nullptr, R5w};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const QJsonObject& r = rows[i];
        const double P = std::vector{1.0, 10.0, 100.0}[i / 4];
        const double T = 300.0 + 300.0 * static_cast<double>(i % 4);
        EXPECT_DOUBLE_EQ(r["P"].toDouble(), P);
        EXPECT_EQ(r["T"].toDouble(), T);
        if (r["message"].isString()) {
            EXPECT_EQ(r["message"].toString(), kInvalidRegion.trimmed()) << P << " " << T;
            continue;
        }
        const int region = r["region"].toInt();
        ASSERT_TRUE(region == 1 || region == 2 || region == 5);
        EXPECT_EQ(r["h"].toDouble(), h[region](r["P"].toDouble(), T)) << P << " " << T;
        EXPECT_EQ(r["w"].toDouble(), w[region](r["P"].toDouble(), T)) << P << " " << T;
    }
}

TEST(SaturationTableTest, LiquidAndVapourAreTheSaturationPages) {
    for (const char* range : {"T=300:640:3", "P=0.01:20:3"}) {
        const testing::CliOutcome table = RunCli({"--saturation", range, "--json"});
        EXPECT_EQ(table.status, 0) << range;
        for (const QJsonObject& r : Rows(table.out)) {
            const double T = r["T"].toDouble(), P = r["P"].toDouble();
            EXPECT_EQ(range[0] == 'T' ? P : T, range[0] == 'T' ? Satpr(T) : Sattr(P));
            EXPECT_EQ(r["liquid h"].toDouble(), R1h(P, T)) << range;
            EXPECT_EQ(r["vapour h"].toDouble(), R2h(P, T)) << range;
            EXPECT_EQ(r["vapour density"].toDouble(), 1.0 / R2v(P, T)) << range;
        }
    }
    // Beyond the saturation line the pages show, a row says so and holds no values.
    const testing::CliOutcome beyond = RunCli({"--saturation", "T=650:700:2", "--json"});
    EXPECT_EQ(beyond.status, 1);
    for (const QJsonObject& r : Rows(beyond.out)) {
        EXPECT_TRUE(r["message"].toString().startsWith("No saturation state"));
        EXPECT_TRUE(r["liquid h"].isNull());
    }
}

TEST(TableUsageTest, BadArgumentsExitWithTwo) {
    for (const QStringList& arguments :
         {QStringList{"--grid", "P=1:2:3"}, QStringList{"--grid", "P=1:2:3", "T=300:x:2"},
          QStringList{"--grid", "P=0:2:3", "T=300:400:2", "--log", "P"},
          QStringList{"--saturation", "Q=1:2:3"}, QStringList{"--batch", "/no/such/file"}}) {
        const testing::CliOutcome run = RunCli(arguments);
        EXPECT_EQ(run.status, 2) << arguments.join(' ').toStdString();
        EXPECT_NE(run.err.find("vapomet-cli:"), std::string::npos);
    }
}

}  // namespace
}  // namespace vapomet
