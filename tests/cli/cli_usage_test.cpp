// The command line's contract on usage errors: a message on stderr and exit status 2.
#include <QProcess>
#include <gtest/gtest.h>

namespace {
struct CliResult {
    int exitCode;
    QByteArray out, err;
};

CliResult runCli(const QStringList& args) {
    QProcess p;
    p.start(TELMO_CLI_PATH, args);
    p.waitForFinished(60000);
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}
} // namespace

TEST(CliUsage, HelpGoesToStdoutWithStatusZero) {
    CliResult r = runCli({"--help"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.contains("telmo-cli run"));
}

TEST(CliUsage, UnknownCommandOrNoneIsAnError) {
    for (const QStringList& args : {QStringList{}, QStringList{"frobnicate"}}) {
        CliResult r = runCli(args);
        EXPECT_EQ(r.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_FALSE(r.err.isEmpty());
    }
}
