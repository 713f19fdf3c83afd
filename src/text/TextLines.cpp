#include "text/TextLines.h"

namespace telmo {

QStringList SplitLines(const QString& text) {
    QStringList lines;
    if (text.isEmpty()) return lines;
    const QStringView all(text);
    // Whole lines are copied at once; only a line that holds a CR is copied piece by piece.
    auto addLine = [&](QStringView line) {
        qsizetype cr = line.indexOf(u'\r');
        if (cr < 0) {
            lines.append(line.toString());
            return;
        }
        QString stripped;
        stripped.reserve(line.size() - 1);
        qsizetype from = 0;
        for (; cr >= 0; cr = line.indexOf(u'\r', from)) {
            stripped.append(line.sliced(from, cr - from));
            from = cr + 1;
        }
        stripped.append(line.sliced(from));
        lines.append(std::move(stripped));
    };
    qsizetype start = 0;
    for (qsizetype lf = all.indexOf(u'\n'); lf >= 0; lf = all.indexOf(u'\n', start)) {
        addLine(all.sliced(start, lf - start));
        start = lf + 1;
    }
    addLine(all.sliced(start));
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
