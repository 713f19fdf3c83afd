// The point picker on a real X server: clicks made through the XTest backend are reported as the
// device pixels they landed on, also when Qt scales the program (QT_SCALE_FACTOR=2); Esc changes
// nothing. The scaled case runs in a child process, as the factor is read when Qt starts.
#include "editor/ScriptPageFixture.h"
#include "platform/Backends.h"
#include "platform/InputBackend.h"
#include "script/InputSimulation.h"
#include "script/editor/ScriptEditorActions.h"
#include "script/editor/frmSelectPoint.h"
#include "ui/TextBoxW.h"

#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QPalette>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace telmo;

namespace {

struct RealInput {
    RealBackends backends;
    std::unique_ptr<InputSimulator> sim;

    RealInput() {
        QString error;
        backends = CreateRealBackends([](const QString&) {}, &error);
        EXPECT_TRUE(backends.input) << error.toStdString();
        if (backends.input) sim = std::make_unique<InputSimulator>(*backends.input, *backends.host);
    }
    explicit operator bool() const { return sim != nullptr; }
    QSize screen() const { return backends.input->primaryScreenSize(); }
    void clickAt(QPoint devicePixel, std::uint32_t down = MOUSEEVENTF_LEFTDOWN,
                 std::uint32_t up = MOUSEEVENTF_LEFTUP) {
        sim->MoveMouseTo(devicePixel.x(), devicePixel.y());
        sim->SendMouseEvent(down, 0);
        sim->SendMouseEvent(up, 0);
    }
    void tapKey(std::uint8_t vk) { sim->TapKey(vk); }
};

// Clicks "移动鼠标" and, once the picker is open and has the keyboard, runs act on it; returns
// whether the picker was seen.
bool PickWith(ScriptPage& editor, const std::function<void()>& act) {
    bool seen = false;
    auto* poll = new QTimer(qApp);
    poll->setInterval(20);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, act, &seen] {
        auto* picker = qobject_cast<frmSelectPoint*>(QApplication::activeModalWidget());
        if (!picker || !picker->isVisible() || !picker->isActiveWindow()) return;
        poll->stop();
        poll->deleteLater();
        seen = true;
        act();
    });
    poll->start();
    QTimer::singleShot(20000, poll, [poll] {
        // nothing opened: stop looking so that the test fails instead of hanging
        poll->stop();
        poll->deleteLater();
    });
    editor.action(4)->click();
    return seen;
}

void ShowEditor(ScriptPage& editor) {
    editor.mainWindow.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&editor.mainWindow));
}

// The corners and an odd pixel that a scale factor of 2 cannot reach in whole logical pixels.
std::vector<QPoint> PixelsToPick(QSize screen) {
    return {{0, 0}, {screen.width() - 1, screen.height() - 1}, {1001, 333}};
}

void PickEachPixel() {
    RealInput input;
    ASSERT_TRUE(input);
    ScriptPage editor;
    ShowEditor(editor);
    for (QPoint pixel : PixelsToPick(input.screen())) {
        editor.scriptBox->SetText(QString());
        ASSERT_TRUE(PickWith(editor, [&] { input.clickAt(pixel); }));
        EXPECT_EQ(editor.scriptBox->Text(), QStringLiteral("MOV %1,%2\r\n").arg(pixel.x()).arg(pixel.y()));
        EXPECT_TRUE(editor.mainWindow.isVisible());
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }
}

} // namespace

TEST(PointPickerX11, ClicksAreReportedInDevicePixels) {
    PickEachPixel();
}

TEST(PointPickerX11, OtherButtonsAndKeysWaitAndEscLeavesTheScriptAlone) {
    RealInput input;
    ASSERT_TRUE(input);
    ScriptPage editor;
    ShowEditor(editor);
    editor.scriptBox->SetText(QStringLiteral("CPY\r\nPST"));
    editor.scriptBox->SetSelStart(2);
    editor.scriptBox->SetSelLength(3);
    bool stayedOpen = false;
    ASSERT_TRUE(PickWith(editor, [&] {
        input.clickAt({200, 200}, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
        input.clickAt({210, 200}, MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP);
        input.tapKey('A');
        input.tapKey(13);
        QTest::qWait(300);
        stayedOpen = qobject_cast<frmSelectPoint*>(QApplication::activeModalWidget()) != nullptr;
        input.tapKey(27);
    }));
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(editor.scriptBox->Text(), QStringLiteral("CPY\r\nPST"));
    EXPECT_EQ(editor.scriptBox->SelStart(), 2);
    EXPECT_EQ(editor.scriptBox->SelLength(), 3);
    EXPECT_TRUE(editor.mainWindow.isVisible());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(PointPickerX11, ScaledProgramStillReportsDevicePixels) {
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_SCALE_FACTOR"), QStringLiteral("2"));
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_also_run_disabled_tests"),
                 QStringLiteral("--gtest_filter=PointPickerX11Scaled.DISABLED_InChildProcess")});
    ASSERT_TRUE(child.waitForFinished(120000));
    const QByteArray output = child.readAll();
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.toStdString();
}

// Run only by the test above, in a process started with QT_SCALE_FACTOR=2.
TEST(PointPickerX11Scaled, DISABLED_InChildProcess) {
    ASSERT_EQ(qEnvironmentVariable("QT_SCALE_FACTOR"), QStringLiteral("2"));
    ASSERT_EQ(QGuiApplication::primaryScreen()->devicePixelRatio(), 2.0);
    PickEachPixel();
}

TEST(PointPickerX11, ShowsAFrozenPictureOfTheScreenWithoutTheMainWindow) {
    RealInput input;
    ASSERT_TRUE(input);
    QWidget marker;
    marker.setWindowTitle(QStringLiteral("Telmo picker marker"));
    marker.setAutoFillBackground(true);
    marker.setPalette(QPalette(QColor(255, 0, 255)));
    marker.setGeometry(300, 300, 200, 200);
    marker.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&marker));

    ScriptPage editor;
    editor.mainWindow.setAutoFillBackground(true);
    editor.mainWindow.setPalette(QPalette(QColor(0, 255, 0)));
    editor.mainWindow.move(900, 100);
    ShowEditor(editor);
    QTest::qWait(200);
    const QPoint inMainWindow = editor.mainWindow.geometry().topLeft() + QPoint(5, 200);

    QImage picture;
    ASSERT_TRUE(PickWith(editor, [&] {
        auto* picker = qobject_cast<frmSelectPoint*>(QApplication::activeModalWidget());
        // what changes on the screen now is not redrawn in the picture
        marker.hide();
        QTest::qWait(200);
        picture = picker->grab().toImage();
        input.tapKey(27);
    }));
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.pixelColor(400, 400), QColor(255, 0, 255));
    EXPECT_NE(picture.pixelColor(inMainWindow), QColor(0, 255, 0));
}
