// A script line of 100 MB runs or is skipped, never crashes: numbers of any length, arguments and
// items of any size, through the runner and the recording backend.
#include "platform/fake/FakeRunHost.h"
#include "platform/fake/RecordingInput.h"
#include "script/ScriptRunner.h"

#include <gtest/gtest.h>

using namespace telmo;

namespace {

constexpr qsizetype kUnits = 50 * 1024 * 1024; // 100 MB of UTF-16

// Keeps short trace lines; of long ones (a huge clipboard text) only the start and the length.
class ShortTrace : public TraceWriter {
public:
    QList<QByteArray> lines;
    qsizetype longest = 0;

protected:
    void put(QByteArrayView line) override {
        longest = std::max(longest, line.size());
        lines.append(line.first(std::min<qsizetype>(line.size(), 40)).toByteArray());
    }
};

QString Repeat(QStringView head, QChar fill, QStringView tail = {}) {
    QString s;
    s.reserve(head.size() + kUnits + tail.size());
    s.append(head);
    s.append(QString(kUnits, fill));
    s.append(tail);
    return s;
}

} // namespace

TEST(HugeScriptLines, RunOrAreSkipped) {
    struct Case {
        const char* name;
        QString script, items;
        QList<QByteArray> trace; // the short lines, huge ones cut to 40 bytes
        qsizetype longest;       // the longest trace line, at least
    };
    const QByteArray typed = "clipboard set \"" + QByteArray(40 - 15, 'x');
    const QByteArray tip = "tip \"" + QByteArray(35, 'y');
    const QByteArray shell = "shell \"" + QByteArray(33, 'z');
    const Case cases[] = {
        {"typing a huge text", Repeat(u"INP ", u'x'), {}, {"clipboard clear", typed, "wait 20", "key 17 down", "key 86 down", "key 86 up", "key 17 up", "wait 1000"}, kUnits},
        {"copying a huge item", "CPY", Repeat(u"", u'x', u"%No.%"), {"clipboard clear", typed, "wait 20", "wait 1000"}, kUnits},
        {"a huge message", Repeat(u"MSG ", u'y'), {}, {tip, "wait 1000"}, kUnits},
        {"a huge shell target", Repeat(u"CMD ", u'z'), {}, {shell, "wait 1000"}, kUnits},
        {"a key code of 50 million digits is skipped", Repeat(u"KEY ", u'9', u",0"), {}, {"wait 1000"}, 0},
        {"leading zeros do not matter", Repeat(u"KEY ", u'0', u"65,2"), {}, {"key 17 down", "key 65 down", "key 65 up", "key 17 up", "wait 1000"}, 0},
        {"blanks after the number do not matter", Repeat(u"HLD 7", u' '), {}, {"wait 7", "wait 1000"}, 0},
        {"a huge fraction rounds", Repeat(u"HLD 2.5", u'0', u"1"), {}, {"wait 3", "wait 1000"}, 0},
        {"a pointer move beyond 32 bits is skipped", Repeat(u"MOV 1", u'0', u",1"), {}, {"wait 1000"}, 0},
        {"an unknown huge line is skipped", Repeat(u"", u'q'), {}, {"wait 1000"}, 0},
    };
    for (const Case& c : cases) {
        ShortTrace trace;
        RecordingInput input(trace);
        FakeRunHost host(trace, QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5)));
        EXPECT_EQ(RunScript(c.script, c.items, {1, 1}, input, host), RunOutcome::Finished) << c.name;
        EXPECT_EQ(trace.lines, c.trace) << c.name;
        EXPECT_GE(trace.longest, c.longest) << c.name;
    }
}
