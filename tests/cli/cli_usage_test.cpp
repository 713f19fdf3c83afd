// The command line's contract on usage errors: a message on stderr and exit status 2.
#include "Version.h"
#include "support/CliRun.h"

#include <gtest/gtest.h>

TEST(CliUsage, HelpGoesToStdoutWithStatusZero) {
    CliResult r = RunCli({"--help"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.contains("telmo-cli run"));
}

TEST(CliUsage, UnknownCommandOrNoneIsAnError) {
    for (const QStringList& args : {QStringList{}, QStringList{"frobnicate"}}) {
        CliResult r = RunCli(args);
        EXPECT_EQ(r.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_FALSE(r.err.isEmpty());
    }
}

TEST(CliUsage, VersionIsTheBuildsVersion) {
    CliResult r = RunCli({"--version"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, QByteArray("telmo-cli ") + telmo::kVersion + "\n");
    EXPECT_TRUE(r.err.isEmpty());
}
