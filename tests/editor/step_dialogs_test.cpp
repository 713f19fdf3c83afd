// The typing, message, pause and command windows: their layout, what "确定" writes, and that
// every way of leaving without "确定" leaves no step.
#include "script/editor/StepLines.h"
#include "script/editor/frmCommand.h"
#include "script/editor/frmHold.h"
#include "script/editor/frmInputText.h"
#include "script/editor/frmMessage.h"
#include "ui/TextBoxW.h"

#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

using namespace telmo;

namespace {

using DialogFactory = std::function<std::unique_ptr<StepDialog>()>;

struct DialogShape {
    const char* name;
    DialogFactory make;
    QString caption;
    QSize size;
    bool toolWindow;
};

std::vector<DialogShape> Shapes() {
    return {
        {"frmInputText",
         [] { return std::make_unique<frmInputText>(); },
         QStringLiteral("填写内容"),
         {288, 61},
         true},
        {"frmMessage",
         [] { return std::make_unique<frmMessage>(); },
         QStringLiteral("提示信息"),
         {288, 61},
         true},
        {"frmHold",
         [] { return std::make_unique<frmHold>(); },
         QStringLiteral("等候时长（毫秒）"),
         {288, 29},
         true},
        {"frmCommand",
         [] { return std::make_unique<frmCommand>(); },
         QStringLiteral("执行指令"),
         {288, 130},
         false},
    };
}

TextBoxW* Box(QWidget& dialog) {
    return dialog.findChild<TextBoxW*>(QStringLiteral("TextBoxW1"));
}
QPushButton* Button(QWidget& dialog, const char* name) {
    return dialog.findChild<QPushButton*>(QString::fromLatin1(name));
}

// Fills the text box, presses "确定" and returns the line the window left.
QString Confirm(StepDialog& dialog, const QString& text) {
    Box(dialog)->SetText(text);
    Button(dialog, "Command1")->click();
    EXPECT_EQ(dialog.result(), StepResult());
    return StepResult();
}

} // namespace

TEST(StepDialogs, HaveTheirCaptionSizeButtonsAndAnEmptyFocusedTextBox) {
    for (const DialogShape& shape : Shapes()) {
        SCOPED_TRACE(shape.name);
        std::unique_ptr<StepDialog> dialog = shape.make();
        EXPECT_EQ(dialog->objectName(), QString::fromLatin1(shape.name));
        EXPECT_EQ(dialog->windowTitle(), shape.caption);
        EXPECT_EQ(dialog->size(), shape.size);
        EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize());
        EXPECT_EQ(dialog->windowFlags().testFlag(Qt::WindowCloseButtonHint), false);
        EXPECT_EQ((dialog->windowFlags() & Qt::WindowType_Mask) == Qt::Tool, shape.toolWindow);
        ASSERT_NE(Box(*dialog), nullptr);
        EXPECT_TRUE(Box(*dialog)->Text().isEmpty());
        EXPECT_EQ(Box(*dialog)->font().pointSizeF(), 10.5);
        ASSERT_NE(Button(*dialog, "Command1"), nullptr);
        EXPECT_EQ(Button(*dialog, "Command1")->text(), QStringLiteral("确定"));
        EXPECT_TRUE(Button(*dialog, "Command1")->isDefault());
        EXPECT_EQ(Button(*dialog, "Command2")->text(), QStringLiteral("取消"));
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        QWidget* focus = QApplication::focusWidget();
        EXPECT_TRUE(focus && (focus == Box(*dialog) || Box(*dialog)->isAncestorOf(focus)));
    }
}

TEST(StepDialogs, TextStepsKeepTheTextsSpacesAndSkipBlankTexts) {
    EXPECT_EQ(Confirm(*std::make_unique<frmInputText>(), QStringLiteral("  abc ")),
              QStringLiteral("INP   abc \r\n"));
    EXPECT_EQ(Confirm(*std::make_unique<frmMessage>(), QStringLiteral("你好")),
              QStringLiteral("MSG 你好\r\n"));
    for (const QString& blank : {QString(), QStringLiteral("   ")}) {
        EXPECT_EQ(Confirm(*std::make_unique<frmInputText>(), blank), QString());
        EXPECT_EQ(Confirm(*std::make_unique<frmMessage>(), blank), QString());
    }
}

TEST(StepDialogs, CommandStartsMinimisedUnlessForegroundIsChosen) {
    frmCommand background;
    EXPECT_TRUE(background.findChild<QRadioButton*>(QStringLiteral("Option1(0)"))->isChecked());
    EXPECT_EQ(Confirm(background, QStringLiteral("notepad.exe")), QStringLiteral("CMD @notepad.exe\r\n"));

    frmCommand foreground;
    foreground.findChild<QRadioButton*>(QStringLiteral("Option1(1)"))->click();
    EXPECT_EQ(Confirm(foreground, QStringLiteral("notepad.exe")), QStringLiteral("CMD notepad.exe\r\n"));
}

TEST(StepDialogs, HoldWritesMillisecondsAndSkipsZero) {
    const struct {
        QString digits, expected;
    } cases[] = {
        {QStringLiteral("007"), QStringLiteral("HLD 7\r\n")},
        {QStringLiteral("1500"), QStringLiteral("HLD 1500\r\n")},
        {QStringLiteral("0"), QString()},
        {QStringLiteral("000"), QString()},
        {QString(), QString()},
    };
    for (const auto& c : cases) {
        frmHold hold;
        EXPECT_EQ(Confirm(hold, c.digits), c.expected) << c.digits.toStdString();
    }
}

TEST(StepDialogs, HoldBoxTakesDigitsOnly) {
    frmHold hold;
    hold.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&hold));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("1a2 3x"));
    EXPECT_EQ(Box(hold)->Text(), QStringLiteral("123"));
    Button(hold, "Command1")->click();
    EXPECT_EQ(StepResult(), QStringLiteral("HLD 123\r\n"));
}

TEST(StepDialogs, CancelEscAndClosingLeaveNoStep) {
    const std::function<void(StepDialog&)> ways[] = {
        [](StepDialog& d) { Button(d, "Command2")->click(); },
        [](StepDialog& d) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); },
        [](StepDialog& d) { d.close(); },
    };
    for (const DialogShape& shape : Shapes()) {
        for (const auto& leave : ways) {
            SCOPED_TRACE(shape.name);
            StepResult() = QStringLiteral("stale\r\n");
            std::unique_ptr<StepDialog> dialog = shape.make();
            dialog->show();
            ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
            Box(*dialog)->SetText(QStringLiteral("42"));
            leave(*dialog);
            EXPECT_FALSE(dialog->isVisible());
            EXPECT_EQ(dialog->result(), QString());
            EXPECT_EQ(StepResult(), QString());
        }
    }
}

TEST(StepDialogs, EnterConfirmsThroughTheDefaultButton) {
    frmInputText dialog;
    QTimer::singleShot(0, &dialog, [&dialog] {
        ASSERT_TRUE(QTest::qWaitFor([&] { return Box(dialog)->isAncestorOf(QApplication::focusWidget()); }));
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClicks(focus, QStringLiteral("hello"));
        QTest::keyClick(focus, Qt::Key_Return);
    });
    EXPECT_EQ(dialog.ask(), QStringLiteral("INP hello\r\n"));
}
