// The Execute button of the script page: reading count and interval, the blank-script rule, and the
// main window hidden during the run and restored afterwards, topmost included. The run itself goes
// to the recording fakes.
#include "AppTestSupport.h"
#include "platform/WindowPlacement.h"
#include "platform/fake/FakeRunHost.h"
#include "platform/fake/RecordingInput.h"

#include <QCheckBox>
#include <QPushButton>

using namespace telmo;
using telmo::testing::Box;
using telmo::testing::Find;

namespace {

// How the main window looked when the run asked for confirmation. The test keeps it: the host itself
// goes away with the run.
struct Observed {
    int confirmations = 0;
    bool visibleDuringRun = true;
    bool topmostDuringRun = true;
    bool quitOnLastClosedDuringRun = true;
};

class WatchingHost : public FakeRunHost {
public:
    WatchingHost(TraceWriter& trace, QWidget* window, Observed& seen)
        : FakeRunHost(trace, QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5))), window_(window), seen_(seen) {}
    bool confirmRun() override {
        ++seen_.confirmations;
        seen_.visibleDuringRun = window_->isVisible();
        seen_.topmostDuringRun = IsTopmost(window_);
        seen_.quitOnLastClosedDuringRun = QGuiApplication::quitOnLastWindowClosed();
        return FakeRunHost::confirmRun();
    }

private:
    QWidget* window_;
    Observed& seen_;
};

struct RunFixture : ::testing::Test {
    frmMain w;
    TraceLines trace;
    Observed seen;
    int backendsMade = 0;

    void SetUp() override {
        w.CreateBackends = [this](QString*) {
            ++backendsMade;
            RealBackends b;
            b.input = std::make_unique<RecordingInput>(trace);
            b.host = std::make_unique<WatchingHost>(trace, &w, seen);
            return b;
        };
        w.show();
    }
    void Execute(const char* script, const char* count, const char* interval) {
        Box(&w, "TextBoxW3")->SetText(QString::fromUtf8(script));
        Box(&w, "TextBoxW4(0)")->SetText(QString::fromUtf8(count));
        Box(&w, "TextBoxW4(1)")->SetText(QString::fromUtf8(interval));
        Find<QPushButton>(&w, "Command1(7)")->click();
    }
    int Waits(const char* line) { return int(trace.lines.count(QByteArray(line))); }
};

using ExecuteScriptButton = RunFixture;

TEST_F(ExecuteScriptButton, BlankScriptGivesUpSilently) {
    const char* blanks[] = {"", "\r\n\r\n", "   \r\n  ", "\n\r \r"};
    for (const char* script : blanks) {
        Execute(script, "3", "1");
        EXPECT_EQ(backendsMade, 0) << script;
        EXPECT_TRUE(w.isVisible());
    }
}

struct SettingsCase {
    const char* count;
    const char* interval;
    int passes;
    const char* pause;
};

TEST_F(ExecuteScriptButton, ReadsCountAndIntervalFromDigitBoxes) {
    const SettingsCase cases[] = {
        {"", "", 1, "wait 1000"},
        {"0", "0", 1, "wait 1000"},
        {"3", "2", 3, "wait 2000"},
        {"02", "", 2, "wait 1000"},
    };
    for (const auto& c : cases) {
        trace.lines.clear();
        Execute("HLD 0\r\n", c.count, c.interval);
        EXPECT_EQ(Waits(c.pause), c.passes) << c.count << "/" << c.interval;
    }
}

TEST_F(ExecuteScriptButton, HidesWindowDuringRunAndShowsItAfter) {
    Execute("HLD 0", "1", "1");
    EXPECT_EQ(seen.confirmations, 1);
    EXPECT_FALSE(seen.visibleDuringRun);
    EXPECT_FALSE(seen.quitOnLastClosedDuringRun);
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(QGuiApplication::quitOnLastWindowClosed());
}

TEST_F(ExecuteScriptButton, TopmostIsClearedForRunAndRestored) {
    Find<QCheckBox>(&w, "Check2")->click();
    ASSERT_TRUE(IsTopmost(&w));
    Execute("HLD 0", "1", "1");
    EXPECT_EQ(seen.confirmations, 1);
    EXPECT_FALSE(seen.topmostDuringRun);
    EXPECT_TRUE(IsTopmost(&w));
}

TEST_F(ExecuteScriptButton, DeclinedRunStillRestoresWindow) {
    w.CreateBackends = [this](QString*) {
        RealBackends b;
        b.input = std::make_unique<RecordingInput>(trace);
        auto h = std::make_unique<WatchingHost>(trace, &w, seen);
        h->setConfirm(false);
        b.host = std::move(h);
        return b;
    };
    Execute("HLD 0", "5", "1");
    EXPECT_EQ(seen.confirmations, 1);
    EXPECT_TRUE(trace.lines.isEmpty());
    EXPECT_TRUE(w.isVisible());
}

} // namespace
