// Regular-expression replace-all: the dialect users type, the match loop, the "$" expansions and
// the limits that keep a bad pattern from hanging the program.
#include "text/ReplaceAll.h"

#include <gtest/gtest.h>

namespace {

QString U(const char16_t* text, qsizetype size = -1) {
    return (size < 0 ? QStringView(text) : QStringView(text, size)).toString();
}

struct Case {
    const char* name;
    QString text, pattern, replacement, result;
};

void ExpectReplaces(const Case* begin, const Case* end) {
    for (const Case* c = begin; c != end; ++c) {
        const telmo::ReplaceResult r = telmo::RegexReplaceAll(c->text, c->pattern, c->replacement);
        EXPECT_TRUE(r.ok) << c->name << ": " << r.error.toStdString();
        EXPECT_EQ(r.text, c->result) << c->name;
    }
}

TEST(RegexReplaceAll, EmptyMatchesMoveOnOneCodeUnit) {
    const Case cases[] = {
        {"x* between every character", "abc", "x*", "-", "-a-b-c-"},
        {"b* after a match may match empty", "abc", "b*", "-", "-a--c-"},
        {"trim both ends", "  ab  ", "^\\s*|\\s*$", "", "ab"},
        {"lazy empty", "aaa", "a*?", "-", "-a-a-a-"},
        {"empty text", "", "x*", "-", "-"},
        {"inside a surrogate pair", U(u"\U0001F600"), "", "-", U(u"-\xD83D-\xDE00-")},
        {"dot is one code unit", U(u"\U0001F600"), ".", "x", "xx"},
        {"no match leaves the text", "abc", "z", "x", "abc"},
    };
    ExpectReplaces(std::begin(cases), std::end(cases));
}

TEST(RegexReplaceAll, CrAndLfEachEndALineAndCrLfIsOneLineEnd) {
    const Case cases[] = {
        {"every line of a CR LF text", "ab\r\ncd\r\nef", "^\\w+$", "[$&]", "[ab]\r\n[cd]\r\n[ef]"},
        {"line starts", "a\r\nb\rc\nd", "^", "> ", "> a\r\n> b\r> c\n> d"},
        {"line ends", "a\r\nb\rc\nd", "$", "!", "a!\r\nb!\rc!\nd!"},
        {"dot stops at CR and LF", "ab\r\ncd", ".+", "x", "x\r\nx"},
        {"empty lines", "a\r\n\r\nb", "^$", "-", "a\r\n-\r\nb"},
        {"a blank line pattern", "a\n  \r\nb", "\\n\\s*\\r", "", "a\nb"},
        {"\\s crosses line ends", "a \r\n b", "a\\s+b", "x", "x"},
    };
    ExpectReplaces(std::begin(cases), std::end(cases));
}

TEST(RegexReplaceAll, TheTypedDialectWinsWherePcreDiffers) {
    const Case cases[] = {
        {"hyphen after a class escape", "a-.b c", "[\\w-.]+", "x", "x x"},
        {"hyphen before a class escape", "-5z", "[z-\\d]", "x", "xxx"},
        {"the web address pattern", "https://a.b.com/x?y=1",
         "^https?://([\\w-]+\\.)+[\\w-]+(/[\\w-./?%&=]*)?$", "ok", "ok"},
        {"unknown escape is the letter", "qQ", "\\q", "x", "xQ"},
        {"escaped letters with PCRE meanings are letters", "ReKAz", "\\R\\e\\K\\A\\z", "x", "x"},
        {"\\v is the vertical tab only", U(u"a\vb\nc"), "\\v", "x", U(u"axb\nc")},
        {"\\xHH", "AB", "\\x41", "x", "xB"},
        {"\\x without two hex digits is x", "x4", "\\x4", "y", "y"},
        {"\\uHHHH", U(u"中文"), "\\u4E2D", "x", U(u"x文")},
        {"\\u without four hex digits is u", "u12", "\\u12", "y", "y"},
        {"\\cJ is a line feed", "a\nb", "\\cJ", "x", "axb"},
        {"\\c without a letter is a backslash", "\\c", "\\c", "x", "x"},
        {"back-reference", "aa ab", "(a)\\1", "x", "x ab"},
        {"reference ahead of its group matches empty", "a", "\\1(a)", "x", "x"},
        {"number above the group count is octal", U(u"a\nb"), "(a)\\12", "x", "xb"},
        {"\\0 is NUL", U(u"a\0b", 3), "\\0", "x", "axb"},
        {"\\8 without a group is the digit", "8", "\\8", "x", "x"},
        {"[] matches nothing", "abc", "a[]", "x", "abc"},
        {"[^] matches anything", "a\nb", "[^]", "x", "xxx"},
        {"[:alpha:] inside a class is just characters", "a]b:]", "[[:alpha:]]", "x", "xbx"},
        {"a brace that is no repeat is a brace", "a{2 a{,2}", "a\\{2|a\\{,2\\}|a{2", "x", "x x"},
        {"braces and brackets alone are literal", "}]", "}]", "x", "x"},
        {"\\b in a class is a backspace", U(u"a\bb"), "[\\b]", "x", "axb"},
        {"lazy repeat", "<a><b>", "<.*?>", "x", "xx"},
        {"lookahead", "ab ac", "a(?=c)", "x", "ab xc"},
        {"negative lookahead", "ab ac", "a(?!c)", "x", "xb ac"},
        {"case-sensitive", "ABC abc", "abc", "x", "ABC x"},
        {"\\w is ASCII", U(u"中a_1"), "\\w+", "x", U(u"中x")},
        {"\\s is ASCII white space", U(u"a\u3000b c"), "\\s", "_", U(u"a\u3000b_c")},
    };
    ExpectReplaces(std::begin(cases), std::end(cases));
}

TEST(RegexReplaceAll, DollarReferencesAreExpanded) {
    const Case cases[] = {
        {"groups", "john smith", "(\\w+) (\\w+)", "$2 $1", "smith john"},
        {"whole match", "ab", "b", "[$&]", "a[b]"},
        {"before and after", "abc", "b", "[$`|$']", "a[a|c]c"},
        {"dollar dollar", "a", "a", "$$", "$"},
        {"missing group stays", "a", "(a)", "$2$0", "$2$0"},
        {"two digits when there is such a group", "abcdefghij", "(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)", "$10", "j"},
        {"one digit then a digit", "ab", "(a)(b)", "$10", "a0"},
        {"leading zero", "ab", "(a)(b)", "$02", "b"},
        {"unset group inserts nothing", "b", "(a)|(b)", "[$1|$2]", "[|b]"},
        {"other dollars stay", "a", "a", "$x$", "$x$"},
        {"escapes decoded first", "a b", "(a) (b)", "$2\\n$1", "b\na"},
        {"no group numbers without groups", "a", "a", "$1", "$1"},
    };
    ExpectReplaces(std::begin(cases), std::end(cases));
}

TEST(RegexReplaceAll, RejectedPatternsLeaveTheTextAndSayWhere) {
    const struct {
        QString pattern;
        int position; // 1-based, as the message shows it
    } cases[] = {
        {"(a", 1},      {"a)", 2},    {"[ab", 1},     {"a\\", 2},   {"*a", 1},     {"a**", 3}, {"a*+", 3},
        {"(?<=a)b", 1}, {"(?i)a", 1}, {"(*UTF)a", 2}, {"[z-a]", 2}, {"a{3,2}", 0}, // the engine's own
                                                                                   // complaint; its position
                                                                                   // is not checked
    };
    for (const auto& c : cases) {
        const telmo::ReplaceResult r = telmo::RegexReplaceAll("text", c.pattern, "x");
        EXPECT_FALSE(r.ok) << c.pattern.toStdString();
        EXPECT_EQ(r.text, "text") << c.pattern.toStdString();
        if (c.position > 0) {
            EXPECT_TRUE(r.error.contains(QStringLiteral("第 %1 个字符").arg(c.position)))
                << c.pattern.toStdString() << ": " << r.error.toStdString();
        }
    }
}

TEST(RegexReplaceAll, ACatastrophicPatternEndsWithAnError) {
    const QString text = QString(100000, u'a') + "b";
    const telmo::ReplaceResult r = telmo::RegexReplaceAll(text, "(a+)+$", "x");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.text, text);
    EXPECT_FALSE(r.error.isEmpty());
}

TEST(RegexReplaceAll, ManyCostlyAttemptsEndWhenTheTimeIsUp) {
    // Each line stays under the match limit, but all of them together would take hours.
    QString text;
    for (int i = 0; i < 20000; ++i) text += QString(22, u'a') + "b\n";
    telmo::RegexLimits limits;
    limits.budget = std::chrono::milliseconds(200);
    const telmo::ReplaceResult r = telmo::RegexReplaceAll(text, "(a+)+$", "x", limits);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.text, text);
    EXPECT_FALSE(r.error.isEmpty());
}

TEST(RegexReplaceAll, DeepPatternsFallBackFromJitToTheInterpreter) {
    // A group repeated 400,000 times needs more JIT stack than is given; the interpreter copes.
    const telmo::ReplaceResult r = telmo::RegexReplaceAll(QString(400000, u'a'), "^(a|b)*$", "[$1]");
    EXPECT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.text, "[a]");
}

} // namespace
