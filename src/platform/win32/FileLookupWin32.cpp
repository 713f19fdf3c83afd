#include "files/FileLookup.h"

#include <QDir>
#include <windows.h>

namespace telmo {

FileKind LookUpFile(const QString& path, QString* error) {
    const QString native = QDir::toNativeSeparators(path);
    WIN32_FILE_ATTRIBUTE_DATA info{};
    if (!GetFileAttributesExW(reinterpret_cast<const wchar_t*>(native.utf16()), GetFileExInfoStandard,
                              &info)) {
        const DWORD code = GetLastError();
        // Not there, or not ours to look at: a plain "no". Anything else is a failed lookup.
        if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND || code == ERROR_ACCESS_DENIED ||
            code == ERROR_INVALID_NAME || code == ERROR_BAD_NETPATH || code == ERROR_BAD_NET_NAME)
            return FileKind::Absent;
        *error = qt_error_string(static_cast<int>(code));
        return FileKind::Failed;
    }
    const DWORD notFile = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE;
    return (info.dwFileAttributes & notFile) ? FileKind::Other : FileKind::Regular;
}

} // namespace telmo
