// vapomet-cli run as a separate process, with the regional settings of the test only, as the
// tests of the companion and the long run through the windows start it.
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <string>

namespace vapomet::testing {

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
    CliOutcome outcome;
    if (!cli.waitForFinished(60000) || cli.exitStatus() != QProcess::NormalExit) return outcome;
    outcome.status = cli.exitCode();
    outcome.out = cli.readAllStandardOutput().toStdString();
    outcome.err = cli.readAllStandardError().toStdString();
    return outcome;
}

}  // namespace vapomet::testing
