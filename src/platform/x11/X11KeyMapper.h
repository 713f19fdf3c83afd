#pragma once
// Keysym to keycode on the current layout, for the XTest backend. Included only inside this folder.
#include <QtGlobal>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <unordered_map>
#include <vector>

namespace telmo::x11 {

class X11KeyMapper {
public:
    explicit X11KeyMapper(Display* dpy);
    ~X11KeyMapper(); // undoes every temporary binding

    X11KeyMapper(const X11KeyMapper&) = delete;
    X11KeyMapper& operator=(const X11KeyMapper&) = delete;

    // Reads the keyboard map again after the server announced a change; handles the events of the
    // backend's connection (mapping and keyboard-state changes) that have arrived, and hands every
    // other event (the stop key's presses) to otherEvent.
    void drainEvents();
    std::function<void(const XEvent&)> otherEvent;

    // The keycode of the layout for the keysym on the first level, without binding anything; 0 if none.
    KeyCode layoutKeycodeOf(KeySym keysym) const { return layoutKeycode(keysym, 0); }
    unsigned numLockMask() const { return numLockMask_; }

    // The keycode that produces the keysym on the first level of the current group, or one bound to
    // it for the moment; 0 when there is none and no spare keycode either. Keypad digits and the
    // keypad decimal give their digit also when Num Lock is off.
    KeyCode keycodeFor(KeySym keysym);

    // Keeps a temporary binding from being reused while its key is held.
    void setHeld(KeyCode keycode, bool held);

    int spareCount() const { return static_cast<int>(spares_.size()); }

private:
    struct Binding {
        KeySym keysym = NoSymbol;
        std::chrono::steady_clock::time_point lastUse;
        int held = 0;
    };

    void reloadMap();
    void readState();
    KeyCode layoutKeycode(KeySym keysym, int level) const;
    KeyCode bindSpare(KeySym keysym);
    bool numLockOn() const;

    Display* dpy_;
    int xkbEvent_ = -1; // first event code of the XKB extension, -1 without it
    int minKeycode_ = 8, maxKeycode_ = 255;
    XkbDescPtr xkb_ = nullptr;
    unsigned group_ = 0;
    unsigned lockedMods_ = 0;
    unsigned numLockMask_ = 0;
    std::vector<KeyCode> spares_;                   // keycodes the layout leaves empty (never 8)
    std::unordered_map<KeyCode, Binding> bindings_; // spare keycode -> what it produces now
    std::unordered_map<KeySym, KeyCode> level0_;    // for the current group
};

} // namespace telmo::x11
