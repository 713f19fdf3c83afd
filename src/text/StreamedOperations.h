#pragma once
// Running a text operation on a text that arrives in pieces, for files far larger than memory should
// hold: each piece but the last ends with a line feed, and the outputs written one after the other
// are byte for byte ApplyTextOperation of the whole text.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <functional>

namespace telmo {

// Whether operation `index` changes every line on its own, so that it can run piece by piece.
// Not so: ToChinesePunctuation (its quotes alternate across the whole text), ComputeBill (its totals
// line), RecognizeParagraphs (joins neighbouring lines) and any index outside 0..18.
bool IsStreamableOperation(int index);

class StreamedOperation {
public:
    using Writer = std::function<void(QStringView)>;
    using Utf8Writer = std::function<void(QByteArrayView)>;

    // index must be streamable; write receives the result in order. With writeUtf8, FeedUtf8 hands
    // it the result as UTF-8 where the operation works on UTF-8 itself.
    StreamedOperation(int index, Writer write, Utf8Writer writeUtf8 = {});

    // The next piece of the text: it ends with a line feed unless it is the last one, and it may be
    // empty only as the last one.
    void Feed(const QString& piece);

    // The same for a piece of UTF-8 (ending on a character): the blank-line, space, line-join and
    // letter-case operations work on its bytes when they are well-formed; everything else is decoded
    // as DecodeUtf8 does and fed.
    void FeedUtf8(QByteArrayView piece);

private:
    int index_;
    Writer write_;
    Utf8Writer writeUtf8_;
    QString decoded_;        // FeedUtf8's pieces that go the long way
    QByteArray bytes_;       // and the results of those that do not
    bool first_ = true;      // no piece fed yet
    bool wroteLine_ = false; // RemoveBlankLines: a line has been written, the next needs a line break
};

} // namespace telmo
