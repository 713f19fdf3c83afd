#include "platform/WindowPlacement.h"
#include "platform/fake/FakeRunHost.h"
#include "platform/fake/RecordingInput.h"
#include "script/frmProgress.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace telmo;

namespace {

QRect PrimaryArea() {
    return QGuiApplication::primaryScreen()->availableGeometry();
}

// Lets pending window-system events arrive.
void Settle() {
    for (int i = 0; i < 5; ++i) QTest::qWait(10);
}

// A host that notes, at each moment the user is asked something, whether the progress window shows.
class WatchingHost : public FakeRunHost {
public:
    WatchingHost(TraceLines& trace, const QWidget& progress)
        : FakeRunHost(trace, QDateTime::currentDateTime()), progress_(progress) {}
    void showTip(const QString& text) override {
        seen.append(QStringLiteral("tip %1 %2").arg(text, progress_.isVisible() ? "shown" : "hidden"));
        FakeRunHost::showTip(text);
    }
    bool confirmRun() override {
        seen.append(progress_.isVisible() ? "confirm shown" : "confirm hidden");
        return true;
    }
    void stepStarting(std::int32_t, std::int32_t, int stepIndex, int, const QString&) override {
        seen.append(
            QStringLiteral("step %1 %2").arg(stepIndex).arg(progress_.isVisible() ? "shown" : "hidden"));
    }
    QStringList seen;

private:
    const QWidget& progress_;
};

} // namespace

TEST(frmProgress, ShowsThePassTheStepTheNextPassAndHowToStop) {
    struct Case {
        const char* name;
        std::int32_t interval, pass, count;
        int step, steps;
        QString line;
        QString label1, label2, label3;
    } cases[] = {
        {"a pass before others", 3, 2, 5, 2, 4, "KEY 65,0", "第 2 / 5 遍", "第 3 / 4 步：KEY 65,0",
         "本遍完成后等待 3 秒开始下一遍"},
        {"the last pass", 3, 5, 5, 0, 1, "CPY", "第 5 / 5 遍", "第 1 / 1 步：CPY", "这是最后一遍"},
        {"no pause between passes", 2147484, 1, 2, 0, 1, "PST", "第 1 / 2 遍", "第 1 / 1 步：PST",
         "本遍完成后立即开始下一遍"},
        {"a tab in the line shows as a space", 1, 1, 2, 0, 1, "INP a\tb", "第 1 / 2 遍",
         "第 1 / 1 步：INP a b", "本遍完成后等待 1 秒开始下一遍"},
    };
    for (const Case& c : cases) {
        frmProgress w;
        w.setInterval(c.interval);
        w.setStep(c.pass, c.count, c.step, c.steps, c.line);
        EXPECT_EQ(w.Label1->text(), c.label1) << c.name;
        EXPECT_EQ(w.Label2->text(), c.label2) << c.name;
        EXPECT_EQ(w.Label3->text(), c.label3) << c.name;
        EXPECT_EQ(w.Label4->text(), QStringLiteral("按 Pause 或 Shift+Esc 键停止")) << c.name;
    }
}

TEST(frmProgress, ALongStepLineIsCutToTheWindow) {
    frmProgress w;
    const QString line = "INP " + QString(5'000'000, u'长');
    w.setStep(1, 1, 0, 1, line);
    const QString shown = w.Label2->text();
    EXPECT_TRUE(shown.startsWith(QStringLiteral("第 1 / 1 步：INP 长长"))) << shown.toStdString();
    EXPECT_TRUE(shown.endsWith(QChar(0x2026))) << shown.toStdString();
    EXPECT_LE(w.Label2->fontMetrics().horizontalAdvance(shown), w.width());
}

TEST(frmProgress, CountsThePauseAfterAPassDown) {
    frmProgress w;
    w.setStep(2, 3, 0, 1, "KEY 65,0");
    w.setPassPause(2, 3, 2500);
    EXPECT_EQ(w.Label3->text(), QStringLiteral("距第 3 遍开始还有 3 秒"));
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return w.Label3->text() == QStringLiteral("距第 3 遍开始还有 2 秒"); }, 3000));
    w.setPassPause(3, 3, 0);
    EXPECT_EQ(w.Label3->text(), QStringLiteral("0 秒后结束"));
    w.setPassPause(3, 3, -1);
    EXPECT_EQ(w.Label3->text(), QStringLiteral("0 秒后结束"));
    // The next step ends the count-down.
    w.setPassPause(1, 3, 60000);
    w.setStep(2, 3, 0, 1, "KEY 65,0");
    EXPECT_FALSE(w.Timer1->isActive());
    EXPECT_EQ(w.Label3->text(), QStringLiteral("本遍完成后等待 1 秒开始下一遍"));
}

