#include "files/TextLineReader.h"

#include "files/Utf8Codec.h"

#include <QIODevice>
#include <cstring>
#include <string_view>

namespace telmo {

// Each piece ends on a character boundary (after a line feed, or at the end of the input), so the
// stateless decoder gives exactly the text of decoding everything at once; a mark after the first
// is text and is kept.
TextLineReader::TextLineReader(QIODevice& device, QString name, qsizetype chunkBytes)
    : device_(device), name_(std::move(name)), chunk_(std::max<qsizetype>(chunkBytes, 1)),
      bytes_(chunk_, Qt::Uninitialized) {}

bool TextLineReader::ReadMore() {
    if (held_ + chunk_ > bytes_.size()) bytes_.resize(std::max(bytes_.size() * 2, held_ + chunk_));
    const qint64 got = device_.read(bytes_.data() + held_, chunk_);
    if (got < 0) {
        error_ = QStringLiteral("无法读取文件 %1：%2").arg(name_, device_.errorString());
        return false;
    }
    if (got == 0) atEnd_ = true;
    held_ += got;
    return true;
}

bool TextLineReader::Next(QString* piece) {
    QByteArrayView bytes;
    if (!NextBytes(&bytes)) return false;
    piece->resize(Utf8DecodeRoom(bytes.size()));
    piece->truncate(DecodeUtf8(bytes, piece->data()) - piece->constData());
    return true;
}

bool TextLineReader::NextBytes(QByteArrayView* piece) {
    if (handedOut_ > 0) { // the piece handed out last time is let go now
        held_ -= handedOut_;
        std::memmove(bytes_.data(), bytes_.constData() + handedOut_, held_);
        scanned_ = held_; // what is left after the last line feed holds none
        handedOut_ = 0;
    }
    qsizetype cut = 0;
    for (;;) {
        if (atStart_ && (held_ >= 3 || atEnd_)) {
            atStart_ = false;
            if (std::string_view(bytes_.constData(), held_).starts_with("\xEF\xBB\xBF")) {
                std::memmove(bytes_.data(), bytes_.constData() + 3, held_ - 3);
                held_ -= 3;
            }
        }
        if (!atStart_) {
            const std::string_view fresh(bytes_.constData() + scanned_, held_ - scanned_);
            const size_t lf = fresh.rfind('\n');
            if (lf != std::string_view::npos) {
                cut = scanned_ + qsizetype(lf) + 1;
                break;
            }
            scanned_ = held_;
            if (atEnd_) {
                cut = held_;
                break;
            }
        }
        if (!error_.isEmpty() || !ReadMore()) return false;
    }
    if (cut == 0) return false;
    *piece = QByteArrayView(bytes_.constData(), cut);
    handedOut_ = cut;
    return true;
}

} // namespace telmo
