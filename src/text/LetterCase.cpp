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

// Maps the character at s[i] (a surrogate pair counts as one character) and returns the number of
// code units it takes. Unpaired surrogates stay as they are.
qsizetype MapAt(QChar* s, qsizetype i, qsizetype n, Case to) {
    const char16_t c = s[i].unicode();
    if (!QChar::isSurrogate(c)) {
        s[i] = (to == Case::Upper ? Tables().upper : Tables().lower)[c];
        return 1;
    }
    if (QChar::isHighSurrogate(c) && i + 1 < n && s[i + 1].isLowSurrogate()) {
        const char32_t cp = QChar::surrogateToUcs4(c, s[i + 1].unicode());
        const char32_t m = to == Case::Upper ? QChar::toUpper(cp) : QChar::toLower(cp);
        if (QChar::requiresSurrogates(m)) {
            s[i] = QChar::highSurrogate(m);
            s[i + 1] = QChar::lowSurrogate(m);
        }
        return 2;
    }
    return 1;
}

QString MapAll(const QString& text, Case to) {
    QString out = text;
    const qsizetype n = out.size();
    QChar* s = out.data();
    const std::array<char16_t, 0x10000>& table = to == Case::Upper ? Tables().upper : Tables().lower;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = s[i].unicode();
        if (!QChar::isSurrogate(c))
            s[i] = table[c];
        else
            i += MapAt(s, i, n, to) - 1;
    }
    return out;
}

} // namespace

QString ToUpperCase(const QString& text) {
    return MapAll(text, Case::Upper);
}

QString ToLowerCase(const QString& text) {
    QString out = MapAll(text, Case::Lower);
    const qsizetype n = out.size();
    QChar* s = out.data();
    // The first person singular keeps its capital; this also hits the last letter of a longer word.
    for (qsizetype i = 0; i + 1 < n; ++i)
        if (s[i] == u'i' && s[i + 1] == u' ') s[i] = u'I';
    return out;
}

QString CapitalizeWords(const QString& text) {
    QString out = text;
    const qsizetype n = out.size();
    if (n == 0) return out;
    QChar* s = out.data();
    if (s[0].unicode() >= u'a' && s[0].unicode() <= u'z') s[0] = QChar(s[0].unicode() - 0x20);
    for (qsizetype i = 1; i < n;) {
        if (IsAsciiLetter(s[i - 1])) {
            ++i;
            continue;
        }
        i += MapAt(s, i, n, Case::Upper);
    }
    return out;
}

QString CapitalizeSentences(const QString& text) {
    QString out = text;
    const qsizetype n = out.size();
    if (n == 0) return out;
    QChar* s = out.data();
    for (qsizetype i = 0; i < n;) {
        bool start = i == 0 || s[i - 1] == u'\n' || s[i - 1] == u'"';
        if (!start && i >= 2 && s[i - 1] == u' ') {
            const char16_t mark = s[i - 2].unicode();
            start = mark == u'.' || mark == u'!' || mark == u'?';
        }
        i += start ? MapAt(s, i, n, Case::Upper) : 1;
    }
    return out;
}

} // namespace telmo
