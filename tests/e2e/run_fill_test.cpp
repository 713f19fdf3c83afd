// `telmo-cli run` filling the tests' own form on a real X server: what a user's script does to
// another program's fields, every character intact.
#include "DisplayRun.h"
#include "E2eSupport.h"
#include "platform/x11/X11Probe.h"
#include "platform/x11/X11WindowState.h"

#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using e2e::AnySynthetic;
using e2e::CountEvents;
using e2e::DisplayRun;
using e2e::Form;

namespace {

QString Field(const QJsonObject& r, int i) {
    return r["fields"].toArray()[i].toString();
}

QString Point(QPoint p) {
    return QString("%1,%2").arg(p.x()).arg(p.y());
}

QPoint Centre(const QJsonArray& rect) {
    return {rect[0].toInt() + rect[2].toInt() / 2, rect[1].toInt() + rect[3].toInt() / 2};
}

// Runs the script against a ready form; the run's exit status.
int RunConfirmed(const QStringList& script, const QStringList& items = {}, const QStringList& options = {}) {
    DisplayRun run(script, items, options);
    EXPECT_TRUE(run.confirm());
    const int status = run.finish();
    EXPECT_EQ(status, 0) << run.standardError().toStdString();
    return status;
}

} // namespace

TEST(RunFill, CopyPasteTabAcrossPassesFillsTheFieldsInOrder) {
    Form form;
    ASSERT_TRUE(form.ready());
    const QStringList items = {"张三", "abc 123 x%item%y", "李四·王五《测试》，“引号”", "😀 表情 ünïcødé",
                               "unused"};
    // Two copies per pass over two passes: the items continue where the last pass stopped.
    RunConfirmed({"CPY", "PST", "KEY 9,0", "CPY", "PST", "KEY 9,0"}, items,
                 {"--count", "2", "--interval", "0"});
    const QStringList expected = {items[0], "abc 123 x1y", items[2], items[3], ""};
    const QJsonObject r = form.reportWhen([&](const QJsonObject& r) { return Field(r, 3) == items[3]; });
    EXPECT_EQ(form.fieldValues(r), expected);
    EXPECT_EQ(r["focus"].toString(), "field4");
}

TEST(RunFill, TypingStepsInARowEachTypeTheirOwnText) {
    Form form;
    ASSERT_TRUE(form.ready());
    RunConfirmed({"INP a", "INP b", "INP c", "KEY 9,0", "INP 第二", "INP 字段", "INP  空格 "});
    const QJsonObject r = form.reportWhen([](const QJsonObject& r) { return Field(r, 1).endsWith(' '); });
    EXPECT_EQ(Field(r, 0), "abc");
    EXPECT_EQ(Field(r, 1), "第二字段 空格 ");
}

TEST(RunFill, SelectAllThenTypingReplacesTheFieldText) {
    Form form;
    ASSERT_TRUE(form.ready());
    RunConfirmed({"INP old text", "KEY 65,2", "INP x"});
    const QJsonObject r = form.reportWhen([](const QJsonObject& r) { return Field(r, 0) == "x"; });
    EXPECT_EQ(Field(r, 0), "x");
}

TEST(RunFill, PointerStepsClickScrollAndSendSideButtons) {
    Form form;
    ASSERT_TRUE(form.ready());
    QJsonObject r = form.report();
    const QPoint field3 = form.fieldCentre(r, 3);
    const QPoint memo = Centre(r["memoRect"].toArray());
    const QPoint pad = Centre(r["padRect"].toArray());
    RunConfirmed({"MOV " + Point(field3), "LFT DN", "LFT UP", "INP here",                  //
                  "MOV " + Point(memo), "WHL DN", "WHL DN", "WHL DN", "HLD 100", "WHL UP", //
                  "MOV " + Point(pad), "SD1 DN", "SD1 UP", "SD2 DN", "SD2 UP"});
    r = form.reportWhen(
        [](const QJsonObject& r) { return CountEvents(r, "release", Qt::ForwardButton) == 1; });
    EXPECT_EQ(r["focus"].toString(), "field3");
    EXPECT_EQ(Field(r, 3), "here");
    EXPECT_EQ(Field(r, 0), "");
    EXPECT_EQ(CountEvents(r, "wheel", -1), 4);
    int downs = 0, ups = 0;
    for (const QJsonValue& v : r["events"].toArray()) {
        if (v["t"].toString() != "wheel") continue;
        EXPECT_EQ(v["w"].toString(), "memo");
        (v["dy"].toInt() < 0 ? downs : ups)++;
    }
    EXPECT_EQ(downs, 3);
    EXPECT_EQ(ups, 1);
    EXPECT_GT(r["memoScroll"].toInt(), 0); // three clicks down, one back up
    EXPECT_EQ(CountEvents(r, "press", Qt::BackButton), 1);
    EXPECT_EQ(CountEvents(r, "release", Qt::BackButton), 1);
    EXPECT_EQ(CountEvents(r, "press", Qt::ForwardButton), 1);
    EXPECT_EQ(CountEvents(r, "press", Qt::LeftButton), 1);
    EXPECT_FALSE(AnySynthetic(r));
}

