// Qt's headers go before Xlib's: Xlib defines macros (None, Bool, KeyPress...) that clash with Qt names.
#include <QGuiApplication>
#include <map>
#include <string>

#include "platform/x11/X11Connection.h"

namespace telmo::x11 {

Display* QtDisplay() {
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app || QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
    auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->display() : nullptr;
}

xcb_connection_t* QtConnection() {
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app || QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
    auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

Atom InternAtom(Display* dpy, const char* name) {
    static std::map<std::pair<Display*, std::string>, Atom> cache;
    auto key = std::make_pair(dpy, std::string(name));
    auto it = cache.find(key);
    if (it != cache.end()) return it->second;
    Atom a = XInternAtom(dpy, name, False);
    cache.emplace(std::move(key), a);
    return a;
}

} // namespace telmo::x11
