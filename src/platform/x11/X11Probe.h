#pragma once
// Questions about other clients' windows on the application's X connection: who has the keyboard
// focus, what a window is called and which process it belongs to. No X11 types in this header.
#include <QString>
#include <cstdint>

namespace telmo::x11 {

// The window with the keyboard focus; 0 for none, the pointer root, or no X display.
std::uintptr_t FocusedWindow();

// The title of the window or of its nearest ancestor that has one (_NET_WM_NAME, else WM_NAME).
QString WindowTitle(std::uintptr_t window);

// The process id of the window or of its nearest ancestor that tells it (_NET_WM_PID); 0 if unknown.
qint64 WindowPid(std::uintptr_t window);

} // namespace telmo::x11
