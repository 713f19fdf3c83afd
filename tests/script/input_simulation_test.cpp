#include "platform/fake/FakeRunHost.h"
#include "platform/fake/RecordingInput.h"
#include "script/InputSimulation.h"

#include <QDateTime>
#include <functional>
#include <gtest/gtest.h>

using namespace telmo;

namespace {

using Lines = QList<QByteArray>;

struct Rig {
    TraceLines trace;
    RecordingInput input{trace};
    FakeRunHost host{trace, QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5))};
    InputSimulator sim{input, host};
};

Lines Record(const std::function<void(InputSimulator&)>& action) {
    Rig rig;
    action(rig.sim);
    return rig.trace.lines;
}

// A host whose sleeps end early, as when window events keep arriving.
class WakefulHost : public FakeRunHost {
public:
    WakefulHost(TraceWriter& t, std::uint32_t counter, int wakeAfterMs)
        : FakeRunHost(t, QDateTime(), counter), wakeAfterMs_(wakeAfterMs) {}
    void waitForEvents(int maxMs) override {
        ++sleeps;
        longestSleep = std::max(longestSleep, maxMs);
        FakeRunHost::waitForEvents(std::min(maxMs, wakeAfterMs_));
    }
    int sleeps = 0;
    int longestSleep = 0;

private:
    int wakeAfterMs_;
};

} // namespace

