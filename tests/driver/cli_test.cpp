// vapomet-cli run as a separate process: its pages and messages against a press of Calculate in
// this process under the same regional settings, its tables against presses and the single
// routines, and its exit statuses.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "driver/numbers.h"
#include "driver/pages.h"
#include "driver/plan.h"
#include "driver/quantities.h"
#include "driver/verification.h"
#include "property/state.h"
#include "tests/support/case_names.h"
#include "tests/support/support.h"

namespace vapomet {
namespace {

using testing::RunCli;

struct PressCase {
    const char *name, *P, *T, *settings, *alsoLang;  // the environment's regional settings
    int status;
};
const PressCase kPresses[] = {
    {"Region1", "1", "300", "LC_ALL=en_US.UTF-8", "", 0},
    {"Region3", "30", "650", "LC_ALL=en_US.UTF-8", "", 0},
    {"NoRegion", "10.1", "1100", "LC_ALL=en_US.UTF-8", "", 1},
    {"NotANumber", "abc", "300", "LC_ALL=en_US.UTF-8", "", 1},
    {"GermanComma_LC_ALL", "0,5", "300", "LC_ALL=de_DE.UTF-8", "", 0},
    {"GermanComma_LANG", "0,5", "300", "LANG=de_DE.UTF-8", "", 0},
    {"EnglishOverGerman", "0.5", "300", "LC_ALL=en_US.UTF-8", "LANG=de_DE.UTF-8", 0}};

class CliPressTest : public ::testing::TestWithParam<PressCase> {};

// The JSON output holds the pages and messages of the same press in this process, each value
// named by its quantity with its text and the number it shows; the plain output lists every slot
// under its page's title with its caption, the messages go to the standard error. A refused
// input shows its message alone.
TEST_P(CliPressTest, GivesThePagesAndMessagesOfADirectPress) {
    const PressCase& c = GetParam();
    ResultPages pages(QString(c.settings).contains("de_DE") ? testing::German()
                                                            : testing::English());
    testing::MessageRecorder recorder;
    const bool refused = Calculate(c.P, c.T, pages, recorder).has_value();
    const QStringList settings = QStringList{c.settings, c.alsoLang}.filter("=");
    const testing::CliOutcome json = RunCli({"--json", c.P, c.T}, settings);
    const QJsonObject root = QJsonDocument::fromJson(QByteArray::fromStdString(json.out)).object();
    EXPECT_EQ(json.status, c.status);
    EXPECT_EQ(root["messages"].toVariant().toStringList(), recorder.messages);
    const testing::CliOutcome plain = RunCli({c.P, c.T}, settings);
    EXPECT_EQ(plain.status, c.status);
    QString errors;
    for (const QString& message : recorder.messages)
        errors += "Vapomet: " + message.trimmed() + '\n';
    EXPECT_EQ(QString::fromStdString(plain.err), errors);
    if (refused) {
        EXPECT_TRUE(root["pages"].isNull());
        EXPECT_EQ(plain.out, "");
        return;
    }
    const QStringList blocks = QString::fromStdString(plain.out).trimmed().split("\n\n");
    ASSERT_EQ(blocks.size(), 3);
    for (int page = 1; page <= 3; ++page) {
        const QJsonObject named = root["pages"][QString::number(page)].toObject();
        EXPECT_EQ(named.size(), SlotCount(page));
        for (const int slot : SlotReadingOrder(page)) {
            const SlotQuantity at = QuantityAt(page, slot);
            const QString key = QString(at.place.phase == Phase::Liquid   ? "liquid "
                                        : at.place.phase == Phase::Vapour ? "vapour "
                                                                          : "") +
                                at.quantity.column;
            EXPECT_EQ(named[key]["text"].toString(), pages.text(page, slot)) << key.toStdString();
            const std::optional<double> value =
                ReadInputNumber(pages.text(page, slot), pages.locale());
            if (at.quantity.decimals >= 0 && value)
                EXPECT_EQ(named[key]["value"].toDouble(), *value) << key.toStdString();
            else
                EXPECT_TRUE(named[key]["value"].isNull()) << key.toStdString();
        }
        QStringList lines = blocks[page - 1].split('\n');
        EXPECT_TRUE(lines.takeFirst().startsWith(PageTitle(page)));
        ASSERT_EQ(lines.size(), SlotCount(page));
        for (int row = 0; row < lines.size(); ++row) {
            const int slot = SlotReadingOrder(page)[row];
            EXPECT_EQ(lines[row].simplified(),
                      (SlotCaption(page, slot) + ' ' + pages.text(page, slot)).simplified());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Inputs, CliPressTest, ::testing::ValuesIn(kPresses), testing::ByName());

// Bad arguments: what is wrong on the standard error, nothing on the output, status 2.
TEST(CliUsageTest, SaysWhatIsWrongAndExitsWithTwo) {
    for (const QStringList& arguments :
         {QStringList{},
          {"1"},
          {"--json"},
          {"1", "300", "5"},
          {"--grid", "P=1:2:3"},
          {"--grid", "P=0:2:3", "T=300:400:2", "--log", "P"},
          {"--saturation", "Q=1:2:3"},
          {"--batch", "/no/such/file"},
          {"--derivative", "h,T,P", "1", "300"},
          {"--given", "P,T", "--derivative", "h,T,T", "1", "300"},
          {"--given", "P,T", "--derivative", "cp,T,P", "1", "300"}}) {
        const testing::CliOutcome run = RunCli(arguments);
        EXPECT_EQ(run.status, 2) << arguments.join(' ').toStdString();
        EXPECT_NE(run.err.find("vapomet-cli"), std::string::npos);
        EXPECT_EQ(run.out, "");
    }
}

std::vector<QJsonObject> Rows(const std::string& out) {
    std::vector<QJsonObject> rows;
    for (const QByteArray& line : QByteArray::fromStdString(out).split('\n'))
        if (!line.isEmpty()) rows.push_back(QJsonDocument::fromJson(line).object());
    return rows;
}

// --derivative gives (dz/dx)_y of each state found: cp as (dh/dT)_P; wet steam has none.
TEST(CliDerivativeTest, IsTheLibrarysDerivative) {
    const testing::CliOutcome cp = RunCli({"--given", "P,T", "--derivative", "h,T,P", "1", "300"});
    EXPECT_EQ(cp.status, 0);
    EXPECT_EQ(QString::fromStdString(cp.out).section(' ', 1).trimmed().toDouble(),
              *StateAt(1, 300).cp);
    const testing::CliOutcome two =
        RunCli({"--given", "T,h", "--derivative", "g,P,T", "--json", "350", "344.2"});
    EXPECT_EQ(two.status, 1);  // the first of the two states is wet steam
    const std::vector<QJsonObject> rows = Rows(two.out);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_TRUE(rows[0]["value"].isNull());
    EXPECT_EQ(rows[1]["derivative"].toString(), "(dg/dP)_T");
    // (dg/dP)_T is the volume, in kJ/(kg MPa).
    const State liquid = StatesFrom(Variable::T, 350, Variable::h, 344.2).back();
    EXPECT_NEAR(rows[1]["value"].toDouble(), 1000 * liquid.v, 1e-12);
}

// Each line of a batch but remarks gives the row of a press of its texts: its message, or each
// value as page 3 shows it at its decimals; CSV has a header with the units. Grid and saturation
// rows hold the single routines' values bit for bit, as the shortest text of a double reads back.
TEST(TablesTest, AreThePressesAndTheSingleRoutines) {
    const QStringList lines{"1 300", "# a remark", "abc 300", "10.1 1100", "30,650", "1 2 3"};
    const QByteArray input = lines.join('\n').toUtf8();
    const std::vector<QJsonObject> rows =
        Rows(RunCli({"--batch", "--json"}, {"LC_ALL=C"}, input).out);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[1]["message"].toString() + rows[4]["message"].toString(),
              kInvalidNumber + kInvalidNumber);
    EXPECT_EQ(rows[2]["message"].toString(), kInvalidRegion.trimmed());
    for (const auto& [row, P, T] : {std::tuple{rows[0], "1", "300"}, {rows[3], "30", "650"}}) {
        ResultPages pages(QLocale::c());
        testing::MessageRecorder recorder;
        Calculate(P, T, pages, recorder);
        for (const Quantity& q : Quantities()) {
            const int slot = SlotOf(q.id, 3, Phase::None);
            if (q.decimals < 0 || slot < 0 || q.id == QuantityId::Ratio) continue;
            EXPECT_EQ(QLocale::c().toString(row[q.column].toDouble(), 'f', q.decimals),
                      QString(pages.text(3, slot)).remove(','))
                << q.column;
        }
    }
    const QStringList csv =
        QString::fromStdString(RunCli({"--batch"}, {"LC_ALL=C"}, input).out).split('\n');
    EXPECT_TRUE(csv[0].startsWith("P (MPa),T (K),region,v (m3/kg),density (kg/m3),h (kJ/kg)"));
    EXPECT_TRUE(csv[1].startsWith("1,300,1,") && csv[1].count(',') == csv[0].count(','));
    for (const QJsonObject& r : Rows(RunCli({"--grid", "P=1:10:2", "T=300:900:2", "--json"}).out)) {
        const double P = r["P"].toDouble(), T = r["T"].toDouble();
        EXPECT_EQ(r["h"].toDouble(), (T < 500 ? R1h : R2h)(P, T)) << P << " MPa, " << T << " K";
    }
    // The formulation's saturation: region 3 above 623.15 K, and from 273.15 K on.
    const std::vector<QJsonObject> saturation =
        Rows(RunCli({"--saturation", "T=273.15:640:3", "--json"}).out);
    ASSERT_EQ(saturation.size(), 3u);
    for (const QJsonObject& r : saturation) {
        const Saturation phases = SaturationAtT(r["T"].toDouble());
        EXPECT_EQ(r["vapour h"].toDouble(), phases.vapour.h);
        EXPECT_EQ(r["liquid density"].toDouble(), phases.liquid.rho);
    }
}

// The states of given pairs, line by line: a row for each state the library finds, each value
// as it gives it, all rows of a line under its number; a line without a state, or that is not
// two numbers, carries the message with what it was given. The grid of a pair gives the same
// rows.
TEST(GivenTablesTest, AreTheLibrarysStates) {
    const QStringList lines{"# P and h", "1 3000", "1, 2500", "0.1 1e5", "", "2 x", "1 2 3"};
    const std::vector<QJsonObject> rows = Rows(
        RunCli({"--batch", "--given", "P,h", "--json"}, {"LC_ALL=C"}, lines.join('\n').toUtf8())
            .out);
    ASSERT_EQ(rows.size(), 5u);
    const int lineOf[] = {2, 3, 4, 6, 7};
    for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i]["line"].toInt(), lineOf[i]);
    for (const auto& [row, P, h] : {std::tuple{rows[0], 1.0, 3000.0}, {rows[1], 1.0, 2500.0}}) {
        const State state = StatesFrom(Variable::P, P, Variable::h, h).front();
        EXPECT_EQ(row["T"].toDouble(), state.T);
        EXPECT_EQ(row["region"].toInt(), static_cast<int>(state.region));
        EXPECT_EQ(row["x"].isNull(), !state.x);
        EXPECT_EQ(row["cp"].isNull(), !state.cp);
        EXPECT_EQ(row["s"].toDouble(), state.s);
    }
    EXPECT_TRUE(rows[2]["message"].toString().startsWith("h above the largest enthalpy"));
    EXPECT_EQ(rows[3]["message"].toString() + rows[4]["message"].toString(),
              kInvalidNumber + kInvalidNumber);
    // A row without a state shows what it was given in the pair's columns: numbers as read,
    // the rest as typed, and a line that is not two fields whole in the first.
    const auto given = [](const QJsonObject& row) {
        return row["P"].toVariant().toString() + "|" + row["h"].toVariant().toString();
    };
    EXPECT_EQ(given(rows[2]) + " " + given(rows[3]) + " " + given(rows[4]),
              "0.1|100000 2|x 1 2 3|");
    // Two states of one line, and the CSV header.
    const QStringList csv =
        QString::fromStdString(
            RunCli({"--batch", "--given", "T,h"}, {"LC_ALL=C"}, "350 344.2\n").out)
            .trimmed()
            .split('\n');
    EXPECT_EQ(csv.value(0),
              "line,P,T,region,x,v,density,h,u,s,cp,cv,w,conductivity,cp/cv,viscosity,kappa,"
              "joule_thomson,isothermal_throttling,compressibility,expansion,"
              "relative_pressure_coefficient,Z,g,f,prandtl,kinematic_viscosity,"
              "thermal_diffusivity,h_vaporisation,dpsat_dT,surface_tension,transport,metastable,"
              "message");
    EXPECT_EQ(csv.size(), 3);
    EXPECT_TRUE(csv.value(1).startsWith("1,") && csv.value(2).startsWith("1,"));
    // The grid's points, h first: 2000 and 3000 kJ/kg, each at 1 and 2 MPa.
    const std::vector<QJsonObject> grid =
        Rows(RunCli({"--grid", "h=2000:3000:2", "P=1:2:2", "--json"}).out);
    ASSERT_EQ(grid.size(), 4u);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(grid[i]["T"].toDouble(),
                  StatesFrom(Variable::P, 1 + i % 2, Variable::h, 2000 + 1000 * (i / 2)).front().T);
}

struct GivenCase {
    const char* name;
    QStringList arguments;
    int status;
    const char* says;  // on the standard output, or on the standard error with status 1 or 2
};
const GivenCase kGiven[] = {
    {"SuperheatedSteam", {"--given", "P,h", "1", "3000"}, 0, "State 1 of 1: Region 2, steam"},
    {"WetSteam", {"--given", "h,P", "2500", "1"}, 0, "(region 4)"},
    {"NoState", {"--given", "P,h", "1", "1e5"}, 1, "h above the largest enthalpy at P = 1 MPa"},
    {"PairNotOffered", {"--given", "v,h", "1", "2"}, 2, "--given takes a pair"},
    {"ValuesAfterTheOptions", {"--", "-1", "300"}, 1, "Invalid Pressure .... please retry"},
    {"TodaysTransport",
     {"--given", "P,T", "--transport", "2008", "20", "620"},
     0,
     "transport                     2008/2011"},
    {"UnknownRelease",
     {"--given", "P,T", "--transport", "1997", "1", "300"},
     2,
     "--transport takes 1985 or 2008"},
    {"MetastableVapour",
     {"--given", "P,T", "--metastable", "1", "450"},
     0,
     "State 1 of 1: Region 2, metastable vapour"},
    {"MetastableOfAnotherPair",
     {"--given", "P,h", "--metastable", "1", "2800"},
     2,
     "--metastable takes --given P,T"},
    {"SuperheatedIsNotMetastable",
     {"--given", "T,P", "--metastable", "500", "1"},
     1,
     "the vapour is superheated, not metastable"},
    {"UnknownSystem",
     {"--given", "P,T", "--units", "imperial", "1", "300"},
     2,
     "--units takes SI, bar-C or US"},
    {"UnknownUnit",
     {"--given", "P,T", "--unit", "T=furlong", "1", "300"},
     2,
     "no unit furlong for T"},
    {"UnitsOnThePages", {"--units", "US", "5", "500"}, 2, "the pages show MPa and K only"},
    {"InUsUnits",
     {"--given", "P,T", "--units", "US", "150", "400"},
     0,
     "150                      psia"},
    {"DirectoryAsBatchInput", {"--batch", "/"}, 2, "cannot read /: it is a directory"},
    {"UnknownOption", {"--bogus", "1", "300"}, 2, "unknown option --bogus"},
    {"TodaysTransportOnThePages",
     {"--transport", "2008", "5", "500"},
     2,
     "the pages show the IAPS 1985 transport only"}};

class GivenTest : public ::testing::TestWithParam<GivenCase> {};

TEST_P(GivenTest, PrintsTheStatesOrWhyNot) {
    const testing::CliOutcome run = RunCli(GetParam().arguments);
    EXPECT_EQ(run.status, GetParam().status);
    const std::string& text = GetParam().status == 0 ? run.out : run.err;
    EXPECT_NE(text.find(GetParam().says), std::string::npos) << text;
    EXPECT_EQ(text.find(" \n"), std::string::npos) << "a line ends in blanks: " << text;
}

INSTANTIATE_TEST_SUITE_P(Pairs, GivenTest, ::testing::ValuesIn(kGiven), testing::ByName());

// A batch row keeps what it could not read: a text that is no number in its column, a line that
// is not two fields in the first; control characters escaped, so that every line is JSON. Rows
// where page 3 uses the region-1 or region-2 equations beyond their range carry the note.
TEST(BatchTest, RowsShowWhatTheyCouldNotRead) {
    const std::vector<QJsonObject> rows = Rows(
        RunCli({"--batch", "--json"}, {"LC_ALL=C"}, "abc 300\n1 2 3\nx\x01y 300\n20 640\n1 300\n")
            .out);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0]["P"].toString(), "abc");
    EXPECT_EQ(rows[0]["T"].toDouble(), 300.0);
    EXPECT_EQ(rows[1]["P"].toString(), "1 2 3");
    EXPECT_EQ(rows[2]["P"].toString(), "x\x01y");
    for (int i = 0; i < 3; ++i) EXPECT_EQ(rows[i]["message"].toString(), kInvalidNumber);
    EXPECT_EQ(rows[3]["note"].toString(), kBeyondRangeNote);
    EXPECT_TRUE(rows[4]["note"].isNull());
}

