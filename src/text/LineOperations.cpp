#include "text/LineOperations.h"

#include "files/Utf8Codec.h"
#include "text/LineViews.h"
#include "text/TextTrim.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace telmo {
namespace {
constexpr char16_t kIdeographicSpace = u'\u3000';

bool StartsWithIndent(QStringView line) {
    return line.size() >= 2 && line[0] == kIdeographicSpace && line[1] == kIdeographicSpace;
}

bool EndsWithIndent(QStringView line) {
    return line.size() >= 2 && line[line.size() - 1] == kIdeographicSpace &&
           line[line.size() - 2] == kIdeographicSpace;
}
// The blank-line, space and line-join rules look only at spaces, CRs and LFs, which are single code
// units in UTF-16 and in UTF-8 alike, so one loop serves both: Unit is char16_t or char.
#if defined(__SSE2__)
template <class Unit> struct Lanes;
template <> struct Lanes<char16_t> {
    static constexpr qsizetype kUnits = 8;
    static __m128i Equal(__m128i v, char16_t c) {
        return _mm_cmpeq_epi16(v, _mm_set1_epi16(static_cast<short>(c)));
    }
};
template <> struct Lanes<char> {
    static constexpr qsizetype kUnits = 16;
    static __m128i Equal(__m128i v, char c) { return _mm_cmpeq_epi8(v, _mm_set1_epi8(c)); }
};

// Whether the block of units at in holds a CR or LF (0 when not), and the units in *v.
template <class Unit> int LineEndsIn(const Unit* in, __m128i* v) {
    *v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
    return _mm_movemask_epi8(_mm_or_si128(Lanes<Unit>::Equal(*v, '\n'), Lanes<Unit>::Equal(*v, '\r')));
}

// Copies the block at in[i] to o[k] when it lies before `end` and holds no CR or LF; i is then left
// on the block's last unit (the loop steps on past it) and k moved past the copy.
template <class Unit>
bool CopiedWithoutLineEnds(const Unit* in, qsizetype& i, qsizetype end, Unit* o, qsizetype& k) {
    __m128i block;
    if (end - i < Lanes<Unit>::kUnits || LineEndsIn(in + i, &block) != 0) return false;
    _mm_storeu_si128(reinterpret_cast<__m128i*>(o + k), block);
    k += Lanes<Unit>::kUnits;
    i += Lanes<Unit>::kUnits - 1;
    return true;
}
#endif

template <class Unit> qsizetype CountLineFeeds(const Unit* in, qsizetype n) {
    qsizetype count = 0, i = 0;
#if defined(__SSE2__)
    // A byte of 1 for each byte of a match, summed by the sum-of-differences instruction.
    __m128i sums = _mm_setzero_si128();
    for (; n - i >= Lanes<Unit>::kUnits; i += Lanes<Unit>::kUnits) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
        const __m128i ones = _mm_and_si128(Lanes<Unit>::Equal(v, '\n'), _mm_set1_epi8(1));
        sums = _mm_add_epi64(sums, _mm_sad_epu8(ones, _mm_setzero_si128()));
    }
    count = (_mm_cvtsi128_si64(sums) + _mm_cvtsi128_si64(_mm_unpackhi_epi64(sums, sums))) /
            qsizetype(sizeof(Unit));
#endif
    for (; i < n; ++i) count += in[i] == '\n';
    return count;
}

// Room for RemoveBlankLinesInto: at most one unit more per line feed.
template <class Unit> qsizetype RemoveBlankLinesRoom(const Unit* in, qsizetype n) {
    return n + CountLineFeeds(in, n) + 2;
}

template <class Unit> qsizetype RemoveBlankLinesInto(const Unit* in, qsizetype n, Unit* o) {
    // One pass: every CR is dropped, each line is written after a tentative CR LF, and a line that
    // turns out empty takes its CR LF back.
    qsizetype k = 0, lineStart = 0, contentStart = 0;
    bool wrote = false;
    for (qsizetype i = 0; i < n; ++i) {
#if defined(__SSE2__)
        if (CopiedWithoutLineEnds(in, i, n, o, k)) continue;
#endif
        const Unit c = in[i];
        if (c != '\n') {
            o[k] = c;
            k += c != '\r';
            continue;
        }
        if (k == contentStart) {
            k = lineStart;
        } else {
            wrote = true;
        }
        lineStart = k;
        if (wrote) {
            o[k++] = '\r';
            o[k++] = '\n';
        }
        contentStart = k;
    }
    if (k == contentStart) k = lineStart;
    return k;
}

