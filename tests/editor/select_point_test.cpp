// The point picker on the offscreen platform: which pixel a click reports, what leaves no point,
// and that the program's pointer is the normal one again afterwards.
#include "ScriptPageFixture.h"
#include "WhenModalOpens.h"
#include "script/editor/ScriptEditorActions.h"
#include "script/editor/StepLines.h"
#include "script/editor/frmSelectPoint.h"
#include "ui/TextBoxW.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace telmo;

namespace {

Qt::CursorShape ProgramPointer() {
    QCursor* c = QGuiApplication::overrideCursor();
    return c ? c->shape() : Qt::ArrowCursor;
}

// A press and release of the left button at a position of the picker; QTest would turn (0, 0)
// into the centre of the window.
void LeftClick(QWidget& picker, QPointF at) {
    const QPointF global = picker.mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&picker, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&picker, &release);
}

void WhenPickerOpens(const std::function<void(frmSelectPoint&)>& act) {
    WhenModalOpens<frmSelectPoint>(act);
}

} // namespace

TEST(SelectPoint, DevicePixelUndoesTheScaleFactor) {
    const struct {
        QPointF logical;
        qreal ratio;
        QPoint device;
    } cases[] = {
        {{0, 0}, 1, {0, 0}},
        {{1919, 1079}, 1, {1919, 1079}},
        {{12.7, 3.2}, 1, {12, 3}},
        {{959.5, 539.5}, 2, {1919, 1079}},
        {{959, 539}, 2, {1918, 1078}},
        // 1919 / 1.5 does not come back to 1919 exactly in floating point
        {{1919 / 1.5, 1079 / 1.5}, 1.5, {1919, 1079}},
        {{1919 / 1.25, 1 / 1.25}, 1.25, {1919, 1}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(frmSelectPoint::DevicePixel(c.logical, c.ratio), c.device)
            << c.logical.x() << "," << c.logical.y() << " x" << c.ratio;
    }
}

TEST(SelectPoint, CoversThePrimaryScreenFramelessWithACrosshair) {
    frmSelectPoint picker;
    EXPECT_EQ(ProgramPointer(), Qt::CrossCursor);
    EXPECT_TRUE(picker.windowFlags().testFlag(Qt::FramelessWindowHint));
    WhenPickerOpens([](frmSelectPoint& p) {
        EXPECT_EQ(p.geometry(), QGuiApplication::primaryScreen()->geometry());
        QTest::keyClick(&p, Qt::Key_Escape);
    });
    picker.ask();
    EXPECT_EQ(ProgramPointer(), Qt::ArrowCursor);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(SelectPoint, LeftClickGivesTheClickedPixel) {
    const QSize screen = QGuiApplication::primaryScreen()->size();
    const QPoint points[] = {{0, 0}, {5, 7}, {screen.width() - 1, screen.height() - 1}};
    for (QPoint point : points) {
        frmSelectPoint picker;
        WhenPickerOpens([point](frmSelectPoint& p) { LeftClick(p, point); });
        const QString expected = QStringLiteral("MOV %1,%2\r\n").arg(point.x()).arg(point.y());
        EXPECT_EQ(picker.ask(), expected);
        EXPECT_EQ(StepResult(), expected);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }
}

TEST(SelectPoint, OtherButtonsAndKeysDoNothingAndEscOrClosingGiveNoPoint) {
    const std::function<void(frmSelectPoint&)> leave[] = {
        [](frmSelectPoint& p) { QTest::keyClick(&p, Qt::Key_Escape); },
        [](frmSelectPoint& p) { p.close(); },
    };
    for (const auto& how : leave) {
        frmSelectPoint picker;
        StepResult() = QStringLiteral("stale\r\n");
        WhenPickerOpens([how](frmSelectPoint& p) {
            QTest::mouseClick(&p, Qt::RightButton, {}, QPoint(3, 3));
            QTest::mouseClick(&p, Qt::MiddleButton, {}, QPoint(3, 3));
            QTest::keyClick(&p, Qt::Key_Return);
            QTest::keyClick(&p, Qt::Key_A);
            EXPECT_TRUE(p.isVisible());
            EXPECT_EQ(ProgramPointer(), Qt::CrossCursor);
            how(p);
        });
        EXPECT_EQ(picker.ask(), QString());
        EXPECT_EQ(StepResult(), QString());
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }
}

TEST(SelectPoint, MoveButtonHidesTheMainWindowWhileThePickerIsOpen) {
    ScriptPage p;
    QWidget& mainWindow = p.mainWindow;
    TextBoxW* scriptBox = p.scriptBox;
    mainWindow.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&mainWindow));
    scriptBox->SetText(QStringLiteral("CPY\r\n"));
    scriptBox->SetSelStart(5);
    QPushButton* moveButton = p.action(4);

    bool mainHiddenMeanwhile = false;
    WhenPickerOpens([&](frmSelectPoint& picker) {
        mainHiddenMeanwhile = !mainWindow.isVisible();
        LeftClick(picker, QPoint(40, 30));
    });
    moveButton->click();
    EXPECT_TRUE(mainHiddenMeanwhile);
    EXPECT_TRUE(mainWindow.isVisible());
    EXPECT_EQ(scriptBox->Text(), QStringLiteral("CPY\r\nMOV 40,30\r\n"));

    WhenPickerOpens([](frmSelectPoint& picker) { QTest::keyClick(&picker, Qt::Key_Escape); });
    moveButton->click();
    EXPECT_TRUE(mainWindow.isVisible());
    EXPECT_EQ(scriptBox->Text(), QStringLiteral("CPY\r\nMOV 40,30\r\n"));
    EXPECT_EQ(scriptBox->SelStart(), scriptBox->Text().size());
}

TEST(SelectPoint, ClosingThePickerIsNotClosingTheProgram) {
    // While the picker is open the main window is hidden, so the picker is the only window; the
    // program's own event loop must keep running after the picker was closed with the window
    // manager's close command.
    QTimer::singleShot(0, qApp, [] {
        frmSelectPoint picker;
        WhenPickerOpens([](frmSelectPoint& p) { p.close(); });
        picker.ask();
        QTimer::singleShot(100, qApp, [] { QCoreApplication::exit(7); });
    });
    EXPECT_EQ(QApplication::exec(), 7);
}

TEST(SelectPoint, ClickedPixelPrefersTheWindowSystemsPositionWhenItIsTheSameSpot) {
    const struct {
        QPointF logical;
        qreal ratio;
        std::optional<QPoint> native;
        QPoint expected;
    } cases[] = {
        {{960, 540}, 2, QPoint(1919, 1079), {1919, 1079}}, // Qt rounded 959.5 up
        {{501, 167}, 2, QPoint(1001, 333), {1001, 333}},
        {{500, 166}, 2, QPoint(1000, 332), {1000, 332}},
        {{500, 166}, 2, std::nullopt, {1000, 332}},
        {{500, 166}, 2, QPoint(1400, 332), {1000, 332}}, // the pointer moved on: keep the event's
        {{10, 10}, 1.5, QPoint(16, 14), {16, 14}},
        {{10, 10}, 1.5, QPoint(19, 15), {15, 15}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(frmSelectPoint::ClickedPixel(c.logical, c.ratio, c.native), c.expected)
            << c.logical.x() << "," << c.logical.y() << " x" << c.ratio;
    }
}
