#pragma once
// The nineteen text operations of the text page behind one dispatcher, with their list entries,
// identifiers and descriptions.
#include <QString>
#include <QStringList>
#include <QStringView>

namespace telmo {

inline constexpr int kTextOperationCount = 19;

// Runs operation `index` (0..18, the position in the operation list) on the text.
// An index outside 0..18 gives the empty text.
QString ApplyTextOperation(const QString& text, int index);

// The entries of the operation list, in list order ("去除多余空行", ...).
QStringList TextOperationNames();
// The identifiers, in list order ("RemoveBlankLines", ...).
QStringList TextOperationIdentifiers();
// The descriptions shown under the list, in list order, exactly as stored.
QStringList TextOperationDescriptions();
// The index of the operation with this identifier (case-sensitive), or -1.
int TextOperationIndex(QStringView identifier);

} // namespace telmo
