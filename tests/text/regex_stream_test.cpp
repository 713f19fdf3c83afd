// The streamed replace-all writes exactly what the whole-text one returns, however the text is cut
// into pieces: matches across the cuts, anchors and boundaries at the cuts, empty matches.
#include "text/ReplaceAll.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace telmo;

namespace {

struct Streamed {
    bool ok;
    QString text, error;
};

Streamed Stream(const QString& text, const QString& pattern, const QString& replacement, qsizetype piece,
                const RegexLimits& limits = {}) {
    QString out;
    RegexReplaceStream stream(
        pattern, replacement, [&](QStringView s) { out.append(s); }, limits);
    bool ok = stream.error().isEmpty();
    for (qsizetype at = 0; ok && at < text.size(); at += piece)
        ok = stream.Feed(QStringView(text).mid(at, piece));
    ok = ok && stream.Finish();
    return {ok, out, stream.error()};
}

TEST(RegexReplaceStream, WritesWhatTheWholeTextReplaceReturns) {
    QStringList patterns = {
        R"(\d{11})", R"(\d+)",    "^",         "$",           "^$",          R"(^\s*$)",   R"(\b)",
        R"(\B)",     R"(\bab\b)", "x*",        "a|",          "dog(sbody)?", R"([\s\S]*)", ".*",
        "a(?=b)",    "a(?!b)",    R"((\w)\1)", R"(\r\n)",     R"(\r?\n)",    "[^a]+",      "(a+)+b",
        "中文?",     R"(^\d+$)",  R"(.$)",     "ab|abc|abcd",
    };
    patterns += CommonRegexPatterns();
    const char16_t alphabet[] = {u'a',  u'b',  u'c',  u'd',  u'x', u'1', u'2',   u' ',
                                 u'\r', u'\n', u'中', u'文', u'.', u'@', 0xD83D, 0xDE00};
    QRandomGenerator random(15);
    QStringList texts = {QString(), "\r\n", "aaaa", "ab\r\nab\rab\nab"};
    for (int i = 0; i < 30; ++i) {
        QString t;
        for (int n = random.bounded(60); n > 0; --n)
            t += QChar(alphabet[random.bounded(int(std::size(alphabet)))]);
        texts += t;
    }
    for (const QString& pattern : patterns) {
        for (const QString& text : texts) {
            const ReplaceResult whole = RegexReplaceAll(text, pattern, "<$&$1$$>");
            for (qsizetype piece : {1, 2, 3, 7, 1000}) {
                const Streamed streamed = Stream(text, pattern, "<$&$1$$>", piece);
                ASSERT_EQ(streamed.ok, whole.ok) << pattern.toStdString();
                if (!whole.ok) {
                    EXPECT_EQ(streamed.error, whole.error);
                    break;
                }
                ASSERT_EQ(streamed.text, whole.text)
                    << pattern.toStdString() << " on " << text.toStdString() << " in pieces of " << piece;
            }
        }
    }
}

TEST(RegexReplaceStream, OnlyTheTextAroundTheMatchNeedsTheWholeText) {
    EXPECT_TRUE(CanStreamRegexReplace("[$&] $1 $$` \\n"));
    EXPECT_FALSE(CanStreamRegexReplace("$`"));
    EXPECT_FALSE(CanStreamRegexReplace("x$'"));
}

TEST(RegexReplaceStream, ManyCostlyAttemptsEndWhenTheTimeIsUp) {
    QString text;
    for (int i = 0; i < 20000; ++i) text += QString(22, u'a') + "b\n";
    RegexLimits limits;
    limits.budget = std::chrono::milliseconds(200);
    const Streamed streamed = Stream(text, "(a+)+$", "x", 4096, limits);
    EXPECT_FALSE(streamed.ok);
    EXPECT_FALSE(streamed.error.isEmpty());
}

} // namespace
