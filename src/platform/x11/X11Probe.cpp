#include <QString>

#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Probe.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

namespace telmo::x11 {
namespace {

// Walks from the window towards the root until read() finds something.
template <typename Read> auto UpFrom(Display* dpy, Window w, Read read) -> decltype(read(w)) {
    for (int depth = 0; w && depth < 16; ++depth) {
        if (auto value = read(w); value != decltype(value){}) return value;
        Window root = 0, parent = 0, *children = nullptr;
        unsigned n = 0;
        if (!XQueryTree(dpy, w, &root, &parent, &children, &n)) break;
        if (children) XFree(children);
        if (parent == root) break;
        w = parent;
    }
    return {};
}

QByteArray ReadProperty(Display* dpy, Window w, Atom property, Atom type, int* format = nullptr) {
    Atom actual = 0;
    int fmt = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    QByteArray out;
    if (XGetWindowProperty(dpy, w, property, 0, 4096, False, type, &actual, &fmt, &count, &after, &data) ==
            Success &&
        data) {
        if (actual == type) {
            const int unit = fmt == 32 ? static_cast<int>(sizeof(long)) : fmt / 8;
            out = QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(count) * unit);
            if (format) *format = fmt;
        }
        XFree(data);
    }
    return out;
}

} // namespace

std::uintptr_t FocusedWindow() {
    Display* dpy = QtDisplay();
    if (!dpy) return 0;
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(dpy, &focus, &revert);
    if (focus == None || focus == PointerRoot) return 0;
    return focus;
}

QString WindowTitle(std::uintptr_t window) {
    Display* dpy = QtDisplay();
    if (!dpy || !window) return {};
    return UpFrom(dpy, static_cast<Window>(window), [&](Window w) {
        QByteArray utf8 =
            ReadProperty(dpy, w, InternAtom(dpy, "_NET_WM_NAME"), InternAtom(dpy, "UTF8_STRING"));
        if (!utf8.isEmpty()) return QString::fromUtf8(utf8);
        return QString::fromLatin1(ReadProperty(dpy, w, XA_WM_NAME, XA_STRING));
    });
}

qint64 WindowPid(std::uintptr_t window) {
    Display* dpy = QtDisplay();
    if (!dpy || !window) return 0;
    return UpFrom(dpy, static_cast<Window>(window), [&](Window w) -> qint64 {
        const QByteArray v = ReadProperty(dpy, w, InternAtom(dpy, "_NET_WM_PID"), XA_CARDINAL);
        return v.size() >= static_cast<qsizetype>(sizeof(long))
                   ? *reinterpret_cast<const long*>(v.constData())
                   : 0;
    });
}

} // namespace telmo::x11
