#include "platform/NativePointer.h"

#include <QGuiApplication>
#include <QWidget>

#ifdef TELMO_HAVE_X11
#include "platform/x11/X11Pointer.h"
#endif
#ifdef TELMO_HAVE_WIN32
#include "platform/win32/Win32Desktop.h"
#endif

namespace telmo {

std::optional<QPoint> PointerPositionInWindow(const QWidget* window) {
    if (!window) return std::nullopt;
#ifdef TELMO_HAVE_X11
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        return x11::PointerPositionIn(static_cast<std::uintptr_t>(window->winId()));
#endif
#ifdef TELMO_HAVE_WIN32
    if (QGuiApplication::platformName() == QLatin1String("windows"))
        return win32::PointerPositionIn(static_cast<std::uintptr_t>(window->winId()));
#endif
    return std::nullopt;
}

} // namespace telmo
