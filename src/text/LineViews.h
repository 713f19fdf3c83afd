#pragma once
// Walking the lines of a text without a list of copies: the hot path of the per-line operations
// on texts of many megabytes.
#include <QString>
#include <QStringView>

namespace telmo {

// Calls fn(QStringView line) for every line exactly as SplitLines cuts them (at each LF, every CR
// removed, no lines for an empty text). Only a line that holds a CR other than just before its LF is copied,
// into one reused buffer.
template <typename Fn> void ForEachLine(QStringView text, Fn&& fn) {
    if (text.isEmpty()) return;
    QString scratch;
    auto visit = [&](QStringView line) {
        const qsizetype cr = line.indexOf(u'\r');
        if (cr < 0) {
            fn(line);
            return;
        }
        if (cr == line.size() - 1) { // the usual CR LF line end: no copy needed
            fn(line.chopped(1));
            return;
        }
        scratch.resize(0); // keeps the buffer, unlike clear()
        for (QChar c : line)
            if (c != u'\r') scratch.append(c);
        fn(QStringView(scratch));
    };
    qsizetype start = 0;
    for (qsizetype lf = text.indexOf(u'\n'); lf >= 0; lf = text.indexOf(u'\n', start)) {
        visit(text.sliced(start, lf - start));
        start = lf + 1;
    }
    visit(text.sliced(start));
}

// Builds a text line by line: rewrite(line, out) appends the new form of every line of ForEachLine
// to out, and the lines are joined with CR LF as JoinLines does.
template <typename Fn> QString RewriteLines(QStringView text, Fn&& rewrite) {
    QString out;
    out.reserve(text.size() + text.size() / 2 + 16);
    bool first = true;
    ForEachLine(text, [&](QStringView line) {
        if (!first) out.append(QLatin1String("\r\n"));
        first = false;
        rewrite(line, out);
    });
    return out;
}

} // namespace telmo
