#include "platform/fake/FakeRunHost.h"
#include "platform/fake/RecordingInput.h"

#include <QTemporaryFile>
#include <gtest/gtest.h>

using namespace telmo;

TEST(TraceJson, TextsBecomeJsonStringsInUtf8) {
    struct Case {
        QString text;
        QByteArray json;
    } cases[] = {
        {"", R"("")"},
        {"A", R"("A")"},
        {"say \"hi\" \\ there", R"("say \"hi\" \\ there")"},
        {"a\tb\nc\rd\be\ff", R"("a\tb\nc\rd\be\ff")"},
        {QString(QChar(0x01)) + QChar(0x1F) + QChar(0x7F), "\"\\u0001\\u001f\x7F\""},
        {QString::fromUtf8("张三，¥100"), QByteArray("\"") + "张三，¥100" + "\""},
        {QString::fromUtf8("😀"), "\"\xF0\x9F\x98\x80\""},
        {QString(QChar(0xD83D)) + "x", R"("\ud83dx")"}, // lone high surrogate
        {QString(QChar(0xDE00)), R"("\ude00")"},        // lone low surrogate
        {QString(QChar(0xFFFD)), "\"\xEF\xBF\xBD\""},
    };
    for (const Case& c : cases) {
        QByteArray out;
        AppendJsonString(out, c.text);
        EXPECT_EQ(out, c.json) << c.text.toStdString();
    }
}

TEST(RecordingInput, WritesKeysAndMouseEventsInTheTraceFormat) {
    TraceLines trace;
    RecordingInput input(trace);
    input.keybd_event(65, 0, 0, 0);
    input.keybd_event(65, 0, KEYEVENTF_KEYUP, 0);
    input.mouse_event(MOUSEEVENTF_WHEEL, 0, 0, -120, 0);
    input.mouse_event(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, -5, 70000, 0, 0);
    input.mouse_event(0x12345, INT32_MIN, INT32_MAX, 0, 0);
    EXPECT_EQ(trace.lines,
              (QList<QByteArray>{"key 65 down", "key 65 up", "mouse 0x0800 0 0 -120",
                                 "mouse 0x8001 -5 70000 0", "mouse 0x12345 -2147483648 2147483647 0"}));
    EXPECT_EQ(input.primaryScreenSize(), QSize(1920, 1080));
}

TEST(FakeRunHost, ClockAndCounterMoveOnByEachSleep) {
    TraceLines trace;
    const QDateTime start(QDate(2024, 12, 31), QTime(23, 59, 59));
    FakeRunHost host(trace, start, 0xFFFFFFF0u);
    host.waitForEvents(1000);
    host.waitForEvents(0);
    host.waitForEvents(-5);
    EXPECT_EQ(host.currentDateTime(), QDateTime(QDate(2025, 1, 1), QTime(0, 0, 0)));
    EXPECT_EQ(host.timeGetTime(), 1000u - 16u);
    EXPECT_TRUE(trace.lines.isEmpty()); // sleeping is not an action; the pause announces itself
    host.pauseStarting(-7);
    EXPECT_EQ(trace.lines, QList<QByteArray>{"wait -7"});
}

TEST(FakeRunHost, HostActionsWriteTheirTraceLines) {
    TraceLines trace;
    FakeRunHost host(trace, QDateTime::currentDateTime());
    EXPECT_TRUE(host.clipboardClear());
    EXPECT_TRUE(host.clipboardSetText(QString::fromUtf8("第\"1\"行")));
    EXPECT_TRUE(host.shellOpen("C:\\Program Files\\x.exe", SW_SHOWMINIMIZED));
    host.showTip("");
    EXPECT_TRUE(host.confirmRun());
    EXPECT_EQ(trace.lines, (QList<QByteArray>{"clipboard clear", "clipboard set \"第\\\"1\\\"行\"",
                                              R"(shell "C:\\Program Files\\x.exe" 2)", R"(tip "")"}));
    EXPECT_EQ(host.clipboard(), QString::fromUtf8("第\"1\"行"));
}

TEST(FakeRunHost, StopCanBeScriptedByTraceLengthOrFlag) {
    TraceLines trace;
    FakeRunHost host(trace, QDateTime::currentDateTime());
    host.stopAfterTraceLines(2);
    host.clipboardClear();
    EXPECT_FALSE(host.stopRequested());
    host.clipboardClear();
    EXPECT_TRUE(host.stopRequested());

    TraceLines trace2;
    FakeRunHost flagged(trace2, QDateTime::currentDateTime());
    std::atomic<bool> flag{false};
    flagged.setStopFlag(&flag);
    EXPECT_FALSE(flagged.stopRequested());
    flag = true;
    EXPECT_TRUE(flagged.stopRequested());
    flag = false;
    EXPECT_TRUE(flagged.stopRequested()); // a stop, once asked for, stays
}

TEST(TraceStream, StreamsOneLinePerAction) {
    QTemporaryFile file;
    ASSERT_TRUE(file.open());
    std::FILE* f = std::fopen(file.fileName().toLocal8Bit().constData(), "wb");
    ASSERT_NE(f, nullptr);
    {
        TraceStream trace(f);
        RecordingInput input(trace);
        input.keybd_event(9, 0, 0, 0);
        input.keybd_event(9, 0, KEYEVENTF_KEYUP, 0);
        EXPECT_EQ(trace.linesWritten(), 2u);
    }
    std::fclose(f);
    EXPECT_EQ(file.readAll(), QByteArray("key 9 down\nkey 9 up\n"));
}
