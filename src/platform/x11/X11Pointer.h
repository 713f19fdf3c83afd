#pragma once
// The pointer's position on the application's X connection. No X11 types in this header.
#include <QPoint>
#include <cstdint>
#include <optional>

namespace telmo::x11 {

// The pointer relative to the window's origin in X pixels; nullopt without a display, or when the
// pointer is on another screen of the display.
std::optional<QPoint> PointerPositionIn(std::uintptr_t window);

} // namespace telmo::x11
