#include "platform/Backends.h"

#include "platform/qt/QtRunHost.h"

#include <QApplication>

#ifdef TELMO_HAVE_X11
#include "platform/x11/X11InputBackend.h"
#endif
#ifdef TELMO_HAVE_WIN32
#include "platform/win32/Win32InputBackend.h"
#endif

namespace telmo {

bool DisplayAvailable(QString* error) {
#ifdef TELMO_HAVE_X11
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith("xcb")) {
        *error =
            QStringLiteral("real input needs the X11 platform, not %1").arg(QString::fromLatin1(platform));
        return false;
    }
    return x11::X11InputBackend::Open(error) != nullptr;
#elif defined(TELMO_HAVE_WIN32)
    return true; // the desktop of the session is always there
#else
    *error = QStringLiteral("this build has no input backend for a real display");
    return false;
#endif
}

RealBackends CreateRealBackends(std::function<void(const QString&)> showTip, QString* error) {
    RealBackends b;
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        // The display's own reason (no DISPLAY, server unreachable) says most.
        if (DisplayAvailable(error)) *error = QStringLiteral("real input needs a GUI application");
        return b;
    }
#ifdef TELMO_HAVE_X11
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        *error =
            QStringLiteral("real input needs the X11 platform, not %1").arg(QGuiApplication::platformName());
        return b;
    }
    auto input = x11::X11InputBackend::Open(error);
    if (!input) return b;
    auto host = std::make_unique<QtRunHost>(std::move(showTip));
    // The runner first asks about a stop once the run was confirmed: the stop key is taken then, and
    // given back when the backend goes at the end of the run.
    x11::X11InputBackend* x = input.get();
    host->setStopCheck(
        [x] {
            x->grabStopKey();
            return x->stopKeyPressed();
        },
        x->connectionNumber());
    b.input = std::move(input);
    b.host = std::move(host);
#elif defined(TELMO_HAVE_WIN32)
    auto input = win32::Win32InputBackend::Open(error);
    if (!input) return b;
    auto host = std::make_unique<QtRunHost>(std::move(showTip));
    // As on X11: the stop key is taken at the first stop check and given back with the backend.
    win32::Win32InputBackend* w = input.get();
    host->setStopCheck([w] {
        w->grabStopKey();
        return w->stopKeyPressed();
    });
    b.input = std::move(input);
    b.host = std::move(host);
#else
    *error = QStringLiteral("this build has no input backend for a real display");
#endif
    return b;
}

} // namespace telmo
