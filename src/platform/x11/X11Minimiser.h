#pragma once
// Best-effort minimised start on X11: a started program cannot be told to open minimised, so its
// first window is minimised when it appears.
#include <QtGlobal>

namespace telmo::x11 {

// Watches the window manager's client list for a few seconds (while the event loop runs) and
// minimises the first window whose _NET_WM_PID is pid. Does nothing without an X display.
void MinimiseFirstWindowOf(qint64 pid);

// Whether a watch is still looking for its window.
bool MinimiseWatchesPending();

} // namespace telmo::x11
