#pragma once
// Access to the X connection that Qt's xcb platform opened. Included only by files in this folder.
#include <X11/Xlib.h>

struct xcb_connection_t;

namespace telmo::x11 {

// Qt's own Xlib display, or nullptr when the application does not run on the xcb platform.
Display* QtDisplay();
// The same connection as Qt's xcb handle; nullptr likewise.
xcb_connection_t* QtConnection();

// Interns an atom on the given display (cached per name).
Atom InternAtom(Display* dpy, const char* name);

} // namespace telmo::x11
