// Reading whole text files as UTF-8 or code page 936.
#include "files/TextFiles.h"

#include "files/Cp936.h"
#include "files/Utf8Codec.h"

#include <QFile>
#include <algorithm>
#include <new>

namespace telmo {
namespace {

enum class Charset { Utf8, Gbk };

QString ReadFailure(const QString& name, const QString& why) {
    return QStringLiteral("无法读取文件 %1：%2").arg(name, why);
}

QString TooLarge(const QString& name) {
    return ReadFailure(name, QStringLiteral("文件超过 2 GB，太大了"));
}

// The decoded text, reserved once for the whole file so that decoding never copies it again.
class TextSink {
public:
    void Reserve(qsizetype units) { text_.reserve(units); }

    // Room for `space` more units; returns where to write them.
    QChar* Room(qsizetype space) {
        if (used_ + space > text_.capacity()) text_.reserve(std::max(used_ + space, text_.capacity() * 2));
        text_.resize(used_ + space);
        return text_.data() + used_;
    }
    void Commit(const QChar* end) { used_ = end - text_.constData(); }

    QString Take() {
        text_.resize(used_);
        // A GBK file of Chinese text needs about half the units reserved for it.
        if (text_.capacity() - used_ > used_ / 4 + 4096) text_.squeeze();
        return std::move(text_);
    }

private:
    QString text_;
    qsizetype used_ = 0;
};

// Where to end a UTF-8 piece so that no character is split: before a trailing lead byte whose
// sequence is not complete yet. Decoding the pieces separately then gives the same text as decoding
// the whole file at once, invalid bytes included.
qsizetype Utf8CutPoint(const char* bytes, qsizetype size) {
    for (qsizetype back = 1; back <= 3 && back <= size; ++back) {
        const auto c = static_cast<unsigned char>(bytes[size - back]);
        if ((c & 0xC0) == 0x80) continue;
        const int need = c >= 0xF8 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        return need > back ? size - back : size;
    }
    return size;
}

TextReadResult ReadAll(QIODevice& device, const QString& name, Charset charset) {
    TextReadResult result;
    const qint64 expected = device.isSequential() ? 0 : device.size();
    if (expected > kMaxTextFileBytes) {
        result.error = TooLarge(name);
        return result;
    }
    // UTF-8 pieces are decoded independently (each ends on a character boundary, the mark is
    // removed by hand); the GBK decoder keeps a lead byte across pieces itself.
    Cp936Decoder gbk;
    const bool isUtf8 = charset == Charset::Utf8;
    const auto requiredSpace = [&](qsizetype bytes) {
        return isUtf8 ? Utf8DecodeRoom(bytes) : gbk.requiredSpace(bytes);
    };
    const auto decode = [&](QChar* out, QByteArrayView bytes) {
        return isUtf8 ? DecodeUtf8(bytes, out) : gbk.appendToBuffer(out, bytes);
    };
    if (!isUtf8 && !gbk.isValid()) {
        result.error = ReadFailure(name, QStringLiteral("系统缺少 GBK 编码支持"));
        return result;
    }
    try {
        TextSink sink;
        sink.Reserve(expected + 2 * kFileChunkBytes + 16);
        QByteArray buffer(kFileChunkBytes + 8, Qt::Uninitialized);
        qsizetype carried = 0;
        qint64 total = 0;
        bool atStart = charset == Charset::Utf8;
        for (;;) {
            const qint64 got = device.read(buffer.data() + carried, kFileChunkBytes);
            if (got < 0) {
                result.error = ReadFailure(name, device.errorString());
                return result;
            }
            total += got;
            if (total > kMaxTextFileBytes) {
                result.error = TooLarge(name);
                return result;
            }
            const bool last = got == 0;
            const char* bytes = buffer.constData();
            qsizetype size = carried + got;
            if (atStart) {
                if (size < 3 && !last) { // a pipe may hand out fewer bytes than the mark has
                    carried = size;
                    continue;
                }
                if (QByteArrayView(bytes, size).startsWith("\xEF\xBB\xBF")) bytes += 3, size -= 3;
                atStart = false;
            }
            const qsizetype cut = charset == Charset::Utf8 && !last ? Utf8CutPoint(bytes, size) : size;
            const QByteArrayView piece(bytes, cut);
            sink.Commit(decode(sink.Room(requiredSpace(cut)), piece));
            carried = size - cut;
            std::copy(bytes + cut, bytes + size, buffer.data());
            if (last) break;
        }
        if (charset == Charset::Gbk) {
            // A lead byte at the very end is still held by the decoder; a byte that can never be a
            // trail byte makes it give the lead out as U+FFFD. The line feed is then taken off again.
            sink.Commit(decode(sink.Room(requiredSpace(1) + 2), QByteArrayView("\n", 1)));
            QString text = sink.Take();
            text.chop(1);
            result.text = std::move(text);
        } else {
            result.text = sink.Take();
        }
    } catch (const std::bad_alloc&) {
        result.error = ReadFailure(name, QStringLiteral("内存不足"));
        return result;
    }
    result.ok = true;
    return result;
}

TextReadResult ReadFile(const QString& path, Charset charset) {
    TextReadResult result;
    if (path.isEmpty()) {
        result.error = ReadFailure(path, QStringLiteral("没有文件名"));
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = ReadFailure(path, file.errorString());
        return result;
    }
    return ReadAll(file, path, charset);
}

} // namespace

TextReadResult ReadUtf8File(const QString& path) {
    return ReadFile(path, Charset::Utf8);
}

TextReadResult ReadUtf8Device(QIODevice& device, const QString& name) {
    return ReadAll(device, name, Charset::Utf8);
}

TextReadResult ReadGb2312File(const QString& path) {
    return ReadFile(path, Charset::Gbk);
}

} // namespace telmo
