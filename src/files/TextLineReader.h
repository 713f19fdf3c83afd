#pragma once
// Reading a UTF-8 text in pieces that end at line feeds, for work that goes line by line through
// files of any size while holding only a piece at a time.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class QIODevice;

namespace telmo {

class TextLineReader {
public:
    // Reads from an open device, about chunkBytes at a time; name is used in messages.
    TextLineReader(QIODevice& device, QString name, qsizetype chunkBytes);

    // The next piece, decoded as ReadUtf8Device decodes the whole text (a leading byte-order mark
    // dropped, invalid bytes as U+FFFD). Every piece but the last ends with a line feed; a line longer
    // than chunkBytes comes whole. Pieces are never empty. False at the end, or on a read failure
    // (error() then says why).
    bool Next(QString* piece);

    // The same piece undecoded: its bytes, which stay valid until the next call.
    bool NextBytes(QByteArrayView* piece);

    const QString& error() const { return error_; }

private:
    bool ReadMore();

    QIODevice& device_;
    QString name_;
    qsizetype chunk_;
    QByteArray bytes_;
    qsizetype held_ = 0;      // bytes read and not let go yet
    qsizetype handedOut_ = 0; // of those, the first ones handed out last
    qsizetype scanned_ = 0;   // of those, the first ones known to hold no line feed
    bool atStart_ = true;     // the byte-order mark has not been looked for yet
    bool atEnd_ = false;
    QString error_;
};

} // namespace telmo
