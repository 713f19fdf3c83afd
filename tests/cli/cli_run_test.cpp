// telmo-cli run --dry-run: the printed trace, the option rules and the exit statuses.
#include "support/CliRun.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>

namespace {

class CliRun : public CliFilesTest {
protected:
    QByteArray lines(std::initializer_list<const char*> ls) {
        QByteArray out;
        for (const char* l : ls) out += QByteArray(l) + '\n';
        return out;
    }
};

} // namespace

TEST_F(CliRun, CopyPasteFiveTimesOverThreeItems) {
    const QString script = file("s.sd", "CPY\r\nPST\r\n");
    const QString items = file("items.txt", "A\r\nB\r\nC\r\n");
    CliResult r = RunCli({"run", "--dry-run", "--count", "5", "--items", items, script});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    QByteArray expected;
    for (const char* item : {"A", "B", "C", "A", "B"})
        expected += "clipboard clear\nclipboard set \"" + QByteArray(item) +
                    "\"\nwait 20\nkey 17 down\nkey 86 down\nkey 86 up\nkey 17 up\nwait 20\nwait 1000\n";
    EXPECT_EQ(r.out, expected);
    EXPECT_TRUE(r.err.isEmpty());
}

TEST_F(CliRun, StepTraces) {
    struct Case {
        QByteArray script;
        QStringList options;
        QByteArray trace;
    } cases[] = {
        {"KEY 65,2", {}, lines({"key 17 down", "key 65 down", "key 65 up", "key 17 up", "wait 1000"})},
        {"KEY 65,14",
         {},
         lines({"key 91 down", "key 18 down", "key 17 down", "key 65 down", "key 65 up", "key 17 up",
                "key 18 up", "key 91 up", "wait 1000"})},
        {"MOV 960,540", {"--screen", "1920x1080"}, lines({"mouse 0x8001 32768 32768 0", "wait 1000"})},
        {"MOV 960,540", {"--screen", "3840x2160"}, lines({"mouse 0x8001 16384 16384 0", "wait 1000"})},
        {"WHL DN", {}, lines({"mouse 0x0800 0 0 -120", "wait 1000"})},
        {"SD2 UP", {}, lines({"mouse 0x0100 0 0 2", "wait 1000"})},
        {"HLD 5", {"--interval", "2"}, lines({"wait 5", "wait 2000"})},
        {"HLD 5", {"--count", "0", "--interval", "0"}, lines({"wait 5", "wait 1000"})},
        {"HLD 5", {"--count", "-3"}, ""},
        {"HLD 5", {"--count", ""}, lines({"wait 5", "wait 1000"})},
        {"MSG 第\"一\"步\nCMD @C:\\x y", {}, "tip \"第\\\"一\\\"步\"\nshell \"C:\\\\x y\" 2\nwait 1000\n"},
        {"INP %date% %time%",
         {"--now", "2024-02-29T08:07:06"},
         lines({"clipboard clear", "clipboard set \"%date% %time%\"", "wait 20", "key 17 down", "key 86 down",
                "key 86 up", "key 17 up", "wait 1000"})},
        {"\xEF\xBB\xBFKEY 9,0",
         {},
         lines({"key 9 down", "key 9 up", "wait 1000"})}, // byte-order mark dropped
    };
    for (const Case& c : cases) {
        CliResult r =
            RunCli(QStringList{"run", "--dry-run"} + c.options + QStringList{file("s.sd", c.script)});
        EXPECT_EQ(r.exitCode, 0) << c.script.toStdString() << r.err.toStdString();
        EXPECT_EQ(r.out, c.trace) << c.script.toStdString();
    }
}