TEST(frmProgress, StandsTopmostInTheBottomRightCornerWithoutTakingTheFocus) {
    QWidget target;
    auto* edit = new QLineEdit(&target);
    target.show();
    target.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&target));
    edit->setFocus();

    frmProgress w;
    EXPECT_TRUE(w.windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
    EXPECT_TRUE(w.testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_TRUE(IsTopmost(&w));
    w.showProgress();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    Settle();
    EXPECT_FALSE(w.isActiveWindow());
    EXPECT_EQ(QApplication::activeWindow(), &target);
    EXPECT_EQ(QApplication::focusWidget(), edit);
    const QRect area = PrimaryArea();
    EXPECT_EQ(w.frameGeometry().bottomRight(),
              area.bottomRight() - QPoint(frmProgress::kMargin, frmProgress::kMargin));
    for (QWidget* child : w.findChildren<QWidget*>()) EXPECT_EQ(child->focusPolicy(), Qt::NoFocus);
}

TEST(frmProgress, MovesAsideWhenThePointerIsDueOnIt) {
    frmProgress w;
    w.showProgress();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    const QRect before = w.screenArea();
    ASSERT_FALSE(before.isEmpty());
    TraceLines trace;
    RecordingInput recording(trace, QGuiApplication::primaryScreen()->size());
    ProgressInput input(recording, w);
    const QSize screen = recording.primaryScreenSize();
    const QPoint target = before.center();
    input.mouse_event(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, target.x() * 65536 / screen.width() + 1,
                      target.y() * 65536 / screen.height() + 1, 0, 0);
    EXPECT_EQ(trace.lines.size(), 1);
    EXPECT_FALSE(w.screenArea().contains(target));
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.frameGeometry().bottomLeft(),
              PrimaryArea().bottomLeft() + QPoint(frmProgress::kMargin, -frmProgress::kMargin));
}

TEST(frmProgress, MessageWindowAndConfirmationAreNeverCovered) {
    frmProgress progress;
    TraceLines trace;
    RecordingInput input(trace);
    WatchingHost inner(trace, progress);
    {
        ProgressRunHost host(inner, progress);
        ProgressInput progressInput(input, progress);
        progress.showProgress(); // even a window left over is out of the way of the confirmation
        EXPECT_EQ(RunScript("KEY 65,0\nMSG 提示\nKEY 66,0", "", {1, -1}, progressInput, host),
                  RunOutcome::Finished);
        EXPECT_TRUE(progress.isVisible());
    }
    EXPECT_FALSE(progress.isVisible());
    EXPECT_EQ(inner.seen, (QStringList{"confirm hidden", "step 0 shown", "step 1 shown", "tip 提示 hidden",
                                       "step 2 shown"}));
}

TEST(frmProgress, TheUserMayDragIt) {
    frmProgress w;
    w.showProgress();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    const QPoint start = w.pos();
    QTest::mousePress(&w, Qt::LeftButton, {}, QPoint(20, 20));
    QMouseEvent move(QEvent::MouseMove, QPointF(20, 20),
                     QPointF(w.mapToGlobal(QPoint(20, 20)) - QPoint(300, 200)), Qt::NoButton, Qt::LeftButton,
                     {});
    QApplication::sendEvent(&w, &move);
    QTest::mouseRelease(&w, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(w.pos(), start - QPoint(300, 200));
}

TEST(RunScriptWithProgress, RunsTheScriptAndLeavesNoWindowBehind) {
    TraceLines trace;
    RecordingInput input(trace);
    FakeRunHost host(trace, QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5)));
    EXPECT_EQ(RunScriptWithProgress("CPY\nPST", "甲\n乙", {2, -1}, input, host), RunOutcome::Finished);
    EXPECT_EQ(host.clipboard(), QStringLiteral("乙"));
    EXPECT_EQ(host.pasteChords(), 2);
    for (QWidget* w : QApplication::topLevelWidgets()) EXPECT_NE(w->objectName(), "frmProgress");
}
