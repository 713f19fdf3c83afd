#include "platform/x11/X11KeyMapper.h"

#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>
#include <thread>

namespace telmo::x11 {
namespace {

// A client reads the keyboard map only when it handles the change notice, which may be a moment after
// the key event was sent; a binding stays this long after its last use before it is changed again.
constexpr std::chrono::milliseconds kBindingGrace{250};

bool NeedsNumLock(KeySym keysym) {
    return (keysym >= XK_KP_0 && keysym <= XK_KP_9) || keysym == XK_KP_Decimal;
}

int IgnoreXError(Display*, XErrorEvent*) {
    return 0;
}

} // namespace

X11KeyMapper::X11KeyMapper(Display* dpy) : dpy_(dpy) {
    int opcode = 0, error = 0, major = XkbMajorVersion, minor = XkbMinorVersion;
    if (XkbQueryExtension(dpy_, &opcode, &xkbEvent_, &error, &major, &minor)) {
        XkbSelectEvents(dpy_, XkbUseCoreKbd, XkbMapNotifyMask | XkbNewKeyboardNotifyMask,
                        XkbMapNotifyMask | XkbNewKeyboardNotifyMask);
        XkbSelectEventDetails(dpy_, XkbUseCoreKbd, XkbStateNotify, XkbGroupStateMask | XkbModifierLockMask,
                              XkbGroupStateMask | XkbModifierLockMask);
    } else {
        xkbEvent_ = -1;
    }
    readState();
    reloadMap();
}

X11KeyMapper::~X11KeyMapper() {
    if (!bindings_.empty()) {
        auto last = std::chrono::steady_clock::time_point{};
        for (const auto& [kc, b] : bindings_) last = std::max(last, b.lastUse);
        std::this_thread::sleep_until(last + kBindingGrace);
        auto* previous = XSetErrorHandler(IgnoreXError);
        for (const auto& [kc, b] : bindings_) {
            KeySym none = NoSymbol;
            XChangeKeyboardMapping(dpy_, kc, 1, &none, 1);
        }
        XSync(dpy_, False);
        XSetErrorHandler(previous);
    }
    if (xkb_) XkbFreeKeyboard(xkb_, 0, True);
}

void X11KeyMapper::readState() {
    XkbStateRec state{};
    if (xkbEvent_ >= 0 && XkbGetState(dpy_, XkbUseCoreKbd, &state) == Success) {
        group_ = state.group;
        lockedMods_ = state.locked_mods;
    }
}

void X11KeyMapper::reloadMap() {
    XDisplayKeycodes(dpy_, &minKeycode_, &maxKeycode_);
    if (xkb_) XkbFreeKeyboard(xkb_, 0, True);
    xkb_ = xkbEvent_ >= 0 ? XkbGetMap(dpy_, XkbKeySymsMask | XkbKeyTypesMask, XkbUseCoreKbd) : nullptr;
    numLockMask_ = XkbKeysymToModifiers(dpy_, XK_Num_Lock);
    level0_.clear();
    spares_.clear();
    if (!xkb_) return;
    for (int kc = maxKeycode_; kc >= minKeycode_; --kc) {
        const auto code = static_cast<KeyCode>(kc);
        const int groups = XkbKeyNumGroups(xkb_, code);
        if (groups == 0 || XkbKeyNumSyms(xkb_, code) == 0) {
            // Keycode 8 is left alone: some clients treat it as no key at all.
            if (kc > 8) spares_.push_back(code);
            continue;
        }
        const int g = static_cast<int>(group_ % static_cast<unsigned>(groups));
        const KeySym sym = XkbKeySymEntry(xkb_, code, 0, g);
        if (sym != NoSymbol) level0_[sym] = code; // lower keycodes win: the loop runs downwards
    }
    for (const auto& [kc, b] : bindings_)
        if (std::find(spares_.begin(), spares_.end(), kc) == spares_.end()) spares_.push_back(kc);
}

void X11KeyMapper::drainEvents() {
    bool reload = false;
    const unsigned oldGroup = group_;
    while (XPending(dpy_) > 0) {
        XEvent ev;
        XNextEvent(dpy_, &ev);
        if (ev.type == MappingNotify) {
            XRefreshKeyboardMapping(&ev.xmapping);
            reload = true;
        } else if (xkbEvent_ >= 0 && ev.type == xkbEvent_) {
            const auto* xe = reinterpret_cast<const XkbEvent*>(&ev);
            if (xe->any.xkb_type == XkbStateNotify) {
                group_ = static_cast<unsigned>(xe->state.group);
                lockedMods_ = xe->state.locked_mods;
            } else if (xe->any.xkb_type == XkbMapNotify || xe->any.xkb_type == XkbNewKeyboardNotify) {
                reload = true;
            }
        } else if (otherEvent) {
            otherEvent(ev);
        }
    }
    if (reload || group_ != oldGroup) reloadMap();
}

bool X11KeyMapper::numLockOn() const {
    return numLockMask_ != 0 && (lockedMods_ & numLockMask_) != 0;
}

KeyCode X11KeyMapper::layoutKeycode(KeySym keysym, int level) const {
    if (level == 0) {
        auto it = level0_.find(keysym);
        return it == level0_.end() ? 0 : it->second;
    }
    if (!xkb_) return 0;
    for (int kc = minKeycode_; kc <= maxKeycode_; ++kc) {
        const auto code = static_cast<KeyCode>(kc);
        const int groups = XkbKeyNumGroups(xkb_, code);
        if (groups == 0) continue;
        const int g = static_cast<int>(group_ % static_cast<unsigned>(groups));
        if (XkbKeyGroupWidth(xkb_, code, g) > level && XkbKeySymEntry(xkb_, code, level, g) == keysym)
            return code;
    }
    return 0;
}

KeyCode X11KeyMapper::keycodeFor(KeySym keysym) {
    if (keysym == NoSymbol) return 0;
    if (!xkb_) return XKeysymToKeycode(dpy_, keysym);
    for (auto& [kc, b] : bindings_) {
        if (b.keysym == keysym) {
            b.lastUse = std::chrono::steady_clock::now();
            return kc;
        }
    }
    if (NeedsNumLock(keysym)) {
        // The layout's keypad keys give the digit on their second level, which Num Lock selects; with
        // Num Lock off a key of our own that knows only the digit does it.
        if (KeyCode kc = layoutKeycode(keysym, 0)) return kc;
        if (numLockOn())
            if (KeyCode kc = layoutKeycode(keysym, 1)) return kc;
        return bindSpare(keysym);
    }
    if (KeyCode kc = layoutKeycode(keysym, 0)) return kc;
    return bindSpare(keysym);
}

KeyCode X11KeyMapper::bindSpare(KeySym keysym) {
    KeyCode chosen = 0;
    for (KeyCode kc : spares_) {
        if (!bindings_.count(kc)) {
            chosen = kc;
            break;
        }
    }
    if (!chosen) {
        // Reuse the binding used longest ago, once clients have had time to read it.
        const Binding* oldest = nullptr;
        for (const auto& [kc, b] : bindings_) {
            if (b.held == 0 && (!oldest || b.lastUse < oldest->lastUse)) {
                oldest = &b;
                chosen = kc;
            }
        }
        if (!oldest) return 0;
        std::this_thread::sleep_until(oldest->lastUse + kBindingGrace);
    }
    KeySym lower = NoSymbol, upper = NoSymbol;
    XConvertCase(keysym, &lower, &upper);
    KeySym syms[2] = {keysym, upper};
    auto* previous = XSetErrorHandler(IgnoreXError);
    XChangeKeyboardMapping(dpy_, chosen, 2, syms, 1);
    XSync(dpy_, False);
    XSetErrorHandler(previous);
    Binding& b = bindings_[chosen];
    b.keysym = keysym;
    b.lastUse = std::chrono::steady_clock::now();
    return chosen;
}

void X11KeyMapper::setHeld(KeyCode keycode, bool held) {
    auto it = bindings_.find(keycode);
    if (it == bindings_.end()) return;
    it->second.held = std::max(0, it->second.held + (held ? 1 : -1));
    it->second.lastUse = std::chrono::steady_clock::now();
}

} // namespace telmo::x11
