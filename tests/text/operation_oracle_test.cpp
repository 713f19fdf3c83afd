// The tuned loops of the blank-line, space, line-join and letter-case operations, on UTF-16 and on
// UTF-8, against the plain character-by-character rules they replace, on random texts full of the characters
// that decide (spaces, CR, LF, sentence marks, letters whose case forms are ASCII, surrogates) and on every
// character of the Basic Multilingual Plane.
#include "text/LetterCase.h"
#include "text/LineOperations.h"
#include "text/LineViews.h"

#include <QRandomGenerator>
#include <functional>
#include <gtest/gtest.h>

using namespace telmo;

namespace {
namespace plain {

QString Filter(const QString& text, const std::function<bool(qsizetype)>& keep) {
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i)
        if (keep(i)) out.append(text[i]);
    return out;
}

QString RemoveBlankLines(const QString& text) {
    QString out;
    ForEachLine(text, [&](QStringView line) {
        if (line.isEmpty()) return;
        if (!out.isEmpty()) out.append(u"\r\n");
        out.append(line);
    });
    return out;
}

// One character mapped as the case operations do: a pair as one, unpaired halves unchanged.
qsizetype Map(const QString& in, QString& out, qsizetype i, bool upper) {
    const char16_t c = in[i].unicode();
    if (!QChar::isSurrogate(c)) {
        out[i] = QChar(upper ? QChar::toUpper(c) : QChar::toLower(c));
        return 1;
    }
    if (QChar::isHighSurrogate(c) && i + 1 < in.size() && in[i + 1].isLowSurrogate()) {
        const char32_t cp = QChar::surrogateToUcs4(c, in[i + 1].unicode());
        const char32_t m = upper ? QChar::toUpper(cp) : QChar::toLower(cp);
        if (QChar::requiresSurrogates(m))
            out[i] = QChar::highSurrogate(m), out[i + 1] = QChar::lowSurrogate(m);
        return 2;
    }
    return 1;
}

QString ToCase(const QString& in, bool upper) {
    QString out = in;
    for (qsizetype i = 0; i < in.size();) {
        const qsizetype used = Map(in, out, i, upper);
        if (!upper && out[i] == u'i' && i + 1 < in.size() && in[i + 1] == u' ') out[i] = u'I';
        i += used;
    }
    return out;
}

QString CapitalizeWords(const QString& in, bool afterLineBreak) {
    QString out = in;
    for (qsizetype i = 0; i < in.size();) {
        if (i == 0 && !afterLineBreak) {
            out[0] = in[0] >= u'a' && in[0] <= u'z' ? QChar(in[0].unicode() - 0x20) : in[0];
            i = 1;
        } else if (i > 0 && IsAsciiLetter(out[i - 1])) {
            ++i;
        } else {
            i += Map(in, out, i, true);
        }
    }
    return out;
}

QString CapitalizeSentences(const QString& in) {
    QString out = in;
    for (qsizetype i = 0; i < in.size();) {
        bool start = i == 0 || out[i - 1] == u'\n' || out[i - 1] == u'"';
        if (!start && i >= 2 && out[i - 1] == u' ')
            start = out[i - 2] == u'.' || out[i - 2] == u'!' || out[i - 2] == u'?';
        i += start ? Map(in, out, i, true) : 1;
    }
    return out;
}

} // namespace plain

