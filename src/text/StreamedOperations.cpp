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
    const bool bytewise = writeUtf8_ && ((index_ >= 0 && index_ <= 3) || (index_ >= 9 && index_ <= 12));
    if (!bytewise || !IsWellFormedUtf8(piece)) {
        decoded_.resize(Utf8DecodeRoom(piece.size()));
        decoded_.truncate(DecodeUtf8(piece, decoded_.data()) - decoded_.constData());
        Feed(decoded_);
        return;
    }
    const bool first = first_;
    first_ = false;
    bytes_.resize(0);
    switch (index_) {
    case 0: // as in Feed
        RemoveBlankLinesUtf8(piece, bytes_);
        if (bytes_.isEmpty()) return;
        if (wroteLine_) writeUtf8_("\r\n");
        wroteLine_ = true;
        break;
    case 1: CollapseSpacesUtf8(piece, bytes_); break;
    case 2: JoinAllLinesUtf8(piece, bytes_); break;
    case 3: RemoveAllSpacesUtf8(piece, bytes_); break;
    case 9: ToUpperCaseUtf8(piece, bytes_); break;
    case 10: ToLowerCaseUtf8(piece, bytes_); break;
    case 11: CapitalizeWordsUtf8(piece, !first, bytes_); break;
    case 12: CapitalizeSentencesUtf8(piece, bytes_); break;
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
