// Punctuation between ASCII and Chinese forms, and web entities.
#include "text/Punctuation.h"
#include <QRandomGenerator>
#include <QStringList>
#include <gtest/gtest.h>

using namespace telmo;
using namespace Qt::Literals::StringLiterals;

namespace {
struct Case {
    QString in, out;
};

// The conversions written as the plain sequence of replace-every-occurrence steps they are defined by,
// to compare the one-pass versions against on many small random texts.
QString SequentialEnglish(QString s) {
    const QString steps[][2] = {
        {u"，"_s, u","_s}, {u"。"_s, u"."_s}, {u"、"_s, u","_s},   {u"？"_s, u"?"_s}, {u"！"_s, u"!"_s},
        {u"；"_s, u";"_s}, {u"："_s, u":"_s}, {u"（"_s, u"("_s},   {u"）"_s, u")"_s}, {u"｛"_s, u"{"_s},
        {u"｝"_s, u"}"_s}, {u"·"_s, u"`"_s},  {u"……"_s, u"..."_s}, {u"“"_s, u"\""_s}, {u"”"_s, u"\""_s},
        {u"《"_s, u""_s},  {u"》"_s, u""_s},  {u"‘"_s, u"'"_s},    {u"’"_s, u"'"_s},
    };
    for (const auto& step : steps) s.replace(step[0], step[1]);
    return s;
}

QString SequentialEntities(QString s) {
    const QString steps[][2] = {
        {u"&nbsp;"_s, u" "_s},  {u"&lt;"_s, u"<"_s},   {u"&gt;"_s, u">"_s},    {u"&amp;"_s, u"&"_s},
        {u"&quot;"_s, u"\""_s}, {u"&apos;"_s, u"'"_s}, {u"&cent;"_s, u"￠"_s}, {u"&pound;"_s, u"￡"_s},
        {u"&yen;"_s, u"￥"_s},  {u"&euro;"_s, u"€"_s}, {u"&sect;"_s, u"§"_s},
    };
    for (const auto& step : steps) s.replace(step[0], step[1]);
    return s;
}

QString RandomText(QRandomGenerator& rng, const QStringList& pieces, int count) {
    QString s;
    for (int i = 0; i < count; ++i) s += pieces[rng.bounded(int(pieces.size()))];
    return s;
}
} // namespace

TEST(ToChinesePunctuation, FullStopsBecomeChineseExceptDecimalPoints) {
    const Case cases[] = {
        {"3.14", "3.14"},         {"end.", u"end。"_s},         {"a.b.c", u"a。b。c"_s}, {".5", u"。5"_s},
        {"1.2.3", "1.2.3"},       {"ver 1.0.", u"ver 1.0。"_s}, {"a..b", u"a。.b"_s},    {"..a", u"。。a"_s},
        {"wait...", u"wait……"_s}, {"....", u"……。"_s},          {".", u"。"_s},          {"1.", u"1。"_s},
        {"1..2", u"1。.2"_s},     {u"１.２"_s, u"１。２"_s}, // full-width digits are not digits here
        {"a.1.2", u"a。1.2"_s},   {"1.2.3.4", u"1.2.3.4"_s},
    };
    for (const Case& c : cases) EXPECT_EQ(ToChinesePunctuation(c.in), c.out) << c.in.toStdString();
}

TEST(ToChinesePunctuation, QuotesAlternateAndSingleMarksConvert) {
    const Case cases[] = {
        {"say \"hi\" and \"bye\"", u"say “hi” and “bye”"_s},
        {"\"a\r\nb\" \"c", u"“a\r\nb” “c"_s},
        {"a,b;c:d", u"a，b；c：d"_s},
        {"C:\\dir", u"C：、dir"_s},
        {"(x){y}?!`", u"（x）｛y｝？！·"_s},
        {"'a' <b> [c] -d", "'a' <b> [c] -d"},
    };
    for (const Case& c : cases) EXPECT_EQ(ToChinesePunctuation(c.in), c.out) << c.in.toStdString();
}

TEST(ToEnglishPunctuation, ConvertsAndDropsBookTitleMarks) {
    const Case cases[] = {
        {u"“你好”，《书》。"_s, u"\"你好\",书."_s},  {u"a、b"_s, "a,b"}, {u"………"_s, u"...…"_s},
        {u"‘x’；：（）｛｝？！·"_s, "'x';:(){}?!`"}, {u"。。"_s, ".."},
    };
    for (const Case& c : cases) EXPECT_EQ(ToEnglishPunctuation(c.in), c.out) << c.in.toStdString();
}

TEST(ToEnglishPunctuation, MatchesTheReplacementSequence) {
    QRandomGenerator rng(4);
    const QStringList pieces = {u"，"_s, u"。"_s, u"、"_s, u"…"_s, u"“"_s, u"”"_s, u"《"_s,
                                u"》"_s, u"‘"_s,  u"’"_s,  u"·"_s, u"a"_s, u"？"_s};
    for (int i = 0; i < 2000; ++i) {
        const QString s = RandomText(rng, pieces, rng.bounded(12));
        EXPECT_EQ(ToEnglishPunctuation(s), SequentialEnglish(s)) << s.toStdString();
    }
}

TEST(DecodeWebEntities, DecodesTheElevenEntitiesOnce) {
    const Case cases[] = {
        {"&amp;lt;", "&lt;"},
        {"&lt;b&gt;", "<b>"},
        {"&NBSP;", "&NBSP;"},
        {"&#160;", "&#160;"},
        {"a&nbsp;b", "a b"},
        {"&quot;&apos;&cent;&pound;&yen;&euro;&sect;", u"\"'￠￡￥€§"_s},
        {"&amp;amp;", "&amp;"},
        {"&amp;quot;", "\""}, // the '&' decoded from &amp; starts an entity decoded after it
        {"&amp;nbsp;", "&nbsp;"},
        {"&copy; <p>", "&copy; <p>"},
        {"&", "&"},
        {"&lt", "&lt"},
    };
    for (const Case& c : cases) EXPECT_EQ(DecodeWebEntities(c.in), c.out) << c.in.toStdString();
}

TEST(DecodeWebEntities, MatchesTheReplacementSequence) {
    QRandomGenerator rng(6);
    const QStringList pieces = {"&",    "amp;", "lt;", "nbsp;", "quot;", "yen;",
                                "euro", ";",    "x",   "&amp;", "&lt;"};
    for (int i = 0; i < 4000; ++i) {
        const QString s = RandomText(rng, pieces, rng.bounded(10));
        EXPECT_EQ(DecodeWebEntities(s), SequentialEntities(s)) << s.toStdString();
    }
}
