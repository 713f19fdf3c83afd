#pragma once
// The windows' font: "微软雅黑" where it is installed, otherwise the first installed CJK sans font,
// so Chinese captions always render as glyphs.
#include <QFont>
#include <QRect>

namespace telmo {

QFont UiFont(double points);

// Control geometry is written in twips; 15 twips make one pixel at 96 dots per inch.
constexpr int TwipsToPixels(int twips) {
    return twips / 15;
}
inline QRect Twips(int left, int top, int width, int height) {
    return QRect(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height));
}

} // namespace telmo
