#pragma once
// Reading and writing whole text files: UTF-8 without byte-order mark on writing, UTF-8 (a leading
// byte-order mark dropped) or code page 936 on reading. Every failure comes back as a result with a
// message for the user; nothing throws and nothing is half-written.
#include <QString>

class QIODevice;

namespace telmo {

// Texts are handled whole; a file above this size is refused before anything is allocated, so the
// decoded text always fits the int-sized positions that text widgets use.
inline constexpr qint64 kMaxTextFileBytes = 0x7FFFFFFF;

// Files are decoded and encoded in pieces of this many bytes, so a text is never held twice whole.
inline constexpr qint64 kFileChunkBytes = qint64(1) << 20;

struct TextReadResult {
    bool ok = false;
    QString text;  // the decoded text when ok
    QString error; // a message for the user when !ok
};

struct FileWriteResult {
    bool ok = false;
    QString error;
};

struct FileExistsResult {
    bool ok = false;     // false: the lookup itself failed; error says why
    bool exists = false; // meaningful when ok
    QString error;
};

// Writes text as UTF-8: no byte-order mark, no line end added, line ends as they are. The file is
// replaced atomically: when anything fails, a file that was there keeps its old content.
FileWriteResult WriteUtf8File(const QString& text, const QString& path);

// Reads the whole file as UTF-8; a leading byte-order mark is dropped, invalid bytes become U+FFFD.
TextReadResult ReadUtf8File(const QString& path);

// The same rules for an already open device (standard input); name is used in messages.
TextReadResult ReadUtf8Device(QIODevice& device, const QString& name);

// Reads the whole file in code page 936 (GBK); no byte-order mark is looked for.
TextReadResult ReadGb2312File(const QString& path);

// True for an ordinary file (read-only included) whose name does not start with "."; false for the
// empty path, folders, other special files, hidden and missing files, and paths we may not look
// into. Any other failure of the lookup (a name too long, a link loop, an I/O error) is !ok.
FileExistsResult FileExists(const QString& path);

} // namespace telmo
