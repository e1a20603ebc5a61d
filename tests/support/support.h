// What the tests and fuzzers share: the one recorder that stands in for the message boxes, the
// texts of all pages, the regional settings the tests use, QString in failure messages, and
// vapomet-cli run as a separate process with the regional settings of the test only.
#pragma once

#include <QLocale>
#include <QProcess>
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

// The texts of the three pages, page 1 first.
inline QList<QStringList> AllTexts(const ResultPages& pages) {
    return {pages.texts(1), pages.texts(2), pages.texts(3)};
}

inline QLocale English() {
    return QLocale(QLocale::English, QLocale::UnitedStates);
}
inline QLocale German() {
    return QLocale(QLocale::German, QLocale::Germany);
}

#ifdef VAPOMET_CLI
struct CliOutcome {
    int status = -1;  // -1: it did not end normally within a minute
    std::string out, err;
};

// `settings` are NAME=VALUE pairs that replace every regional setting of the environment;
// `input` is the standard input.
inline CliOutcome RunCli(const QStringList& arguments,
                         const QStringList& settings = {QStringLiteral("LC_ALL=en_US.UTF-8")},
                         const QByteArray& input = {}) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LC_ALL", "LC_NUMERIC", "LANG", "LANGUAGE"}) environment.remove(name);
    for (const QString& setting : settings)
        environment.insert(setting.section('=', 0, 0), setting.section('=', 1));
    QProcess cli;
    cli.setProcessEnvironment(environment);
    cli.start(QStringLiteral(VAPOMET_CLI), arguments);
    cli.write(input);
    cli.closeWriteChannel();
    if (!cli.waitForFinished(60000) || cli.exitStatus() != QProcess::NormalExit) return {};
    return {cli.exitCode(), cli.readAllStandardOutput().toStdString(),
            cli.readAllStandardError().toStdString()};
}
#endif

}  // namespace vapomet::testing
