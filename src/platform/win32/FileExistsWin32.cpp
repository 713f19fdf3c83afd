// Whether a path names a file the import and export commands may treat as an existing text file,
// asked of the file system with the path as UTF-16 (a narrow path would lose Chinese names).
#include "files/TextFiles.h"

#include <QDir>
#include <QFileInfo>
#include <windows.h>

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
    const QString native = QDir::toNativeSeparators(path);
    WIN32_FILE_ATTRIBUTE_DATA info{};
    if (!GetFileAttributesExW(reinterpret_cast<const wchar_t*>(native.utf16()), GetFileExInfoStandard,
                              &info)) {
        const DWORD code = GetLastError();
        // Not there, or not ours to look at: a plain "no". Anything else is a failed lookup.
        if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND || code == ERROR_ACCESS_DENIED ||
            code == ERROR_INVALID_NAME || code == ERROR_BAD_NETPATH || code == ERROR_BAD_NET_NAME)
            return result;
        result.ok = false;
        result.error =
            QStringLiteral("无法查找文件 %1：%2").arg(path, qt_error_string(static_cast<int>(code)));
        return result;
    }
    // Hidden files (a leading dot) and everything that is not an ordinary file count as absent.
    const DWORD notFile = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE;
    result.exists = !(info.dwFileAttributes & notFile) && !QFileInfo(path).fileName().startsWith(u'.');
    return result;
}

} // namespace telmo
