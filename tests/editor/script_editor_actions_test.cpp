// The twenty step buttons of the script page: where they stand, what each inserts, how the
// insertion treats the caret, the selection and undo, and what the description label shows.
#include "ScriptPageFixture.h"
#include "WhenModalOpens.h"
#include "platform/WindowPlacement.h"
#include "script/editor/ScriptEditorActions.h"
#include "script/editor/StepLines.h"
#include "ui/TextBoxW.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace telmo;

namespace {

void WhenStepWindowOpens(const std::function<void(QDialog&)>& fill) {
    WhenModalOpens<QDialog>(fill);
}

void TypeAndConfirm(QDialog& dialog, const QString& text) {
    dialog.findChild<TextBoxW*>(QStringLiteral("TextBoxW1"))->SetText(text);
    dialog.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
}

void Cancel(QDialog& dialog) {
    dialog.findChild<QPushButton*>(QStringLiteral("Command2"))->click();
}

} // namespace

TEST(ScriptEditorActions, TwentyButtonsStandInTheirGridWithTheirCaptions) {
    const char16_t* captions[kScriptActionCount] = {
        u"填写内容", u"复制文本", u"粘贴文本",  u"提示信息",  u"移动鼠标",  u"等候时长", u"执行指令",
        u"按下按键", u"左键按下", u"左键松开",  u"右键按下",  u"右键松开",  u"中键按下", u"中键松开",
        u"滚轮上滚", u"滚轮下滚", u"侧键1按下", u"侧键1松开", u"侧键2按下", u"侧键2松开"};
    const int left[4] = {288, 376, 464, 552};
    const int top[5] = {48, 112, 176, 240, 304};
    ScriptPage p;
    EXPECT_EQ(p.page->findChildren<QPushButton*>().size(), kScriptActionCount);
    for (int i = 0; i < kScriptActionCount; ++i) {
        QPushButton* button = p.action(i);
        ASSERT_NE(button, nullptr) << i;
        EXPECT_EQ(button->text(), QString::fromUtf16(captions[i])) << i;
        EXPECT_EQ(button->geometry(), QRect(left[i % 4], top[i / 4], 73, 41)) << i;
    }
}

TEST(ScriptEditorActions, FixedLineButtonsInsertTheirStep) {
    const struct {
        int index;
        const char* line;
    } cases[] = {
        {1, "CPY"},     {2, "PST"},     {8, "LFT DN"},  {9, "LFT UP"},  {10, "RGH DN"},
        {11, "RGH UP"}, {12, "MID DN"}, {13, "MID UP"}, {14, "WHL UP"}, {15, "WHL DN"},
        {16, "SD1 DN"}, {17, "SD1 UP"}, {18, "SD2 DN"}, {19, "SD2 UP"},
    };
    for (const auto& c : cases) {
        ScriptPage p;
        p.action(c.index)->click();
        EXPECT_EQ(p.scriptBox->Text(), QString::fromLatin1(c.line) + QStringLiteral("\r\n")) << c.index;
    }
}

TEST(ScriptEditorActions, StepWindowButtonsInsertWhatTheWindowWrote) {
    const struct {
        int index;
        std::function<void(QDialog&)> fill;
        QString line;
    } cases[] = {
        {0, [](QDialog& d) { TypeAndConfirm(d, QStringLiteral("  abc ")); },
         QStringLiteral("INP   abc \r\n")},
        {3, [](QDialog& d) { TypeAndConfirm(d, QStringLiteral("你好")); }, QStringLiteral("MSG 你好\r\n")},
        {5, [](QDialog& d) { TypeAndConfirm(d, QStringLiteral("007")); }, QStringLiteral("HLD 7\r\n")},
        {6, [](QDialog& d) { TypeAndConfirm(d, QStringLiteral("notepad.exe")); },
         QStringLiteral("CMD @notepad.exe\r\n")},
        {7,
         [](QDialog& d) {
             d.findChild<QComboBox*>(QStringLiteral("Combo1"))->setCurrentIndex(4);
             d.findChild<QRadioButton*>(QStringLiteral("Option1(1)"))->click();
             d.findChild<QPushButton*>(QStringLiteral("Command4"))->click();
         },
         QStringLiteral("KEY 9,4\r\n")},
    };
    for (const auto& c : cases) {
        ScriptPage p;
        p.setScript(QStringLiteral("CPY\r\n"), 5);
        WhenStepWindowOpens(c.fill);
        p.action(c.index)->click();
        EXPECT_EQ(p.scriptBox->Text(), QStringLiteral("CPY\r\n") + c.line) << c.index;
        EXPECT_EQ(p.scriptBox->SelStart(), p.scriptBox->Text().size()) << c.index;
    }
}

