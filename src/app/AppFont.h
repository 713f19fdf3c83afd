#pragma once
// The windows' font, chosen deliberately: "微软雅黑" where it is installed, otherwise the first
// installed of a short list of CJK sans fonts, so Chinese captions render as glyphs with known widths.
#include <QFont>
#include <QRect>
#include <QStringList>

class QComboBox;
class QWidget;

namespace telmo {

// The families tried, in order.
QStringList UiFontFamilies();
// The first installed of them; empty when none is (the platform's default font is used then).
QString UiFontFamily();

QFont UiFont(double points);

// Control geometry is written in twips; 15 twips make one pixel at 96 dots per inch.
constexpr int TwipsToPixels(int twips) {
    return twips / 15;
}
inline QRect Twips(int left, int top, int width, int height) {
    return QRect(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height));
}

// A drop-down list of a fixed, narrow width: its text gets the room up to the arrow, which a
// style's default edit field leaves unused.
void UseWholeWidthForText(QComboBox* combo);

} // namespace telmo
