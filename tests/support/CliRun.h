#pragma once
// Runs telmo-cli as a child process and collects what it printed.
#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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

// A test with a folder of its own for the scripts and items it writes.
class CliFilesTest : public ::testing::Test {
protected:
    QString file(const QString& name, const QByteArray& content) {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
        return path;
    }
    QTemporaryDir dir;
};
