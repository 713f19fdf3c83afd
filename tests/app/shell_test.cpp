// The main window's start-up state, page switching, select-all keys and the sponsorship window.
#include "AppTestSupport.h"
#include "app/frmQRCode.h"
#include "ui/TabStrip.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

using namespace telmo;
using telmo::testing::Box;
using telmo::testing::Find;

namespace {

struct VisibleCase {
    const char* name;
    bool visible;
};

TEST(StartUp, ControlsAreInPlaceWithTheirStates) {
    frmMain w;
    w.show();
    EXPECT_EQ(w.windowTitle(), "Telmo填表助手");
    EXPECT_EQ(w.size(), QSize(674, 561));
    const VisibleCase cases[] = {
        {"Picture1(0)", true}, {"Picture1(1)", false}, {"Picture1(2)", false}, {"Check2", true},
        {"Combo2", false},     {"Label1(4)", false},   {"Command1(8)", false}, {"List1", false},
        {"List2", false},      {"Command1(3)", true},  {"Label4(0)", false},
    };
    for (const auto& c : cases) {
        QWidget* widget = Find(&w, c.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->isVisibleTo(&w), c.visible) << c.name;
    }
    EXPECT_FALSE(Find<QPushButton>(&w, "Command1(2)")->isEnabled());
    EXPECT_EQ(Find<QPushButton>(&w, "Command1(2)")->toolTip(), "导入文件出现乱码时，尝试转换编码。");
    EXPECT_FALSE(Find<QCheckBox>(&w, "Check2")->isChecked());
    EXPECT_FALSE(Find<QCheckBox>(&w, "Check1")->isChecked());
    EXPECT_EQ(Find<QLabel>(&w, "Label6")->text(), "");
    EXPECT_EQ(Find<TabStrip>(&w, "TabStrip1")->SelectedIndex(), 1);
    EXPECT_EQ(Box(&w, "TextBoxW1")->Text(), "");
    EXPECT_EQ(Box(&w, "TextBoxW3")->Text(), "");
    EXPECT_TRUE(Box(&w, "TextBoxW4(0)")->DigitsOnly());
    EXPECT_TRUE(Box(&w, "TextBoxW4(1)")->DigitsOnly());
}

struct GeometryCase {
    const char* name;
    QRect pixels;
};

TEST(StartUp, PositionsAreTwipsDividedByFifteen) {
    frmMain w;
    const GeometryCase cases[] = {
        {"TabStrip1", {8, 8, 657, 545}},     {"Picture1(0)", {16, 40, 641, 505}},
        {"Picture1(2)", {16, 40, 641, 505}}, {"Picture2", {584, 8, 81, 25}},
        {"TextBoxW1", {0, 32, 641, 265}},    {"Command1(2)", {512, 0, 129, 25}},
        {"Combo1", {352, 304, 209, 25}},     {"Label2", {288, 336, 345, 161}},
        {"TextBoxW3", {0, 32, 273, 473}},    {"TextBoxW4(1)", {480, 6, 57, 21}},
        {"Command1(7)", {568, 0, 73, 25}},   {"Label4(1)", {8, 480, 48, 17}},
    };
    for (const auto& c : cases) {
        QWidget* widget = Find(&w, c.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->geometry(), c.pixels) << c.name;
    }
}

TEST(StartUp, ScriptPageHasTwentyActionButtonsInTheirGrid) {
    frmMain w;
    QWidget* page = Find(&w, "Picture1(1)");
    const int lefts[] = {4320, 5640, 6960, 8280};
    const int tops[] = {720, 1680, 2640, 3600, 4560};
    for (int i = 0; i < 20; ++i) {
        QWidget* button = Find(&w, QStringLiteral("cmdAction(%1)").arg(i).toUtf8());
        ASSERT_NE(button, nullptr) << i;
        EXPECT_EQ(button->parentWidget(), page) << i;
        EXPECT_EQ(button->geometry(), QRect(lefts[i % 4] / 15, tops[i / 4] / 15, 73, 41)) << i;
    }
    EXPECT_EQ(Find<QLabel>(&w, "Label6")->text(), "");
}

TEST(StartUp, AboutPageIsCentred) {
    frmMain w;
    QWidget* page = Find(&w, "Picture1(2)");
    for (const char* name : {"Picture3", "Label3(0)", "Label3(1)", "Label3(2)"}) {
        QWidget* widget = Find(&w, name);
        EXPECT_NEAR(widget->geometry().center().x(), page->width() / 2, 1) << name;
    }
    EXPECT_EQ(Find<QLabel>(&w, "Label3(1)")->text(), "版本：2.0");
    EXPECT_EQ(Find<QLabel>(&w, "Label4(1)")->text(), "赞助作者");
}

TEST(PageSwitching, TabShowsExactlyItsPageAndKeepsContents) {
    frmMain w;
    w.show();
    Box(&w, "TextBoxW1")->SetText("保留\r\n的文本");
    QTabBar* bar = Find<TabStrip>(&w, "TabStrip1")->Bar();
    const int tabs[] = {3, 2, 1, 3, 1};
    for (int tab : tabs) {
        bar->setCurrentIndex(tab - 1); // as a click on the tab does
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(Find(&w, QStringLiteral("Picture1(%1)").arg(i).toUtf8())->isVisible(), tab == i + 1)
                << "tab " << tab << " page " << i;
    }
    EXPECT_EQ(Box(&w, "TextBoxW1")->Text(), "保留\r\n的文本");
}

struct KeyCase {
    Qt::KeyboardModifiers modifiers;
    bool selectsAll;
};

TEST(SelectAll, OnlyCtrlAloneWithASelectsAllInBothLargeBoxes) {
    const KeyCase cases[] = {
        {Qt::ControlModifier, true},
        {Qt::ControlModifier | Qt::ShiftModifier, false},
        {Qt::ControlModifier | Qt::AltModifier, false},
    };
    for (const char* name : {"TextBoxW1", "TextBoxW3"}) {
        for (const auto& c : cases) {
            frmMain w;
            TextBoxW* box = Box(&w, name);
            box->SetText("第一行\r\nline two");
            box->SetSelStart(2);
            QTest::keyClick(box->Editor(), Qt::Key_A, c.modifiers);
            EXPECT_EQ(box->SelLength() == int(box->Text().size()), c.selectsAll)
                << name << " " << int(c.modifiers);
            if (c.modifiers != (Qt::ControlModifier | Qt::AltModifier)) { // Ctrl+Alt may type as AltGr does
                EXPECT_EQ(box->Text(), "第一行\r\nline two") << name;
            }
        }
    }
}

TEST(ReplaceArea, RegexTickShowsAndHidesItsControls) {
    frmMain w;
    w.show();
    auto* check = Find<QCheckBox>(&w, "Check1");
    for (bool on : {true, false, true}) {
        QTest::mouseClick(check, Qt::LeftButton);
        for (const char* name : {"Combo2", "Label1(4)", "Command1(8)"})
            EXPECT_EQ(Find(&w, name)->isVisible(), on) << name;
    }
}

TEST(ScriptPage, MouseOverEmptyPartClearsDescriptionOnlyThere) {
    frmMain w;
    w.show();
    auto* label6 = Find<QLabel>(&w, "Label6");
    label6->setText("按下一个键");
    QWidget* textPage = Find(&w, "Picture1(0)");
    QMouseEvent overText(QEvent::MouseMove, QPointF(300, 10), QPointF(), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
    QApplication::sendEvent(textPage, &overText);
    EXPECT_EQ(label6->text(), "按下一个键");
    QWidget* scriptPage = Find(&w, "Picture1(1)");
    // Between the first two columns and rows of step buttons: the page's own background.
    QMouseEvent overScript(QEvent::MouseMove, QPointF(368, 100), QPointF(), Qt::NoButton, Qt::NoButton,
                           Qt::NoModifier);
    QApplication::sendEvent(scriptPage, &overScript);
    EXPECT_EQ(label6->text(), "");
}

TEST(Sponsorship, LinkOpensModalWindowWithItsText) {
    frmMain w;
    w.show();
    Find(&w, "Picture1(2)")->show();
    QString caption, text;
    bool modal = false;
    telmo::testing::WhenModalShows<QDialog>([&](QDialog* dialog) {
        caption = dialog->windowTitle();
        modal = dialog->isModal();
        if (auto* label = dialog->findChild<QLabel*>("Label1")) text = label->text();
        dialog->close();
    });
    QTest::mouseClick(Find(&w, "Label4(1)"), Qt::LeftButton);
    EXPECT_EQ(caption, "赞助作者");
    EXPECT_TRUE(modal);
    EXPECT_EQ(text, "无论是否赞助作者，你都可以使用Telmo填表助手的全部功能。");
}

} // namespace
