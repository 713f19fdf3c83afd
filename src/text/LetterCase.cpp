#include "text/LetterCase.h"

#include <array>

namespace telmo {
namespace {

// Simple (one character to one character) case mappings of the whole Basic Multilingual Plane,
// built once; full mappings such as ß → SS would change the length of the text.
struct CaseTables {
    std::array<char16_t, 0x10000> upper;
    std::array<char16_t, 0x10000> lower;
    CaseTables() {
        for (char32_t c = 0; c < 0x10000; ++c) {
            upper[c] = static_cast<char16_t>(c);
            lower[c] = static_cast<char16_t>(c);
            if (QChar::isSurrogate(c)) continue;
            const char32_t u = QChar::toUpper(c), l = QChar::toLower(c);
            if (u < 0x10000) upper[c] = static_cast<char16_t>(u);
            if (l < 0x10000) lower[c] = static_cast<char16_t>(l);
        }
    }
};

const CaseTables& Tables() {
    static const CaseTables tables;
    return tables;
}

enum class Case { Upper, Lower };

// Writes the character at in[i] (a surrogate pair counts as one character) mapped to out[i] and
// returns the number of code units it takes. Unpaired surrogates stay as they are.
qsizetype MapAt(const QChar* in, QChar* out, qsizetype i, qsizetype n, Case to) {
    const char16_t c = in[i].unicode();
    if (!QChar::isSurrogate(c)) {
        out[i] = (to == Case::Upper ? Tables().upper : Tables().lower)[c];
        return 1;
    }
    if (QChar::isHighSurrogate(c) && i + 1 < n && in[i + 1].isLowSurrogate()) {
        const char32_t cp = QChar::surrogateToUcs4(c, in[i + 1].unicode());
        const char32_t m = to == Case::Upper ? QChar::toUpper(cp) : QChar::toLower(cp);
        const bool keepsLength = QChar::requiresSurrogates(m);
        out[i] = keepsLength ? QChar(QChar::highSurrogate(m)) : in[i];
        out[i + 1] = keepsLength ? QChar(QChar::lowSurrogate(m)) : in[i + 1];
        return 2;
    }
    out[i] = in[i];
    return 1;
}

// The mapped text is written straight from the input, in one pass over each.
QString MapAll(const QString& text, Case to) {
    const qsizetype n = text.size();
    const QChar* in = text.constData();
    QString out(n, Qt::Uninitialized);
    QChar* o = out.data();
    const std::array<char16_t, 0x10000>& table = to == Case::Upper ? Tables().upper : Tables().lower;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = in[i].unicode();
        if (!QChar::isSurrogate(c)) {
            o[i] = table[c];
            // The first person singular keeps its capital; this also hits the last letter of a longer word.
            if (to == Case::Lower && o[i] == u'i' && i + 1 < n && in[i + 1] == u' ') o[i] = u'I';
        } else {
            i += MapAt(in, o, i, n, to) - 1;
        }
    }
    return out;
}

} // namespace

QString ToUpperCase(const QString& text) {
    return MapAll(text, Case::Upper);
}

QString ToLowerCase(const QString& text) {
    return MapAll(text, Case::Lower);
}

namespace {
QString CapitalizeWordsFrom(const QString& text, bool afterLineBreak) {
    const qsizetype n = text.size();
    if (n == 0) return QString();
    const QChar* in = text.constData();
    QString out(n, Qt::Uninitialized);
    QChar* o = out.data();
    qsizetype i = 1;
    if (afterLineBreak) // a line break is not a letter, so the first character is mapped like any other
        i = MapAt(in, o, 0, n, Case::Upper);
    else
        o[0] = in[0].unicode() >= u'a' && in[0].unicode() <= u'z' ? QChar(in[0].unicode() - 0x20) : in[0];
    const std::array<char16_t, 0x10000>& upper = Tables().upper;
    while (i < n) {
        const char16_t c = in[i].unicode();
        if (IsAsciiLetter(o[i - 1])) {
            o[i] = in[i];
            ++i;
        } else if (!QChar::isSurrogate(c)) {
            o[i] = upper[c];
            ++i;
        } else {
            i += MapAt(in, o, i, n, Case::Upper);
        }
    }
    return out;
}
} // namespace

QString CapitalizeWords(const QString& text) {
    return CapitalizeWordsFrom(text, false);
}

QString CapitalizeWordsAfterLineBreak(const QString& text) {
    return CapitalizeWordsFrom(text, true);
}

QString CapitalizeSentences(const QString& text) {
    const qsizetype n = text.size();
    if (n == 0) return QString();
    const QChar* in = text.constData();
    QString out(n, Qt::Uninitialized);
    QChar* o = out.data();
    for (qsizetype i = 0; i < n;) {
        bool start = i == 0 || o[i - 1] == u'\n' || o[i - 1] == u'"';
        if (!start && i >= 2 && o[i - 1] == u' ') {
            const char16_t mark = o[i - 2].unicode();
            start = mark == u'.' || mark == u'!' || mark == u'?';
        }
        if (start) {
            i += MapAt(in, o, i, n, Case::Upper);
        } else {
            o[i] = in[i];
            ++i;
        }
    }
    return out;
}

} // namespace telmo