TEST(ScriptEditorActions, CancelledOrEmptyStepLeavesTextSelectionAndCaret) {
    const struct {
        int index;
        std::function<void(QDialog&)> leave;
    } cases[] = {
        {0, Cancel},
        {0, [](QDialog& d) { TypeAndConfirm(d, QStringLiteral("   ")); }},
        {3, [](QDialog& d) { d.close(); }},
        {5, [](QDialog& d) { TypeAndConfirm(d, QStringLiteral("000")); }},
        {6, Cancel},
        {7, Cancel},
    };
    for (const auto& c : cases) {
        ScriptPage p;
        p.setScript(QStringLiteral("INP abcd\r\nPST\r\n"), 5, 2);
        WhenStepWindowOpens(c.leave);
        p.action(c.index)->click();
        EXPECT_EQ(p.scriptBox->Text(), QStringLiteral("INP abcd\r\nPST\r\n")) << c.index;
        EXPECT_EQ(p.scriptBox->SelStart(), 5) << c.index;
        EXPECT_EQ(p.scriptBox->SelLength(), 2) << c.index;
    }
}

TEST(ScriptEditorActions, SuccessiveClicksWriteSuccessiveLines) {
    ScriptPage p;
    p.action(1)->click();
    p.action(2)->click();
    EXPECT_EQ(p.scriptBox->Text(), QStringLiteral("CPY\r\nPST\r\n"));
    EXPECT_EQ(p.scriptBox->SelStart(), 10);
    for (int n = 0; n < 3; ++n) p.action(8)->click();
    EXPECT_EQ(p.scriptBox->Text(), QStringLiteral("CPY\r\nPST\r\nLFT DN\r\nLFT DN\r\nLFT DN\r\n"));
}

TEST(ScriptEditorActions, InsertsAtTheCaretInsideALine) {
    ScriptPage p;
    p.setScript(QStringLiteral("INP abcd"), 6);
    p.action(8)->click();
    EXPECT_EQ(p.scriptBox->Text(), QStringLiteral("INP abLFT DN\r\ncd"));
    EXPECT_EQ(p.scriptBox->SelStart(), 14);
    EXPECT_EQ(p.scriptBox->SelLength(), 0);
}

TEST(ScriptEditorActions, AppendsToALastLineWithoutLineBreak) {
    ScriptPage p;
    p.setScript(QStringLiteral("MSG hi"), 6);
    p.action(2)->click();
    EXPECT_EQ(p.scriptBox->Text(), QStringLiteral("MSG hiPST\r\n"));
}

TEST(ScriptEditorActions, ReplacesTheSelectionAsOneUndoableEdit) {
    ScriptPage p;
    p.setScript(QStringLiteral("CPY\r\n选中的段落\r\nPST\r\n"), 5, 7);
    ASSERT_EQ(p.scriptBox->SelText(), QStringLiteral("选中的段落\r\n"));
    p.action(14)->click();
    EXPECT_EQ(p.scriptBox->Text(), QStringLiteral("CPY\r\nWHL UP\r\nPST\r\n"));
    EXPECT_EQ(p.scriptBox->SelStart(), 13);
    auto* editor = qobject_cast<QPlainTextEdit*>(p.scriptBox->Editor());
    ASSERT_NE(editor, nullptr);
    editor->undo();
    EXPECT_EQ(p.scriptBox->Text(), QStringLiteral("CPY\r\n选中的段落\r\nPST\r\n"));
}

