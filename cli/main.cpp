// vapomet-cli: one press of "Calculate" on fresh pages, printed for a person or as JSON; the
// states of the formulation that have two given values; or property tables of many states, as
// CSV or JSON Lines.
//   vapomet-cli [--json] [--] P T
//   vapomet-cli --given A,B [--derivative Z,X,Y] [--json] [--] VALUE_A VALUE_B
// The tables and --given take --transport 1985|2008; --given P,T takes --metastable.
//   vapomet-cli --batch [FILE] [--given A,B] [--json]
//   vapomet-cli --grid A=LO:HI:N B=LO:HI:N [--given A,B] [--log A] [--log B] [--json]
//   vapomet-cli --saturation T=LO:HI:N|P=LO:HI:N [--log T|P] [--json]
//   vapomet-cli --verify
// Exit status: 0 when the press or every row showed no message (or every published value
// agreed), 1 when one did (or one did not), 2 on a usage error.
#include <QStringList>
#include <cstdio>

#include "cli/tables.h"
#include "driver/calculate.h"
#include "driver/numbers.h"
#include "driver/quantities.h"
#include "driver/state_table.h"
#include "driver/verification.h"

namespace {

constexpr const char* kUsage =
    "usage: vapomet-cli [--json] [--] P T\n"
    "       vapomet-cli --given A,B [--derivative Z,X,Y] [--metastable] [--json] [--] A B\n"
    "       vapomet-cli --batch [FILE] [--given A,B] [--json]\n"
    "       vapomet-cli --grid A=LO:HI:N B=LO:HI:N [--given A,B] [--log A] [--json]\n"
    "       vapomet-cli --saturation T=LO:HI:N|P=LO:HI:N [--log T|P] [--json]\n"
    "       vapomet-cli --verify\n"
    "  all but the first also take --transport R, --units S, --unit C=U, --barometric KPA\n"
    "  P  pressure in MPa, T  temperature in K, written as on the main window.\n"
    "  Prints the three result pages of one press of Calculate.\n"
    "  --given A,B   the states of IAPWS-IF97 with the two values, of one of the pairs\n"
    "                P,T P,h P,s h,s P,u P,v T,v T,s T,h u,v P,x T,x h,x s,x (either order):\n"
    "                P in MPa, T in K, h and u in kJ/kg, s in kJ/(kg K), v in m3/kg, x 0 to 1\n"
    "  --transport 1985|2008  viscosity and conductivity of the tables and of --given after the\n"
    "                IAPS 1985 equations (the default, as on the pages) or after the IAPWS 2008\n"
    "                viscosity and 2011 conductivity; the column transport names the release\n"
    "  --metastable  with --given P,T: vapour below its saturation temperature, by the\n"
    "                metastable-vapour equation (to the 5 % moisture line, up to 10 MPa)\n"
    "  --units SI|bar-C|US  the units of the tables and of --given, values given and shown:\n"
    "                SI as above (the default); bar, degrees C, kJ/kg; or psia, degrees F,\n"
    "                Btu/lb, ft3/lb. A unit line or the column names say each unit.\n"
    "  --unit C=U    column C in unit U, such as P=kPa, T=C, P=bar(g), h=Btu/lb, viscosity=cP\n"
    "  --barometric KPA  the barometric pressure of gauge units, 101.325 kPa unless set\n"
    "  --derivative Z,X,Y  the partial derivative (dZ/dX) at constant Y of each state found,\n"
    "                Z, X and Y among P T v u h s g f, in SI units (h,T,P gives cp)\n"
    "  --batch       a table of page 3 for each line \"P T\" (blanks or a comma between them) of\n"
    "                FILE or the standard input, or with --given of the states of each line\n"
    "                \"VALUE_A VALUE_B\"; lines starting with # and empty lines are skipped,\n"
    "                numbers are read in the C convention\n"
    "  --grid        the same table over N values of A from LO to HI, each with N values of B\n"
    "  --saturation  the formulation's saturated liquid and vapour side by side at N\n"
    "                temperatures or pressures, from 273.15 K to the critical point\n"
    "  --log X       spaces the values of X logarithmically\n"
    "  --json        JSON instead of the pages or CSV\n"
    "  --            ends the options: what follows are values, such as -1\n"
    "  --verify      every published check value the program carries beside the value it\n"
    "                computes, with a verdict; exit status 0 only when all agree\n"
    "  Tables give every value in full precision; a row that a press would answer with a\n"
    "  message, or a line with no state, carries the message instead of values.\n";

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

// The press as one JSON object: its messages, and each page's values named by their quantity
// ("h", "liquid h"), each with its text as shown and the number that text shows; no pages after
// a refused input.
void PrintJson(const vapomet::ResultPages* pages, const QStringList& messages) {
    using vapomet::cli::JsonString;
    std::string json = "{\"messages\":[";
    for (qsizetype i = 0; i < messages.size(); ++i)
        json += (i ? "," : "") + JsonString(messages[i]);
    json += "],\"pages\":";
    if (pages == nullptr) {
        std::printf("%snull}\n", json.c_str());
        return;
    }
    json += "{";
    for (int page = 1; page <= vapomet::kPageCount; ++page) {
        json += (page == 1 ? "\"" : ",\"") + std::to_string(page) + "\":{";
        bool first = true;
        for (const int slot : vapomet::SlotReadingOrder(page)) {
            const vapomet::SlotQuantity at = vapomet::QuantityAt(page, slot);
            QString key = QString::fromUtf8(at.quantity.column);
            if (at.place.phase == vapomet::Phase::Liquid) key.prepend(QStringLiteral("liquid "));
            if (at.place.phase == vapomet::Phase::Vapour) key.prepend(QStringLiteral("vapour "));
            const QString text = pages->text(page, slot);
            const std::optional<double> value =
                at.quantity.decimals < 0 ? std::nullopt
                                         : vapomet::ReadInputNumber(text, pages->locale());
            json += (first ? "" : ",") + JsonString(key) + ":{\"text\":" + JsonString(text) +
                    ",\"value\":" + (value ? vapomet::cli::Shortest(*value) : "null") + "}";
            first = false;
        }
        json += "}";
    }
    std::printf("%s}}\n", json.c_str());
}

int Usage() {
    std::fputs(kUsage, stderr);
    return 2;
}

int Refuse(const QString& why) {
    std::fprintf(stderr, "vapomet-cli: %s\n", why.toLocal8Bit().constData());
    return Usage();
}

// --units SYSTEM, --barometric KPA and each --unit COLUMN=UNIT, taken out of the options into
// the choices; 0, or the status of a usage error.
int ReadUnits(QStringList& options, vapomet::cli::Choices& choices) {
    using vapomet::Units;
    vapomet::UnitSystem system = vapomet::UnitSystem::SI;
    double barometric = vapomet::kStandardAtmosphere;
    if (const qsizetype at = options.indexOf(QStringLiteral("--units")); at >= 0) {
        const auto named = vapomet::SystemNamed(options.value(at + 1));
        if (!named) return Refuse(QStringLiteral("--units takes SI, bar-C or US"));
        system = *named;
        options.remove(at, 2);
        choices.unitsChosen = true;
    }
    if (const qsizetype at = options.indexOf(QStringLiteral("--barometric")); at >= 0) {
        bool ok = false;
        const double kPa = options.value(at + 1).toDouble(&ok);
        if (!ok || !(kPa > 0.0))
            return Refuse(QStringLiteral("--barometric takes a pressure in kPa, such as 101.325"));
        barometric = kPa / 1000.0;
        options.remove(at, 2);
        choices.unitsChosen = true;
    }
    choices.units = Units(system, barometric);
    for (qsizetype at; (at = options.indexOf(QStringLiteral("--unit"))) >= 0;) {
        const QString choice = options.value(at + 1);
        const QString column = choice.section(QLatin1Char('='), 0, 0);
        const QString unit = choice.section(QLatin1Char('='), 1);
        bool named = false;
        for (const vapomet::Quantity& q : vapomet::Quantities()) {
            if (column != QString::fromUtf8(q.column)) continue;
            const vapomet::Unit* chosen = vapomet::UnitNamed(vapomet::DimensionOf(q), unit);
            if (!chosen || *q.unit == '\0')
                return Refuse(QStringLiteral("no unit %1 for %2").arg(unit, column));
            choices.units.choose(q.id, *chosen);
            named = true;
        }
        if (!named)
            return Refuse(QStringLiteral("--unit takes a column and its unit, such as P=bar"));
        options.remove(at, 2);
        choices.unitsChosen = true;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // Options first; after "--", or after a value, only values.
    QStringList options, values;
    bool valuesOnly = false;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (!valuesOnly && arg == QStringLiteral("--")) {
            valuesOnly = true;
            continue;
        }
        (valuesOnly ? values : options).append(arg);
    }
    if (options.size() == 1 && values.isEmpty() && (options[0] == "--help" || options[0] == "-h")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (options.contains(QStringLiteral("--verify"))) {
        if (options.size() != 1 || !values.isEmpty()) return Usage();
        return vapomet::WriteVerification(vapomet::PublishedValues(), stdout);
    }
    const bool json = options.removeAll(QStringLiteral("--json")) > 0;
    vapomet::cli::Choices choices;
    choices.format = json ? vapomet::cli::Format::JsonLines : vapomet::cli::Format::Csv;
    if (const qsizetype at = options.indexOf(QStringLiteral("--transport")); at >= 0) {
        const auto release = vapomet::ReleaseNamed(options.value(at + 1));
        if (!release) {
            std::fprintf(stderr, "vapomet-cli: --transport takes 1985 or 2008\n");
            return Usage();
        }
        choices.transport = *release;
        options.remove(at, 2);
    }
    choices.metastable = options.removeAll(QStringLiteral("--metastable")) > 0;
    if (const int status = ReadUnits(options, choices); status != 0) return status;
    std::optional<vapomet::cli::GivenPair> given;
    if (const qsizetype at = options.indexOf(QStringLiteral("--given")); at >= 0) {
        given = vapomet::cli::ParsePair(options.value(at + 1));
        if (!given) {
            std::fprintf(stderr, "vapomet-cli: --given takes a pair such as P,h\n");
            return Usage();
        }
        options.remove(at, 2);
    }
    if (choices.metastable && !(given && vapomet::IsPressureAndTemperature(given->a, given->b))) {
        std::fprintf(stderr, "vapomet-cli: --metastable takes --given P,T\n");
        return Usage();
    }
    std::optional<vapomet::cli::DerivativeOf> derivative;
    if (const qsizetype at = options.indexOf(QStringLiteral("--derivative")); at >= 0) {
        derivative = vapomet::cli::ParseDerivative(options.value(at + 1));
        if (!derivative || !given) {
            std::fprintf(stderr,
                         "vapomet-cli: --derivative takes three of P T v u h s g f, such "
                         "as h,T,P, with --given\n");
            return Usage();
        }
        options.remove(at, 2);
    }
    const QString mode = options.value(0);
    if (derivative && mode.startsWith(QStringLiteral("--"))) return Usage();
    if (mode == QStringLiteral("--batch")) {
        if (options.size() > 2 || !values.isEmpty()) return Usage();
        return vapomet::cli::RunBatch(options.value(1), given, choices, stdout);
    }
    if (mode == QStringLiteral("--grid"))
        return vapomet::cli::RunGrid(options.mid(1) + values, given, choices, stdout);
    if (mode == QStringLiteral("--saturation")) {
        if (given) return Usage();
        return vapomet::cli::RunSaturation(options.mid(1) + values, choices, stdout);
    }
    for (const QString& option : options)
        if (option.startsWith(QStringLiteral("--")))
            return Refuse(QStringLiteral("unknown option %1").arg(option));
    values = options + values;  // the values of a press or of a given pair
    if (values.size() != 2) return Usage();
    if (!given && choices.transport != vapomet::TransportRelease::Iaps1985) {
        std::fprintf(stderr, "vapomet-cli: the pages show the IAPS 1985 transport only\n");
        return Usage();
    }
    if (!given && choices.unitsChosen)
        return Refuse(QStringLiteral("the pages show MPa and K only; --given P,T takes units"));
    if (derivative)
        return vapomet::cli::RunDerivative(*given, values[0], values[1], *derivative, choices,
                                           stdout);
    if (given) return vapomet::cli::RunGiven(*given, values[0], values[1], choices, stdout);

    vapomet::ResultPages pages;
    MessageList messages;
    const bool refused = vapomet::Calculate(values[0], values[1], pages, messages).has_value();

    for (const QString& message : messages.texts) {
        std::fprintf(stderr, "Vapomet: %s\n", message.trimmed().toLocal8Bit().constData());
    }
    // A refused input leaves the pages as they were, numbers the user never typed: not shown.
    if (json) {
        PrintJson(refused ? nullptr : &pages, messages.texts);
    } else if (!refused) {
        PrintPages(pages);
    }
    return messages.texts.isEmpty() ? 0 : 1;
}
