// Writing texts as UTF-8 without byte-order mark, replacing the old file only once all is written.
#include "files/TextFiles.h"
#include "files/Utf8Codec.h"

#include <QFileInfo>
#include <QSaveFile>
#include <new>

namespace telmo {
namespace {

QString WriteFailure(const QString& path, const QString& why) {
    return QStringLiteral("无法写入文件 %1：%2").arg(path, why);
}

bool WriteEncoded(QFileDevice& out, const QString& text) {
    return EncodeUtf8InPieces(text, kFileChunkBytes / 4, [&](QByteArrayView bytes) {
        return out.write(bytes.data(), bytes.size()) == bytes.size();
    });
}

} // namespace

FileWriteResult WriteUtf8File(const QString& text, const QString& path) {
    FileWriteResult result;
    if (path.isEmpty()) {
        result.error = WriteFailure(path, QStringLiteral("没有文件名"));
        return result;
    }
    try {
        const QFileInfo target(path);
        if (target.exists() && !target.isFile() && !target.isDir()) {
            // A device or a pipe cannot be replaced by a new file; it is written to in place.
            QFile out(path);
            if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || !WriteEncoded(out, text) ||
                !out.flush()) {
                result.error = WriteFailure(path, out.errorString());
                return result;
            }
            out.close();
            result.ok = true;
            return result;
        }
        QSaveFile out(path);
        if (!out.open(QIODevice::WriteOnly)) {
            result.error = WriteFailure(path, out.errorString());
            return result;
        }
        if (!WriteEncoded(out, text)) {
            result.error = WriteFailure(path, out.errorString());
            out.cancelWriting(); // the temporary file goes, the old file stays as it was
            return result;
        }
        if (!out.commit()) {
            result.error = WriteFailure(path, out.errorString());
            return result;
        }
    } catch (const std::bad_alloc&) {
        result.error = WriteFailure(path, QStringLiteral("内存不足"));
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace telmo
