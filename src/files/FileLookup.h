#pragma once
// What the file system says about one path, asked the system's own way (POSIX stat, or the Windows
// file attributes with the path as UTF-16, so Chinese names survive).
#include <QString>

namespace telmo {

enum class FileKind { Regular, Other, Absent, Failed };

// Absent for a path that is not there or that we may not look into; Failed (with *error set to the
// system's reason) for any other failure of the lookup.
FileKind LookUpFile(const QString& path, QString* error);

} // namespace telmo
