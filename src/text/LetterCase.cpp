#include "text/LetterCase.h"

#include "files/Utf8Codec.h"

#include <array>
#include <cstdint>
#include <cstring>

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
        const bool starts =
            c == u'\n' || c == u'"' ||
            (c == u' ' && i >= 1 && (in[i - 1] == u'.' || in[i - 1] == u'!' || in[i - 1] == u'?'));
        if (starts && i + 1 >= mappedTo) mappedTo = i + 1 + MapAt(in, o, i + 1, n, Case::Upper);
    }
    return out;
}

// The same four operations on UTF-8. A character may change its length when mapped, so
// the result is written after what out holds, with room for the longest it can become.
namespace {

#if defined(__SSE2__)
struct ByteBlocks {
    static constexpr qsizetype kSize = 16;
    static bool Take(const uint8_t* in, qsizetype i, qsizetype n, __m128i* v) {
        if (n - i < kSize) return false;
        *v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
        return _mm_movemask_epi8(*v) == 0;
    }
    static __m128i Between(__m128i v, char first, char last) {
        return _mm_and_si128(_mm_cmpgt_epi8(v, _mm_set1_epi8(static_cast<char>(first - 1))),
                             _mm_cmplt_epi8(v, _mm_set1_epi8(static_cast<char>(last + 1))));
    }
    static void Store(uint8_t* out, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(out), v); }
    static __m128i Upper(__m128i v) {
        return _mm_sub_epi8(v, _mm_and_si128(Between(v, 'a', 'z'), _mm_set1_epi8(0x20)));
    }
    static __m128i Lower(__m128i v) {
        return _mm_add_epi8(v, _mm_and_si128(Between(v, 'A', 'Z'), _mm_set1_epi8(0x20)));
    }
    static __m128i Initials(__m128i v, bool* letterBefore) {
        const __m128i letters = _mm_or_si128(Between(v, 'a', 'z'), Between(v, 'A', 'Z'));
        const __m128i before =
            _mm_or_si128(_mm_slli_si128(letters, 1), _mm_cvtsi32_si128(*letterBefore ? 0xFF : 0));
        *letterBefore = (_mm_movemask_epi8(letters) >> 15) & 1;
        const __m128i change = _mm_andnot_si128(before, Between(v, 'a', 'z'));
        return _mm_sub_epi8(v, _mm_and_si128(change, _mm_set1_epi8(0x20)));
    }
};
#endif

// Writes the character at in[i] mapped as MapAt maps it, returns the bytes it took (0 when they are
// not a well-formed character); *letter tells whether what was written is an ASCII letter.
[[gnu::always_inline]] inline qsizetype MapUtf8At(const uint8_t* in, qsizetype i, qsizetype n, uint8_t*& o,
                                                  const std::array<char16_t, 0x10000>& table, Case to,
                                                  bool* letter) {
    char32_t cp;
    const int length = Utf8SequenceAt(in + i, in + n, &cp);
    if (length == 0) return 0;
    char32_t mapped;
    if (cp < 0x80) {
        mapped =
            to == Case::Upper ? UpperAscii(static_cast<char16_t>(cp)) : LowerAscii(static_cast<char16_t>(cp));
    } else if (cp < 0x10000) {
        mapped = table[cp];
    } else {
        mapped = to == Case::Upper ? QChar::toUpper(cp) : QChar::toLower(cp);
        if (!QChar::requiresSurrogates(mapped)) mapped = cp;
    }
    *letter = mapped < 0x80 && IsAsciiLetter(QChar(static_cast<char16_t>(mapped)));
    if (mapped == cp) {
        switch (length) {
        case 4:
            o[3] = in[i + 3];
            [[fallthrough]];
        case 3:
            o[2] = in[i + 2];
            [[fallthrough]];
        case 2:
            o[1] = in[i + 1];
            [[fallthrough]];
        default:
            o[0] = in[i];
        }
        o += length;
    } else if (mapped < 0x80) {
        *o++ = static_cast<uint8_t>(mapped);
    } else if (mapped < 0x800) {
        *o++ = static_cast<uint8_t>(0xC0 | (mapped >> 6));
        *o++ = static_cast<uint8_t>(0x80 | (mapped & 0x3F));
    } else if (mapped < 0x10000) {
        *o++ = static_cast<uint8_t>(0xE0 | (mapped >> 12));
        *o++ = static_cast<uint8_t>(0x80 | ((mapped >> 6) & 0x3F));
        *o++ = static_cast<uint8_t>(0x80 | (mapped & 0x3F));
    } else {
        *o++ = static_cast<uint8_t>(0xF0 | (mapped >> 18));
        *o++ = static_cast<uint8_t>(0x80 | ((mapped >> 12) & 0x3F));
        *o++ = static_cast<uint8_t>(0x80 | ((mapped >> 6) & 0x3F));
        *o++ = static_cast<uint8_t>(0x80 | (mapped & 0x3F));
    }
    return length;
}

