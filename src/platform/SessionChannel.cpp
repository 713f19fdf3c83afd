#include "platform/SessionChannel.h"

#ifdef TELMO_HAVE_WIN32
#include "platform/win32/Win32Desktop.h"
#else
#include <QDir>
#include <unistd.h>
#endif

namespace telmo {

QString SessionChannelName(const QString& base) {
#ifdef TELMO_HAVE_WIN32
    return base + u'-' + win32::UserSessionKey();
#else
    QString display = qEnvironmentVariable("DISPLAY", QStringLiteral("none"));
    for (QChar& c : display)
        if (!c.isLetterOrNumber()) c = u'_';
    const QString name = QStringLiteral("%1-%2-%3").arg(base).arg(::getuid()).arg(display);
    // The user's private runtime directory when there is one; otherwise the temporary folder.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(runtime).exists()) return QDir(runtime).filePath(name);
    return name;
#endif
}

} // namespace telmo
