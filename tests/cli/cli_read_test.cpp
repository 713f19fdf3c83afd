// telmo-cli read: decodes files as the import commands do, bytes out exactly.
#include "files/Cp936.h"
#include "support/CliRun.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
QString Put(const QTemporaryDir& dir, const QByteArray& bytes) {
    const QString path = dir.filePath("in.txt");
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(bytes);
    return path;
}
} // namespace

TEST(CliRead, DecodesUtf8OrCodePage936) {
    QTemporaryDir dir;
    const QByteArray gbk = telmo::EncodeCp936(QString::fromUtf8("中文\r\n第二行"));
    const struct {
        const char* name;
        QStringList options;
        QByteArray file, out;
    } cases[] = {
        {"utf-8, mark dropped",
         {},
         "\xEF\xBB\xBF"
         "a\r\nb",
         "a\r\nb"},
        {"utf-8, bare lf", {}, "a\nb\n", "a\nb\n"},
        {"empty", {}, "", ""},
        {"gbk read as gbk", {"--gb2312"}, gbk, "中文\r\n第二行"},
        {"gbk read as utf-8", {}, "\xD6\xD0", "\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"utf-8 mark read as gbk", {"--gb2312"}, "\xEF\xBB\xBF", "锘\xEF\xBF\xBD"},
    };
    for (const auto& c : cases) {
        const CliResult r = RunCli(QStringList{"read"} + c.options + QStringList{Put(dir, c.file)});
        EXPECT_EQ(r.exitCode, 0) << c.name << ": " << r.err.constData();
        EXPECT_EQ(r.out, c.out) << c.name;
    }
}

TEST(CliRead, AnUnreadableFileOrBadArgumentsFail) {
    QTemporaryDir dir;
    const struct {
        QStringList args;
        int exitCode;
    } cases[] = {
        {{"read", dir.filePath("missing.txt")}, 1},
        {{"read", dir.path()}, 1},
        {{"read"}, 2},
        {{"read", "--gb2312"}, 2},
        {{"read", "--latin1", "x.txt"}, 2},
        {{"read", "a.txt", "b.txt"}, 2},
    };
    for (const auto& c : cases) {
        const CliResult r = RunCli(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_FALSE(r.err.isEmpty());
    }
}
