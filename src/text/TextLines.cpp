#include "text/TextLines.h"

namespace telmo {

QStringList SplitLines(const QString& text) {
    QStringList lines;
    if (text.isEmpty()) return lines;
    const QChar* data = text.constData();
    const qsizetype n = text.size();
    qsizetype start = 0;
    auto addLine = [&](qsizetype from, qsizetype to) {
        QString line;
        line.reserve(to - from);
        for (qsizetype i = from; i < to; ++i)
            if (data[i] != u'\r') line.append(data[i]);
        lines.append(std::move(line));
    };
    for (qsizetype i = 0; i < n; ++i) {
        if (data[i] == u'\n') {
            addLine(start, i);
            start = i + 1;
        }
    }
    addLine(start, n);
    return lines;
}

QString JoinLines(const QStringList& lines) {
    qsizetype total = 0;
    for (const QString& l : lines) total += l.size() + 2;
    QString out;
    out.reserve(total);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i) out.append(QLatin1String("\r\n"));
        out.append(lines[i]);
    }
    return out;
}

} // namespace telmo