template <class Unit> qsizetype CollapseSpacesInto(const Unit* in, qsizetype n, Unit* o) {
    qsizetype k = 0;
    bool spaceBefore = false;
    for (qsizetype i = 0; i < n; ++i) { // without branches: spaces come at random places
        const bool space = in[i] == ' ';
        o[k] = in[i];
        k += !(space && spaceBefore);
        spaceBefore = space;
    }
    return k;
}

template <class Unit> qsizetype JoinAllLinesInto(const Unit* in, qsizetype n, Unit* o) {
    qsizetype k = 0;
    // Every LF goes, and so does every CR right before one.
    for (qsizetype i = 0; i + 1 < n; ++i) {
#if defined(__SSE2__)
        if (CopiedWithoutLineEnds(in, i, n - 1, o, k)) continue; // the last unit is looked at below
#endif
        const Unit c = in[i];
        o[k] = c;
        k += !(c == '\n' || (c == '\r' && in[i + 1] == '\n'));
    }
    if (n > 0 && in[n - 1] != '\n') o[k++] = in[n - 1];
    return k;
}

template <class Unit> qsizetype RemoveAllSpacesInto(const Unit* in, qsizetype n, Unit* o) {
    qsizetype k = 0;
    for (qsizetype i = 0; i < n; ++i) {
        o[k] = in[i];
        k += in[i] != ' ';
    }
    return k;
}

// Runs one of the loops above from text into a new string of `room` units.
template <class Fn> QString Rewrite(const QString& text, qsizetype room, Fn&& into) {
    QString out(room, Qt::Uninitialized);
    const auto* in = reinterpret_cast<const char16_t*>(text.constData());
    out.truncate(into(in, text.size(), reinterpret_cast<char16_t*>(out.data())));
    return out;
}
template <class Fn> bool RewriteUtf8(QByteArrayView text, qsizetype room, QByteArray& out, Fn&& into) {
    if (!IsWellFormedUtf8(text)) return false;
    const qsizetype at = out.size();
    out.resize(at + room);
    out.truncate(at + into(text.data(), text.size(), out.data() + at));
    return true;
}
} // namespace

QString RemoveBlankLines(const QString& text) {
    const auto* in = reinterpret_cast<const char16_t*>(text.constData());
    return Rewrite(text, RemoveBlankLinesRoom(in, text.size()), RemoveBlankLinesInto<char16_t>);
}

QString CollapseSpaces(const QString& text) {
    return Rewrite(text, text.size(), CollapseSpacesInto<char16_t>);
}

QString JoinAllLines(const QString& text) {
    return Rewrite(text, text.size(), JoinAllLinesInto<char16_t>);
}

QString RemoveAllSpaces(const QString& text) {
    return Rewrite(text, text.size(), RemoveAllSpacesInto<char16_t>);
}

bool RemoveBlankLinesUtf8(QByteArrayView text, QByteArray& out) {
    return RewriteUtf8(text, RemoveBlankLinesRoom(text.data(), text.size()), out, RemoveBlankLinesInto<char>);
}

bool CollapseSpacesUtf8(QByteArrayView text, QByteArray& out) {
    return RewriteUtf8(text, text.size(), out, CollapseSpacesInto<char>);
}

bool JoinAllLinesUtf8(QByteArrayView text, QByteArray& out) {
    return RewriteUtf8(text, text.size(), out, JoinAllLinesInto<char>);
}

bool RemoveAllSpacesUtf8(QByteArrayView text, QByteArray& out) {
    return RewriteUtf8(text, text.size(), out, RemoveAllSpacesInto<char>);
}

QString IndentLines(const QString& text) {
    QString out;
    out.reserve(text.size() + text.size() / 8 + 2);
    qsizetype lineStart = -1;
    ForEachLine(text, [&](QStringView whole) {
        if (lineStart >= 0) {
            // Two full-width spaces before a line break are taken away once the lines are joined;
            // this also empties a line that consists of nothing but the indent.
            if (out.size() - lineStart >= 2 && EndsWithIndent(out)) out.chop(2);
            out.append(u"\r\n");
        }
        lineStart = out.size();
        const QStringView line = TrimSpaces(whole);
        const bool indent = (line.size() == 1 && line[0] != kIdeographicSpace) ||
                            (line.size() >= 2 && !StartsWithIndent(line));
        if (indent) out.append(u"\u3000\u3000");
        out.append(line);
    });
    return out;
}

} // namespace telmo
