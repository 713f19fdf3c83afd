#include "text/TextLines.h"
#include <gtest/gtest.h>

using telmo::JoinLines;
using telmo::SplitLines;

TEST(TextLines, SplitCutsAtLfAndDropsEveryCr) {
    struct Case {
        QString text;
        QStringList lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\nb\n", {"a", "b", ""}},
        {"a\rb", {"ab"}}, // a lone CR disappears without breaking the line
        {"\r\n\r\n", {"", "", ""}},
        {"  \n x ", {"  ", " x "}},
    };
    for (const Case& c : cases) EXPECT_EQ(SplitLines(c.text), c.lines) << c.text.toStdString();
}

TEST(TextLines, JoinPutsCrLfBetweenLinesOnly) {
    EXPECT_EQ(JoinLines({}), QString());
    EXPECT_EQ(JoinLines({""}), QString());
    EXPECT_EQ(JoinLines({"a", "", "b"}), QString("a\r\n\r\nb"));
    EXPECT_EQ(JoinLines(SplitLines("x\r\ny\n")), QString("x\r\ny\r\n"));
}
