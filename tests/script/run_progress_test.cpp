#include "platform/fake/FakeRunHost.h"
#include "platform/fake/RecordingInput.h"
#include "script/RunProgress.h"
#include "script/ScriptRunner.h"

#include <gtest/gtest.h>

using namespace telmo;

namespace {

using Lines = QList<QByteArray>;

QByteArray Num(qint64 v) {
    return QByteArray::number(v);
}

// A fake host that also writes the progress notifications into the trace.
class ProgressTracingHost : public FakeRunHost {
public:
    ProgressTracingHost(TraceLines& trace)
        : FakeRunHost(trace, QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5))), lines_(trace) {}
    void stepStarting(std::int32_t pass, std::int32_t count, int stepIndex, int stepCount,
                      const QString& line) override {
        lines_.writeLine("step " + Num(pass) + "/" + Num(count) + " " + Num(stepIndex) + "/" +
                         Num(stepCount) + " " + line.toUtf8());
    }
    void passPauseStarting(std::int32_t pass, std::int32_t count, std::int32_t ms) override {
        lines_.writeLine("pass pause " + Num(pass) + "/" + Num(count) + " " + Num(ms));
    }

private:
    TraceLines& lines_;
};

// A display that records what it is told in the trace, so the order against input events shows.
class FakeDisplay : public ProgressDisplay {
public:
    explicit FakeDisplay(TraceLines& trace) : trace_(trace) {}
    void showProgress() override {
        shown_ = true;
        trace_.writeLine("display show");
    }
    void hideProgress() override {
        if (shown_) trace_.writeLine("display hide");
        shown_ = false;
    }
    bool progressShown() const override { return shown_; }
    void setStep(std::int32_t pass, std::int32_t count, int stepIndex, int stepCount,
                 const QString& line) override {
        trace_.writeLine("display step " + Num(pass) + "/" + Num(count) + " " + Num(stepIndex) + "/" +
                         Num(stepCount) + " " + line.toUtf8());
    }
    void setPassPause(std::int32_t pass, std::int32_t count, std::int32_t ms) override {
        trace_.writeLine("display pause " + Num(pass) + "/" + Num(count) + " " + Num(ms));
    }
    QRect screenArea() const override { return shown_ ? area : QRect(); }
    std::optional<QPoint> pointerPosition() const override { return pointer; }
    void moveAwayFrom(QPoint point) override {
        trace_.writeLine("display away " + Num(point.x()) + "," + Num(point.y()));
        area.moveTo(0, 0);
    }

    QRect area{1600, 980, 300, 80};
    std::optional<QPoint> pointer;

private:
    TraceLines& trace_;
    bool shown_ = false;
};

Lines Matching(const Lines& lines, const char* prefix) {
    Lines out;
    for (const QByteArray& l : lines)
        if (l.startsWith(prefix)) out += l;
    return out;
}

} // namespace

TEST(RunProgressNotifications, EveryStepAndEveryPassPauseIsAnnounced) {
    struct Case {
        const char* name;
        QString script;
        RunSettings settings;
        Lines notes; // step and pass pause lines, in order
    } cases[] = {
        {"two passes",
         "MSG a\r\n\r\nHLD 5",
         {2, 3},
         {"step 1/2 0/2 MSG a", "step 1/2 1/2 HLD 5", "pass pause 1/2 3000", "step 2/2 0/2 MSG a",
          "step 2/2 1/2 HLD 5", "pass pause 2/2 3000"}},
        {"lines that do nothing still count as steps",
         "xyz\nKEY 65",
         {1, 1},
         {"step 1/1 0/2 xyz", "step 1/1 1/2 KEY 65", "pass pause 1/1 1000"}},
        {"no pass at all", "KEY 65,0", {-3, 1}, {}},
        {"a pause that does not fit is announced as skipped",
         "KEY 65,0",
         {1, 2147484},
         {"step 1/1 0/1 KEY 65,0", "pass pause 1/1 -1"}},
        {"a negative interval", "KEY 65,0", {1, -2}, {"step 1/1 0/1 KEY 65,0", "pass pause 1/1 -2000"}},
    };
    for (const Case& c : cases) {
        TraceLines trace;
        RecordingInput input(trace);
        ProgressTracingHost host(trace);
        RunScript(c.script, "", c.settings, input, host);
        Lines notes;
        for (const QByteArray& l : trace.lines)
            if (l.startsWith("step ") || l.startsWith("pass pause ")) notes += l;
        EXPECT_EQ(notes, c.notes) << c.name;
    }
}