// Room for a mapped text: a two-byte character can become a three-byte one. rewrite(in, n, o) says
// whether the text was well-formed; when not, out is left as it was.
template <class Fn> bool RewriteUtf8(QByteArrayView text, QByteArray& out, Fn&& rewrite) {
    const qsizetype at = out.size();
    out.resize(at + text.size() + text.size() / 2 + 4);
    const auto* in = reinterpret_cast<const uint8_t*>(text.data());
    uint8_t* const begin = reinterpret_cast<uint8_t*>(out.data()) + at;
    uint8_t* o = begin;
    const bool wellFormed = rewrite(in, text.size(), o);
    out.truncate(wellFormed ? at + (o - begin) : at);
    return wellFormed;
}

const std::array<char16_t, 0x10000>& TableFor(Case to) {
    return to == Case::Upper ? Tables().upper : Tables().lower;
}

bool MapAllUtf8(QByteArrayView text, QByteArray& out, Case to) {
    return RewriteUtf8(text, out, [to](const uint8_t* in, qsizetype n, uint8_t*& o) {
        const std::array<char16_t, 0x10000>& table = TableFor(to);
        uint8_t* const begin = o;
        bool letter;
        for (qsizetype i = 0; i < n;) {
#if defined(__SSE2__)
            __m128i block;
            if (ByteBlocks::Take(in, i, n, &block)) {
                ByteBlocks::Store(o, to == Case::Upper ? ByteBlocks::Upper(block) : ByteBlocks::Lower(block));
                o += ByteBlocks::kSize;
                i += ByteBlocks::kSize;
                continue;
            }
#endif
            if (in[i] < 0x80) {
                *o++ = static_cast<uint8_t>(to == Case::Upper ? UpperAscii(in[i]) : LowerAscii(in[i]));
                ++i;
                continue;
            }
            const qsizetype used = MapUtf8At(in, i, n, o, table, to, &letter);
            if (used == 0) return false;
            i += used;
        }
        // "i " becomes "I " again; a space is the mapping of nothing but a space.
        if (to == Case::Lower) {
            uint8_t* p = begin;
#if defined(__SSE2__)
            for (; o - p > 16; p += 16) {
                const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
                const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 1));
                const __m128i hit = _mm_and_si128(_mm_cmpeq_epi8(here, _mm_set1_epi8('i')),
                                                  _mm_cmpeq_epi8(next, _mm_set1_epi8(' ')));
                ByteBlocks::Store(p, _mm_sub_epi8(here, _mm_and_si128(hit, _mm_set1_epi8(0x20))));
            }
#endif
            for (; p + 1 < o; ++p)
                if (p[0] == 'i' && p[1] == ' ') p[0] = 'I';
        }
        return true;
    });
}

} // namespace

bool ToUpperCaseUtf8(QByteArrayView text, QByteArray& out) {
    return MapAllUtf8(text, out, Case::Upper);
}

bool ToLowerCaseUtf8(QByteArrayView text, QByteArray& out) {
    return MapAllUtf8(text, out, Case::Lower);
}

