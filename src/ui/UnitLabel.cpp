#include "ui/UnitLabel.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace telmo {

namespace {

// Start of the run of blanks before the last word of text, and the start of that word.
std::pair<qsizetype, qsizetype> BlankRun(const QString& text) {
    qsizetype unitAt = text.size();
    while (unitAt > 0 && text[unitAt - 1] != u' ') --unitAt;
    qsizetype blanksAt = unitAt;
    while (blanksAt > 0 && text[blanksAt - 1] == u' ') --blanksAt;
    return {blanksAt, unitAt};
}

} // namespace

UnitLabel::UnitLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setTextFormat(Qt::PlainText);
}

QString UnitLabel::lead() const {
    return text().left(BlankRun(text()).first);
}

QString UnitLabel::unit() const {
    return text().mid(BlankRun(text()).second);
}

void UnitLabel::placeUnitAfter(const QWidget* box, int gap) {
    const auto [blanksAt, unitAt] = BlankRun(text());
    if (blanksAt == 0 || unitAt == blanksAt || unitAt == text().size()) {
        unitLeft_ = -1;
    } else {
        // Never so far right that the unit leaves the label.
        const int unitWidth = fontMetrics().horizontalAdvance(unit());
        unitLeft_ = std::min(box->geometry().right() + 1 + gap - x(), contentsRect().right() + 1 - unitWidth);
    }
    update();
}

void UnitLabel::paintEvent(QPaintEvent* event) {
    if (unitLeft_ < 0) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    QStyleOption option;
    option.initFrom(this);
    const QRect room = contentsRect();
    const int flags = int(alignment() & Qt::AlignVertical_Mask) | Qt::AlignLeft | Qt::TextSingleLine;
    style()->drawItemText(&painter, room, flags, option.palette, isEnabled(), lead(), foregroundRole());
    style()->drawItemText(&painter, QRect(unitLeft_, room.top(), room.right() + 1 - unitLeft_, room.height()),
                          flags, option.palette, isEnabled(), unit(), foregroundRole());
}

} // namespace telmo
