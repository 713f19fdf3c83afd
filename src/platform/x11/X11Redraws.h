#pragma once
// How the window that has the keyboard focus redraws itself, as the X server reports it (the damage
// extension): a target that inserts pasted text some time after it took the text from us shows it
// only by drawing it. No X11 types in this header.
#include <cstdint>

namespace telmo::x11 {

struct Redraws {
    std::int64_t lastMs = -1; // the last redraw wider than a caret; -1 for none yet
    bool watching = false;    // a window is being watched
};

// Starts watching the redraws of the window that has the keyboard focus now (at a paste chord); the
// window watched before is let go when the focus has moved. False when the server cannot report
// redraws or nothing has the focus.
bool WatchFocusedWindowRedraws();

// The redraws seen so far, as Qt's event loop handled the X events. Times are milliseconds of
// std::chrono::steady_clock.
Redraws RedrawsSoFar();

} // namespace telmo::x11
