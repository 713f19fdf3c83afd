// Qt's headers go before Xlib's: Xlib defines macros (None, Bool, KeyPress...) that clash with Qt names.
#include "platform/x11/X11InputBackend.h"

#include "platform/VirtualKeys.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

#include "platform/x11/X11KeyMapper.h"

#include <X11/extensions/XTest.h>
#include <X11/extensions/Xrandr.h>
#include <X11/keysym.h>

namespace telmo::x11 {

struct X11InputBackend::Impl {
    Display* dpy = nullptr;
    std::unique_ptr<X11KeyMapper> keys;
    std::array<KeyCode, 256> pressedAs{}; // the keycode each held virtual key went down on
    int wheelRemainder = 0;               // wheel data short of a whole click, kept for the next turn
    int hwheelRemainder = 0;
    // The stop keys of a run: Pause alone, and Shift+Esc for keyboards without Pause.
    struct StopKey {
        KeySym keysym;
        unsigned modifiers;
        KeyCode code = 0;          // the grabbed keycode, 0 while not grabbed
        bool heldByScript = false; // the grab is lifted while the script holds the key itself
    };
    std::array<StopKey, 2> stopKeys{{{XK_Pause, 0}, {XK_Escape, ShiftMask}}};
    bool stopGrabbed = false;
    bool stopPressed = false;

    ~Impl() {
        if (dpy) {
            setStopGrab(false);
            keys.reset();
            XCloseDisplay(dpy);
        }
    }

    // The modifier states in which the stop key counts: the lock keys must not matter.
    std::array<unsigned, 4> lockCombinations() const {
        const unsigned num = keys->numLockMask();
        return {0u, LockMask, num, num | LockMask};
    }

    void grab(const StopKey& key, bool on) {
        if (!key.code) return;
        auto* previous = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
        for (unsigned locks : lockCombinations()) {
            if (on)
                XGrabKey(dpy, key.code, key.modifiers | locks, DefaultRootWindow(dpy), False, GrabModeAsync,
                         GrabModeAsync);
            else
                XUngrabKey(dpy, key.code, key.modifiers | locks, DefaultRootWindow(dpy));
        }
        XSync(dpy, False); // a key another program grabbed already fails here, quietly
        XSetErrorHandler(previous);
    }

    void setStopGrab(bool on) {
        for (const StopKey& key : stopKeys)
            if (!key.heldByScript) grab(key, on);
    }

    void onEvent(const XEvent& ev) {
        if (ev.type != KeyPress) return;
        for (const StopKey& key : stopKeys) {
            if (!key.code || ev.xkey.keycode != key.code) continue;
            stopPressed = true;
            // The grab turns active until the key goes up; end it now, or the keys the run releases
            // next would come to us instead of the window that holds them.
            XUngrabKeyboard(dpy, CurrentTime);
            XFlush(dpy);
        }
    }

    // The keycodes that are down on the server and were not pressed by this backend.
    std::array<bool, 256> heldElsewhere() const {
        char map[32] = {};
        XQueryKeymap(dpy, map);
        std::array<bool, 256> down{};
        for (int kc = 8; kc < 256; ++kc) down[kc] = (map[kc / 8] >> (kc % 8)) & 1;
        for (KeyCode ours : pressedAs)
            if (ours) down[ours] = false;
        return down;
    }

    void button(unsigned b, bool down) {
        XTestFakeButtonEvent(dpy, b, down ? True : False, CurrentTime);
        XFlush(dpy);
    }