TEST_F(CliRun, NowMakesTimeAndDateReproducible) {
    const QString items = file("items.txt", "%date% %time% #%item%");
    CliResult r = RunCli({"run", "--dry-run", "--count", "2", "--interval", "3600", "--now",
                          "2024-12-31T23:30:00", "--items", items, file("s.sd", "CPY")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, lines({"clipboard clear", "clipboard set \"2024年12月31日 23:30:00 #1\"", "wait 20",
                            "wait 3600000", "clipboard clear", "clipboard set \"2025年01月01日 00:30:00 #2\"",
                            "wait 20", "wait 3600000"}));
}

TEST_F(CliRun, BlankScriptPrintsNothing) {
    for (const QByteArray& script : {QByteArray(""), QByteArray("\r\n  \r\n\n  "), QByteArray("   ")}) {
        CliResult r = RunCli({"run", "--dry-run", "--count", "3", file("s.sd", script)});
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_TRUE(r.err.isEmpty());
    }
}

TEST_F(CliRun, BadArgumentsAreUsageErrors) {
    const QString script = file("s.sd", "KEY 9,0");
    const QStringList cases[] = {
        {"run", "--dry-run"},
        {"run", "--dry-run", script, script},
        {"run", "--dry-run", "--count", "abc", script},
        {"run", "--dry-run", "--count", "1.5", script},
        {"run", "--dry-run", "--interval", "5s", script},
        {"run", "--dry-run", "--screen", "1920", script},
        {"run", "--dry-run", "--screen", "0x1080", script},
        {"run", "--dry-run", "--screen", "axb", script},
        {"run", "--dry-run", "--now", "yesterday", script},
        {"run", "--dry-run", "--now", "2024-02-30T00:00:00", script},
        {"run", "--dry-run", "--frobnicate", script},
        {"run", "--dry-run", script, "--count"},
    };
    for (const QStringList& args : cases) {
        CliResult r = RunCli(args);
        EXPECT_EQ(r.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.startsWith("telmo-cli: run: ")) << r.err.toStdString();
    }
}

TEST_F(CliRun, FailuresAreReportedWithStatusOne) {
    const QString script = file("s.sd", "KEY 9,0");
    const QStringList cases[] = {
        {"run", "--dry-run", dir.filePath("missing.sd")},
        {"run", "--dry-run", "--items", dir.filePath("missing.txt"), script},
    };
    for (const QStringList& args : cases) {
        CliResult r = RunCli(args);
        EXPECT_EQ(r.exitCode, 1) << args.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_FALSE(r.err.isEmpty());
    }
}

TEST_F(CliRun, ScriptFromStandardInput) {
    CliResult r = RunCli({"run", "--dry-run", "-"}, "WHL UP\n");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, lines({"mouse 0x0800 0 0 120", "wait 1000"}));
}

TEST_F(CliRun, HostileScriptFilesRunWithoutHarm) {
    QByteArray binary;
    for (int i = 0; i < 4096; ++i) binary.append(char((i * 7919) & 0xFF));
    struct Case {
        const char* name;
        QByteArray script;
        std::optional<QByteArray> trace;
    } cases[] = {
        {"binary bytes", binary, std::nullopt},
        {"invalid UTF-8 around steps", "\xC3\x28\nKEY 9,0\xFF\n\xED\xA0\x80\nINP \xFF",
         lines({"key 9 down", "key 9 up", "clipboard clear", "clipboard set \"\xEF\xBF\xBD\"", "wait 20",
                "key 17 down", "key 86 down", "key 86 up", "key 17 up", "wait 1000"})},
        {"a 10 MB line", "HLD " + QByteArray(10'000'000, '9') + "\nKEY 9,0",
         lines({"key 9 down", "key 9 up", "wait 1000"})},
        {"1e400", "HLD 1e400\nMOV 1e400,2", lines({"wait 1", "mouse 0x8001 34 121 0", "wait 1000"})},
    };
    for (const Case& c : cases) {
        CliResult r = RunCli({"run", "--dry-run", file("s.sd", c.script)});
        EXPECT_EQ(r.exitCode, 0) << c.name;
        if (c.trace) {
            EXPECT_EQ(r.out, *c.trace) << c.name;
        }
        EXPECT_TRUE(r.out.isValidUtf8()) << c.name;
    }
}