// The verification report: every published value agrees on this build; one value planted wrong
// and one that cannot be computed make it say so and end with status 1.
TEST(VerificationTest, ReportsEachPublishedValue) {
    const testing::CliOutcome run = RunCli({"--verify"});
    EXPECT_EQ(run.status, 0);
    const std::vector<PublishedValue> values = PublishedValues();
    EXPECT_NE(run.out.find("All " + std::to_string(values.size()) + " published values agree"),
              std::string::npos);
    EXPECT_EQ(run.out.find("DIFFERS"), std::string::npos);

    std::vector<PublishedValue> planted = values;
    planted[1].published += 1e-6;  // h at 3 MPa, 300 K, one unit off in its ninth digit
    planted.push_back(
        {"a table", "a value outside the domain", 1.0, 9, [] { return StateAt(1.0, 200.0).h; }});
    char* text = nullptr;
    std::size_t size = 0;
    std::FILE* out = open_memstream(&text, &size);
    EXPECT_EQ(WriteVerification(planted, out), 1);
    std::fclose(out);
    const std::string report(text, size);
    std::free(text);
    EXPECT_NE(report.find("h, region 1 at 3 MPa, 300 K"), std::string::npos);
    EXPECT_NE(report.find("DIFFERS"), std::string::npos);
    EXPECT_NE(report.find("FAILS: StatesFrom: T = 200 K"), std::string::npos) << report;
    EXPECT_NE(
        report.find("2 of " + std::to_string(planted.size()) + " published values do not agree"),
        std::string::npos);
}