    void clicks(int& remainder, int data, unsigned positiveButton, unsigned negativeButton) {
        remainder += data;
        while (remainder >= 120) {
            button(positiveButton, true);
            button(positiveButton, false);
            remainder -= 120;
        }
        while (remainder <= -120) {
            button(negativeButton, true);
            button(negativeButton, false);
            remainder += 120;
        }
    }
};

std::unique_ptr<X11InputBackend> X11InputBackend::Open(QString* error) {
    Display* dpy = XOpenDisplay(nullptr);
    if (!dpy) {
        const char* name = std::getenv("DISPLAY");
        *error = name && *name
                     ? QStringLiteral("cannot open the X display %1").arg(QString::fromLocal8Bit(name))
                     : QStringLiteral("no X display (DISPLAY is not set)");
        return nullptr;
    }
    int event = 0, err = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(dpy, &event, &err, &major, &minor)) {
        XCloseDisplay(dpy);
        *error = QStringLiteral("the X server has no XTest extension: input cannot be simulated");
        return nullptr;
    }
    // Input from this connection must go on while another client holds a server grab.
    XTestGrabControl(dpy, True);
    auto impl = std::make_unique<Impl>();
    impl->dpy = dpy;
    impl->keys = std::make_unique<X11KeyMapper>(dpy);
    Impl* raw = impl.get();
    impl->keys->otherEvent = [raw](const XEvent& ev) { raw->onEvent(ev); };
    return std::unique_ptr<X11InputBackend>(new X11InputBackend(std::move(impl)));
}

X11InputBackend::X11InputBackend(std::unique_ptr<Impl> impl) : d(std::move(impl)) {}

X11InputBackend::~X11InputBackend() = default;

int X11InputBackend::connectionNumber() const {
    return ConnectionNumber(d->dpy);
}

void X11InputBackend::grabStopKey() {
    if (d->stopGrabbed) return;
    d->stopGrabbed = true;
    d->keys->drainEvents();
    for (Impl::StopKey& key : d->stopKeys) {
        key.code = d->keys->layoutKeycodeOf(key.keysym);
        key.heldByScript = false;
    }
    d->stopPressed = false;
    d->setStopGrab(true);
}

void X11InputBackend::releaseStopKey() {
    d->setStopGrab(false);
    for (Impl::StopKey& key : d->stopKeys) key.code = 0;
    d->stopGrabbed = false;
}

bool X11InputBackend::stopKeyPressed() {
    d->keys->drainEvents();
    return d->stopPressed;
}

void X11InputBackend::keybd_event(std::uint8_t vk, std::uint8_t, std::uint32_t flags, std::uintptr_t) {
    const bool up = (flags & KEYEVENTF_KEYUP) != 0;
    d->keys->drainEvents();
    KeyCode kc = 0;
    if (up && d->pressedAs[vk]) {
        // Released where it went down, even if the layout changed while it was held.
        kc = d->pressedAs[vk];
        d->pressedAs[vk] = 0;
        d->keys->setHeld(kc, false);
    } else {
        // A code without a keysym, or a keysym no keycode can carry, sends nothing; the run goes on.
        kc = d->keys->keycodeFor(KeysymForVirtualKey(vk));
        if (!kc) return;
        // A key already down on the server would swallow this press as a repeat: let go of it first.
        if (!up && d->heldElsewhere()[kc]) XTestFakeKeyEvent(d->dpy, kc, False, CurrentTime);
        if (!up) {
            if (d->pressedAs[vk] && d->pressedAs[vk] != kc) d->keys->setHeld(d->pressedAs[vk], false);
            d->pressedAs[vk] = kc;
            d->keys->setHeld(kc, true);
        }
    }
    // A Pause or Esc of the script's own is input for the focused window, not a stop key: that key's
    // grab is lifted while the script holds it.
    Impl::StopKey* stopKey = nullptr;
    for (Impl::StopKey& key : d->stopKeys)
        if (key.code && kc == key.code) stopKey = &key;
    if (stopKey && !up && !stopKey->heldByScript) {
        d->grab(*stopKey, false);
        stopKey->heldByScript = true;
    }
    XTestFakeKeyEvent(d->dpy, kc, up ? False : True, CurrentTime);
    XFlush(d->dpy);
    if (stopKey && up && stopKey->heldByScript) {
        stopKey->heldByScript = false;
        d->grab(*stopKey, true);
    }
}

