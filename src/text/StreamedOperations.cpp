#include "text/StreamedOperations.h"

#include "files/Utf8Codec.h"
#include "text/LetterCase.h"
#include "text/LineOperations.h"
#include "text/TextOperations.h"

namespace telmo {

bool IsStreamableOperation(int index) {
    return index >= 0 && index < kTextOperationCount && index != 4 && index != 16 && index != 18;
}

StreamedOperation::StreamedOperation(int index, Writer write, Utf8Writer writeUtf8)
    : index_(index), write_(std::move(write)), writeUtf8_(std::move(writeUtf8)) {}

void StreamedOperation::FeedUtf8(QByteArrayView piece) {
    bytes_.resize(0);
    bool done = false; // the piece was well-formed and the operation worked on its bytes
    if (writeUtf8_) {
        switch (index_) {
        case 0:
            done = RemoveBlankLinesUtf8(piece, bytes_);
            break;
        case 1:
            done = CollapseSpacesUtf8(piece, bytes_);
            break;
        case 2:
            done = JoinAllLinesUtf8(piece, bytes_);
            break;
        case 3:
            done = RemoveAllSpacesUtf8(piece, bytes_);
            break;
        case 9:
            done = ToUpperCaseUtf8(piece, bytes_);
            break;
        case 10:
            done = ToLowerCaseUtf8(piece, bytes_);
            break;
        case 11:
            done = CapitalizeWordsUtf8(piece, !first_, bytes_);
            break;
        case 12:
            done = CapitalizeSentencesUtf8(piece, bytes_);
            break;
        }
    }
    if (!done) {
        decoded_.resize(Utf8DecodeRoom(piece.size()));
        decoded_.truncate(DecodeUtf8(piece, decoded_.data()) - decoded_.constData());
        Feed(decoded_);
        return;
    }
    first_ = false;
    if (index_ == 0) { // the lines of the pieces are joined as in Feed
        if (bytes_.isEmpty()) return;
        if (wroteLine_) writeUtf8_("\r\n");
        wroteLine_ = true;
    }
    writeUtf8_(bytes_);
}

void StreamedOperation::Feed(const QString& piece) {
    const bool first = first_;
    first_ = false;
    switch (index_) {
    case 0: {
        // A piece's last line (empty, after its line feed) is dropped like every other empty line;
        // the pieces' results are joined as the lines are.
        const QString lines = ApplyTextOperation(piece, 0);
        if (lines.isEmpty()) return;
        if (wroteLine_) write_(u"\r\n");
        write_(lines);
        wroteLine_ = true;
        return;
    }
    case 11:
        // Every piece after the first follows a line feed, which is not a letter.
        write_(first ? CapitalizeWords(piece) : CapitalizeWordsAfterLineBreak(piece));
        return;
    default:
        // The rest look at nothing beyond the line. The line-based ones end a piece with the line
        // break of its empty last line, which is just what joins it to the next piece.
        write_(ApplyTextOperation(piece, index_));
        return;
    }
}

} // namespace telmo
