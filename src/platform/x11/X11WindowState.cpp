#include <QtGlobal>
#include <algorithm>
#include <vector>

#include "platform/x11/X11Connection.h"
#include "platform/x11/X11WindowState.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

namespace telmo::x11 {
namespace {

std::vector<unsigned long> ReadList(Display* dpy, Window w, const char* property, Atom wantedType) {
    std::vector<unsigned long> values;
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(dpy, w, InternAtom(dpy, property), 0, 65536, False, wantedType, &type, &format,
                           &count, &after, &data) == Success &&
        data) {
        if (type == wantedType && format == 32) {
            const auto* items = reinterpret_cast<const unsigned long*>(data);
            values.assign(items, items + count);
        }
        XFree(data);
    }
    return values;
}

std::vector<Atom> ReadStates(Display* dpy, Window w) {
    return ReadList(dpy, w, "_NET_WM_STATE", XA_ATOM);
}

} // namespace

bool SetWindowAbove(std::uintptr_t window, bool above, bool mapped) {
    Display* dpy = QtDisplay();
    if (!dpy || window == 0) return false;
    const Window w = static_cast<Window>(window);
    const Atom stateAtom = InternAtom(dpy, "_NET_WM_STATE");
    const Atom aboveAtom = InternAtom(dpy, "_NET_WM_STATE_ABOVE");

    // The property is what a window manager reads when it takes the window on; before that it does
    // not answer messages about the window.
    std::vector<Atom> states = ReadStates(dpy, w);
    std::erase(states, aboveAtom);
    if (above) states.push_back(aboveAtom);
    XChangeProperty(dpy, w, stateAtom, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(states.data()), static_cast<int>(states.size()));

    if (mapped) {
        XEvent ev{};
        ev.xclient.type = ClientMessage;
        ev.xclient.window = w;
        ev.xclient.message_type = stateAtom;
        ev.xclient.format = 32;
        ev.xclient.data.l[0] = above ? 1 : 0; // _NET_WM_STATE_ADD / _REMOVE
        ev.xclient.data.l[1] = static_cast<long>(aboveAtom);
        ev.xclient.data.l[2] = 0;
        ev.xclient.data.l[3] = 1; // a normal application asks
        XSendEvent(dpy, DefaultRootWindow(dpy), False, SubstructureRedirectMask | SubstructureNotifyMask,
                   &ev);
    }
    XFlush(dpy);
    return true;
}

bool WindowIsAbove(std::uintptr_t window) {
    Display* dpy = QtDisplay();
    if (!dpy || window == 0) return false;
    const std::vector<Atom> states = ReadStates(dpy, static_cast<Window>(window));
    return std::find(states.begin(), states.end(), InternAtom(dpy, "_NET_WM_STATE_ABOVE")) != states.end();
}

bool WindowIsMinimised(std::uintptr_t window) {
    Display* dpy = QtDisplay();
    if (!dpy || window == 0) return false;
    const Atom wmState = InternAtom(dpy, "WM_STATE");
    const std::vector<unsigned long> state = ReadList(dpy, static_cast<Window>(window), "WM_STATE", wmState);
    return !state.empty() && state[0] == IconicState;
}

std::vector<std::uintptr_t> ClientStackingOrder() {
    Display* dpy = QtDisplay();
    if (!dpy) return {};
    const auto windows = ReadList(dpy, DefaultRootWindow(dpy), "_NET_CLIENT_LIST_STACKING", XA_WINDOW);
    return {windows.begin(), windows.end()};
}

} // namespace telmo::x11
