#include "platform/SessionKey.h"

#ifdef TELMO_HAVE_WIN32
#include "platform/win32/Win32Desktop.h"
#else
#include <unistd.h>
#endif

namespace telmo {

QString UserSessionKey() {
#ifdef TELMO_HAVE_WIN32
    return win32::UserSessionKey();
#else
    QString display = qEnvironmentVariable("DISPLAY", QStringLiteral("none"));
    for (QChar& c : display)
        if (!c.isLetterOrNumber()) c = u'_';
    return QStringLiteral("%1-%2").arg(::getuid()).arg(display);
#endif
}

} // namespace telmo
