// The command line's contract on usage errors: a message on stderr and exit status 2.
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
