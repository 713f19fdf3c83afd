// Two-character names and paragraph recognition.
#include "text/Paragraphs.h"
#include <gtest/gtest.h>

using namespace telmo;
using namespace Qt::Literals::StringLiterals;

namespace {
struct Case {
    QString in, out;
};
const QString kIndent = u"\u3000\u3000"_s;
} // namespace

TEST(SpaceTwoCharNames, SpacesExactlyTwoCharacterLines) {
    const Case cases[] = {
        {u"刘丽"_s, u"刘\u3000丽"_s},
        {u" 刘丽 "_s, u"刘\u3000丽"_s},
        {u"张三丰"_s, u"张三丰"_s},
        {u"  张三丰"_s, u"张三丰"_s},
        {"ab", u"a\u3000b"_s},
        {u"\u3000刘丽"_s, u"\u3000刘丽"_s},
        {u"刘丽\r\n张三丰\n王五\r\n"_s, u"刘\u3000丽\r\n张三丰\r\n王\u3000五\r\n"_s},
        {u"\U00020000丽"_s, u"\U00020000\u3000丽"_s}, // a surrogate pair is one character and stays whole
        {u"\U00020000"_s, u"\U00020000"_s},
        {u"刘"_s, u"刘"_s},
    };
    for (const Case& c : cases) EXPECT_EQ(SpaceTwoCharNames(c.in), c.out) << c.in.toStdString();
}

TEST(RecognizeParagraphs, JoinsBrokenLinesAndIndentsParagraphs) {
    const Case cases[] = {
        {u"第一段。\r\n第二段"_s, kIndent + u"第一段。\r\n"_s + kIndent + u"第二段"_s},
        {u"这是一个\r\n被断开的句子。"_s, kIndent + u"这是一个被断开的句子。"_s},
        {u"a。\r\n\r\nb。"_s, u"a。\r\n"_s + kIndent + u"\r\nb。"_s},
        {kIndent + u"已有缩进。\r\n下一段。"_s, kIndent + u"已有缩进。下一段。"_s},
        {u"《论语》、《孟子》"_s, kIndent + u"《论语》《孟子》"_s},
        {u"等等…\r\n然后"_s, kIndent + u"等等…\r\n"_s + kIndent + u"然后"_s},
        {u"结束。  \r\n下一段"_s, kIndent + u"结束。\r\n"_s + kIndent + u"下一段"_s},
        {u"为什么？\r\n叹！\r\n破——"_s,
         kIndent + u"为什么？\r\n"_s + kIndent + u"叹！\r\n"_s + kIndent + u"破——"_s},
        {u"书名《甲》、\r\n《乙》。"_s, kIndent + u"书名《甲》《乙》。"_s},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(RecognizeParagraphs(c.in), c.out) << c.in.toStdString();
}

TEST(RecognizeParagraphs, LinesEndingInSingleByteCharactersRunOnAndAreNeverLost) {
    const Case cases[] = {
        {u"共计100\r\n元。"_s, kIndent + u"共计100元。"_s},
        {u"版本 2.0\r\n发布"_s, kIndent + u"版本 2.0发布"_s},
        {kIndent + u"缩进ab\r\n下文。"_s, kIndent + u"缩进ab下文。"_s},
        {"ab", "ab"},
        {"abc", kIndent + "abc"},
        {u" 前导空格留下。"_s, kIndent + u" 前导空格留下。"_s},
    };
    for (const Case& c : cases) EXPECT_EQ(RecognizeParagraphs(c.in), c.out) << c.in.toStdString();
}
