// telmo-cli replace: the Replace-all button on standard input or a file.
#include "support/CliRun.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(CliReplace, ReplacesLikeTheButton) {
    const struct {
        const char* name;
        QStringList args;
        QByteArray in, out;
    } cases[] = {
        {"plain", {"a.b", "x"}, "a.b acb", "x acb"},
        {"regex", {"--regex", "a.b", "x"}, "a.b acb", "x x"},
        {"regex star", {"--regex", "*", "all"}, "abc", "all"},
        {"empty matches", {"--regex", "x*", "-"}, "abc", "-a-b-c-"},
        {"trim", {"--regex", "^\\s*|\\s*$", ""}, "  ab  ", "ab"},
        {"groups and escapes", {"--regex", "(\\w+),(\\w+)", "$2\\r\\n$1"}, "a,b", "b\r\na"},
        {"plain keeps escapes", {",", "\\n"}, "a,b", "a\\nb"},
        {"chinese through utf-8", {"--regex", "[\\u4e00-\\u9fa5]", "#"}, "a中b文", "a#b#"},
        {"input mark dropped", {"x", "y"}, "\xEF\xBB\xBFx", "y"},
        {"find starting with dashes", {"--", "--x", "y"}, "a--x", "ay"},
    };
    for (const auto& c : cases) {
        const CliResult r = RunCli(QStringList{"replace"} + c.args, c.in);
        EXPECT_EQ(r.exitCode, 0) << c.name << ": " << r.err.constData();
        EXPECT_EQ(r.out, c.out) << c.name;
    }
}

TEST(CliReplace, ReadsAFileNamedAfterTheTwoTexts) {
    QTemporaryDir dir;
    QFile f(dir.filePath("in.txt"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("1,2\r\n3,4");
    f.close();
    const CliResult r = RunCli({"replace", "--regex", "^(\\d),(\\d)$", "$2,$1", f.fileName()});
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.out, "2,1\r\n4,3");
}

TEST(CliReplace, RejectedPatternsAndBadArgumentsPrintNothingOnStdout) {
    const struct {
        QStringList args;
        int exitCode;
    } cases[] = {
        {{"replace", "--regex", "^(\\(\\d{3,4}-)|\\d{3.4}-)?\\d{7,8}$", "x"}, 3},
        {{"replace", "--regex", "(a+)+$", "x"}, 3},
        {{"replace", "x", "y", "/nonexistent/in.txt"}, 1},
        {{"replace", "x"}, 2},
        {{"replace", "--fast", "x", "y"}, 2},
        {{"replace", "a", "b", "c", "d"}, 2},
    };
    const QByteArray input = QByteArray(100000, 'a') + "b";
    for (const auto& c : cases) {
        const CliResult r = RunCli(c.args, input);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << c.args.join(' ').toStdString();
        EXPECT_FALSE(r.err.isEmpty()) << c.args.join(' ').toStdString();
    }
}
