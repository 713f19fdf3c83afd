// Whether a path names a file the import and export commands may treat as an existing text file.
#include "files/FileLookup.h"
#include "files/TextFiles.h"

#include <QFileInfo>

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
    QString why;
    const FileKind kind = LookUpFile(path, &why);
    if (kind == FileKind::Failed) {
        result.ok = false;
        result.error = QStringLiteral("无法查找文件 %1：%2").arg(path, why);
        return result;
    }
    // Hidden files (a leading dot) and everything that is not an ordinary file count as absent.
    result.exists = kind == FileKind::Regular && !QFileInfo(path).fileName().startsWith(u'.');
    return result;
}

} // namespace telmo
