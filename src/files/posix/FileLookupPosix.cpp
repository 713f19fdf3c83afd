#include "files/FileLookup.h"

#include <QFile>
#include <cerrno>
#include <sys/stat.h>

namespace telmo {

FileKind LookUpFile(const QString& path, QString* error) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) {
        const int code = errno;
        // Not there, or not ours to look at: a plain "no". Anything else is a failed lookup.
        if (code == ENOENT || code == ENOTDIR || code == EACCES) return FileKind::Absent;
        *error = qt_error_string(code);
        return FileKind::Failed;
    }
    return S_ISREG(info.st_mode) ? FileKind::Regular : FileKind::Other;
}

} // namespace telmo
