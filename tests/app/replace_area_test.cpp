// The replace area: plain and regular-expression replace-all on the whole work text, the "*" rule,
// use-this-expression, and a pattern the engine rejects.
#include "AppTestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

using namespace telmo;
using telmo::testing::Box;
using telmo::testing::Find;

namespace {

struct ReplaceCase {
    bool regex;
    const char* find;
    const char* replacement;
    const char* text;
    const char* expected;
};

TEST(ReplaceAll, PlainAndRegexPathsOnWholeText) {
    const ReplaceCase cases[] = {
        {false, "a.b", "x", "a.b acb", "x acb"},
        {true, "a.b", "x", "a.b acb", "x x"},
        {true, "*", "全部", "line1\r\nline2", "全部"},
        {true, "*", "", "cleared", ""},
        {false, "*", "+", "a*b**", "a+b++"},
        {true, "", "x", "unchanged", "unchanged"},
        {false, "", "x", "unchanged", "unchanged"},
        {true, "abc", "x", "ABC abc", "ABC x"},
        {true, "\\s+$", "", "a  \r\nb \r\nc", "a\r\nb\r\nc"}, // multi-line: $ at every line end
        {true, "(\\d+)-(\\d+)", "$2-$1", "10-20", "20-10"},
        {true, ",", "\\r\\n", "a,b", "a\r\nb"},
        {true, ",", "\\s", "a,b", "a b"},
        {false, ",", "\\n", "a,b", "a\\nb"}, // plain: the replacement as typed
        {false, "中", "中国", "中 中", "中国 中国"},
        {true, "[\\u4e00-\\u9fa5]", "字", "a中b文", "a字b字"},
    };
    for (const auto& c : cases) {
        frmMain w;
        Box(&w, "TextBoxW1")->SetText(QString::fromUtf8(c.text));
        Find<QCheckBox>(&w, "Check1")->setChecked(c.regex);
        Box(&w, "TextBoxW2(0)")->SetText(QString::fromUtf8(c.find));
        Box(&w, "TextBoxW2(1)")->SetText(QString::fromUtf8(c.replacement));
        Find<QPushButton>(&w, "Command1(3)")->click();
        EXPECT_EQ(Box(&w, "TextBoxW1")->Text(), QString::fromUtf8(c.expected))
            << (c.regex ? "regex " : "plain ") << c.find << " -> " << c.replacement;
    }
}

TEST(ReplaceAll, BareLineFeedFromEscapeBecomesALineOfTheBox) {
    frmMain w;
    Box(&w, "TextBoxW1")->SetText("a,b");
    Find<QCheckBox>(&w, "Check1")->setChecked(true);
    Box(&w, "TextBoxW2(0)")->SetText(",");
    Box(&w, "TextBoxW2(1)")->SetText("\\n");
    w.Command1_Click(3);
    EXPECT_EQ(Box(&w, "TextBoxW1")->Text(), "a\r\nb"); // the box breaks its lines with CR LF
}

TEST(UseThisExpression, CopiesChosenPatternIntoFindBoxOnly) {
    frmMain w;
    auto* combo = Find<QComboBox>(&w, "Combo2");
    EXPECT_EQ(combo->count(), 33);
    EXPECT_EQ(combo->currentIndex(), 0);
    EXPECT_EQ(combo->itemText(0), "数字");
    Box(&w, "TextBoxW2(1)")->SetText("keep");
    Box(&w, "TextBoxW1")->SetText("123");
    w.Command1_Click(8);
    EXPECT_EQ(Box(&w, "TextBoxW2(0)")->Text(), "^[0-9]*$");
    combo->setCurrentIndex(5);
    EXPECT_EQ(Box(&w, "TextBoxW2(0)")->Text(), "^[0-9]*$"); // choosing alone does nothing
    w.Command1_Click(8);
    EXPECT_EQ(Box(&w, "TextBoxW2(0)")->Text(), "^\\w+$");
    EXPECT_EQ(Box(&w, "TextBoxW2(1)")->Text(), "keep");
    EXPECT_EQ(Box(&w, "TextBoxW1")->Text(), "123"); // nothing replaced yet
}

TEST(RejectedPattern, TextStaysFindBoxSaysWhyUntilEdited) {
    frmMain w;
    w.show();
    TextBoxW* work = Box(&w, "TextBoxW1");
    TextBoxW* find = Box(&w, "TextBoxW2(0)");
    work->SetText("010-12345678");
    Find<QCheckBox>(&w, "Check1")->click();
    Find<QComboBox>(&w, "Combo2")->setCurrentIndex(14); // its parentheses do not balance
    w.Command1_Click(8);
    const QColor normal = find->Editor()->palette().color(QPalette::Base);
    w.Command1_Click(3);
    EXPECT_EQ(work->Text(), "010-12345678");
    EXPECT_FALSE(find->toolTip().isEmpty());
    EXPECT_NE(find->Editor()->palette().color(QPalette::Base), normal);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    find->SetText("\\d+");
    EXPECT_TRUE(find->toolTip().isEmpty());
    EXPECT_EQ(find->Editor()->palette().color(QPalette::Base), normal);
    w.Command1_Click(3);
    EXPECT_EQ(work->Text(), "-");
}

} // namespace