TEST(RunProgressNotifications, AStepIsAnnouncedBeforeItActsAndThePassPauseBeforeItsWait) {
    TraceLines trace;
    RecordingInput input(trace);
    ProgressTracingHost host(trace);
    RunScript("KEY 65,0", "", {1, 1}, input, host);
    EXPECT_EQ(trace.lines, (Lines{"step 1/1 0/1 KEY 65,0", "key 65 down", "key 65 up", "pass pause 1/1 1000",
                                  "wait 1000"}));
}

TEST(RunProgressNotifications, NoStepIsAnnouncedAfterAStop) {
    TraceLines trace;
    RecordingInput input(trace);
    ProgressTracingHost host(trace);
    host.stopAfterTraceLines(4); // step, key down, key up, step of the second line
    EXPECT_EQ(RunScript("KEY 65,0\nKEY 66,0\nKEY 67,0", "", {5, 1}, input, host), RunOutcome::Stopped);
    EXPECT_EQ(Matching(trace.lines, "step "), (Lines{"step 1/5 0/3 KEY 65,0", "step 1/5 1/3 KEY 66,0"}));
}

TEST(CornerAvoiding, TriesTheCornersInTurn) {
    const QRect screen(0, 0, 1920, 1080);
    const QSize size(300, 80);
    struct Case {
        const char* name;
        QPoint avoid;
        std::optional<QPoint> corner;
    } cases[] = {
        {"far away: bottom right", QPoint(10, 10), QPoint(1608, 988)},
        {"inside bottom right: bottom left", QPoint(1700, 1000), QPoint(12, 988)},
        {"on its edge counts as inside", QPoint(1606, 1000), QPoint(12, 988)},
        {"just clear of its edge", QPoint(1605, 1000), QPoint(1608, 988)},
    };
    for (const Case& c : cases) EXPECT_EQ(CornerAvoiding(screen, size, 12, c.avoid), c.corner) << c.name;
    // A screen whose corners all overlap in the middle leaves no room.
    EXPECT_EQ(CornerAvoiding(QRect(0, 0, 400, 120), size, 12, QPoint(200, 60)), std::nullopt);
    // The area's own origin is kept (a screen right of another, a panel on top).
    EXPECT_EQ(CornerAvoiding(QRect(1920, 30, 1280, 1000), size, 12, QPoint(0, 0)), QPoint(2888, 938));
    EXPECT_EQ(CornerAvoiding(QRect(1920, 30, 1280, 1000), size, 12, QPoint(3000, 1000)), QPoint(1932, 938));
    // Both bottom corners taken on a narrow screen: top right.
    EXPECT_EQ(CornerAvoiding(QRect(0, 0, 500, 1080), size, 12, QPoint(250, 1000)), QPoint(188, 12));
}

TEST(ProgressRunHost, TheDisplayFollowsTheRunAndKeepsOutOfTheWayOfItsWindows) {
    struct Case {
        const char* name;
        QString script;
        RunSettings settings;
        bool confirm;
        Lines expected; // display lines and the host's tips
    } cases[] = {
        {"declined: never shown", "KEY 65,0", {1, 1}, false, {}},
        {"no passes: never shown", "KEY 65,0", {-1, 1}, true, {}},
        {"shown with the first step, hidden at the end",
         "KEY 65,0",
         {1, 1},
         true,
         {"display step 1/1 0/1 KEY 65,0", "display show", "display pause 1/1 1000", "display hide"}},
        {"hidden around a message",
         "MSG 你好\nKEY 65,0",
         {1, 2},
         true,
         {"display step 1/1 0/2 MSG 你好", "display show", "display hide", "tip \"你好\"", "display show",
          "display step 1/1 1/2 KEY 65,0", "display pause 1/1 2000", "display hide"}},
    };
    for (const Case& c : cases) {
        TraceLines trace;
        RecordingInput input(trace);
        FakeRunHost inner(trace, QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5)));
        inner.setConfirm(c.confirm);
        FakeDisplay display(trace);
        {
            ProgressRunHost host(inner, display);
            RunScript(c.script, "", c.settings, input, host);
        }
        Lines seen;
        for (const QByteArray& l : trace.lines)
            if (l.startsWith("display ") || l.startsWith("tip ")) seen += l;
        EXPECT_EQ(seen, c.expected) << c.name;
    }
}