// Values given and shown in the units chosen: the library's state of the converted values, each
// value converted back to fifteen digits, the units named on a first JSON line and in the CSV
// header; gauge pressure from the barometric pressure set.
TEST(UnitsTest, TablesConvertAtTheEdges) {
    constexpr double kPsi = 6.894757293168e-3, kBtuPerPound = 2.326;
    const std::vector<QJsonObject> us =
        Rows(RunCli({"--given", "P,T", "--units", "US", "150", "400", "--json"}).out);
    ASSERT_EQ(us.size(), 2u);
    EXPECT_EQ(us[0]["units"].toObject()["P"].toString(), "psia");
    EXPECT_EQ(us[0]["units"].toObject()["cp"].toString(), "Btu/(lb °F)");
    const State state = StateAt(150 * kPsi, (400 + 459.67) / 1.8);
    EXPECT_EQ(us[1]["P"].toDouble(), 150.0);
    EXPECT_NEAR(us[1]["h"].toDouble(), state.h / kBtuPerPound, 1e-13 * state.h);
    EXPECT_NEAR(us[1]["cp"].toDouble(), *state.cp / 4.1868, 1e-13 * *state.cp);
    const QStringList csv =
        QString::fromStdString(RunCli({"--batch", "--given", "P,T", "--units", "bar-C", "--unit",
                                       "P=bar(g)", "--barometric", "100"},
                                      {"LC_ALL=C"}, "9 200\n")
                                   .out)
            .split('\n');
    EXPECT_TRUE(csv.value(0).startsWith("line,P (bar(g)),T (°C),region,x,v (m3/kg)"))
        << csv.value(0).toStdString();
    const State gauge = StateAt(1.0, 473.15);  // 9 bar above 100 kPa
    EXPECT_EQ(csv.value(1).section(',', 7, 7).toDouble(), gauge.h) << csv.value(1).toStdString();
    const std::vector<QJsonObject> line =
        Rows(RunCli({"--saturation", "T=100:100:1", "--units", "bar-C", "--json"}).out);
    ASSERT_EQ(line.size(), 2u);
    EXPECT_NEAR(line[1]["P"].toDouble(), 10 * Satpr(373.15), 1e-14);
}

