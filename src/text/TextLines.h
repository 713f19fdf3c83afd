#pragma once
// Cutting a text into lines and joining lines again, shared by the line-based operations.
#include <QString>
#include <QStringList>

namespace telmo {

// Cuts the text at every LF (the LF belongs to neither line) and removes every CR from every line.
// An empty text has no lines; a text ending with a line break has an empty last line.
QStringList SplitLines(const QString& text);

// Joins the lines with CR LF between consecutive lines and none after the last.
QString JoinLines(const QStringList& lines);

} // namespace telmo
