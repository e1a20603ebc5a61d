// Reading the two input texts and validate-and-plan, on any text a user could type.
//
// What must hold: a text that is read gives a finite number, the same with blanks around it;
// the plan carries exactly the numbers read; a message is one of validation's own; a planned
// state lies in the input domain, and its region is the one its caption names.
#include <cmath>
#include <variant>

#include "driver/plan.h"
#include "fuzz/fuzz_input.h"
#include "property/property.h"

using vapomet::fuzz::Require;

namespace {

void CheckReading(const QString& text, const QLocale& locale) {
    const std::optional<double> value = vapomet::ReadInputNumber(text, locale);
    if (!value) return;
    Require(std::isfinite(*value));
    const std::optional<double> padded =
        vapomet::ReadInputNumber(QStringLiteral("  ") + text + QStringLiteral("\t"), locale);
    Require(padded.has_value() && *padded == *value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vapomet::FillCoefficientTables();
    const vapomet::fuzz::TypedInput input = vapomet::fuzz::ReadTypedInput(data, size);
    CheckReading(input.pressure, input.locale);
    CheckReading(input.temperature, input.locale);

    std::variant<vapomet::Rejection, vapomet::CalculationPlan> outcome;
    try {
        outcome = vapomet::ValidateAndPlan(input.pressure, input.temperature, input.locale);
    } catch (const vapomet::PropertyError&) {
        return 0;  // a fault of the saturation or boundary line; the press reports it
    }
    const std::optional<double> P = vapomet::ReadInputNumber(input.pressure, input.locale);
    const std::optional<double> T = vapomet::ReadInputNumber(input.temperature, input.locale);
    if (const vapomet::Rejection* rejection = std::get_if<vapomet::Rejection>(&outcome)) {
        Require(vapomet::fuzz::IsValidationMessage(rejection->message));
        Require(rejection->message != vapomet::kInvalidNumber || !P || !T);
        // The box named is the one that holds the refused text.
        const bool pressure = rejection->input == vapomet::Input::Pressure;
        Require(rejection->message != vapomet::kInvalidNumber || (pressure ? !P : P && !T));
        Require(rejection->message != vapomet::kInvalidPressure || pressure);
        Require(rejection->message != vapomet::kInvalidTemperature || !pressure);
        return 0;
    }
    const vapomet::CalculationPlan& plan = std::get<vapomet::CalculationPlan>(outcome);
    Require(P && T && plan.P == *P && plan.T == *T);
    Require(plan.P > 0.0 && plan.P <= 100.0 && plan.T > 273.15 && plan.T <= 2273.15);
    Require(plan.region.has_value() == !plan.caption.isEmpty());
    if (plan.region) {
        const int region = static_cast<int>(*plan.region);
        Require(plan.caption.startsWith(QStringLiteral("Region - %1").arg(region)));
    }
    for (const auto& page : {plan.page1, plan.page2}) {
        if (!page) continue;
        Require(std::isfinite(page->ps) && page->ps > 0.0);
        Require(std::isfinite(page->Ts) && page->Ts > 273.15 && page->Ts <= 647.0);
    }
    return 0;
}
