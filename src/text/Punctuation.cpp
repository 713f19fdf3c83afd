#include "text/Punctuation.h"

namespace telmo {
namespace {

bool IsDigit(QChar c) {
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

// "..." → two U+2026, left to right over non-overlapping occurrences.
QString ReplaceEllipses(const QString& text) {
    const qsizetype first = text.indexOf(u"...");
    if (first < 0) return text;
    const QChar* in = text.constData();
    const qsizetype n = text.size();
    QString out(n, Qt::Uninitialized);
    QChar* o = out.data();
    qsizetype k = 0;
    for (qsizetype i = 0; i < n; ++i) {
        if (i >= first && in[i] == u'.' && i + 2 < n && in[i + 1] == u'.' && in[i + 2] == u'.') {
            o[k++] = u'\u2026';
            o[k++] = u'\u2026';
            i += 2;
        } else {
            o[k++] = in[i];
        }
    }
    out.truncate(k);
    return out;
}

char16_t ChineseFormOf(char16_t c) {
    switch (c) {
    case u',':
        return u'，';
    case u'?':
        return u'？';
    case u'!':
        return u'！';
    case u';':
        return u'；';
    case u':':
        return u'：';
    case u'(':
        return u'（';
    case u')':
        return u'）';
    case u'{':
        return u'｛';
    case u'}':
        return u'｝';
    case u'\\':
        return u'、';
    case u'`':
        return u'·';
    default:
        return c;
    }
}

char16_t EnglishFormOf(char16_t c) {
    switch (c) {
    case u'，':
        return u',';
    case u'。':
        return u'.';
    case u'、':
        return u',';
    case u'？':
        return u'?';
    case u'！':
        return u'!';
    case u'；':
        return u';';
    case u'：':
        return u':';
    case u'（':
        return u'(';
    case u'）':
        return u')';
    case u'｛':
        return u'{';
    case u'｝':
        return u'}';
    case u'·':
        return u'`';
    case u'“':
    case u'”':
        return u'"';
    case u'‘':
    case u'’':
        return u'\'';
    default:
        return c;
    }
}

struct Entity {
    QStringView name; // without the leading '&'
    char16_t value;
};

// In the order they are decoded. A "&amp;" gives an '&' that can start one of the entities after it
// in this list, never one before it, and never another "&amp;".
constexpr Entity kEntities[] = {
    {u"nbsp;", u' '}, {u"lt;", u'<'},    {u"gt;", u'>'},    {u"amp;", u'&'},
    {u"quot;", u'"'}, {u"apos;", u'\''}, {u"cent;", u'￠'}, {u"pound;", u'￡'},
    {u"yen;", u'￥'}, {u"euro;", u'€'},  {u"sect;", u'§'},
};
constexpr int kAmpIndex = 3;

// The entity whose name starts the text, searching kEntities from `from`; -1 if none.
int MatchEntity(QStringView rest, int from) {
    for (int e = from; e < int(std::size(kEntities)); ++e)
        if (rest.startsWith(kEntities[e].name)) return e;
    return -1;
}

} // namespace

QString ToChinesePunctuation(const QString& text) {
    QString out = ReplaceEllipses(text);
    const qsizetype n = out.size();
    QChar* s = out.data();
    // Every step after the ellipses maps one character to one, so they share one pass in place.
    qsizetype nextStop = 0; // a full stop before this index is not looked at
    bool openQuote = true;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = s[i].unicode();
        if (c == u'.') {
            if (i < nextStop) continue;
            if (i == 0) {
                s[i] = u'。';
                nextStop = 1;
            } else {
                if (!(IsDigit(s[i - 1]) && i + 1 < n && IsDigit(s[i + 1]))) s[i] = u'。';
                // the character right after a full stop is never taken as a full stop itself
                nextStop = i + 2;
            }
        } else if (c == u'"') {
            s[i] = openQuote ? u'“' : u'”';
            openQuote = !openQuote;
        } else if (c < 0x80) {
            s[i] = ChineseFormOf(c);
        }
    }
    return out;
}

QString ToEnglishPunctuation(const QString& text) {
    const QChar* in = text.constData();
    const qsizetype n = text.size();
    // "……" becomes three characters, so the result is at most half as long again as the text.
    QString out(n + n / 2, Qt::Uninitialized);
    QChar* o = out.data();
    qsizetype k = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = in[i].unicode();
        if (c == u'…' && i + 1 < n && in[i + 1] == u'…') {
            o[k++] = u'.';
            o[k++] = u'.';
            o[k++] = u'.';
            ++i;
        } else if (c != u'《' && c != u'》') {
            o[k++] = EnglishFormOf(c);
        }
    }
    out.truncate(k);
    return out;
}

QString DecodeWebEntities(const QString& text) {
    if (!text.contains(u'&')) return text;
    const QStringView all(text);
    const qsizetype n = text.size();
    QString out;
    out.reserve(n);
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < n; ++i) {
        if (all[i] != u'&') continue;
        QStringView rest = all.sliced(i + 1);
        const int e = MatchEntity(rest, 0);
        if (e < 0) continue;
        out.append(all.sliced(runStart, i - runStart));
        qsizetype consumed = 1 + kEntities[e].name.size();
        char16_t value = kEntities[e].value;
        if (e == kAmpIndex) {
            const int next = MatchEntity(rest.sliced(kEntities[e].name.size()), kAmpIndex + 1);
            if (next >= 0) {
                consumed += kEntities[next].name.size();
                value = kEntities[next].value;
            }
        }
        out.append(QChar(value));
        i += consumed - 1;
        runStart = i + 1;
    }
    out.append(all.sliced(runStart));
    return out;
}

} // namespace telmo
