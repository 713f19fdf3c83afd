// The operation table and the dispatcher.
#include "text/Amounts.h"
#include "text/LineArithmetic.h"
#include "text/TextOperations.h"
#include <gtest/gtest.h>

using namespace telmo;
using namespace Qt::Literals::StringLiterals;

TEST(TextOperationTable, HasNineteenEntriesInListOrder) {
    const QStringList names = TextOperationNames(), ids = TextOperationIdentifiers(),
                      descriptions = TextOperationDescriptions();
    ASSERT_EQ(names.size(), kTextOperationCount);
    ASSERT_EQ(ids.size(), kTextOperationCount);
    ASSERT_EQ(descriptions.size(), kTextOperationCount);
    EXPECT_EQ(names[0], QString(u"去除多余空行"_s));
    EXPECT_EQ(names[12], QString(u"英文字母改为句首单词首字母大写"_s));
    EXPECT_EQ(names[18], QString(u"段落识别处理（不稳定）"_s));
    EXPECT_EQ(ids[7], QString("TraditionalToSimplified"));
    EXPECT_EQ(ids[16], QString("ComputeBill"));
}

TEST(TextOperationTable, DescriptionsKeepTheirOddCharacters) {
    const QStringList d = TextOperationDescriptions();
    EXPECT_EQ(d[0], QString(u"删除文本中的空白行。"_s));
    EXPECT_EQ(
        d[1],
        QString(u"修改文本中的多于2个连续半角空格为1个半角空格。例如：abc□□de → abc□de （假设□表示空格）"_s));
    EXPECT_EQ(d[4], QString(u"修改文本中的英文标点，使其变为中文标点。例如：\"\" → “”"_s));
    EXPECT_EQ(d[5], QString(u"修改文本中的中文标点，使其变为英文标点。例如：“” → \"\""_s));
    EXPECT_EQ(d[6], QString(u"删除网页中的特殊格式的标记，例如：&&bnsp;"_s));
    EXPECT_EQ(d[17],
              QString(u"两将字人名中间加上全角空格，注意：每一行的内容只能为人名。例如：刘丽 → 刘　丽"_s));
    for (const QString& text : d) EXPECT_FALSE(text.contains(u'\r')) << text.toStdString();
}

TEST(TextOperationTable, LooksUpIdentifiersExactly) {
    const QStringList ids = TextOperationIdentifiers();
    for (int i = 0; i < kTextOperationCount; ++i) EXPECT_EQ(TextOperationIndex(ids[i]), i);
    EXPECT_EQ(TextOperationIndex(u"removeblanklines"_s), -1);
    EXPECT_EQ(TextOperationIndex(u""_s), -1);
    EXPECT_EQ(TextOperationIndex(u"RemoveBlankLinesX"_s), -1);
}

TEST(ApplyTextOperation, IndexOutsideTheListGivesEmptyText) {
    for (int index : {-1, 19, 1000, -32768}) EXPECT_EQ(ApplyTextOperation("abc", index), QString()) << index;
}

TEST(ApplyTextOperation, DispatchesToTheOperationAtEachIndex) {
    struct Case {
        int index;
        QString in, out;
    } cases[] = {
        {0, "a\r\n\r\nb", "a\r\nb"},
        {1, "a  b", "a b"},
        {2, "a\r\nb", "ab"},
        {3, "a b", "ab"},
        {4, "a,b", u"a，b"_s},
        {5, u"a，b"_s, "a,b"},
        {6, "&lt;", "<"},
        {7, u"乾淨"_s, u"干净"_s},
        {8, u"头发"_s, u"頭髮"_s},
        {9, "abc", "ABC"},
        {10, "ABC", "abc"},
        {11, "ab cd", "Ab Cd"},
        {12, "ab. cd", "Ab. Cd"},
        {14, "1+2\r\n10/4", "1+2=3\r\n10/4=2.5"},
        {15, "x", u"\u3000\u3000x"_s},
        {17, u"刘丽"_s, u"刘\u3000丽"_s},
        {18, u"第一段。\r\n第二段"_s, u"\u3000\u3000第一段。\r\n\u3000\u3000第二段"_s},
    };
    for (const Case& c : cases) EXPECT_EQ(ApplyTextOperation(c.in, c.index), c.out) << c.index;
    EXPECT_EQ(ApplyTextOperation(u"人民币123.04"_s, 13), AmountsToCapitals(u"人民币123.04"_s));
    EXPECT_NE(ApplyTextOperation(u"人民币123.04"_s, 13), u"人民币123.04"_s);
    EXPECT_EQ(ApplyTextOperation(u"饮料 23.5"_s, 16), ComputeBill(u"饮料 23.5"_s));
    EXPECT_NE(ApplyTextOperation(u"饮料 23.5"_s, 16), u"饮料 23.5"_s);
}
