// How a fuzzer's bytes become what a user could type: the first byte picks the regional
// settings, the rest is split at the first line break into the pressure and temperature texts.
#pragma once

#include <QLocale>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "driver/plan.h"

namespace vapomet::fuzz {

struct TypedInput {
    QLocale locale;
    QString pressure;
    QString temperature;
};

inline TypedInput ReadTypedInput(const std::uint8_t* data, std::size_t size) {
    static const QLocale kLocales[] = {QLocale(QLocale::English, QLocale::UnitedStates),
                                       QLocale(QLocale::German, QLocale::Germany),
                                       QLocale(QLocale::French, QLocale::France), QLocale::c()};
    const QLocale& locale = size > 0 ? kLocales[data[0] % 4] : kLocales[0];
    std::string_view rest;
    if (size > 1) rest = std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::size_t cut = rest.find('\n');
    const std::string_view first = rest.substr(0, cut);
    const std::string_view second =
        cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 1);
    return {locale, QString::fromUtf8(first.data(), static_cast<qsizetype>(first.size())),
            QString::fromUtf8(second.data(), static_cast<qsizetype>(second.size()))};
}

// The messages with which validation refuses an input, before anything is written.
inline bool IsValidationMessage(const QString& message) {
    return message == kInvalidNumber || message == kInvalidPressure ||
           message == kInvalidTemperature;
}

// A broken promise: libFuzzer reports the input that led here.
[[noreturn]] inline void Violated() {
    std::abort();
}

inline void Require(bool holds) {
    if (!holds) Violated();
}

}  // namespace vapomet::fuzz
