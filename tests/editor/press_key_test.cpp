// The key chord window: the list of chords, the key box that records the last key pressed, the
// Tab option, and the confirming button that will not close on an empty key box.
#include "script/editor/StepLines.h"
#include "script/editor/frmPressKey.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace telmo;

namespace {

struct PressKeyWindow {
    frmPressKey dialog;
    QComboBox* list() { return dialog.findChild<QComboBox*>(QStringLiteral("Combo1")); }
    QLineEdit* keyBox() { return dialog.findChild<QLineEdit*>(QStringLiteral("Text2")); }
    QRadioButton* option(int i) {
        return dialog.findChild<QRadioButton*>(QStringLiteral("Option1(%1)").arg(i));
    }
    QPushButton* button(const char* name) {
        return dialog.findChild<QPushButton*>(QString::fromLatin1(name));
    }

    // Opens the window and waits for its own timer to put the focus into the key box.
    void open() {
        dialog.show();
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == keyBox(); }, 3000));
    }
    void press(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }
    void confirm() { button("Command4")->click(); }
};

} // namespace

TEST(PressKey, OpensWithNoModifierInputChosenAndAnEmptyEnabledKeyBox) {
    PressKeyWindow w;
    EXPECT_EQ(w.dialog.windowTitle(), QStringLiteral("按下按键"));
    EXPECT_EQ(w.dialog.size(), QSize(281, 104));
    EXPECT_FALSE(w.dialog.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    const QStringList expected = {QStringLiteral("无"),           QStringLiteral("Shift"),
                                  QStringLiteral("Ctrl"),         QStringLiteral("Ctrl+Shift"),
                                  QStringLiteral("Alt"),          QStringLiteral("Alt+Shift"),
                                  QStringLiteral("Alt+Ctrl"),     QStringLiteral("Alt+Ctrl+Shift"),
                                  QStringLiteral("Win"),          QStringLiteral("Win+Shift"),
                                  QStringLiteral("Win+Ctrl"),     QStringLiteral("Win+Ctrl+Shift"),
                                  QStringLiteral("Win+Alt"),      QStringLiteral("Win+Alt+Shift"),
                                  QStringLiteral("Win+Alt+Ctrl"), QStringLiteral("Win+Alt+Ctrl+Shift")};
    ASSERT_EQ(w.list()->count(), 16);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(w.list()->itemText(i), expected[i]) << i;
    EXPECT_FALSE(w.list()->isEditable());
    EXPECT_EQ(w.list()->currentIndex(), 0);
    EXPECT_TRUE(w.option(0)->isChecked());
    EXPECT_EQ(w.option(0)->text(), QStringLiteral("输入"));
    EXPECT_EQ(w.option(1)->text(), QStringLiteral("Tab"));
    EXPECT_TRUE(w.keyBox()->text().isEmpty());
    EXPECT_TRUE(w.keyBox()->isEnabled());
    EXPECT_EQ(w.button("Command2")->text(), QStringLiteral("取消"));
    EXPECT_EQ(w.button("Command4")->text(), QStringLiteral("使用此组合键"));
    w.open();
}

TEST(PressKey, KeyBoxRecordsTheVirtualKeyOfTheLastKeyPressed) {
    const struct {
        std::vector<Qt::Key> keys;
        QString shown;
    } cases[] = {
        {{Qt::Key_A}, QStringLiteral("65")},
        {{Qt::Key_Shift, Qt::Key_A}, QStringLiteral("65")},
        {{Qt::Key_A, Qt::Key_Shift}, QStringLiteral("16")},
        {{Qt::Key_F1}, QStringLiteral("112")},
        {{Qt::Key_5}, QStringLiteral("53")},
        {{Qt::Key_Home}, QStringLiteral("36")},
        {{Qt::Key_Return}, QStringLiteral("13")},
        {{Qt::Key_Escape}, QStringLiteral("27")},
    };
    for (const auto& c : cases) {
        PressKeyWindow w;
        w.open();
        for (Qt::Key key : c.keys) w.press(key);
        EXPECT_EQ(w.keyBox()->text(), c.shown) << c.shown.toStdString();
        // Enter and Esc are recorded, not taken as confirming or cancelling
        EXPECT_TRUE(w.dialog.isVisible());
    }
}

TEST(PressKey, ModifiersHeldWhilePressingAreNotRecorded) {
    PressKeyWindow w;
    w.open();
    QTest::keyClick(w.keyBox(), Qt::Key_B, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(w.keyBox()->text(), QStringLiteral("66"));
    w.confirm();
    EXPECT_EQ(StepResult(), QStringLiteral("KEY 66,0\r\n"));
}

TEST(PressKey, ConfirmWritesTheKeyAndTheListPositionAsMask) {
    const struct {
        int mask;
        Qt::Key key;
        bool tabOption;
        QString line;
    } cases[] = {
        {2, Qt::Key_A, false, QStringLiteral("KEY 65,2\r\n")},
        {4, Qt::Key_unknown, true, QStringLiteral("KEY 9,4\r\n")},
        {15, Qt::Key_F1, false, QStringLiteral("KEY 112,15\r\n")},
        {0, Qt::Key_Return, false, QStringLiteral("KEY 13,0\r\n")},
        // a key already recorded stays in the box but Tab wins
        {1, Qt::Key_A, true, QStringLiteral("KEY 9,1\r\n")},
    };
    for (const auto& c : cases) {
        PressKeyWindow w;
        w.open();
        if (c.key != Qt::Key_unknown) w.press(c.key);
        w.list()->setCurrentIndex(c.mask);
        if (c.tabOption) w.option(1)->click();
        w.confirm();
        EXPECT_FALSE(w.dialog.isVisible());
        EXPECT_EQ(w.dialog.result(), c.line);
        EXPECT_EQ(StepResult(), c.line);
    }
}

TEST(PressKey, TabOptionDisablesTheKeyBoxAndInputGivesItBack) {
    PressKeyWindow w;
    w.open();
    w.press(Qt::Key_A);
    w.option(1)->click();
    EXPECT_FALSE(w.keyBox()->isEnabled());
    EXPECT_EQ(w.keyBox()->text(), QStringLiteral("65"));
    w.option(0)->click();
    EXPECT_TRUE(w.keyBox()->isEnabled());
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == w.keyBox(); }));
}

