#include "platform/x11/X11Pointer.h"

#include "platform/x11/X11Connection.h"

namespace telmo::x11 {

std::optional<QPoint> PointerPositionIn(std::uintptr_t window) {
    Display* dpy = QtDisplay();
    if (!dpy || !window) return std::nullopt;
    Window root = 0, child = 0;
    int rootX = 0, rootY = 0, winX = 0, winY = 0;
    unsigned int mask = 0;
    if (!XQueryPointer(dpy, static_cast<Window>(window), &root, &child, &rootX, &rootY, &winX, &winY, &mask))
        return std::nullopt;
    return QPoint(winX, winY);
}

} // namespace telmo::x11