void ExpectAllAgree(const QString& t) {
    const auto at = [&](qsizetype i) { return i >= 0 && i < t.size() ? t[i] : QChar(); };
    EXPECT_EQ(RemoveBlankLines(t), plain::RemoveBlankLines(t));
    EXPECT_EQ(CollapseSpaces(t),
              plain::Filter(t, [&](qsizetype i) { return !(t[i] == u' ' && at(i - 1) == u' '); }));
    EXPECT_EQ(JoinAllLines(t), plain::Filter(t, [&](qsizetype i) {
                  return t[i] != u'\n' && !(t[i] == u'\r' && at(i + 1) == u'\n');
              }));
    EXPECT_EQ(RemoveAllSpaces(t), plain::Filter(t, [&](qsizetype i) { return t[i] != u' '; }));
    EXPECT_EQ(ToUpperCase(t), plain::ToCase(t, true));
    EXPECT_EQ(ToLowerCase(t), plain::ToCase(t, false));
    EXPECT_EQ(CapitalizeWords(t), plain::CapitalizeWords(t, false));
    EXPECT_EQ(CapitalizeWordsAfterLineBreak(t), plain::CapitalizeWords(t, true));
    EXPECT_EQ(CapitalizeSentences(t), plain::CapitalizeSentences(t));

    // The same operations on the text's UTF-8 give the bytes of their UTF-16 results, and refuse
    // bytes that are not UTF-8, leaving what the output held.
    const QByteArray bytes = t.toUtf8();
    const QString decoded = QString::fromUtf8(bytes); // unpaired surrogates were written as U+FFFD
    const auto onBytes = [&](const std::function<bool(QByteArrayView, QByteArray&)>& op) {
        QByteArray out = "kept:", broken = "kept:";
        EXPECT_TRUE(op(bytes, out));
        EXPECT_FALSE(op(bytes + "\xE4\xB8", broken));
        EXPECT_EQ(broken, "kept:");
        return out;
    };
    EXPECT_EQ(onBytes(RemoveBlankLinesUtf8), "kept:" + RemoveBlankLines(decoded).toUtf8());
    EXPECT_EQ(onBytes(CollapseSpacesUtf8), "kept:" + CollapseSpaces(decoded).toUtf8());
    EXPECT_EQ(onBytes(JoinAllLinesUtf8), "kept:" + JoinAllLines(decoded).toUtf8());
    EXPECT_EQ(onBytes(RemoveAllSpacesUtf8), "kept:" + RemoveAllSpaces(decoded).toUtf8());
    EXPECT_EQ(onBytes(ToUpperCaseUtf8), "kept:" + ToUpperCase(decoded).toUtf8());
    EXPECT_EQ(onBytes(ToLowerCaseUtf8), "kept:" + ToLowerCase(decoded).toUtf8());
    EXPECT_EQ(onBytes(CapitalizeSentencesUtf8), "kept:" + CapitalizeSentences(decoded).toUtf8());
    for (bool afterLineBreak : {false, true}) {
        const auto words = [&](QByteArrayView in, QByteArray& out) {
            return CapitalizeWordsUtf8(in, afterLineBreak, out);
        };
        EXPECT_EQ(onBytes(words), "kept:" + (afterLineBreak ? CapitalizeWordsAfterLineBreak(decoded)
                                                            : CapitalizeWords(decoded))
                                                .toUtf8());
    }
}

TEST(OperationLoops, AgreeWithThePlainRulesOnRandomTexts) {
    // ı, ſ and İ have ASCII case forms; ǅ is a title-case letter; D801 DC00 / DC28 a pair with case.
    const char16_t alphabet[] = {u' ',      u' ',      u'\r',     u'\n',     u'"',      u'.',  u'!',
                                 u'?',      u'a',      u'z',      u'A',      u'Z',      u'i',  u'I',
                                 u'\u0131', u'\u017f', u'\u0130', u'\u00df', u'\u01c5', u'中', u'\u3000',
                                 0xD801,    0xDC00,    0xDC28,    0xD800};
    QRandomGenerator random(15);
    for (int round = 0; round < 20000; ++round) {
        QString t;
        // Every other text is ASCII only, for long runs of it; the first 12 letters are ASCII.
        const int letters = round % 2 ? 12 : int(std::size(alphabet));
        const int length = random.bounded(60);
        for (int i = 0; i < length; ++i)
            t.append(QChar(letters > 12 && random.bounded(8) == 0 ? char16_t(random.bounded(0x10000))
                                                                  : alphabet[random.bounded(letters)]));
        ExpectAllAgree(t);
        if (HasFailure()) return;
    }
}

TEST(OperationLoops, AgreeWithThePlainRulesOnEveryCharacter) {
    // Each character at a sentence start, after a letter, at a word start, before a space.
    QString t;
    for (char32_t c = 0; c < 0x10000; ++c)
        for (QChar next : {QChar(u'.'), QChar(u' '), QChar(char16_t(c)), QChar(u'a'), QChar(char16_t(c)),
                           QChar(u' '), QChar(u'\n')})
            t.append(next);
    ExpectAllAgree(t);
}

} // namespace
