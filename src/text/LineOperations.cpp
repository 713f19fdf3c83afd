#include "text/LineOperations.h"

#include "text/LineViews.h"
#include "text/TextTrim.h"

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
} // namespace

QString RemoveBlankLines(const QString& text) {
    QString out;
    out.reserve(text.size());
    ForEachLine(text, [&](QStringView line) {
        if (line.isEmpty()) return;
        if (!out.isEmpty()) out.append(u"\r\n");
        out.append(line);
    });
    return out;
}

QString CollapseSpaces(const QString& text) {
    const QChar* in = text.constData();
    const qsizetype n = text.size();
    QString out(n, Qt::Uninitialized);
    QChar* o = out.data();
    qsizetype k = 0;
    for (qsizetype i = 0; i < n; ++i) {
        if (in[i] == u' ' && i > 0 && in[i - 1] == u' ') continue;
        o[k++] = in[i];
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
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = in[i].unicode();
        if (c == u'\n') continue;
        if (c == u'\r' && i + 1 < n && in[i + 1] == u'\n') {
            ++i;
            continue;
        }
        o[k++] = in[i];
    }
    out.truncate(k);
    return out;
}

QString RemoveAllSpaces(const QString& text) {
    const QChar* in = text.constData();
    const qsizetype n = text.size();
    QString out(n, Qt::Uninitialized);
    QChar* o = out.data();
    qsizetype k = 0;
    for (qsizetype i = 0; i < n; ++i)
        if (in[i] != u' ') o[k++] = in[i];
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