TEST(RunFill, MessageStepWaitsForEnterInTheTipWindowThenGoesOn) {
    Form form;
    ASSERT_TRUE(form.ready());
    DisplayRun run({"INP before", "MSG 请确认：第一行", "INP after"}, {});
    ASSERT_TRUE(run.confirm());
    ASSERT_TRUE(run.waitForFocusedWindow(QStringLiteral("提示信息")));
    const std::uintptr_t tip = telmo::x11::FocusedWindow();
    EXPECT_TRUE(e2e::WaitFor([&] { return telmo::x11::WindowIsAbove(tip); }));
    QJsonObject r = form.report();
    EXPECT_EQ(Field(r, 0), "before"); // the run waits in the message
    run.tapKey(0x0D);
    EXPECT_EQ(run.finish(), 0) << run.standardError().toStdString();
    r = form.reportWhen([](const QJsonObject& r) { return Field(r, 0) == "beforeafter"; });
    EXPECT_EQ(Field(r, 0), "beforeafter");
}

TEST(RunFill, YesRunsWithoutAskingForConfirmation) {
    Form form;
    ASSERT_TRUE(form.ready());
    DisplayRun run({"INP 不问就填"}, {}, {"--yes"});
    EXPECT_EQ(run.finish(), 0) << run.standardError().toStdString();
    const QJsonObject r = form.reportWhen([](const QJsonObject& r) { return Field(r, 0) == "不问就填"; });
    EXPECT_EQ(Field(r, 0), "不问就填");
}

TEST(RunFill, CancelInTheConfirmationRunsNothing) {
    Form form;
    ASSERT_TRUE(form.ready());
    DisplayRun run({"INP never"}, {});
    ASSERT_TRUE(run.waitForFocusedWindow(QStringLiteral("运行脚本")));
    run.tapKey(0x1B); // Escape counts as Cancel
    EXPECT_EQ(run.finish(), 1);
    ASSERT_TRUE(e2e::WaitFor([] { return e2e::FocusedTitle() == "Telmo e2e form"; }));
    EXPECT_EQ(Field(form.report(), 0), "");
}

TEST(RunFill, TwoHundredFieldsEachGetTheirItem) {
    constexpr int kFields = 200;
    Form form(kFields);
    ASSERT_TRUE(form.ready());
    QStringList items, script;
    for (int i = 0; i < kFields; ++i) {
        items << (i % 3 == 0   ? QString("第%1项：张三丰").arg(i)
                  : i % 3 == 1 ? QString("item %1 <a&b> \"q\"").arg(i)
                               : QString("混合 mixed %1 ☃").arg(i));
        script << "CPY"
               << "PST"
               << "KEY 9,0";
    }
    RunConfirmed(script, items);
    const QJsonObject r =
        form.reportWhen([&](const QJsonObject& r) { return Field(r, kFields - 1) == items.last(); });
    EXPECT_EQ(form.fieldValues(r), items);
}

TEST(RunFill, WithoutADisplayTheRunFailsClearly) {
    QTemporaryDir dir;
    QFile script(dir.filePath("s.sd"));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("INP x\r\n");
    script.close();
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    p.setProcessEnvironment(env);
    p.start(TELMO_CLI_PATH, {"run", script.fileName()});
    ASSERT_TRUE(p.waitForFinished(20000));
    EXPECT_EQ(p.exitCode(), 1);
    EXPECT_TRUE(p.readAllStandardError().contains("DISPLAY"));
}
