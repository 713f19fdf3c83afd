#include "text/Paragraphs.h"

#include "text/LineViews.h"
#include "text/TextTrim.h"

namespace telmo {
namespace {
constexpr char16_t kIdeographicSpace = u'\u3000';
constexpr QStringView kIndent = u"\u3000\u3000";

bool IsParagraphEnd(QChar c) {
    switch (c.unicode()) {
    case u'。':
    case u'？':
    case u'！':
    case u'…':
    case u'—':
        return true;
    default:
        return false;
    }
}

// Number of characters, a well-formed surrogate pair counting as one; stops counting past `limit`.
qsizetype CountCharacters(QStringView s, qsizetype limit) {
    qsizetype count = 0;
    for (qsizetype i = 0; i < s.size() && count <= limit; ++i, ++count)
        if (s[i].isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate()) ++i;
    return count;
}

// Drops the enumeration comma of every "》、《". The pattern cannot overlap itself, so looking at the
// neighbours in the original text finds the same occurrences as a left-to-right search.
QString JoinBookTitles(const QString& text) {
    if (!text.contains(u"》、《")) return text;
    const QChar* in = text.constData();
    const qsizetype n = text.size();
    QString out(n, Qt::Uninitialized);
    QChar* o = out.data();
    qsizetype k = 0;
    for (qsizetype i = 0; i < n; ++i) {
        if (in[i] == u'、' && i > 0 && in[i - 1] == u'》' && i + 1 < n && in[i + 1] == u'《') continue;
        o[k++] = in[i];
    }
    out.truncate(k);
    return out;
}
} // namespace

QString SpaceTwoCharNames(const QString& text) {
    QString out;
    out.reserve(text.size() + text.size() / 4 + 2);
    bool first = true;
    ForEachLine(text, [&](QStringView whole) {
        if (!first) out.append(u"\r\n");
        first = false;
        const QStringView name = TrimSpaces(whole);
        if (CountCharacters(name, 2) == 2) {
            const qsizetype firstLength = name[0].isHighSurrogate() && name[1].isLowSurrogate() ? 2 : 1;
            out.append(name.first(firstLength));
            out.append(QChar(kIdeographicSpace));
            out.append(name.sliced(firstLength));
        } else {
            out.append(name);
        }
    });
    return out;
}

QString RecognizeParagraphs(const QString& text) {
    if (text.isEmpty()) return QString();
    QString out;
    out.reserve(text.size() + text.size() / 8 + 4);
    out.append(kIndent); // taken away again below when the first line gets no indent
    bool first = true, indentFirst = false;
    ForEachLine(text, [&](QStringView whole) {
        const QStringView line = TrimTrailingSpaces(whole);
        if (first) indentFirst = line.size() > 2 && !line.startsWith(kIndent);
        first = false;
        if (line.isEmpty()) {
            out.append(u"\r\n");
        } else if (IsParagraphEnd(line.back()) && !line.startsWith(kIndent)) {
            out.append(line);
            out.append(u"\r\n");
            out.append(kIndent);
        } else {
            // A line ending in a Chinese character runs on into the next line; so does a line ending
            // in anything else, so that no text is ever lost.
            out.append(line);
        }
    });
    if (out.endsWith(u"\r\n\u3000\u3000")) out.chop(4);
    if (!indentFirst) out.remove(0, kIndent.size());
    return JoinBookTitles(out);
}

} // namespace telmo
