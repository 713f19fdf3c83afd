#include "platform/fake/FakeRunHost.h"
#include "platform/fake/RecordingInput.h"
#include "script/Placeholders.h"
#include "script/ScriptRunner.h"

#include <QStringDecoder>
#include <gtest/gtest.h>

using namespace telmo;

namespace {

using Lines = QList<QByteArray>;

const Lines kPaste = {"key 17 down", "key 86 down", "key 86 up", "key 17 up"};

struct Rig {
    explicit Rig(QDateTime now = QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5))) : host(trace, now) {}
    RunOutcome run(const QString& script, const QString& items = {}, RunSettings settings = {1, 1}) {
        return RunScript(script, items, settings, input, host);
    }
    // The texts the copy and typing steps put on the clipboard, in order.
    QStringList clipboardTexts() const {
        QStringList texts;
        for (const QByteArray& l : trace.lines)
            if (l.startsWith("clipboard set \"")) texts.append(QString::fromUtf8(l.mid(15).chopped(1)));
        return texts;
    }
    TraceLines trace;
    RecordingInput input{trace};
    FakeRunHost host;
};

} // namespace

TEST(RunScript, CopyAndPasteCycleThroughTheItemsAcrossPasses) {
    Rig rig;
    EXPECT_EQ(rig.run("CPY\r\nPST\r\n", "A\r\nB\r\nC", {5, 1}), RunOutcome::Finished);
    Lines expected;
    for (const char* item : {"A", "B", "C", "A", "B"})
        expected += Lines{"clipboard clear", QByteArray("clipboard set \"") + item + "\"", "wait 20"} +
                    kPaste + Lines{"wait 20", "wait 1000"};
    EXPECT_EQ(rig.trace.lines, expected);
    EXPECT_EQ(rig.host.pasteChords(), 5);
}

TEST(RunScript, ItemSelectionAndPlaceholders) {
    struct Case {
        const char* name;
        QString script, items;
        int count;
        QStringList copied;
    } cases[] = {
        {"single item every time", "CPY\nCPY", "only", 2, {"only", "only", "only", "only"}},
        {"pass 2 goes on where pass 1 stopped", "CPY\nCPY", "A\nB\nC", 2, {"A", "B", "C", "A"}},
        {"blank lines are no items", "CPY", "\r\n\r\nA\r\n\r\n\r\nB\n\n", 3, {"A", "B", "A"}},
        {"a line of spaces is an item", "CPY", "A\n  \nB", 3, {"A", "  ", "B"}},
        {"item counter counts only items holding it",
         "CPY",
         "x%item%\ny\nz%item%",
         4,
         {"x1", "y", "z2", "x3"}},
        {"every occurrence gets the same value", "CPY", "%item%-%item%", 2, {"1-1", "2-2"}},
        {"position among the non-empty lines", "CPY\nCPY\nCPY", "a\n\nb\nNo.%No.%", 1, {"a", "b", "No.3"}},
        {"placeholders are case-sensitive", "CPY", "%ITEM% %Time% %no.%", 1, {"%ITEM% %Time% %no.%"}},
        {"time and date of the moment", "CPY", "%date% %time%", 1, {"2024年01月02日 03:04:05"}},
        {"typing never expands", "INP %time% %item%", "", 1, {"%time% %item%"}},
        {"no items: copy leaves the clipboard alone", "CPY\nINP x\nCPY", "", 1, {"x"}},
    };
    for (const Case& c : cases) {
        Rig rig;
        rig.run(c.script, c.items, {c.count, 1});
        EXPECT_EQ(rig.clipboardTexts(), c.copied) << c.name;
    }
}

TEST(RunScript, TheClockMovesOnWithThePauses) {
    Rig rig(QDateTime(QDate(2024, 12, 31), QTime(23, 59, 59)));
    rig.run("CPY", "%date% %time%", {2, 1});
    EXPECT_EQ(rig.clipboardTexts(), (QStringList{"2024年12月31日 23:59:59", "2025年01月01日 00:00:00"}));
}

