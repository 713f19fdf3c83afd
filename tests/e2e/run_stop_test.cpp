// The stops of a run on a real display: Pause, Shift+Esc and the progress window's stop button end
// `telmo-cli run` at once, also in the middle of a long pause, and what the script held is let go.
#include "DisplayRun.h"
#include "E2eSupport.h"
#include "platform/x11/X11InputBackend.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMap>
#include <QProcess>
#include <QRect>
#include <gtest/gtest.h>

using e2e::DisplayRun;
using e2e::Form;

namespace {

constexpr int kVkPause = 0x13;
constexpr int kExitStopped = 130;
// Each run holds for 60 s at a time: a stop that ends it at once has the process gone well inside
// this, including its exit (which takes a quarter of a second in the sanitizer build).
constexpr int kStoppedWithinMs = 2000;

constexpr qint64 kXkPause = 0xff13, kXkBreak = 0xff6b; // Ctrl+Pause is Break

// Presses of the Pause key that reached the form, with or without Ctrl.
int CountPauses(const QJsonObject& r) {
    int n = 0;
    for (const QJsonValue& k : r["keys"].toArray()) {
        const qint64 keysym = k.toArray()[2].toInteger();
        if (keysym == kXkPause || keysym == kXkBreak) ++n;
    }
    return n;
}

constexpr int kVkShift = 0x10, kVkEscape = 0x1B;
constexpr qint64 kXkEscape = 0xff1b;

int CountEscapes(const QJsonObject& r) {
    int n = 0;
    for (const QJsonValue& k : r["keys"].toArray())
        if (k.toArray()[2].toInteger() == kXkEscape) ++n;
    return n;
}

QString Centre(const QJsonArray& rect) {
    return QString("%1,%2")
        .arg(rect[0].toInt() + rect[2].toInt() / 2)
        .arg(rect[1].toInt() + rect[3].toInt() / 2);
}

} // namespace

TEST(RunStop, PauseEndsALongHoldAtOnceAndReleasesTheHeldButton) {
    Form form;
    ASSERT_TRUE(form.ready());
    QStringList script{"MOV " + Centre(form.report()["padRect"].toArray()), "LFT DN"};
    for (int i = 0; i < 100; ++i) script << "HLD 60000";
    DisplayRun run(script, {});
    ASSERT_TRUE(run.confirm());
    // The run is holding once the button went down.
    QJsonObject r = form.reportWhen(
        [](const QJsonObject& r) { return e2e::CountEvents(r, "press", Qt::LeftButton, "pad") == 1; });
    ASSERT_EQ(e2e::CountEvents(r, "press", Qt::LeftButton, "pad"), 1);

    QString error;
    auto keyboard = telmo::x11::X11InputBackend::Open(&error);
    ASSERT_TRUE(keyboard) << error.toStdString();
    QElapsedTimer stopping;
    stopping.start();
    keyboard->keybd_event(kVkPause, 0, 0, 0);
    keyboard->keybd_event(kVkPause, 0, telmo::KEYEVENTF_KEYUP, 0);
    const int status = run.finish(10000);
    const qint64 stopMs = stopping.elapsed();
    EXPECT_EQ(status, kExitStopped) << run.standardError().toStdString();
    EXPECT_LT(stopMs, kStoppedWithinMs);

    r = form.reportWhen(
        [](const QJsonObject& r) { return e2e::CountEvents(r, "release", Qt::LeftButton, "pad") == 1; });
    EXPECT_EQ(e2e::CountEvents(r, "release", Qt::LeftButton, "pad"), 1);
    EXPECT_EQ(CountPauses(r), 0); // the stop key went to the run, not to the window

    // The run gave the key back when it ended.
    keyboard->keybd_event(kVkPause, 0, 0, 0);
    keyboard->keybd_event(kVkPause, 0, telmo::KEYEVENTF_KEYUP, 0);
    r = form.reportWhen([](const QJsonObject& r) { return CountPauses(r) == 1; });
    EXPECT_EQ(CountPauses(r), 1);
}

