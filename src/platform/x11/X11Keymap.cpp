#include "platform/x11/X11Keymap.h"

#include "platform/x11/X11Connection.h"

#include <X11/XKBlib.h>

namespace telmo::x11 {

std::uint32_t UnshiftedKeysymForKeycode(std::uint32_t keycode) {
    Display* dpy = QtDisplay();
    if (!dpy || keycode < 8 || keycode > 255) return 0;
    XkbStateRec state{};
    const unsigned group = XkbGetState(dpy, XkbUseCoreKbd, &state) == Success ? state.group : 0;
    KeySym sym = XkbKeycodeToKeysym(dpy, static_cast<KeyCode>(keycode), static_cast<int>(group), 0);
    if (sym == NoSymbol && group != 0) sym = XkbKeycodeToKeysym(dpy, static_cast<KeyCode>(keycode), 0, 0);
    return static_cast<std::uint32_t>(sym);
}

bool KeysymHasKeycode(std::uint32_t keysym) {
    Display* dpy = QtDisplay();
    if (!dpy) return false;
    XkbDescPtr xkb = XkbGetMap(dpy, XkbKeySymsMask | XkbKeyTypesMask, XkbUseCoreKbd);
    if (!xkb) return false;
    bool found = false;
    for (int kc = xkb->min_key_code; kc <= xkb->max_key_code && !found; ++kc) {
        const auto code = static_cast<KeyCode>(kc);
        const int n = XkbKeyNumSyms(xkb, code);
        const KeySym* syms = XkbKeySymsPtr(xkb, code);
        for (int i = 0; i < n && !found; ++i) found = syms[i] == keysym;
    }
    XkbFreeKeyboard(xkb, 0, True);
    return found;
}

} // namespace telmo::x11
