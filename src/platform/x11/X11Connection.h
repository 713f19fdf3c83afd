#pragma once
// Access to the X connection that Qt's xcb platform opened. Included only by files in this folder.
#include <X11/Xlib.h>

namespace telmo::x11 {

// Qt's own Xlib display, or nullptr when the application does not run on the xcb platform.
Display* QtDisplay();

// Interns an atom on the given display (cached per name).
Atom InternAtom(Display* dpy, const char* name);

} // namespace telmo::x11