TEST(RunStop, AStopKeyOfTheScriptGoesToTheWindowAndTheRunGoesOn) {
    const struct {
        QStringList keys; // the stop key alone and with a modifier
        int (*count)(const QJsonObject&);
    } cases[] = {{{"KEY 19,0", "KEY 19,2"}, CountPauses}, {{"KEY 27,1", "KEY 27,0"}, CountEscapes}};
    for (const auto& c : cases) {
        Form form;
        ASSERT_TRUE(form.ready());
        DisplayRun run(c.keys + QStringList{"INP after"}, {});
        ASSERT_TRUE(run.confirm());
        EXPECT_EQ(run.finish(), 0) << run.standardError().toStdString();
        const QJsonObject r = form.reportWhen(
            [&](const QJsonObject& r) { return r["fields"].toArray()[0] == "after" && c.count(r) == 2; });
        EXPECT_EQ(r["fields"].toArray()[0].toString(), "after");
        EXPECT_EQ(c.count(r), 2) << QJsonDocument(r["keys"].toArray()).toJson().toStdString();
    }
}

namespace {

QString Xdotool(const QStringList& args) {
    QProcess p;
    p.start("xdotool", args);
    p.waitForFinished(5000);
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

// The progress window of the run, once it shows: its place and size on the screen.
QRect ProgressWindow() {
    QRect found;
    e2e::WaitFor(
        [&] {
            const QString id =
                Xdotool({"search", "--onlyvisible", "--name", "^脚本执行进度$"}).section('\n', 0, 0);
            if (id.isEmpty()) return false;
            QMap<QString, int> v;
            for (const QString& line : Xdotool({"getwindowgeometry", "--shell", id}).split('\n'))
                v[line.section('=', 0, 0)] = line.section('=', 1).toInt();
            found = QRect(v["X"], v["Y"], v["WIDTH"], v["HEIGHT"]);
            return !found.isEmpty();
        },
        20000);
    return found;
}

} // namespace

TEST(RunStop, ShiftEscEndsARunAtOnceForKeyboardsWithoutPause) {
    Form form;
    ASSERT_TRUE(form.ready());
    QStringList script;
    for (int i = 0; i < 100; ++i) script << "HLD 60000";
    DisplayRun run(script, {});
    ASSERT_TRUE(run.confirm());
    ASSERT_FALSE(ProgressWindow().isEmpty()); // the run is under way

    QString error;
    auto keyboard = telmo::x11::X11InputBackend::Open(&error);
    ASSERT_TRUE(keyboard) << error.toStdString();
    QElapsedTimer stopping;
    stopping.start();
    keyboard->keybd_event(kVkShift, 0, 0, 0);
    keyboard->keybd_event(kVkEscape, 0, 0, 0);
    keyboard->keybd_event(kVkEscape, 0, telmo::KEYEVENTF_KEYUP, 0);
    keyboard->keybd_event(kVkShift, 0, telmo::KEYEVENTF_KEYUP, 0);
    EXPECT_EQ(run.finish(10000), kExitStopped) << run.standardError().toStdString();
    EXPECT_LT(stopping.elapsed(), kStoppedWithinMs);
    // Shift+Esc went to the run, not to the window; once the run is over, Esc reaches the window.
    keyboard->keybd_event(kVkEscape, 0, 0, 0);
    keyboard->keybd_event(kVkEscape, 0, telmo::KEYEVENTF_KEYUP, 0);
    const QJsonObject r = form.reportWhen([](const QJsonObject& r) { return CountEscapes(r) == 1; });
    EXPECT_EQ(CountEscapes(r), 1) << "the stop key went to the window";
}

TEST(RunStop, TheStopButtonOfTheProgressWindowTakesAClickAndEndsTheRunAtOnce) {
    Form form;
    ASSERT_TRUE(form.ready());
    QStringList script;
    for (int i = 0; i < 100; ++i) script << "HLD 60000";
    DisplayRun run(script, {});
    ASSERT_TRUE(run.confirm());
    const QRect progress = ProgressWindow();
    ASSERT_FALSE(progress.isEmpty());
    // The button stands in the bottom right corner, inside the window's margins.
    const QPoint button = progress.bottomRight() - QPoint(24, 16);
    QElapsedTimer stopping;
    stopping.start();
    QProcess::execute("xdotool",
                      {"mousemove", QString::number(button.x()), QString::number(button.y()), "click", "1"});
    EXPECT_EQ(run.finish(10000), kExitStopped) << run.standardError().toStdString();
    EXPECT_LT(stopping.elapsed(), kStoppedWithinMs);
    // The click did not take the keyboard focus from the form.
    EXPECT_EQ(e2e::FocusedTitle(), "Telmo e2e form");
}