TEST(RunScript, EachStepKindActsAsWritten) {
    struct Case {
        const char16_t* script;
        Lines trace; // without the pause after the pass
    } cases[] = {
        {u"PST", kPaste + Lines{"wait 20"}},
        {u"INP 你好 ", Lines{"clipboard clear", "clipboard set \"你好 \"", "wait 20"} + kPaste},
        {u"INP ", Lines{"clipboard clear", "clipboard set \"\"", "wait 20"} + kPaste},
        {u"MSG 请确认", {"tip \"请确认\""}},
        {u"MSG ", {"tip \"\""}},
        {u"MOV 960,540", {"mouse 0x8001 32768 32768 0"}},
        {u"MOV 100", {}},
        {u"MOV 100，200", {}},
        {u"MOV 1e400,1e400", {"mouse 0x8001 34 61 0"}},
        {u"HLD 1500.5", {"wait 1500"}},
        {u"HLD abc", {"wait 0"}},
        {u"HLD 99999999999", {}},
        {u"KEY 65,2", Lines{"key 17 down", "key 65 down", "key 65 up", "key 17 up"}},
        {u"KEY 256,0", {}},
        {u"KEY 65,16", {}},
        {u"KEY 65", {}},
        {u"CMD @notepad", {"shell \"notepad\" 2"}},
        {u"CMD note@pad", {"shell \"notepad\" 2"}},
        {u"CMD https://example.org/?q=a b", {"shell \"https://example.org/?q=a b\" 5"}},
        {u"CMD ", {"shell \"\" 5"}},
        {u"LFT DN", {"mouse 0x0002 0 0 0"}},
        {u"WHL DN", {"mouse 0x0800 0 0 -120"}},
        {u"WHL UPPER", {"mouse 0x0800 0 0 120"}},
        {u"SD2 UP", {"mouse 0x0100 0 0 2"}},
        {u"SD1 dn  ", {"mouse 0x0080 0 0 1"}},
        {u"lft dn\n LFT DN\nINP\nCP\nWHL XX\n\t", {}},
    };
    for (const Case& c : cases) {
        Rig rig;
        rig.run(QString::fromUtf16(c.script));
        EXPECT_EQ(rig.trace.lines, c.trace + Lines{"wait 1000"})
            << QString::fromUtf16(c.script).toStdString();
    }
}

TEST(RunScript, LineEndsAndBlankLinesDoNotMatter) {
    QList<Lines> traces;
    for (const char* script : {"CPY\r\nKEY 9,0\r\nPST\r\n", "CPY\nKEY 9,0\nPST", "CPY\rKEY 9,0\rPST\r",
                               "\r\n\nCPY\n\n\nKEY 9,0\r\r\nPST\n\n"}) {
        Rig rig;
        rig.run(script, "A\nB", {3, 2});
        traces.append(rig.trace.lines);
    }
    for (const Lines& t : traces) EXPECT_EQ(t, traces.first());
}

TEST(RunScript, PassesAndThePauseAfterEach) {
    struct Case {
        RunSettings settings;
        Lines trace;
    } cases[] = {
        {{1, 1}, {"key 9 down", "key 9 up", "wait 1000"}},
        {{2, 3}, {"key 9 down", "key 9 up", "wait 3000", "key 9 down", "key 9 up", "wait 3000"}},
        {{-1, 1}, {}},
        {{INT32_MIN, 1}, {}},
        {{1, 2147483}, {"key 9 down", "key 9 up", "wait 2147483000"}},
        {{1, 2147484}, {"key 9 down", "key 9 up"}}, // interval x 1000 leaves 32 bits: no pause
        {{1, -2147483}, {"key 9 down", "key 9 up", "wait -2147483000"}},
        {{1, -2147484}, {"key 9 down", "key 9 up"}},
        {{1, INT32_MAX}, {"key 9 down", "key 9 up"}},
    };
    for (const Case& c : cases) {
        Rig rig;
        EXPECT_EQ(rig.run("KEY 9,0", "", c.settings), RunOutcome::Finished);
        EXPECT_EQ(rig.trace.lines, c.trace) << c.settings.count << " " << c.settings.interval;
    }
}

TEST(RunScript, DeclinedRunDoesNothing) {
    Rig rig;
    rig.host.setConfirm(false);
    EXPECT_EQ(rig.run("CPY\nPST\nLFT DN", "A", {3, 1}), RunOutcome::Declined);
    EXPECT_TRUE(rig.trace.lines.isEmpty());
}

TEST(RunScript, UnconfirmedRunAsksNothingAndRuns) {
    Rig rig;
    rig.host.setConfirm(false); // would decline, but is never asked
    RunSettings settings{1, 0};
    settings.confirm = false;
    EXPECT_EQ(rig.run("KEY 9,0", "", settings), RunOutcome::Finished);
    EXPECT_FALSE(rig.trace.lines.isEmpty());
}

TEST(RunScript, StopEndsTheRunAndReleasesWhatTheScriptHolds) {
    struct Case {
        const char* name;
        QString script;
        std::uint64_t stopAfterLines;
        Lines trace;
    } cases[] = {
        {"inside a pause",
         "LFT DN\nSD1 DN\nHLD 100000\nLFT UP",
         3,
         {"mouse 0x0002 0 0 0", "mouse 0x0080 0 0 1", "wait 100000", "mouse 0x0100 0 0 1",
          "mouse 0x0004 0 0 0"}},
        {"between steps",
         "RGH DN\nMID DN\nMID UP\nKEY 9,0",
         2,
         {"mouse 0x0008 0 0 0", "mouse 0x0020 0 0 0", "mouse 0x0040 0 0 0", "mouse 0x0010 0 0 0"}},
        {"in the pause after a pass", "KEY 9,0", 3, {"key 9 down", "key 9 up", "wait 1000"}},
        {"typing stops before its paste",
         "INP x\nKEY 9,0",
         3,
         {"clipboard clear", "clipboard set \"x\"", "wait 20"}},
    };
    for (const Case& c : cases) {
        Rig rig;
        rig.host.stopAfterTraceLines(c.stopAfterLines);
        EXPECT_EQ(rig.run(c.script, "", {1000, 1}), RunOutcome::Stopped) << c.name;
        EXPECT_EQ(rig.trace.lines, c.trace) << c.name;
        EXPECT_EQ(rig.host.elapsedMs(), 0) << c.name; // no pause went on after the stop
    }
}

