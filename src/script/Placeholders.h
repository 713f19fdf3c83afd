#pragma once
// The placeholders that copy steps expand in the items they take.
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <functional>

namespace telmo {

// "hh:mm:ss", 24-hour clock.
QString TimeText(const QDateTime& at);
// "yyyy年MM月dd日".
QString DateText(const QDateTime& at);

// The item as a copy step puts it on the clipboard: "%item%" becomes the item counter, counted up
// first when the item holds it; "%time%" and "%date%" the clock's time and date; "%No.%" the item's
// position (counting from 1); line breaks are dropped. Matching is exact and case-sensitive, in that
// order. The clock is only read when the item asks for it.
QString ExpandPlaceholders(QString item, qsizetype position, std::int64_t& itemCounter,
                           const std::function<QDateTime()>& clock);

} // namespace telmo
