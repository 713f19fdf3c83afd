#include "text/LineOperations.h"

#include "text/TextLines.h"
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
    QStringList lines = SplitLines(text);
    lines.removeIf([](const QString& line) { return line.isEmpty(); });
    return JoinLines(lines);
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
    const QStringList lines = SplitLines(text);
    QString out;
    out.reserve(text.size() + 4 * lines.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QStringView line = TrimSpaces(lines[i]);
        const bool indent = (line.size() == 1 && line[0] != kIdeographicSpace) ||
                            (line.size() >= 2 && !StartsWithIndent(line));
        if (i) out.append(u"\r\n");
        const qsizetype lineStart = out.size();
        if (indent) out.append(u"\u3000\u3000");
        out.append(line);
        // Two full-width spaces before a line break are taken away once the lines are joined; this
        // also empties a line that consists of nothing but the indent.
        if (i + 1 < lines.size() && out.size() - lineStart >= 2 && EndsWithIndent(out)) out.chop(2);
    }
    return out;
}

} // namespace telmo
