#pragma once
// Keyboard-map look-ups on the application's own X connection (no X11 types in this header).
#include <cstdint>

namespace telmo::x11 {

// The keysym of the first level of the current group for an X keycode, as the layout maps it;
// 0 when the application runs on no X display or the keycode maps nothing.
std::uint32_t UnshiftedKeysymForKeycode(std::uint32_t keycode);

} // namespace telmo::x11