TEST(RunScript, AFinishedRunLeavesHeldButtonsAsTheScriptLeftThem) {
    Rig rig;
    EXPECT_EQ(rig.run("LFT DN", "", {1, 1}), RunOutcome::Finished);
    EXPECT_EQ(rig.trace.lines, (Lines{"mouse 0x0002 0 0 0", "wait 1000"}));
}

TEST(RunScript, HostileTextsRunWithoutHarm) {
    const QString hugeLine(10'000'000, u'7');
    static constexpr char kBinary[] = "\x00\xff\xfe\x80\xc3\x28\r\nCPY\x00\x01\r\nKEY 9,0\xed\xa0\x80";
    const QByteArray binary(kBinary, sizeof kBinary - 1);
    struct Case {
        const char* name;
        QString script;
        QString items;
        qsizetype lines;
    } cases[] = {
        {"10 MB hold", "HLD " + hugeLine, "", 1},
        {"10 MB move", "MOV " + hugeLine + "," + hugeLine, "", 1},
        {"10 MB key", "KEY 65," + hugeLine, "", 1},
        {"10 MB item", "CPY", hugeLine, 4},
        {"invalid UTF-8 and control bytes", QString::fromUtf8(binary), QString::fromUtf8(binary), 6},
        {"lone surrogates", QString(QChar(0xD800)) + "CPY\nINP " + QChar(0xDC00), QString(QChar(0xD800)), 8},
    };
    for (const Case& c : cases) {
        Rig rig;
        EXPECT_EQ(rig.run(c.script, c.items), RunOutcome::Finished) << c.name;
        EXPECT_EQ(rig.trace.lines.size(), c.lines) << c.name;
        for (const QByteArray& line : rig.trace.lines) {
            QStringDecoder utf8(QStringDecoder::Utf8);
            (void)utf8.decode(line);
            EXPECT_FALSE(utf8.hasError()) << c.name; // the trace stays valid UTF-8
        }
    }
}

TEST(ExecuteButton, ReadsCountAndIntervalLikeTheDigitBoxes) {
    struct Case {
        const char* count;
        const char* interval;
        RunSettings settings;
    } cases[] = {
        {"", "", {1, 1}},
        {"0", "0", {1, 1}},
        {"5", "3", {5, 3}},
        {"-2", "-1", {-2, -1}},
        {"2.5", "3.5", {2, 4}},
        {"0.4", "-0.4", {1, 1}},
        {"12abc", "abc", {12, 1}},
        {"99999999999", "99999999999", {INT32_MAX, INT32_MAX}},
        {" -99999999999", "- 99999999999", {INT32_MIN, INT32_MIN}},
        {"2147483647", "2147483648", {INT32_MAX, INT32_MAX}},
    };
    for (const Case& c : cases) {
        const RunSettings s = ReadRunSettings(QString(c.count), QString(c.interval));
        EXPECT_EQ(s.count, c.settings.count) << c.count;
        EXPECT_EQ(s.interval, c.settings.interval) << c.interval;
    }
}

TEST(ExecuteButton, OnlyLineEndsAndSpacesMakeABlankScript) {
    struct Case {
        const char* script;
        bool blank;
    } cases[] = {
        {"", true},       {"\r\n\r\n", true}, {"  \r\n  \n\r ", true}, {"\t", false},
        {" CPY ", false}, {"\n\nx", false},   {"　", false}, // a full-width space is text
    };
    for (const Case& c : cases) EXPECT_EQ(IsBlankScript(QString::fromUtf8(c.script)), c.blank) << c.script;
}

TEST(Placeholders, TimeAndDateTexts) {
    const QDateTime at(QDate(987, 3, 4), QTime(21, 5, 9));
    EXPECT_EQ(TimeText(at), "21:05:09");
    EXPECT_EQ(DateText(at), QString::fromUtf8("0987年03月04日"));
    EXPECT_EQ(TimeText(QDateTime(QDate(2024, 1, 1), QTime(0, 0, 0))), "00:00:00");
}

TEST(Placeholders, TimeAndDateComeFromOneReadingOfTheClock) {
    int readings = 0;
    const auto clock = [&] {
        ++readings; // each reading is one millisecond later, across midnight
        return QDateTime(QDate(2024, 1, 1), QTime(23, 59, 59, 999)).addMSecs(readings - 1);
    };
    std::int64_t counter = 0;
    EXPECT_EQ(ExpandPlaceholders("%time% %date% %time%", 1, counter, clock),
              QString::fromUtf8("23:59:59 2024年01月01日 23:59:59"));
    EXPECT_EQ(readings, 1);
    EXPECT_EQ(ExpandPlaceholders("%No.%-%item%", 7, counter, clock), "7-1");
    EXPECT_EQ(readings, 1); // nothing asked for the clock
}