bool CapitalizeWordsUtf8(QByteArrayView text, bool afterLineBreak, QByteArray& out) {
    return RewriteUtf8(text, out, [afterLineBreak](const uint8_t* in, qsizetype n, uint8_t*& o) {
        if (n == 0) return true;
        const std::array<char16_t, 0x10000>& upper = TableFor(Case::Upper);
        // A character after an ASCII letter, and a first one that is not ASCII unless it follows a
        // line break, is copied as it is.
        const auto copy = [&](qsizetype i) {
            char32_t cp;
            const int length = Utf8SequenceAt(in + i, in + n, &cp);
            for (int b = 0; b < length; ++b) *o++ = in[i + b];
            return qsizetype(length);
        };
        bool letterBefore = false;
        qsizetype i = 0;
        if (afterLineBreak) {
            i = MapUtf8At(in, 0, n, o, upper, Case::Upper, &letterBefore);
        } else if (in[0] < 0x80) { // only a-z is raised at the very start
            *o++ = in[0] >= 'a' && in[0] <= 'z' ? in[0] - 0x20 : in[0];
            letterBefore = IsAsciiLetter(QChar(char16_t(o[-1])));
            i = 1;
        } else {
            i = copy(0);
        }
        if (i == 0) return false;
        while (i < n) {
#if defined(__SSE2__)
            __m128i block;
            if (ByteBlocks::Take(in, i, n, &block)) {
                ByteBlocks::Store(o, ByteBlocks::Initials(block, &letterBefore));
                o += ByteBlocks::kSize;
                i += ByteBlocks::kSize;
                continue;
            }
#endif
            if (in[i] < 0x80) {
                const uint8_t written = letterBefore ? in[i] : static_cast<uint8_t>(UpperAscii(in[i]));
                *o++ = written;
                letterBefore = IsAsciiLetter(QChar(char16_t(written)));
                ++i;
                continue;
            }
            qsizetype used;
            if (letterBefore) { // copied as it is, and not ASCII
                used = copy(i);
                letterBefore = false;
            } else {
                used = MapUtf8At(in, i, n, o, upper, Case::Upper, &letterBefore);
            }
            if (used == 0) return false;
            i += used;
        }
        return true;
    });
}

bool CapitalizeSentencesUtf8(QByteArrayView text, QByteArray& out) {
    // As CapitalizeSentences: the marks are ASCII, so a sentence starts after a byte, on a character.
    // Most of the text is copied unread, so it is checked first.
    if (!IsWellFormedUtf8(text)) return false;
    return RewriteUtf8(text, out, [](const uint8_t* in, qsizetype n, uint8_t*& o) {
        if (n == 0) return true;
        const std::array<char16_t, 0x10000>& upper = TableFor(Case::Upper);
        bool letter;
        qsizetype copied = MapUtf8At(in, 0, n, o, upper, Case::Upper, &letter);
        // The LFs, quotes and spaces, found sixteen bytes at a time.
        const auto marks = [&](qsizetype at) -> unsigned {
#if defined(__SSE2__)
            if (n - at >= 16) {
                const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + at));
                return static_cast<unsigned>(
                    _mm_movemask_epi8(_mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('\n')),
                                                                _mm_cmpeq_epi8(v, _mm_set1_epi8('"'))),
                                                   _mm_cmpeq_epi8(v, _mm_set1_epi8(' ')))));
            }
#endif
            unsigned found = 0;
            for (qsizetype b = at; b < n && b < at + 16; ++b)
                if (in[b] == '\n' || in[b] == '"' || in[b] == ' ') found |= 1u << (b - at);
            return found;
        };
        for (qsizetype block = 0; block + 1 < n; block += 16) {
            for (unsigned found = marks(block); found != 0; found &= found - 1) {
                const qsizetype i = block + __builtin_ctz(found);
                if (i + 1 >= n) break;
                const uint8_t c = in[i];
                const bool starts =
                    c != ' ' || (i >= 1 && (in[i - 1] == '.' || in[i - 1] == '!' || in[i - 1] == '?'));
                if (!starts || i + 1 < copied) continue;
                std::memcpy(o, in + copied, i + 1 - copied);
                o += i + 1 - copied;
                copied = i + 1 + MapUtf8At(in, i + 1, n, o, upper, Case::Upper, &letter);
            }
        }
        std::memcpy(o, in + copied, n - copied);
        o += n - copied;
        return true;
    });
}

} // namespace telmo
