// Writing texts as UTF-8 without byte-order mark, replacing the old file only once all is written.
#include "files/TextFiles.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QStringEncoder>
#include <new>

namespace telmo {
namespace {

QString WriteFailure(const QString& path, const QString& why) {
    return QStringLiteral("无法写入文件 %1：%2").arg(path, why);
}

// Encodes piece by piece; a piece never ends between the two halves of a surrogate pair, so the
// stateless encoder gives the same bytes as encoding the whole text at once.
bool WriteEncoded(QFileDevice& out, const QString& text) {
    QStringEncoder encoder(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
    constexpr qsizetype kPieceUnits = kFileChunkBytes / 4;
    QByteArray buffer(encoder.requiredSpace(kPieceUnits), Qt::Uninitialized);
    const QStringView all(text);
    for (qsizetype at = 0; at < all.size();) {
        qsizetype len = std::min(kPieceUnits, all.size() - at);
        if (at + len < all.size() && all[at + len - 1].isHighSurrogate() && all[at + len].isLowSurrogate())
            --len;
        const char* end = encoder.appendToBuffer(buffer.data(), all.sliced(at, len));
        const qint64 size = end - buffer.constData();
        if (out.write(buffer.constData(), size) != size) return false;
        at += len;
    }
    return true;
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
