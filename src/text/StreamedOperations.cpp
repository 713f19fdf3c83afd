#include "text/StreamedOperations.h"

#include "text/LetterCase.h"
#include "text/TextOperations.h"

namespace telmo {

bool IsStreamableOperation(int index) {
    return index >= 0 && index < kTextOperationCount && index != 4 && index != 16 && index != 18;
}

StreamedOperation::StreamedOperation(int index, Writer write) : index_(index), write_(std::move(write)) {}

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