TEST(PressKey, TabInTheKeyBoxMovesTheFocusInsteadOfBeingRecorded) {
    PressKeyWindow w;
    w.open();
    w.press(Qt::Key_Tab);
    EXPECT_TRUE(w.keyBox()->text().isEmpty());
    EXPECT_NE(QApplication::focusWidget(), w.keyBox());
}

TEST(PressKey, EmptyKeyBoxKeepsTheWindowOpen) {
    PressKeyWindow w;
    w.open();
    StepResult() = QStringLiteral("stale\r\n");
    w.confirm();
    EXPECT_TRUE(w.dialog.isVisible());
    EXPECT_EQ(w.dialog.result(), QString());
    w.button("Command2")->click();
    EXPECT_FALSE(w.dialog.isVisible());
    EXPECT_EQ(StepResult(), QString());
}

TEST(PressKey, CancelAndClosingLeaveNoStep) {
    for (bool viaClose : {false, true}) {
        PressKeyWindow w;
        w.open();
        w.press(Qt::Key_A);
        if (viaClose)
            w.dialog.close();
        else
            w.button("Command2")->click();
        EXPECT_FALSE(w.dialog.isVisible());
        EXPECT_EQ(StepResult(), QString());
    }
}

TEST(PressKey, AskReturnsTheChordChosenInTheModalWindow) {
    frmPressKey dialog;
    QTimer::singleShot(0, &dialog, [&dialog] {
        auto* keyBox = dialog.findChild<QLineEdit*>(QStringLiteral("Text2"));
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == keyBox; }, 3000));
        QTest::keyClick(keyBox, Qt::Key_A);
        dialog.findChild<QComboBox*>(QStringLiteral("Combo1"))->setCurrentIndex(2);
        dialog.findChild<QPushButton*>(QStringLiteral("Command4"))->click();
    });
    EXPECT_EQ(dialog.ask(), QStringLiteral("KEY 65,2\r\n"));
}
