// The Replace-all button: plain replace, the "*" rule, and the escapes of the replacement box.
#include "text/ReplaceAll.h"

#include <gtest/gtest.h>

namespace {

QString U(const char16_t* text) {
    return QStringView(text).toString();
}

TEST(DecodeReplacementEscapes, TypedPairsBecomeControlCharactersInTableOrder) {
    const struct {
        QString typed, decoded;
    } cases[] = {
        {U(u"a\\nb"), U(u"a\nb")},
        {U(u"\\r\\n"), U(u"\r\n")},
        {U(u"\\n\\r"), U(u"\r\n")},
        {U(u"\\r"), U(u"\r")},
        {U(u"\\s"), U(u" ")},
        {U(u"\\t\\f\\v"), U(u"\t\f\v")},
        {U(u"\\r\\n\\r"), U(u"\r\r\n")},    // "\n\r" is looked for first
        {U(u"\\\\n"), U(u"\\\n")},          // a doubled backslash is not special
        {U(u"\\q\\S\\N"), U(u"\\q\\S\\N")}, // only the lower-case pairs of the table
        {U(u"$1\\n"), U(u"$1\n")},
        {U(u""), U(u"")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(telmo::DecodeReplacementEscapes(c.typed), c.decoded) << c.typed.toStdString();
}

struct ButtonCase {
    const char* name;
    bool useRegex;
    QString text, find, replacement, result;
};

TEST(ApplyReplaceAll, PlainOrRegexAsTheTickAndTheFindTextSay) {
    const ButtonCase cases[] = {
        {"plain a.b is literal", false, "a.b acb", "a.b", "x", "x acb"},
        {"regex a.b is any character", true, "a.b acb", "a.b", "x", "x x"},
        {"regex * makes the whole text the replacement", true, "abc\r\ndef", "*", U(u"x\\ny"), U(u"x\\ny")},
        {"regex * with empty replacement clears", true, "abc", "*", "", ""},
        {"plain * replaces each asterisk", false, "a*b**", "*", "-", "a-b--"},
        {"regex with empty find runs the plain path", true, "abc", "", "x", "abc"},
        {"plain empty find changes nothing", false, "abc", "", "x", "abc"},
        {"regex is case-sensitive", true, "ABC", "abc", "x", "ABC"},
        {"plain is case-sensitive", false, "ABC abc", "abc", "x", "ABC x"},
        {"regex replacement \\n is a line feed", true, "a b", " ", U(u"\\n"), U(u"a\nb")},
        {"regex replacement \\r\\n is CR LF", true, "a b", " ", U(u"\\r\\n"), U(u"a\r\nb")},
        {"regex replacement \\n\\r is CR LF", true, "a b", " ", U(u"\\n\\r"), U(u"a\r\nb")},
        {"regex replacement \\s is a space", true, "a-b", "-", U(u"\\s"), "a b"},
        {"plain replacement \\n stays as typed", false, "a b", " ", U(u"\\n"), U(u"a\\nb")},
        {"plain occurrences do not overlap", false, "aaaaa", "aa", "b", "bba"},
        {"plain find longer than text", false, "ab", "abc", "x", "ab"},
        {"plain chinese", false, U(u"张三，李四，王五"), U(u"，"), U(u"\r\n"), U(u"张三\r\n李四\r\n王五")},
    };
    for (const auto& c : cases) {
        const telmo::ReplaceResult r = telmo::ApplyReplaceAll(c.text, c.find, c.replacement, c.useRegex);
        EXPECT_TRUE(r.ok) << c.name << ": " << r.error.toStdString();
        EXPECT_EQ(r.text, c.result) << c.name;
    }
}

TEST(ApplyReplaceAll, ARejectedPatternLeavesTheTextAndSaysWhy) {
    const telmo::ReplaceResult r = telmo::ApplyReplaceAll("abc", "(a", "x", true);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.text, "abc");
    EXPECT_FALSE(r.error.isEmpty());
}

} // namespace
