// Letter case: all upper, all lower, word initials, sentence initials.
#include "text/LetterCase.h"
#include <gtest/gtest.h>

using namespace telmo;
using namespace Qt::Literals::StringLiterals;

namespace {
struct Case {
    QString in, out;
};
} // namespace

TEST(IsAsciiLetter, OnlyAtoZInBothCases) {
    for (char16_t c : {u'A', u'Z', u'a', u'z'}) EXPECT_TRUE(IsAsciiLetter(QChar(c)));
    for (char16_t c : {u'@', u'[', u'`', u'{', u'0', u'é', u'Ａ', u'ı', u'\u017f', u'\u212a'})
        EXPECT_FALSE(IsAsciiLetter(QChar(c))) << int(c);
}

TEST(ToUpperCase, MapsEveryLetterOneForOne) {
    const Case cases[] = {
        {"abc123", "ABC123"},
        {u"éñ中ａ"_s, u"ÉÑ中Ａ"_s},
        {u"ß"_s, u"ß"_s},                   // no upper form of the same length
        {u"\U00010428"_s, u"\U00010400"_s}, // a letter outside the Basic Multilingual Plane
        {QString(QChar(0xD801)) + "a", QString(QChar(0xD801)) + "A"},
    };
    for (const Case& c : cases) EXPECT_EQ(ToUpperCase(c.in), c.out) << c.in.toStdString();
}

TEST(ToLowerCase, LowersAndRestoresIFollowedBySpace) {
    const Case cases[] = {
        {"ABC123", "abc123"}, {"I AM HI THERE", "I am hI there"},     {"I.", "i."},
        {"I\r\nI", "i\r\ni"}, {u"ÉÑ\U00010400"_s, u"éñ\U00010428"_s}, {"I  x", "I  x"},
    };
    for (const Case& c : cases) EXPECT_EQ(ToLowerCase(c.in), c.out) << c.in.toStdString();
}

TEST(CapitalizeWords, UppersEveryCharacterAfterANonLetter) {
    const Case cases[] = {
        {"chart assistant", "Chart Assistant"},
        {"hELLO wORLD", "HELLO WORLD"},
        {"don't", "Don'T"},
        {"x2y", "X2Y"},
        {u"中a"_s, u"中A"_s},
        {u"éa"_s, u"éA"_s}, // a first character outside a-z stays, and it is no letter for the next one
        {u"aé"_s, u"Aé"_s},
        {u"1é"_s, u"1É"_s},
        {"a\r\nb", "A\r\nB"},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(CapitalizeWords(c.in), c.out) << c.in.toStdString();
}

TEST(CapitalizeSentences, UppersAfterSentenceMarksQuotesAndLineFeeds) {
    const Case cases[] = {
        {"there Is an Old person.", "There Is an Old person."},
        {"hi. there! ok? yes", "Hi. There! Ok? Yes"},
        {"end.  two", "End.  two"},
        {"say \"ok\"", "Say \"Ok\""},
        {"a\r\nb", "A\r\nB"},
        {u"好。ok"_s, u"好。ok"_s},
        {"a.b", "A.b"},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(CapitalizeSentences(c.in), c.out) << c.in.toStdString();
}
