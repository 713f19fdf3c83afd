#pragma once
// Where the pointer is, in device pixels, as the window system reports it. Qt's mouse events carry
// logical positions, rounded to whole logical pixels on a scaled screen, so at a scale factor of 2
// every odd device pixel would be out of reach.
#include <QPoint>
#include <optional>

class QWidget;

namespace telmo {

// The pointer's position relative to the window's top left corner in device pixels, asked of the
// window system now; nullopt where the platform cannot tell.
std::optional<QPoint> PointerPositionInWindow(const QWidget* window);

} // namespace telmo