TEST(PressKeyChord, ModifiersWrapTheKeyInWinAltCtrlShiftOrder) {
    struct Case {
        int vk, mask;
        Lines trace;
    } cases[] = {
        {65, 2, {"key 17 down", "key 65 down", "key 65 up", "key 17 up"}},
        {9, 0, {"key 9 down", "key 9 up"}},
        {65, 3, {"key 17 down", "key 16 down", "key 65 down", "key 65 up", "key 16 up", "key 17 up"}},
        {65,
         14,
         {"key 91 down", "key 18 down", "key 17 down", "key 65 down", "key 65 up", "key 17 up", "key 18 up",
          "key 91 up"}},
        {0,
         15,
         {"key 91 down", "key 18 down", "key 17 down", "key 16 down", "key 0 down", "key 0 up", "key 16 up",
          "key 17 up", "key 18 up", "key 91 up"}},
        {255, 8, {"key 91 down", "key 255 down", "key 255 up", "key 91 up"}},
        {65, 16, {}},
        {65, -1, {}},
        {256, 0, {}},
        {-1, 0, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Record([&](InputSimulator& s) { s.PressKeyChord(c.vk, c.mask); }), c.trace)
            << c.vk << "," << c.mask;
}

TEST(MoveMouseTo, NormalisesTo65536WithHalvesToEven) {
    struct Case {
        QSize screen;
        int x, y;
        Lines trace;
    } cases[] = {
        {{1920, 1080}, 960, 540, {"mouse 0x8001 32768 32768 0"}},
        {{1920, 1080}, 1919, 1079, {"mouse 0x8001 65502 65475 0"}},
        {{1920, 1080}, 100, 200, {"mouse 0x8001 3413 12136 0"}},
        {{1920, 1080}, -10, 5000, {"mouse 0x8001 -341 303407 0"}}, // off-screen points go on as they are
        {{131072, 131072}, 1, 3, {"mouse 0x8001 0 2 0"}},          // 0.5 -> 0 and 1.5 -> 2
        {{1, 1}, 40000, 0, {}},                                    // 40000 * 65536 does not fit 32 bits
        {{0, 0}, 1, 1, {}},                                        // no screen: nothing is sent
        {{0, 0}, 0, 0, {}},
    };
    for (const Case& c : cases) {
        Rig rig;
        rig.input.setPrimaryScreenSize(c.screen);
        EXPECT_EQ(rig.sim.MoveMouseTo(c.x, c.y), !c.trace.isEmpty());
        EXPECT_EQ(rig.trace.lines, c.trace) << c.x << "," << c.y;
    }
}

TEST(ExecuteCommandString, ReadsEveryNumberBeforeSendingAnything) {
    struct Case {
        const char16_t* command;
        Lines trace;
    } cases[] = {
        {u"m 960,540", {"mouse 0x8001 32768 32768 0"}},
        {u"M 960,540", {"mouse 0x8001 32768 32768 0"}},
        {u"m 100,200,300", {"mouse 0x8001 3413 12136 0"}},
        {u"m 1 00, 2 00px", {"mouse 0x8001 3413 12136 0"}},
        {u"m 100", {}},
        {u"m 100，200", {}}, // a full-width comma separates nothing
        {u"m    ", {}},
        {u"m 1,99999999999", {}},
        {u"m 2147483648,1", {}},
        {u"k 65,2", {"key 17 down", "key 65 down", "key 65 up", "key 17 up"}},
        {u"K 65,2", {"key 17 down", "key 65 down", "key 65 up", "key 17 up"}},
        {u"k 65.5,0", {"key 66 down", "key 66 up"}},
        {u"k 65", {}},
        {u"k 300,0", {}},
        {u"k -1,0", {}},
        {u"k 65,16", {}},
        {u"k 65,2.5", {"key 17 down", "key 65 down", "key 65 up", "key 17 up"}},
        {u"k 65,99999999999", {}},
        {u"h 250", {"wait 250"}},
        {u"H 1500.5", {"wait 1500"}},
        {u"h 1 000", {"wait 1000"}},
        {u"h abc", {"wait 0"}},
        {u"h -5", {"wait -5"}},
        {u"h 2147483648", {}},
        {u"h ", {}},
        {u"h", {}},
        {u"", {}},
        {u"   ", {}},
        {u"x 1,2", {}},
        {u"mx1,2", {}},
        {u"m\t1,2", {}},
    };
    for (const Case& c : cases) {
        const QString command = QString::fromUtf16(c.command);
        EXPECT_EQ(Record([&](InputSimulator& s) { s.ExecuteCommandString(command); }), c.trace)
            << command.toStdString();
    }
}

TEST(WaitMs, LastsTheFullTimeAcrossCounterWraps) {
    struct Case {
        std::uint32_t counter;
        int wakeAfterMs;
        std::int32_t ms;
    } cases[] = {
        {0, 1000000, 250},         {0xFFFFFF00u, 1000000, 1000},
        {0xFFFFFFFFu, 1000000, 2}, {0x7FFFFF00u, 1000000, 1000},
        {0xFFFFFF00u, 7, 1000},    {0x7FFFFFF0u, 3, 100},
        {0, 1000, 2147483647},
    };
    for (const Case& c : cases) {
        TraceLines trace;
        RecordingInput input(trace);
        WakefulHost host(trace, c.counter, c.wakeAfterMs);
        InputSimulator sim(input, host);
        sim.WaitMs(c.ms);
        EXPECT_EQ(host.elapsedMs(), c.ms) << std::hex << c.counter << std::dec << " " << c.ms;
        EXPECT_EQ(trace.lines, Lines{"wait " + QByteArray::number(c.ms)});
        if (c.wakeAfterMs >= c.ms) {
            EXPECT_EQ(host.sleeps, 1); // one sleep for the whole pause, no spinning
        }
        EXPECT_LE(host.longestSleep, c.ms);
    }
}

TEST(WaitMs, ZeroOrNegativeHandlesEventsOnceWithoutSleeping) {
    for (std::int32_t ms : {0, -1, INT32_MIN}) {
        TraceLines trace;
        RecordingInput input(trace);
        WakefulHost host(trace, 123, 1000);
        InputSimulator sim(input, host);
        sim.WaitMs(ms);
        EXPECT_EQ(host.eventPumps(), 1) << ms;
        EXPECT_EQ(host.sleeps, 0) << ms;
        EXPECT_EQ(host.elapsedMs(), 0) << ms;
    }
}

TEST(WaitMs, EndsAtOnceWhenAStopIsRequested) {
    TraceLines trace;
    RecordingInput input(trace);
    WakefulHost host(trace, 0, 10);
    InputSimulator sim(input, host);
    std::atomic<bool> stop{false};
    host.setStopFlag(&stop);
    sim.WaitMs(20); // unaffected while no stop is asked for
    EXPECT_EQ(host.elapsedMs(), 20);
    stop = true;
    sim.WaitMs(1000000);
    EXPECT_EQ(host.elapsedMs(), 20);
}

TEST(HeldInput, EveryButtonPressedAndNotReleasedIsReleasedNewestFirst) {
    struct Case {
        std::vector<std::pair<std::uint32_t, std::int32_t>> events;
        Lines released;
    } cases[] = {
        {{}, {}},
        {{{MOUSEEVENTF_LEFTDOWN, 0}}, {"mouse 0x0004 0 0 0"}},
        {{{MOUSEEVENTF_LEFTDOWN, 0}, {MOUSEEVENTF_LEFTUP, 0}}, {}},
        {{{MOUSEEVENTF_LEFTDOWN, 0}, {MOUSEEVENTF_LEFTDOWN, 0}}, {"mouse 0x0004 0 0 0"}},
        {{{MOUSEEVENTF_LEFTDOWN, 0},
          {MOUSEEVENTF_XDOWN, 2},
          {MOUSEEVENTF_RIGHTDOWN, 0},
          {MOUSEEVENTF_RIGHTUP, 0}},
         {"mouse 0x0100 0 0 2", "mouse 0x0004 0 0 0"}},
        {{{MOUSEEVENTF_XDOWN, 1}, {MOUSEEVENTF_XDOWN, 2}, {MOUSEEVENTF_XUP, 1}}, {"mouse 0x0100 0 0 2"}},
        {{{MOUSEEVENTF_MIDDLEDOWN, 0}, {MOUSEEVENTF_WHEEL, 120}}, {"mouse 0x0040 0 0 0"}},
        {{{MOUSEEVENTF_LEFTUP, 0}}, {}},
    };
    for (const Case& c : cases) {
        Rig rig;
        for (auto [flags, data] : c.events) rig.sim.SendMouseEvent(flags, data);
        rig.trace.lines.clear();
        rig.sim.ReleaseHeldInput();
        EXPECT_EQ(rig.trace.lines, c.released);
        EXPECT_FALSE(rig.sim.holdsInput());
    }
}

TEST(HeldInput, HeldModifiersAreReleasedToo) {
    Rig rig;
    rig.sim.ModifierDown(Modifier::Shift);
    rig.sim.ModifierDown(Modifier::Alt);
    rig.sim.ModifierDown(Modifier::Ctrl);
    rig.sim.PressKeyChord(65, 2); // its Ctrl up lets go of the Ctrl held before, as the keyboard would
    rig.trace.lines.clear();
    rig.sim.ReleaseHeldInput();
    EXPECT_EQ(rig.trace.lines, (Lines{"key 18 up", "key 16 up"}));
}
