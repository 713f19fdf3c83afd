// Traditional and simplified characters, one for one.
#include "files/Cp936.h"
#include "text/ChineseScript.h"
#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace telmo;
using namespace Qt::Literals::StringLiterals;

namespace {
struct Case {
    QString in, out;
};

bool RoundTripsThroughGbk(QChar c) {
    bool ok = false;
    const QByteArray bytes = EncodeCp936(QStringView(&c, 1), &ok);
    Cp936Decoder decoder;
    QChar back[4];
    const QChar* end = decoder.appendToBuffer(back, bytes);
    return ok && end - back == 1 && back[0] == c;
}
} // namespace

TEST(ChineseScript, NeedsNoDictionaryFileAtRunTime) {
    // The tables are compiled in: a folder that once told where the dictionaries were changes nothing.
    qputenv("TELMO_OPENCC_DATA_DIR", "/nonexistent-dictionaries");
    EXPECT_EQ(SimplifiedToTraditional(u"头发"_s), u"頭髮"_s);
    EXPECT_EQ(TraditionalToSimplified(u"頭髮"_s), u"头发"_s);
    qunsetenv("TELMO_OPENCC_DATA_DIR");
}

TEST(TraditionalToSimplified, FixUpsThenMapping) {
    const Case cases[] = {
        {u"乾淨"_s, u"干净"_s}, {u"乾净"_s, u"干净"_s},
        {u"熒幕"_s, u"荧幕"_s}, {u"頭髮很乾淨。"_s, u"头发很干净。"_s},
        {u"乾"_s, u"干"_s},     {u"abc 123，！"_s, u"abc 123，！"_s},
    };
    for (const Case& c : cases) EXPECT_EQ(TraditionalToSimplified(c.in), c.out) << c.in.toStdString();
}

TEST(SimplifiedToTraditional, FixUpsThenMapping) {
    const Case cases[] = {
        {u"头发很干净"_s, u"頭髮很乾淨"_s},
        {u"毛发理发"_s, u"毛髮理髮"_s},
        {u"乾净"_s, u"乾淨"_s},
        {u"头"_s, u"頭"_s},
        {u"发"_s, u"發"_s}, // outside the fix-ups the first candidate wins
        {u"干"_s, u"幹"_s},
        {u"五台山"_s, u"五臺山"_s},
        {u"Ab1。"_s, u"Ab1。"_s},
    };
    for (const Case& c : cases) EXPECT_EQ(SimplifiedToTraditional(c.in), c.out) << c.in.toStdString();
}

TEST(MapChineseScript, HasNoFixUps) {
    EXPECT_EQ(MapChineseScript(u"头发"_s, ScriptDirection::ToTraditional), QString(u"頭發"_s));
    EXPECT_EQ(MapChineseScript(u"乾淨"_s, ScriptDirection::ToSimplified), QString(u"干净"_s));
}

TEST(MapChineseScript, CharactersOutsideCodePage936StayUnchanged) {
    // 𠀀 and 😀 lie outside the Basic Multilingual Plane; Thai letters and U+9FF0 are not in GBK.
    const QString keep =
        QString(u"\U00020000😀ทก\u9FF0"_s) + QChar(0xD800) + u"x"_s + QChar(0xDC00) + QChar(0);
    for (ScriptDirection d : {ScriptDirection::ToSimplified, ScriptDirection::ToTraditional})
        EXPECT_EQ(MapChineseScript(keep, d), keep);
}

TEST(MapChineseScript, KeepsTheLengthOfAnyText) {
    QRandomGenerator rng(8);
    for (int round = 0; round < 200; ++round) {
        QString s(int(rng.bounded(64)), Qt::Uninitialized);
        for (QChar& c : s) c = QChar(char16_t(rng.bounded(0x10000)));
        for (ScriptDirection d : {ScriptDirection::ToSimplified, ScriptDirection::ToTraditional}) {
            EXPECT_EQ(MapChineseScript(s, d).size(), s.size());
            EXPECT_EQ(TraditionalToSimplified(s).size(), s.size());
            EXPECT_EQ(SimplifiedToTraditional(s).size(), s.size());
        }
    }
}

TEST(MapChineseScript, EveryMappedCharacterRoundTripsThroughGbk) {
    QString all(0x10000 - 0x800, Qt::Uninitialized);
    qsizetype k = 0;
    for (char32_t c = 0; c < 0x10000; ++c)
        if (!QChar::isSurrogate(c)) all[k++] = QChar(char16_t(c));
    for (ScriptDirection d : {ScriptDirection::ToSimplified, ScriptDirection::ToTraditional}) {
        const QString mapped = MapChineseScript(all, d);
        ASSERT_EQ(mapped.size(), all.size());
        int changed = 0;
        for (qsizetype i = 0; i < all.size(); ++i) {
            if (mapped[i] == all[i]) continue;
            ++changed;
            ASSERT_FALSE(mapped[i].isSurrogate());
            // both forms survive the code page, as the character mapping of the code page requires
            for (QChar c : {all[i], mapped[i]}) ASSERT_TRUE(RoundTripsThroughGbk(c)) << int(c.unicode());
        }
        EXPECT_GT(changed, 2000);
    }
}
