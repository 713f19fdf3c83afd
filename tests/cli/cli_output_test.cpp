// Output that cannot be written is a failure, never a silent success with the result lost.
#include "support/CliRun.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Case {
    const char* name;
    QStringList args; // {FILE} stands for a small UTF-8 file
};

CliResult RunToFullDisk(QStringList args, const QString& file) {
    args.replaceInStrings(QStringLiteral("{FILE}"), file);
    QProcess p;
    p.setStandardOutputFile(QStringLiteral("/dev/full"));
    p.start(TELMO_CLI_PATH, args);
    p.waitForStarted(60000);
    p.closeWriteChannel();
    p.waitForFinished(60000);
    return {p.exitCode(), {}, p.readAllStandardError()};
}

} // namespace

TEST(CliOutput, AFullDiskOnStandardOutputFailsTheCommand) {
    if (!QFile::exists(QStringLiteral("/dev/full")) || QFileInfo(QStringLiteral("/dev/full")).isFile())
        GTEST_SKIP() << "no /dev/full device here";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("in.txt"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray("第一行  one\r\n\r\n第二行 two\r\n").repeated(4096));
    f.close();

    const Case cases[] = {
        {"read", {"read", "{FILE}"}},
        {"read --gb2312", {"read", "--gb2312", "{FILE}"}},
        {"text", {"text", "0", "{FILE}"}},
        {"text, small result", {"text", "2", "{FILE}"}},
    };
    for (const Case& c : cases) {
        const CliResult r = RunToFullDisk(c.args, file);
        EXPECT_EQ(r.exitCode, 1) << c.name;
        EXPECT_TRUE(r.err.contains("cannot write standard output")) << c.name << ": " << r.err.toStdString();
    }
}
