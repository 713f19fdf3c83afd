#include "text/Amounts.h"
#include "text/LineArithmetic.h"

#include <gtest/gtest.h>

using namespace telmo;

namespace {
QString U(const char16_t* s) {
    return QString::fromUtf16(s);
}
} // namespace

TEST(EvaluateExpressionLine, AppendsTheValueToTheTrimmedExpression) {
    struct Case {
        const char16_t* line;
        const char16_t* result;
    } cases[] = {
        {u"1+2", u"1+2=3"},
        {u"10/4", u"10/4=2.5"},
        {u"7\\2", u"7\\2=3"},
        {u"2^3^2", u"2^3^2=64"},
        {u"-2^2", u"-2^2=4"},
        {u"1/3", u"1/3=0.333333333333333"},
        {u"\"a\" & 1+2", u"\"a\" & 1+2=a3"},
        {u"  2*3  ", u"2*3=6"},
        {u"\t2*3", u"\t2*3=6"}, // only spaces are trimmed; the tab is a blank for the evaluator
        {u"1=1", u"1=1=True"},
        {u"Len(\"中文\")", u"Len(\"中文\")=2"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EvaluateExpressionLine(U(c.line)), U(c.result)) << U(c.line).toStdString();
}

TEST(EvaluateExpressionLine, FailuresAndEmptyValuesLeaveTheLineExactlyAsItWas) {
    const char16_t* unchanged[] = {
        u"1/0",        u"  1/0  ", u"", u"   ", u"饮料 23.5", u"x", u"\"\"", u"Null", u"1+", u"abc def",
        u"\u3000 1+2", // a full-width space is not a blank of the language
    };
    for (const char16_t* line : unchanged)
        EXPECT_EQ(EvaluateExpressionLine(U(line)), U(line)) << U(line).toStdString();
    const QString nested = QString(10000, u'(') + "1" + QString(10000, u')');
    EXPECT_EQ(EvaluateExpressionLine(nested), nested);
    const QString broken = QString("1+") + QChar(0xD800) + QChar(0) + "2";
    EXPECT_EQ(EvaluateExpressionLine(broken), broken);
}

TEST(EvaluateLines, EvaluatesEveryLineAndJoinsWithCrLf) {
    EXPECT_EQ(EvaluateLines("1+1\r\n\r\n2*3\nx\r\n"), QString("1+1=2\r\n\r\n2*3=6\r\nx\r\n"));
    EXPECT_EQ(EvaluateLines("1/0\n  5  "), QString("1/0\r\n5=5"));
    EXPECT_EQ(EvaluateLines(""), QString());
    EXPECT_EQ(EvaluateLines("1\r+1"), QString("1+1=2")); // a lone CR disappears with the line cutting
}

TEST(ComputeBill, TotalsIncomeAndExpenseInSinglePrecision) {
    struct Case {
        const char16_t* text;
        const char16_t* summary;
    } cases[] = {
        {u"饮料 23.5\r\n工资 3000\r\n房租 -1500", u"累计收入：3023.5，累计支出：-1500"},
        {u"3号饮料 -5", u"累计收入：3，累计支出：0"},
        {u"零钱 -", u"累计收入：0，累计支出：0"},
        {u"饮料23.5", u"累计收入：23.5，累计支出：0"},
        {u"a 1,000", u"累计收入：1，累计支出：0"},
        {u"", u"累计收入：0，累计支出：0"},
        {u"a 0.1\nb 0.2", u"累计收入：0.3，累计支出：0"},
        {u"a 12345678\nb 1", u"累计收入：1.234568E+07，累计支出：0"},
        {u"a 16777216\nb 1", u"累计收入：1.677722E+07，累计支出：0"},
        {u"a 0.00001", u"累计收入：1E-05，累计支出：0"},
        {u"a -0", u"累计收入：0，累计支出：0"},
        {u"a 1e39", u"累计收入：[错误：长度溢出]，累计支出：0"},
        {u"a 3e38\nb 3e38\nc -2", u"累计收入：[错误：长度溢出]，累计支出：-2"},
        {u"没有数字\n\n", u"累计收入：0，累计支出：0"},
    };
    for (const auto& c : cases) {
        const QString result = ComputeBill(U(c.text));
        const qsizetype cut = result.lastIndexOf(QLatin1String("\r\n"));
        ASSERT_GE(cut, 0);
        EXPECT_EQ(result.mid(cut + 2), U(c.summary)) << U(c.text).toStdString();
    }
}

TEST(ComputeBill, KeepsTheTextWithLineBreaksAsCrLf) {
    const QString summary = U(u"累计收入：3，累计支出：0");
    EXPECT_EQ(ComputeBill("a 1\nb 2"), "a 1\r\nb 2\r\n" + summary);
    EXPECT_EQ(ComputeBill("a 1\r\nb 2\r\n"), "a 1\r\nb 2\r\n\r\n" + summary); // empty line before the summary
    EXPECT_EQ(ComputeBill("a 1\rx\nb 2"), "a 1\rx\r\nb 2\r\n" + summary);     // a lone CR stays in the text
    EXPECT_EQ(ComputeBill(""), "\r\n" + U(u"累计收入：0，累计支出：0"));
    EXPECT_EQ(FormatBillTotal(3023.5f), "3023.5");
    EXPECT_EQ(FormatBillTotal(-1500.0f), "-1500");
}

TEST(LineArithmeticRobustness, HundredMegabyteSingleLines) {
    const qsizetype chars = 50 * 1024 * 1024; // 100 MB of UTF-16
    QString sum = QString("1+").repeated(chars / 2 - 1) + "1";
    const QString evaluated = EvaluateLines(sum);
    EXPECT_EQ(evaluated, sum + "=" + QString::number(chars / 2));
    sum.clear();

    const QString digits = QString("1234567890").repeated(chars / 10);
    EXPECT_EQ(ComputeBill(digits), digits + U(u"\r\n累计收入：[错误：长度溢出]，累计支出：0"));
    EXPECT_EQ(AmountsToCapitals("x" + digits), U(u"x[错误：长度溢出]"));
    EXPECT_EQ(EvaluateLines(digits), digits); // a literal beyond double range does not compile
}
