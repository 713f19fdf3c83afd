#include "platform/Backends.h"

#include "platform/qt/QtRunHost.h"

#include <QApplication>

#ifdef TELMO_HAVE_X11
#include "platform/x11/X11InputBackend.h"
#endif

namespace telmo {

bool DisplayAvailable(QString* error) {
#ifdef TELMO_HAVE_X11
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith("xcb")) {
        *error = QStringLiteral("real input needs the X11 platform, not %1").arg(QString::fromLatin1(platform));
        return false;
    }
    return x11::X11InputBackend::Open(error) != nullptr;
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
        *error = QStringLiteral("real input needs the X11 platform, not %1").arg(QGuiApplication::platformName());
        return b;
    }
    b.input = x11::X11InputBackend::Open(error);
    if (!b.input) return b;
    b.host = std::make_unique<QtRunHost>(std::move(showTip));
#else
    *error = QStringLiteral("this build has no input backend for a real display");
#endif
    return b;
}

} // namespace telmo
