// The step lines the editor writes: what makes a step, which spaces stay, how pauses are written.
#include "script/editor/StepLines.h"

#include <gtest/gtest.h>

using namespace telmo;

namespace {
struct LineCase {
    QString input;
    QString expected;
};
} // namespace

TEST(TextStepLine, KeepsTheTextsOwnSpacesAndDropsBlankTexts) {
    const LineCase cases[] = {
        {QStringLiteral("  abc "), QStringLiteral("INP   abc \r\n")},
        {QStringLiteral("你好"), QStringLiteral("INP 你好\r\n")},
        {QStringLiteral(""), QString()},
        {QStringLiteral("    "), QString()},
        {QStringLiteral(" \r\n "), QString()},
        // tabs and full-width spaces are content, only ASCII spaces count as blank
        {QStringLiteral("\t"), QStringLiteral("INP \t\r\n")},
        {QStringLiteral("\u3000"), QStringLiteral("INP \u3000\r\n")},
        // a line break inside the text would split the step: it never reaches the script
        {QStringLiteral("a\r\nb"), QStringLiteral("INP ab\r\n")},
        {QStringLiteral("a\nCMD x"), QStringLiteral("INP aCMD x\r\n")},
    };
    for (const LineCase& c : cases) {
        EXPECT_EQ(TextStepLine(QStringLiteral("INP "), c.input), c.expected) << c.input.toStdString();
    }
}

TEST(TextStepLine, CommandPrefixCarriesTheMinimisedMark) {
    EXPECT_EQ(TextStepLine(CommandStepPrefix(true), QStringLiteral("notepad.exe")),
              QStringLiteral("CMD @notepad.exe\r\n"));
    EXPECT_EQ(TextStepLine(CommandStepPrefix(false), QStringLiteral("notepad.exe")),
              QStringLiteral("CMD notepad.exe\r\n"));
    EXPECT_EQ(TextStepLine(CommandStepPrefix(true), QStringLiteral("  ")), QString());
}

TEST(HoldStepLine, ReadsTheDigitsAsMillisecondsInGeneralNotation) {
    const LineCase cases[] = {
        {QStringLiteral("1500"), QStringLiteral("HLD 1500\r\n")},
        {QStringLiteral("007"), QStringLiteral("HLD 7\r\n")},
        {QStringLiteral("0100"), QStringLiteral("HLD 100\r\n")},
        {QStringLiteral(" 25 "), QStringLiteral("HLD 25\r\n")},
        {QStringLiteral("999999999999999"), QStringLiteral("HLD 999999999999999\r\n")},
        {QStringLiteral("1000000000000000"), QStringLiteral("HLD 1E+15\r\n")},
        {QStringLiteral("123456789012345678"), QStringLiteral("HLD 1.23456789012346E+17\r\n")},
        {QStringLiteral("0"), QString()},
        {QStringLiteral("000"), QString()},
        {QStringLiteral(""), QString()},
        {QStringLiteral("   "), QString()},
        {QString(400, QLatin1Char('9')), QString()}, // beyond a double: no step rather than "INF"
    };
    for (const LineCase& c : cases) {
        EXPECT_EQ(HoldStepLine(c.input), c.expected) << c.input.toStdString();
    }
}

TEST(KeyAndMoveStepLines, WriteCodeAndMaskOrPoint) {
    EXPECT_EQ(KeyStepLine(QStringLiteral("65"), 2), QStringLiteral("KEY 65,2\r\n"));
    EXPECT_EQ(KeyStepLine(QStringLiteral("112"), 15), QStringLiteral("KEY 112,15\r\n"));
    EXPECT_EQ(MoveStepLine(0, 0), QStringLiteral("MOV 0,0\r\n"));
    EXPECT_EQ(MoveStepLine(1919, 1079), QStringLiteral("MOV 1919,1079\r\n"));
}
