#include "text/LetterCase.h"

#include <array>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// ASCII is mapped by arithmetic, the rest through the tables.
inline char16_t UpperAscii(char16_t c) {
    return static_cast<char16_t>(c - ((static_cast<unsigned>(c - u'a') < 26u) << 5));
}
inline char16_t LowerAscii(char16_t c) {
    return static_cast<char16_t>(c + ((static_cast<unsigned>(c - u'A') < 26u) << 5));
}

// Eight units at a time where all eight are ASCII: Blocks::Take tells whether in[i..i+8) is such a
// block; the case changes are then made on all eight at once.
#if defined(__SSE2__)
struct Blocks {
    static constexpr qsizetype kSize = 8;
    static bool Take(const QChar* in, qsizetype i, qsizetype n, __m128i* v) {
        if (n - i < kSize) return false;
        *v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
        const __m128i high = _mm_and_si128(*v, _mm_set1_epi16(static_cast<short>(0xFF80)));
        return _mm_movemask_epi8(_mm_cmpeq_epi16(high, _mm_setzero_si128())) == 0xFFFF;
    }
    static __m128i Between(__m128i v, char16_t first, char16_t last) { // 0xFFFF where first <= v <= last
        return _mm_and_si128(_mm_cmpgt_epi16(v, _mm_set1_epi16(static_cast<short>(first - 1))),
                             _mm_cmplt_epi16(v, _mm_set1_epi16(static_cast<short>(last + 1))));
    }
    static void Store(QChar* out, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(out), v); }
    static __m128i Upper(__m128i v) {
        return _mm_sub_epi16(v, _mm_and_si128(Between(v, u'a', u'z'), _mm_set1_epi16(0x20)));
    }
    static __m128i Lower(__m128i v) {
        return _mm_add_epi16(v, _mm_and_si128(Between(v, u'A', u'Z'), _mm_set1_epi16(0x20)));
    }
    // Word initials: a letter is made upper case unless the unit before it is an ASCII letter.
    static __m128i Initials(__m128i v, bool* letterBefore) {
        const __m128i letters = _mm_or_si128(Between(v, u'a', u'z'), Between(v, u'A', u'Z'));
        const __m128i before = _mm_insert_epi16(_mm_slli_si128(letters, 2), *letterBefore ? 0xFFFF : 0, 0);
        *letterBefore = _mm_extract_epi16(letters, 7) != 0;
        const __m128i change = _mm_andnot_si128(before, Between(v, u'a', u'z'));
        return _mm_sub_epi16(v, _mm_and_si128(change, _mm_set1_epi16(0x20)));
    }
};
#endif

// The mapped text is written straight from the input, in one pass over each.
QString MapAll(const QString& text, Case to) {
    const qsizetype n = text.size();
    const QChar* in = text.constData();
    QString out(n, Qt::Uninitialized);
    QChar* o = out.data();
    const std::array<char16_t, 0x10000>& table = to == Case::Upper ? Tables().upper : Tables().lower;
    for (qsizetype i = 0; i < n; ++i) {
#if defined(__SSE2__)
        __m128i block;
        if (Blocks::Take(in, i, n, &block)) {
            Blocks::Store(o + i, to == Case::Upper ? Blocks::Upper(block) : Blocks::Lower(block));
            i += Blocks::kSize - 1;
            continue;
        }
#endif
        const char16_t c = in[i].unicode();
        if (c < 0x80) {
            o[i] = to == Case::Upper ? UpperAscii(c) : LowerAscii(c);
        } else if (!QChar::isSurrogate(c)) {
            o[i] = table[c];
        } else {
            i += MapAt(in, o, i, n, to) - 1;
        }
    }
    if (to == Case::Lower) {
        // The first person singular keeps its capital; this also hits the last letter of a longer word.
        for (qsizetype i = 0; i + 1 < n; ++i)
            if (o[i] == u'i' && in[i + 1] == u' ') o[i] = u'I';
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
    // A character is mapped unless the one written before it is an ASCII letter; the choice is made
    // without a branch, as words are short.
    bool letterBefore = IsAsciiLetter(o[i - 1]);
    while (i < n) {
#if defined(__SSE2__)
        __m128i block;
        if (Blocks::Take(in, i, n, &block)) {
            Blocks::Store(o + i, Blocks::Initials(block, &letterBefore));
            i += Blocks::kSize;
            continue;
        }
#endif
        const char16_t c = in[i].unicode();
        if (!QChar::isSurrogate(c)) {
            const char16_t mapped = c < 0x80 ? UpperAscii(c) : upper[c];
            const char16_t written = letterBefore ? c : mapped;
            o[i] = written;
            letterBefore = IsAsciiLetter(QChar(written));
            ++i;
        } else {
            if (letterBefore)
                o[i] = in[i];
            else
                i += MapAt(in, o, i, n, Case::Upper) - 1;
            letterBefore = IsAsciiLetter(o[i]);
            ++i;
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
    // A sentence starts at the beginning, after a line feed or a quotation mark, and after a space
    // that follows ".", "!" or "?". None of these marks is the case mapping of anything else, so they
    // are looked for in the input, which is copied whole and mapped only where a sentence starts.
    const qsizetype n = text.size();
    if (n == 0) return QString();
    const QChar* in = text.constData();
    QString out = text;
    QChar* o = out.data();
    qsizetype mappedTo = MapAt(in, o, 0, n, Case::Upper);
    for (qsizetype i = 0; i + 1 < n; ++i) {
        const char16_t c = in[i].unicode();
        if (c > u'"') continue;
        const bool starts = c == u'\n' || c == u'"' ||
                            (c == u' ' && i >= 1 &&
                             (in[i - 1] == u'.' || in[i - 1] == u'!' || in[i - 1] == u'?'));
        if (starts && i + 1 >= mappedTo) mappedTo = i + 1 + MapAt(in, o, i + 1, n, Case::Upper);
    }
    return out;
}

} // namespace telmo
