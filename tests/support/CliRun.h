#pragma once
// Runs telmo-cli as a child process and collects what it printed.
#include <QByteArray>
#include <QProcess>
#include <QStringList>

struct CliResult {
    int exitCode = -1;
    QByteArray out, err;
};

inline CliResult RunCli(const QStringList& args, const QByteArray& input = {}) {
    QProcess p;
    p.start(TELMO_CLI_PATH, args);
    p.waitForStarted(60000);
    p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(60000);
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}
