// Blank lines, spaces, joining and indenting lines.
#include "text/LineOperations.h"
#include <gtest/gtest.h>

using namespace telmo;
using namespace Qt::Literals::StringLiterals;

namespace {
struct Case {
    QString in, out;
};
const QString kIndent = u"\u3000\u3000"_s;
} // namespace

TEST(RemoveBlankLines, DropsEmptyLinesAndTheTrailingBreak) {
    const Case cases[] = {
        {"a\r\n\r\n  \r\nb\r\n", "a\r\n  \r\nb"}, // a line of spaces is not blank
        {"a\rb\r\n\r\nc", "ab\r\nc"},             // a lone CR disappears
        {"\r\n\n\r\n", ""},
        {"a\n\nb", "a\r\nb"},
        {"", ""},
        {"\r", ""},
        {u"\u3000\r\n"_s, u"\u3000"_s},
    };
    for (const Case& c : cases) EXPECT_EQ(RemoveBlankLines(c.in), c.out) << c.in.toStdString();
}

TEST(CollapseSpaces, EveryRunOfSpacesBecomesOne) {
    const Case cases[] = {
        {"abc    de  f", "abc de f"},
        {"  a  ", " a "},
        {" ", " "},
        {"a\t\tb", "a\t\tb"},
        {u"a\u3000\u3000b\u00a0\u00a0c"_s, u"a\u3000\u3000b\u00a0\u00a0c"_s},
        {"a \r\n  b", "a \r\n b"},
    };
    for (const Case& c : cases) EXPECT_EQ(CollapseSpaces(c.in), c.out) << c.in.toStdString();
}

TEST(JoinAllLines, RemovesLineBreaksButLeavesLoneCr) {
    const Case cases[] = {
        {"a\r\nb\nc\rd", "abc\rd"}, {"\r\r\n", "\r"},           {"a\n\r", "a\r"},
        {"\r\n\r\n", ""},           {"no breaks", "no breaks"},
    };
    for (const Case& c : cases) EXPECT_EQ(JoinAllLines(c.in), c.out) << c.in.toStdString();
}

TEST(RemoveAllSpaces, RemovesOnlyU0020) {
    const Case cases[] = {
        {u"a b\u3000c"_s, u"ab\u3000c"_s},
        {"   ", ""},
        {"a\tb\u00a0c", "a\tb\u00a0c"},
    };
    for (const Case& c : cases) EXPECT_EQ(RemoveAllSpaces(c.in), c.out) << c.in.toStdString();
}

TEST(IndentLines, IndentsEachTrimmedLineOnce) {
    const Case cases[] = {
        {"  abc", kIndent + "abc"},
        {kIndent + "abc", kIndent + "abc"},
        {u"\u3000abc"_s, kIndent + u"\u3000abc"_s},
        {"x", kIndent + "x"},
        {u"\u3000"_s, u"\u3000"_s},
        {" x ", kIndent + "x"},
        {"", ""},
        {"a\r\n\r\nb", kIndent + "a\r\n\r\n" + kIndent + "b"},
    };
    for (const Case& c : cases) EXPECT_EQ(IndentLines(c.in), c.out) << c.in.toStdString();
}

TEST(IndentLines, TwoFullWidthSpacesBeforeABreakAreTakenAway) {
    const Case cases[] = {
        {u"abc\u3000\u3000\r\ndef"_s, kIndent + u"abc\r\n"_s + kIndent + u"def"_s},
        {kIndent + "\r\nx", "\r\n" + kIndent + "x"},                // a line of just the indent empties
        {u"x\r\n\u3000\u3000"_s, kIndent + u"x\r\n\u3000\u3000"_s}, // the last line keeps it
        {u"ab\u3000\u3000\u3000\nc"_s, kIndent + u"ab\u3000\r\n"_s + kIndent + "c"},
    };
    for (const Case& c : cases) EXPECT_EQ(IndentLines(c.in), c.out) << c.in.toStdString();
}
