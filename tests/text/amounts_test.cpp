#include "text/Amounts.h"

#include <QStringList>
#include <cmath>
#include <gtest/gtest.h>

using namespace telmo;

TEST(ParseLeadingNumber, ReadsSignDigitsPointAndExponent) {
    struct Case {
        const char16_t* text;
        double value;
    } cases[] = {
        {u"123.04", 123.04},
        {u"-3.5", -3.5},
        {u"+7", 7},
        {u".5", 0.5},
        {u"5.", 5},
        {u"1e3", 1000},
        {u"1E+3", 1000},
        {u"2.5d-1", 0.25},
        {u"1D2", 100},
        {u"12abc", 12},
        {u"1,234.50", 1},
        {u"1.2.3", 1.2},
        {u"2021-03-30", 2021},
        {u"1e", 1},
        {u"1e+", 1},
        {u"7e-x", 7},
        {u"$5", 0},
        {u"abc", 0},
        {u"", 0},
        {u"-", 0},
        {u"--5", 0},
        {u".", 0},
        {u"e5", 0},
        {u"-.25", -0.25},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(ParseLeadingNumber(QStringView(c.text)), c.value)
            << QString::fromUtf16(c.text).toStdString();
}

TEST(ParseLeadingNumber, SkipsSpacesTabsAndLineFeedsAnywhere) {
    EXPECT_DOUBLE_EQ(ParseLeadingNumber(u"  1 2\t3"), 123);
    EXPECT_DOUBLE_EQ(ParseLeadingNumber(u"- 4 . 5"), -4.5);
    EXPECT_DOUBLE_EQ(ParseLeadingNumber(u"1\n0 e 2"), 1000);
    EXPECT_DOUBLE_EQ(ParseLeadingNumber(u"1\r2"), 1);     // CR is not skipped
    EXPECT_DOUBLE_EQ(ParseLeadingNumber(u"1\u30002"), 1); // nor a full-width space
}

TEST(ParseLeadingNumber, ExtremeExponentsSaturateInsteadOfFailing) {
    EXPECT_EQ(ParseLeadingNumber(u"1e400"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(ParseLeadingNumber(u"-1e400"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(ParseLeadingNumber(u"1e-400"), 0.0);
    EXPECT_EQ(ParseLeadingNumber(u"0.0001e99999999999999999999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(ParseLeadingNumber(u"123e-99999999999999999999"), 0.0);
    EXPECT_EQ(ParseLeadingNumber(QString(400, u'9')), std::numeric_limits<double>::infinity());
    EXPECT_DOUBLE_EQ(ParseLeadingNumber(QString("0.") + QString(400, u'0') + "5e401"), 5);
}

TEST(FormatCapitalAmount, WholeNumbersWithUnitsAndZeros) {
    struct Case {
        float amount;
        const char16_t* text;
    } cases[] = {
        {0, u"圆整"},
        {10, u"拾圆整"},
        {15, u"拾伍圆整"},
        {110, u"壹佰壹拾圆整"},
        {210, u"贰佰壹拾圆整"},
        {1001, u"壹仟零壹圆整"},
        {1010, u"壹仟零壹拾圆整"},
        {10001, u"壹万零壹圆整"},
        {100000, u"拾万圆整"},
        {150000, u"拾伍万圆整"},
        {1005000, u"壹佰万伍仟圆整"},
        {10010000, u"壹仟零壹万圆整"},
        {12345678, u"壹仟贰佰叁拾肆万伍仟陆佰柒拾捌圆整"},
        {100100, u"拾万零壹佰圆整"},
        {3, u"叁圆整"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatCapitalAmount(c.amount), QString::fromUtf16(c.text)) << c.amount;
}

TEST(FormatCapitalAmount, FractionsRoundHalfToEvenOnTheSingleValue) {
    struct Case {
        float amount;
        const char16_t* text;
    } cases[] = {
        {123.04f, u"壹佰贰拾叁圆零肆分"},
        {0.5f, u"圆伍角"},
        {0.05f, u"圆零伍分"},
        {0.995f, u"壹圆整"},
        {1.999f, u"贰圆整"},
        {-1.25f, u"负壹圆贰角伍分"},
        {1.125f, u"壹圆壹角贰分"}, // exactly half: to even
        {1.375f, u"壹圆叁角捌分"},
        {1234567.89f, u"壹佰贰拾叁万肆仟伍佰陆拾柒圆捌角捌分"}, // held as 1234567.875
        {9.99f, u"玖圆玖角玖分"},
        {-0.0f, u"圆整"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatCapitalAmount(c.amount), QString::fromUtf16(c.text)) << c.amount;
}

TEST(FormatCapitalAmount, OverflowFromOneHundredMillion) {
    const QString overflow = QString::fromUtf16(u"[错误：长度溢出]");
    EXPECT_EQ(FormatCapitalAmount(ToSingle(99999999)), overflow); // single precision holds 100,000,000
    EXPECT_EQ(FormatCapitalAmount(-100000000.0f), overflow);
    EXPECT_EQ(FormatCapitalAmount(ToSingle(1e300)), overflow);
    EXPECT_EQ(FormatCapitalAmount(std::nanf("")), overflow);
    EXPECT_EQ(FormatCapitalAmount(99999992.0f), QString::fromUtf16(u"玖仟玖佰玖拾玖万玖仟玖佰玖拾贰圆整"));
}

TEST(AmountsToCapitals, ReplacesFirstNumberAndRestOfEachLine) {
    struct Case {
        const char16_t* text;
        const char16_t* result;
    } cases[] = {
        {u"人民币123.04", u"人民币壹佰贰拾叁圆零肆分"},
        {u"总计：1,234.50元", u"总计：壹圆整"},
        {u"2021-03-30", u"贰仟零贰拾壹圆整"},
        {u"a-b", u"a圆整"},
        {u"x: -3.5", u"x: 负叁圆伍角"},
        {u"1e3", u"壹仟圆整"},
        {u"没有数字", u"没有数字"},
        {u"a 1\r\n\r\nb 2\nc", u"a 壹圆整\r\n\r\nb 贰圆整\r\nc"},
        {u"x 99999999\r\ny 5", u"x [错误：长度溢出]\r\ny 伍圆整"},
        {u"1\r\n", u"壹圆整\r\n"},
        {u"", u""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AmountsToCapitals(QString::fromUtf16(c.text)), QString::fromUtf16(c.result))
            << QString::fromUtf16(c.text).toStdString();
}

TEST(AmountsToCapitals, KeepsSurrogatesAndNulsOutsideTheNumber) {
    const QString emoji = QString::fromUtf16(u"\U0001F600");
    const QString lone = QString(QChar(0xD800));
    const QString text = emoji + lone + QChar(0) + "12";
    EXPECT_EQ(AmountsToCapitals(text), emoji + lone + QChar(0) + QString::fromUtf16(u"拾贰圆整"));
}
