#include "text/LineOperations.h"

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
#if defined(__SSE2__)
// Whether the eight units at in hold a CR or LF (0 when not), and the units in *v.
inline int LineEndsIn(const QChar* in, __m128i* v) {
    *v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
    return _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi16(*v, _mm_set1_epi16(u'\n')),
                                          _mm_cmpeq_epi16(*v, _mm_set1_epi16(u'\r'))));
}
#endif

qsizetype CountLineFeeds(const QChar* in, qsizetype n) {
    qsizetype count = 0, i = 0;
#if defined(__SSE2__)
    const __m128i lf = _mm_set1_epi16(u'\n');
    while (n - i >= 8) {
        // Each lane counts down by one per LF; lanes are summed before they can wrap.
        __m128i lanes = _mm_setzero_si128();
        for (int round = 0; round < 0x7FFF && n - i >= 8; ++round, i += 8)
            lanes = _mm_add_epi16(lanes, _mm_cmpeq_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i)), lf));
        alignas(16) int16_t sums[8];
        _mm_store_si128(reinterpret_cast<__m128i*>(sums), lanes);
        for (int16_t lane : sums) count -= lane;
    }
#endif
    for (; i < n; ++i) count += in[i] == u'\n';
    return count;
}
} // namespace

QString RemoveBlankLines(const QString& text) {
    // One pass: every CR is dropped, each line is written after a tentative CR LF, and a line that
    // turns out empty takes its CR LF back. The result needs at most one unit more per line feed.
    const QChar* in = text.constData();
    const qsizetype n = text.size();
    QString out(n + CountLineFeeds(in, n) + 2, Qt::Uninitialized);
    QChar* o = out.data();
    qsizetype k = 0, lineStart = 0, contentStart = 0;
    bool wrote = false;
    for (qsizetype i = 0; i < n; ++i) {
#if defined(__SSE2__)
        __m128i block;
        if (n - i >= 8 && LineEndsIn(in + i, &block) == 0) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(o + k), block);
            k += 8;
            i += 7;
            continue;
        }
#endif
        const QChar c = in[i];
        if (c != u'\n') {
            o[k] = c;
            k += c != u'\r';
            continue;
        }
        if (k == contentStart) {
            k = lineStart;
        } else {
            wrote = true;
        }
        lineStart = k;
        if (wrote) {
            o[k++] = u'\r';
            o[k++] = u'\n';
        }
        contentStart = k;
    }
    if (k == contentStart) k = lineStart;
    out.truncate(k);
    return out;
}

QString CollapseSpaces(const QString& text) {
    const QChar* in = text.constData();
    const qsizetype n = text.size();
    QString out(n, Qt::Uninitialized);
    QChar* o = out.data();
    qsizetype k = 0;
    bool spaceBefore = false;
    for (qsizetype i = 0; i < n; ++i) { // without branches: spaces come at random places
        const bool space = in[i] == u' ';
        o[k] = in[i];
        k += !(space && spaceBefore);
        spaceBefore = space;
    }
    out.truncate(k);
    return out;
}

QString JoinAllLines(const QString& text) {
    const QChar* in = text.constData();
    const qsizetype n = text.size();
    QString out(n, Qt::Uninitialized);
    QChar* o = out.data();
    qsizetype k = 0;
    // Every LF goes, and so does every CR right before one.
    for (qsizetype i = 0; i + 1 < n; ++i) {
#if defined(__SSE2__)
        __m128i block;
        if (n - i >= 9 && LineEndsIn(in + i, &block) == 0) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(o + k), block);
            k += 8;
            i += 7;
            continue;
        }
#endif
        const QChar c = in[i];
        o[k] = c;
        k += !(c == u'\n' || (c == u'\r' && in[i + 1] == u'\n'));
    }
    if (n > 0 && in[n - 1] != u'\n') o[k++] = in[n - 1];
    out.truncate(k);
    return out;
}

QString RemoveAllSpaces(const QString& text) {
    const QChar* in = text.constData();
    const qsizetype n = text.size();
    QString out(n, Qt::Uninitialized);
    QChar* o = out.data();
    qsizetype k = 0;
    for (qsizetype i = 0; i < n; ++i) {
        o[k] = in[i];
        k += in[i] != u' ';
    }
    out.truncate(k);
    return out;
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
