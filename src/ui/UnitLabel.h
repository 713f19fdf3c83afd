#pragma once
// A label whose blanks leave room for a box lying over it ("执行次数：                次"): the text
// before the blanks stands at the left, and the text after them (the unit) right after the box,
// whatever the width of a blank in the font. text() stays the whole caption.
#include <QLabel>

namespace telmo {

class UnitLabel : public QLabel {
public:
    UnitLabel(const QString& text, QWidget* parent);

    // The unit starts gap pixels right of box (a sibling that lies over the blanks).
    void placeUnitAfter(const QWidget* box, int gap = 2);
    // Where the unit starts, in the label's coordinates; -1 while it is drawn as plain text.
    int unitLeft() const { return unitLeft_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The caption before its run of blanks, and after it.
    QString lead() const;
    QString unit() const;
    int unitLeft_ = -1;
};

} // namespace telmo
