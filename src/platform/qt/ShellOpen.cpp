#include "platform/qt/ShellOpen.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>

#ifdef TELMO_HAVE_X11
#include "platform/x11/X11Minimiser.h"
#endif
#ifdef TELMO_HAVE_WIN32
#include "platform/win32/Win32Desktop.h"
#endif

namespace telmo {

OpenKind ClassifyOpenTarget(const QString& target, QString* resolved) {
    const QString t = target.trimmed();
    if (t.isEmpty()) return OpenKind::Nothing;
    // "scheme:" with a scheme of two letters or more (one letter would be a drive on other systems)
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    if (scheme.match(t).hasMatch() && !QFileInfo::exists(t)) {
        if (resolved) *resolved = t;
        return OpenKind::Url;
    }
    if (t.startsWith(QLatin1String("www."), Qt::CaseInsensitive)) {
        if (resolved) *resolved = QStringLiteral("http://") + t;
        return OpenKind::Url;
    }
    const QString path = t.startsWith(QLatin1String("~/")) ? QDir::homePath() + t.mid(1) : t;
    const QFileInfo info(path);
    if (info.exists()) {
        if (resolved) *resolved = info.absoluteFilePath();
        if (info.isDir()) return OpenKind::Folder;
        return info.isExecutable() ? OpenKind::Program : OpenKind::Document;
    }
    if (!t.contains(QLatin1Char('/'))) {
        const QString program = QStandardPaths::findExecutable(t);
        if (!program.isEmpty()) {
            if (resolved) *resolved = program;
            return OpenKind::Program;
        }
    }
    return OpenKind::Nothing;
}

bool ShellOpen(const QString& target, bool minimised) {
#ifdef TELMO_HAVE_WIN32
    // The shell itself knows documents, folders, addresses and programs, and starts minimised.
    return win32::ShellExecuteOpen(target, minimised);
#else
    QString resolved;
    switch (ClassifyOpenTarget(target, &resolved)) {
    case OpenKind::Url:
        return QDesktopServices::openUrl(QUrl(resolved));
    case OpenKind::Document:
    case OpenKind::Folder:
        return QDesktopServices::openUrl(QUrl::fromLocalFile(resolved));
    case OpenKind::Program: {
        qint64 pid = 0;
        if (!QProcess::startDetached(resolved, {}, QString(), &pid)) return false;
#ifdef TELMO_HAVE_X11
        if (minimised) x11::MinimiseFirstWindowOf(pid);
#endif
        return true;
    }
    case OpenKind::Nothing:
        break;
    }
    return false;
#endif
}

void FinishShellOpens() {
#ifdef TELMO_HAVE_X11
    // The watches poll on a timer and end by themselves, so the loop ends too.
    while (x11::MinimiseWatchesPending()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
#endif
}

} // namespace telmo