TEST(ScriptEditorActions, TheFocusStaysWhereItWas) {
    ScriptPage p;
    p.mainWindow.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&p.mainWindow));
    p.otherControl->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == p.otherControl; }));
    p.action(1)->click();
    EXPECT_EQ(p.scriptBox->Text(), QStringLiteral("CPY\r\n"));
    EXPECT_EQ(QApplication::focusWidget(), p.otherControl);

    WhenStepWindowOpens([](QDialog& d) { TypeAndConfirm(d, QStringLiteral("x")); });
    p.topmost->setChecked(true);
    p.action(0)->click();
    EXPECT_EQ(p.scriptBox->Text(), QStringLiteral("CPY\r\nINP x\r\n"));
    // The window remembers its focus control; it is the same once the window is active again.
    EXPECT_EQ(p.mainWindow.focusWidget(), p.otherControl);
    p.mainWindow.activateWindow();
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == p.otherControl; }));
}

TEST(ScriptEditorActions, LabelShowsTheDescriptionOfTheButtonUnderThePointer) {
    ScriptPage p;
    p.mainWindow.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&p.mainWindow));
    QTest::mouseMove(p.action(4), QPoint(10, 10));
    EXPECT_EQ(p.label6->text(),
              QStringLiteral("将鼠标移动到屏幕上的某个位置。单击后进入选取位置界面，在此界面下，"
                             "按鼠标的左键可以选择当前位置，按Esc键可以取消选择位置。"));
    QTest::mouseMove(p.action(19), QPoint(5, 5));
    EXPECT_EQ(p.label6->text(), QStringLiteral("松开鼠标侧键2。只有部分鼠标具备此按键。"));
    // Moving on to another control keeps the last description.
    QTest::mouseMove(p.scriptBox, QPoint(20, 20));
    EXPECT_EQ(p.label6->text(), QStringLiteral("松开鼠标侧键2。只有部分鼠标具备此按键。"));
}

TEST(ScriptEditorActions, DescriptionsOfAllButtons) {
    const char16_t* descriptions[kScriptActionCount] = {
        u"输入一段内容。",
        u"复制“文本”中的数据到剪贴板。文本中的%item%将被替换为复制文本的次数；%No.%"
        u"将被替换为复制文本的行号；%time%将被替换为时间；%date%将被替换为日期。",
        u"输出剪贴板中的内容到当前位置。",
        u"以消息框显示一段提示信息。",
        u"将鼠标移动到屏幕上的某个位置。单击后进入选取位置界面，在此界面下，按鼠标的左键可以选择当前位置，按E"
        u"sc键可以取消选择位置。",
        u"在脚本执行过程中挂起一段时间。",
        u"发送一句指令。",
        u"按下键盘的按键。单击此按钮，将弹出“按下键盘”的对话框，在此对话框内，输入按下的按键。",
        u"按下鼠标左键。",
        u"松开鼠标左键。",
        u"按下鼠标右键。",
        u"松开鼠标右键。",
        u"按下鼠标中键。",
        u"松开鼠标中键。",
        u"向上滚动鼠标滚轮。",
        u"向下滚动鼠标滚轮。",
        u"按下鼠标侧键1。只有部分鼠标具备此按键。",
        u"松开鼠标侧键1。只有部分鼠标具备此按键。",
        u"按下鼠标侧键2。只有部分鼠标具备此按键。",
        u"松开鼠标侧键2。只有部分鼠标具备此按键。"};
    ScriptPage p;
    for (int i = 0; i < kScriptActionCount; ++i) {
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(p.action(i), &enter);
        EXPECT_EQ(p.label6->text(), QString::fromUtf16(descriptions[i])) << i;
    }
}

TEST(ScriptEditorActions, TickedTopmostIsClearedWhileTheStepWindowIsOpenAndSetAgainAfter) {
    for (bool ticked : {true, false}) {
        ScriptPage p;
        p.mainWindow.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&p.mainWindow));
        p.topmost->setChecked(ticked);
        if (ticked) SetTopmost(&p.mainWindow);
        bool topmostMeanwhile = true;
        WhenStepWindowOpens([&](QDialog& d) {
            topmostMeanwhile = IsTopmost(&p.mainWindow);
            Cancel(d);
        });
        p.action(5)->click();
        EXPECT_FALSE(topmostMeanwhile) << ticked;
        EXPECT_EQ(IsTopmost(&p.mainWindow), ticked);
        p.action(1)->click();
        EXPECT_EQ(IsTopmost(&p.mainWindow), ticked);
        EXPECT_TRUE(p.mainWindow.isVisible());
    }
}
