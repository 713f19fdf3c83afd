// telmo-cli run where POSIX signals and an X display are the platform: an interrupted dry run,
// and a real run without a display to drive.
#include "support/CliRun.h"

#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>

namespace {

using CliRunPosix = CliFilesTest;

} // namespace

TEST_F(CliRunPosix, InterruptedDryRunReleasesHeldButtonsAndExits130) {
    QProcess p;
    p.start(TELMO_CLI_PATH, {"run", "--dry-run", "--count", "2000000000", file("s.sd", "LFT DN\nHLD 1")});
    ASSERT_TRUE(p.waitForStarted());
    ASSERT_TRUE(p.waitForReadyRead(30000));
    ::kill(pid_t(p.processId()), SIGINT);
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 130);
    const QByteArray out = p.readAllStandardOutput();
    EXPECT_TRUE(out.endsWith("mouse 0x0004 0 0 0\n")) << out.right(200).toStdString();
}

TEST_F(CliRunPosix, WithoutDryRunItSaysWhatIsMissing) {
    // Without a display to drive (the end-to-end tests cover the run on one) the run says so.
    const QByteArray display = qgetenv("DISPLAY");
    qunsetenv("DISPLAY");
    CliResult r = RunCli({"run", file("s.sd", "KEY 9,0")});
    if (!display.isEmpty()) qputenv("DISPLAY", display);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains("DISPLAY")) << r.err.toStdString();
}