void X11InputBackend::mouse_event(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::int32_t data,
                                  std::uintptr_t) {
    Display* dpy = d->dpy;
    if (flags & MOUSEEVENTF_MOVE) {
        if (flags & MOUSEEVENTF_ABSOLUTE) {
            // 65536 units span the primary output; its pixels start at the output's origin.
            const QRect out = primaryOutputGeometry();
            const double x = std::nearbyint(static_cast<double>(dx) * out.width() / 65536.0) + out.x();
            const double y = std::nearbyint(static_cast<double>(dy) * out.height() / 65536.0) + out.y();
            constexpr double kLimit = 1 << 30;
            if (std::abs(x) < kLimit && std::abs(y) < kLimit)
                XTestFakeMotionEvent(dpy, -1, static_cast<int>(x), static_cast<int>(y), CurrentTime);
        } else {
            XTestFakeRelativeMotionEvent(dpy, dx, dy, CurrentTime);
        }
        XFlush(dpy);
    }
    if (flags & MOUSEEVENTF_LEFTDOWN) d->button(1, true);
    if (flags & MOUSEEVENTF_LEFTUP) d->button(1, false);
    if (flags & MOUSEEVENTF_RIGHTDOWN) d->button(3, true);
    if (flags & MOUSEEVENTF_RIGHTUP) d->button(3, false);
    if (flags & MOUSEEVENTF_MIDDLEDOWN) d->button(2, true);
    if (flags & MOUSEEVENTF_MIDDLEUP) d->button(2, false);
    if (flags & (MOUSEEVENTF_XDOWN | MOUSEEVENTF_XUP)) {
        const bool down = flags & MOUSEEVENTF_XDOWN;
        if (data & 1) d->button(8, down);
        if (data & 2) d->button(9, down);
        if ((flags & MOUSEEVENTF_XDOWN) && (flags & MOUSEEVENTF_XUP)) {
            if (data & 1) d->button(8, false);
            if (data & 2) d->button(9, false);
        }
    }
    if (flags & MOUSEEVENTF_WHEEL) d->clicks(d->wheelRemainder, data, 4, 5);
    constexpr std::uint32_t kHorizontalWheel = 0x1000;
    if (flags & kHorizontalWheel) d->clicks(d->hwheelRemainder, data, 7, 6);
}

bool X11InputBackend::keysHeldElsewhere() {
    const auto down = d->heldElsewhere();
    return std::find(down.begin(), down.end(), true) != down.end();
}

void X11InputBackend::releaseKeysHeldElsewhere() {
    const auto down = d->heldElsewhere();
    for (int kc = 0; kc < 256; ++kc)
        if (down[kc]) XTestFakeKeyEvent(d->dpy, static_cast<unsigned>(kc), False, CurrentTime);
    XFlush(d->dpy);
}

QRect X11InputBackend::primaryOutputGeometry() const {
    Display* dpy = d->dpy;
    const Window root = DefaultRootWindow(dpy);
    const QRect whole(0, 0, DisplayWidth(dpy, DefaultScreen(dpy)), DisplayHeight(dpy, DefaultScreen(dpy)));
    int event = 0, error = 0;
    if (!XRRQueryExtension(dpy, &event, &error)) return whole;
    XRRScreenResources* res = XRRGetScreenResourcesCurrent(dpy, root);
    if (!res) return whole;
    const RROutput primary = XRRGetOutputPrimary(dpy, root);
    QRect found, atOrigin, first;
    for (int i = 0; i < res->noutput && found.isEmpty(); ++i) {
        XRROutputInfo* info = XRRGetOutputInfo(dpy, res, res->outputs[i]);
        if (!info) continue;
        if (info->connection != RR_Disconnected && info->crtc) {
            if (XRRCrtcInfo* crtc = XRRGetCrtcInfo(dpy, res, info->crtc)) {
                const QRect r(crtc->x, crtc->y, static_cast<int>(crtc->width),
                              static_cast<int>(crtc->height));
                if (!r.isEmpty()) {
                    if (res->outputs[i] == primary) found = r;
                    if (r.topLeft() == QPoint(0, 0) && atOrigin.isEmpty()) atOrigin = r;
                    if (first.isEmpty()) first = r;
                }
                XRRFreeCrtcInfo(crtc);
            }
        }
        XRRFreeOutputInfo(info);
    }
    XRRFreeScreenResources(res);
    if (!found.isEmpty()) return found;
    if (!atOrigin.isEmpty()) return atOrigin;
    if (!first.isEmpty()) return first;
    return whole;
}

QSize X11InputBackend::primaryScreenSize() const {
    return primaryOutputGeometry().size();
}

} // namespace telmo::x11
