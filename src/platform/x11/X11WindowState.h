#pragma once
// _NET_WM_STATE_ABOVE on the application's X connection (no X11 types in this header).
#include <cstdint>
#include <vector>

namespace telmo::x11 {

// Adds or removes the above state: on the window's property (read when the window manager takes the
// window on) and, for a mapped window, by asking the window manager. False without an X display.
bool SetWindowAbove(std::uintptr_t window, bool above, bool mapped);

// Whether the window's _NET_WM_STATE holds the above state.
bool WindowIsAbove(std::uintptr_t window);

// Whether the window is minimised (its WM_STATE is the iconic state).
bool WindowIsMinimised(std::uintptr_t window);

// The managed windows from bottom to top, as the window manager stacks them (empty without one).
std::vector<std::uintptr_t> ClientStackingOrder();

} // namespace telmo::x11
