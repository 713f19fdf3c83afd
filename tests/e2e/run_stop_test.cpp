// The stop key of a run on a real display: Pause ends `telmo-cli run` at once, also in the middle of
// a long pause, and what the script held is let go.
#include "DisplayRun.h"
#include "E2eSupport.h"
#include "platform/x11/X11InputBackend.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <gtest/gtest.h>

using e2e::DisplayRun;
using e2e::Form;

namespace {

constexpr int kVkPause = 0x13;
constexpr int kExitStopped = 130;

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
    EXPECT_LT(stopMs, 200);

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

TEST(RunStop, APauseKeyOfTheScriptGoesToTheWindowAndTheRunGoesOn) {
    Form form;
    ASSERT_TRUE(form.ready());
    DisplayRun run({"KEY 19,0", "KEY 19,2", "INP after"}, {});
    ASSERT_TRUE(run.confirm());
    EXPECT_EQ(run.finish(), 0) << run.standardError().toStdString();
    const QJsonObject r = form.reportWhen(
        [](const QJsonObject& r) { return r["fields"].toArray()[0] == "after" && CountPauses(r) == 2; });
    EXPECT_EQ(r["fields"].toArray()[0].toString(), "after");
    EXPECT_EQ(CountPauses(r), 2) << QJsonDocument(r["keys"].toArray()).toJson().toStdString();
}
