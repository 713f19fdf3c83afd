#pragma once
// Keyboard-map look-ups on the application's own X connection (no X11 types in this header).
#include <cstdint>

namespace telmo::x11 {

// The keysym of the first level of the current group for an X keycode, as the layout maps it;
// 0 when the application runs on no X display or the keycode maps nothing.
std::uint32_t UnshiftedKeysymForKeycode(std::uint32_t keycode);

// Whether the current keyboard map gives the keysym to some keycode on any level (read fresh from
// the server, not from a cache); false without an X display.
bool KeysymHasKeycode(std::uint32_t keysym);

} // namespace telmo::x11