// Each table form with the 2008 viscosity and 2011 conductivity: a single phase's values are
// the library's, every row with values names the release, wet steam has no transport.
TEST(TransportTest, TablesGiveTheChosenRelease) {
    const auto check = [](const QJsonObject& row, const State& state) {
        const Transport today = TransportOf(state, TransportRelease::Iapws2008);
        EXPECT_EQ(row["viscosity"].toDouble(), today.viscosity);
        EXPECT_EQ(row["conductivity"].toDouble(), today.conductivity);
        EXPECT_EQ(row["transport"].toString(), "2008/2011");
    };
    const QStringList today{"--transport", "2008", "--json"};
    const std::vector<QJsonObject> batch =
        Rows(RunCli(QStringList{"--batch"} + today, {"LC_ALL=C"}, "20 620\nx 1\n").out);
    ASSERT_EQ(batch.size(), 2u);
    check(batch[0], StateAt(20, 620));
    EXPECT_TRUE(batch[1]["transport"].isNull());
    const std::vector<QJsonObject> given =
        Rows(RunCli(QStringList{"--given", "P,x", "1", "0.5"} + today).out);
    ASSERT_EQ(given.size(), 1u);
    EXPECT_TRUE(given[0]["viscosity"].isNull());
    const std::vector<QJsonObject> line =
        Rows(RunCli(QStringList{"--saturation", "T=500:500:1"} + today).out);
    ASSERT_EQ(line.size(), 1u);
    EXPECT_EQ(line[0]["vapour viscosity"].toDouble(),
              Viscosity2008(500, SaturationAtT(500).vapour.rho));
    EXPECT_EQ(line[0]["transport"].toString(), "2008/2011");
    const std::vector<QJsonObject> metastable =
        Rows(RunCli(QStringList{"--batch", "--given", "T,P", "--metastable"} + today, {"LC_ALL=C"},
                    "450 1\n")
                 .out);
    ASSERT_EQ(metastable.size(), 1u);
    check(metastable[0], MetastableVapourAt(1, 450));
    EXPECT_TRUE(metastable[0]["metastable"].toBool());
    EXPECT_EQ(metastable[0]["h"].toDouble(), MetastableVapourAt(1, 450).h);
    const std::vector<QJsonObject> pages = Rows(RunCli({"--batch", "--json"}, {}, "20 620\n").out);
    EXPECT_EQ(pages.at(0)["transport"].toString(), "1985");
    EXPECT_EQ(pages.at(0)["viscosity"].toDouble(),
              TransportOf(StateAt(20, 620), TransportRelease::Iaps1985).viscosity);
}

}  // namespace
}  // namespace vapomet
