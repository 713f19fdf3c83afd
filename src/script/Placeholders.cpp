#include "script/Placeholders.h"

namespace telmo {

QString TimeText(const QDateTime& at) {
    return at.toString(QStringLiteral("HH:mm:ss"));
}

QString DateText(const QDateTime& at) {
    return at.toString(QStringLiteral("yyyy年MM月dd日"));
}

QString ExpandPlaceholders(QString item, qsizetype position, std::int64_t& itemCounter,
                           const std::function<QDateTime()>& clock) {
    static const QString kItem = QStringLiteral("%item%");
    static const QString kTime = QStringLiteral("%time%");
    static const QString kDate = QStringLiteral("%date%");
    static const QString kNo = QStringLiteral("%No.%");
    if (item.contains(kItem)) item.replace(kItem, QString::number(++itemCounter));
    // One reading of the clock for both, so an item copied at midnight cannot mix two days.
    QDateTime now;
    if (item.contains(kTime)) item.replace(kTime, TimeText(now = clock()));
    if (item.contains(kDate)) item.replace(kDate, DateText(now.isValid() ? now : clock()));
    if (item.contains(kNo)) item.replace(kNo, QString::number(position));
    item.remove(u'\n');
    item.remove(u'\r');
    return item;
}

} // namespace telmo
