// What the tests and fuzzers share: the one message recorder that stands in for the message
// boxes, the regional settings the tests use, and QString in failure messages.
#pragma once

#include <QLocale>
#include <QStringList>
#include <ostream>

#include "driver/calculate.h"

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace vapomet::testing {

class MessageRecorder : public MessageSink {
  public:
    void showMessage(const QString& text) override { messages.append(text); }
    QStringList messages;
};

inline QLocale English() {
    return QLocale(QLocale::English, QLocale::UnitedStates);
}
inline QLocale German() {
    return QLocale(QLocale::German, QLocale::Germany);
}

}  // namespace vapomet::testing
