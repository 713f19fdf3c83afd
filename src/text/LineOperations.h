#pragma once
// The line and space clean-ups of the text page: blank lines, extra spaces, joining lines,
// indenting lines.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace telmo {

// Drops every empty line (a line of spaces is not empty); the result never ends with a line break.
QString RemoveBlankLines(const QString& text);

// Every run of two or more spaces (U+0020) becomes one space; other blanks stay.
QString CollapseSpaces(const QString& text);

// Removes every CR LF pair, then every remaining LF; a lone CR stays.
QString JoinAllLines(const QString& text);

// Removes every space U+0020; other space characters stay.
QString RemoveAllSpaces(const QString& text);

// The four above on UTF-8, the result appended to out: these rules look only at spaces, CRs and LFs,
// so the bytes are those of the UTF-16 result, encoded. False, with out as it was, when the text is
// not well-formed UTF-8.
bool RemoveBlankLinesUtf8(QByteArrayView text, QByteArray& out);
bool CollapseSpacesUtf8(QByteArrayView text, QByteArray& out);
bool JoinAllLinesUtf8(QByteArrayView text, QByteArray& out);
bool RemoveAllSpacesUtf8(QByteArrayView text, QByteArray& out);

// Puts two full-width spaces (U+3000 U+3000) in front of every line that does not have them yet;
// lines are trimmed of spaces first, and a line ending with two U+3000 loses them unless it is the last.
QString IndentLines(const QString& text);

} // namespace telmo
