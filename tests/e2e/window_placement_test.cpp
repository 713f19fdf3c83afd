// The topmost band on a real X server with a window manager: the manager's stacking order decides.
#include "platform/WindowPlacement.h"
#include "platform/x11/X11WindowState.h"

#include <QElapsedTimer>
#include <QTest>
#include <QWidget>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

namespace {

bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 5000) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < timeoutMs) {
        if (condition()) return true;
        QTest::qWait(10);
    }
    return condition();
}

// True when the window manager stacks upper above lower.
bool StackedAbove(const QWidget& upper, const QWidget& lower) {
    const auto order = telmo::x11::ClientStackingOrder();
    auto u = std::find(order.begin(), order.end(), upper.winId());
    auto l = std::find(order.begin(), order.end(), lower.winId());
    return u != order.end() && l != order.end() && u > l;
}

void ShowAndRaise(QWidget& w) {
    w.show();
    w.raise();
    w.activateWindow();
}

class HideCounter : public QObject {
public:
    int hides = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Hide) ++hides;
        return false;
    }
};

struct Pair : ::testing::Test {
    QWidget a, b;
    void SetUp() override {
        a.setWindowTitle("A");
        b.setWindowTitle("B");
        a.setGeometry(100, 100, 300, 200);
        b.setGeometry(150, 150, 300, 200);
    }
};

} // namespace

TEST_F(Pair, TopmostBeforeShowingStaysAboveAWindowActivatedLater) {
    telmo::SetTopmost(&a);
    a.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&a));
    ShowAndRaise(b);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&b));
    ASSERT_TRUE(WaitFor([&] { return telmo::x11::ClientStackingOrder().size() >= 2; }));
    EXPECT_TRUE(WaitFor([&] { return StackedAbove(a, b); }));
    EXPECT_TRUE(telmo::IsTopmost(&a));
    EXPECT_FALSE(telmo::IsTopmost(&b));

    telmo::ClearTopmost(&a);
    QTest::qWait(50);
    ShowAndRaise(b);
    EXPECT_TRUE(WaitFor([&] { return StackedAbove(b, a); }));
    EXPECT_FALSE(telmo::IsTopmost(&a));
}

TEST_F(Pair, AVisibleWindowChangesBandWithoutHidingOrBeingRecreated) {
    a.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&a));
    ShowAndRaise(b);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&b));
    ASSERT_TRUE(WaitFor([&] { return StackedAbove(b, a); }));
    HideCounter counter;
    a.installEventFilter(&counter);
    const WId before = a.winId();
    for (int round = 0; round < 3; ++round) {
        telmo::SetTopmost(&a);
        telmo::SetTopmost(&a); // twice in a row stays topmost
        ASSERT_TRUE(WaitFor([&] { return StackedAbove(a, b); })) << round;
        ShowAndRaise(b); // the other window cannot come above the band
        QTest::qWait(50);
        EXPECT_TRUE(StackedAbove(a, b)) << round;
        telmo::ClearTopmost(&a);
        QTest::qWait(50);
        ShowAndRaise(b);
        EXPECT_TRUE(WaitFor([&] { return StackedAbove(b, a); })) << round;
    }
    EXPECT_EQ(counter.hides, 0);
    EXPECT_EQ(a.winId(), before);
    EXPECT_TRUE(a.isVisible());
}

TEST_F(Pair, TopmostSurvivesHidingAndShowing) {
    a.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&a));
    telmo::SetTopmost(&a);
    a.hide();
    QTest::qWait(50);
    a.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&a));
    ShowAndRaise(b);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&b));
    QTest::qWait(50);
    EXPECT_TRUE(WaitFor([&] { return StackedAbove(a, b); }));
    ShowAndRaise(b);
    QTest::qWait(50);
    EXPECT_TRUE(StackedAbove(a, b));
}
