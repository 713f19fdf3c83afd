// The text page: the operation list and its descriptions, and Execute on the selection or the whole text.
#include "AppTestSupport.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace telmo;
using telmo::testing::Box;
using telmo::testing::Find;

namespace {

TEST(OperationList, StartsOnFirstOperationWithItsDescription) {
    frmMain w;
    auto* combo = Find<QComboBox>(&w, "Combo1");
    EXPECT_EQ(combo->count(), 19);
    EXPECT_EQ(combo->currentIndex(), 0);
    EXPECT_EQ(combo->itemText(0), "去除多余空行");
    EXPECT_EQ(combo->itemText(18), "段落识别处理（不稳定）");
    EXPECT_EQ(Find<QLabel>(&w, "Label2")->text(), "删除文本中的空白行。");
}

struct DescriptionCase {
    int index;
    const char* description;
};

TEST(OperationList, ChoosingShowsDescriptionWithExampleOnItsOwnLine) {
    const DescriptionCase cases[] = {
        {1, "修改文本中的多于2个连续半角空格为1个半角空格。例如：\r\nabc□□de → abc□de （假设□表示空格）"},
        {6, "删除网页中的特殊格式的标记，例如：\r\n&&bnsp;"},
        {2, "将文本中的所有行变成一行。"},
        {17, "两将字人名中间加上全角空格，注意：每一行的内容只能为人名。例如：\r\n刘丽 → 刘　丽"},
    };
    frmMain w;
    for (const auto& c : cases) {
        Find<QComboBox>(&w, "Combo1")->setCurrentIndex(c.index);
        EXPECT_EQ(Find<QLabel>(&w, "Label2")->text(), QString::fromUtf8(c.description)) << c.index;
        EXPECT_EQ(Find<QListWidget>(&w, "List1")->item(c.index)->text(), QString::fromUtf8(c.description));
    }
}

struct ExecuteCase {
    const char* text;
    int selStart;
    int selLength;
    int operation;
    const char* expected;
};

TEST(Execute, RunsOnSelectionOrWholeText) {
    const ExecuteCase cases[] = {
        {"abc xyz", 4, 3, 9, "abc XYZ"},                     // selection only
        {"a\r\n\r\n  \r\nb\r\n", 0, 0, 0, "a\r\n  \r\nb"},   // whole text
        {"a  b\r\nc    d", 0, 0, 1, "a b\r\nc d"},           // whole text, collapse spaces
        {"x\r\n1\r\n2\r\n3\r\ny", 3, 8, 2, "x\r\n123\r\ny"}, // lines joined inside the selection only
        {"中 文\r\n测 试", 0, 3, 3, "中文\r\n测 试"},        // spaces removed in the selection
        {"", 0, 0, 2, ""},                                   // empty box: nothing happens
    };
    for (const auto& c : cases) {
        frmMain w;
        TextBoxW* box = Box(&w, "TextBoxW1");
        box->SetText(QString::fromUtf8(c.text));
        box->SetSelStart(c.selStart);
        box->SetSelLength(c.selLength);
        Find<QComboBox>(&w, "Combo1")->setCurrentIndex(c.operation);
        Find<QPushButton>(&w, "Command1(4)")->click();
        EXPECT_EQ(box->Text(), QString::fromUtf8(c.expected)) << c.text << " op " << c.operation;
    }
}

TEST(Execute, ResultOnSelectionCanBeUndone) {
    frmMain w;
    TextBoxW* box = Box(&w, "TextBoxW1");
    box->SetText("keep THIS keep");
    box->SetSelStart(5);
    box->SetSelLength(4);
    Find<QComboBox>(&w, "Combo1")->setCurrentIndex(10);
    w.Command1_Click(4);
    EXPECT_EQ(box->Text(), "keep this keep");
    qobject_cast<QPlainTextEdit*>(box->Editor())->undo();
    EXPECT_EQ(box->Text(), "keep THIS keep");
}

} // namespace
