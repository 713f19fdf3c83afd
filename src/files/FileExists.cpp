// Whether a path names a file the import and export commands may treat as an existing text file.
#include "files/TextFiles.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <sys/stat.h>

namespace telmo {

FileExistsResult FileExists(const QString& path) {
    FileExistsResult result;
    result.ok = true;
    if (path.isEmpty()) return result;
    if (path.contains(QChar(0))) {
        result.ok = false;
        result.error = QStringLiteral("文件名无效：%1").arg(path);
        return result;
    }
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) {
        const int code = errno;
        // Not there, or not ours to look at: a plain "no". Anything else is a failed lookup.
        if (code == ENOENT || code == ENOTDIR || code == EACCES) return result;
        result.ok = false;
        result.error = QStringLiteral("无法查找文件 %1：%2").arg(path, qt_error_string(code));
        return result;
    }
    // Hidden files (a leading dot) and everything that is not an ordinary file count as absent.
    result.exists = S_ISREG(info.st_mode) && !QFileInfo(path).fileName().startsWith(u'.');
    return result;
}

} // namespace telmo
