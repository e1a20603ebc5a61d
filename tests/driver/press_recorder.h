// Test helpers: a message recorder in place of the message boxes, and the locales the tests use.
#pragma once

#include <QLocale>
#include <QStringList>

#include "driver/calculate.h"

namespace vapomet::testing {

class MessageRecorder : public MessageSink {
public:
    void showMessage(const QString& text) override { messages.append(text); }
    QStringList messages;
};

inline QLocale English() { return QLocale(QLocale::English, QLocale::UnitedStates); }
inline QLocale German() { return QLocale(QLocale::German, QLocale::Germany); }

}  // namespace vapomet::testing
