// The list of common patterns: what it offers, and that each pattern does what its name says.
#include "text/ReplaceAll.h"

#include <gtest/gtest.h>

namespace {

QString U(const char16_t* text) {
    return QStringView(text).toString();
}

TEST(CommonRegexes, ThirtyThreeNamesAndPatternsAsStored) {
    const QStringList names = telmo::CommonRegexNames();
    const QStringList patterns = telmo::CommonRegexPatterns();
    ASSERT_EQ(names.size(), 33);
    ASSERT_EQ(patterns.size(), 33);
    EXPECT_EQ(names[0], U(u"数字"));
    EXPECT_EQ(patterns[0], U(u"^[0-9]*$"));
    EXPECT_EQ(patterns[5], U(u"^\\w+$"));
    EXPECT_EQ(patterns[5].size(), 5);
    EXPECT_EQ(names[8], U(u"可以输入含有^%&',;=?$\\\"等字符"));
    EXPECT_EQ(names[9], U(u"禁止输入含有^%&',;=?$\\\"的字符"));
    EXPECT_EQ(patterns[14], U(u"^(\\(\\d{3,4}-)|\\d{3.4}-)?\\d{7,8}$"));
    EXPECT_EQ(names[32], U(u"IPv4地址"));
    EXPECT_EQ(patterns[32],
              U(u"((2(5[0-5]|[0-4]\\d))|[0-1]?\\d{1,2})(\\.((2(5[0-5]|[0-4]\\d))|[0-1]?\\d{1,2})){3}"));
}

TEST(CommonRegexes, EachPatternFindsWhatItIsMeantFor) {
    const struct {
        int index;
        QString sample, result; // the sample with every match replaced by "#"
    } cases[] = {
        {0, "12345", "#"},
        {1, "Hello", "#"},
        {2, "ABC", "#"},
        {3, "abc", "#"},
        {4, "abc123", "#"},
        {5, "a_1", "#"},
        {6, U(u"中文abc_1"), "#"},
        {7, U(u"中文abc1"), "#"},
        {8, "abc\"d", "#\"#"},
        {9, "a~b", "#~#"},
        {10, "john.doe@mail.example.com", "#"},
        {11, "www.example.com", "#"},
        {12, "https://a.b.com/x?y=1", "#"},
        {13, "13812345678", "#"},
        {15, "010-12345678", "#"},
        {16, "11010119900307123X", "#"},
        {17, "a1", "#"},
        {18, "abc123", "#"},
        {21, "2024-03-12", "#"},
        {22, "09\r\n12\r\n13", "#\r\n#\r\n13"},
        {23, "31", "#"},
        {24, "note\\.xml", "#"}, // the stored pattern asks for a backslash before the dot
        {25, U(u"a中b"), "a#b"},
        {26, U(u"a中b"), "a#b"},
        {27, U(u"a\n  \r\nb"), U(u"a#\nb")},
        {28, "<b>bold</b>", "#bold#"},
        {29, "  ab  ", "#ab##"},
        {30, "QQ 12345", "QQ #"},
        {31, "100080", "#"},
        {32, "192.168.1.1", "#"},
    };
    const QStringList patterns = telmo::CommonRegexPatterns();
    for (const auto& c : cases) {
        const telmo::ReplaceResult r = telmo::RegexReplaceAll(c.sample, patterns[c.index], "#");
        EXPECT_TRUE(r.ok) << c.index << ": " << r.error.toStdString();
        EXPECT_EQ(r.text, c.result) << c.index;
    }
}

TEST(CommonRegexes, TheTwoPasswordPatternsCompileButAskForOneCharacter) {
    // Stored without a repeat, they can only match a line of one character that holds a digit, a
    // lower-case and an upper-case letter at once: never.
    const QStringList patterns = telmo::CommonRegexPatterns();
    for (int index : {19, 20}) {
        const telmo::ReplaceResult r = telmo::RegexReplaceAll("Abc123\r\nA\r\n1", patterns[index], "#");
        EXPECT_TRUE(r.ok) << index << ": " << r.error.toStdString();
        EXPECT_EQ(r.text, "Abc123\r\nA\r\n1") << index;
    }
}

TEST(CommonRegexes, TheTelephonePatternIsRejectedAndTheTextStays) {
    const telmo::ReplaceResult r =
        telmo::RegexReplaceAll("010-12345678", telmo::CommonRegexPatterns()[14], "#");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.text, "010-12345678");
    EXPECT_TRUE(r.error.contains(u"23")) << r.error.toStdString(); // the stray ")" is the 23rd character
}

} // namespace