TEST(ProgressRunHost, TheConfirmationIsNeverCovered) {
    TraceLines trace;
    FakeRunHost inner(trace, QDateTime::currentDateTime());
    FakeDisplay display(trace);
    display.showProgress();
    ProgressRunHost host(inner, display);
    EXPECT_TRUE(host.confirmRun());
    EXPECT_FALSE(display.progressShown());
}

TEST(ProgressRunHost, TheRunActsExactlyAsWithoutTheDisplay) {
    const QString script = "CPY\nPST\nINP 甲\nMSG m\nMOV 10,10\nLFT DN\nLFT UP\nHLD 30\nKEY 65,3\nCMD @x";
    const QString items = "A\nB%item%\n%time%";
    auto run = [&](bool decorated) {
        TraceLines trace;
        RecordingInput input(trace);
        FakeRunHost inner(trace, QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5)));
        TraceLines displayTrace;
        FakeDisplay display(displayTrace);
        display.area = QRect(); // never in the way
        ProgressRunHost host(inner, display);
        ProgressInput progressInput(input, display);
        if (decorated)
            RunScript(script, items, {3, 2}, progressInput, host);
        else
            RunScript(script, items, {3, 2}, input, inner);
        return std::pair(trace.lines, inner.clipboard());
    };
    const auto plain = run(false);
    EXPECT_GT(plain.first.size(), 60);
    EXPECT_EQ(run(true), plain);
}

TEST(ProgressInput, MovesTheDisplayAsideBeforeThePointerWouldLandOnIt) {
    // The display stands at 1600,980 300x80 on a 1920x1080 screen.
    struct Case {
        const char* name;
        std::uint32_t flags;
        std::int32_t dx, dy; // normalised
        std::optional<QPoint> pointer;
        bool shown;
        QByteArray away; // the display line expected before the event, or empty
    } cases[] = {
        {"move onto it", 0x8001, 59000, 62000, std::nullopt, true, "display away 1728,1021"},
        {"move onto its top left pixel", 0x8001, 54614, 59469, std::nullopt, true, "display away 1600,980"},
        {"move next to it", 0x8001, 40000, 62000, std::nullopt, true, ""},
        {"move onto it while it is hidden", 0x8001, 59000, 62000, std::nullopt, false, ""},
        {"relative move", 0x0001, 59000, 62000, QPoint(1700, 1000), true, ""},
        {"click with the pointer over it", 0x0002, 0, 0, QPoint(1700, 1000), true, "display away 1700,1000"},
        {"release with the pointer over it", 0x0004, 0, 0, QPoint(1700, 1000), true,
         "display away 1700,1000"},
        {"wheel with the pointer over it", 0x0800, 0, 0, QPoint(1899, 1059), true, "display away 1899,1059"},
        {"side button with the pointer over it", 0x0080, 0, 0, QPoint(1600, 980), true,
         "display away 1600,980"},
        {"click elsewhere", 0x0002, 0, 0, QPoint(100, 100), true, ""},
        {"click with the pointer unknown", 0x0002, 0, 0, std::nullopt, true, ""},
    };
    for (const Case& c : cases) {
        TraceLines trace;
        RecordingInput inner(trace);
        FakeDisplay display(trace);
        if (c.shown) display.showProgress();
        display.pointer = c.pointer;
        trace.lines.clear();
        ProgressInput input(inner, display);
        input.mouse_event(c.flags, c.dx, c.dy, 0, 0);
        const QByteArray event = "mouse 0x" +
                                 QByteArray::number(c.flags, 16).rightJustified(4, '0').toUpper() + " " +
                                 Num(c.dx) + " " + Num(c.dy) + " 0";
        Lines expected;
        if (!c.away.isEmpty()) expected += c.away;
        expected += event;
        EXPECT_EQ(trace.lines, expected) << c.name;
    }
}

TEST(ProgressInput, KeysPassStraightThrough) {
    TraceLines trace;
    RecordingInput inner(trace, QSize(800, 600));
    FakeDisplay display(trace);
    display.showProgress();
    display.pointer = QPoint(1700, 1000);
    trace.lines.clear();
    ProgressInput input(inner, display);
    input.keybd_event(65, 0, 0, 0);
    input.keybd_event(65, 0, KEYEVENTF_KEYUP, 0);
    EXPECT_EQ(trace.lines, (Lines{"key 65 down", "key 65 up"}));
    EXPECT_EQ(input.primaryScreenSize(), QSize(800, 600));
}
