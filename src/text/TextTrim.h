#pragma once
// Trimming of plain spaces (U+0020 only); tabs, full-width and no-break spaces are text.
#include <QStringView>

namespace telmo {

inline QStringView TrimTrailingSpaces(QStringView s) {
    qsizetype end = s.size();
    while (end > 0 && s[end - 1] == u' ') --end;
    return s.first(end);
}

inline QStringView TrimSpaces(QStringView s) {
    s = TrimTrailingSpaces(s);
    qsizetype begin = 0;
    while (begin < s.size() && s[begin] == u' ') ++begin;
    return s.sliced(begin);
}

} // namespace telmo
