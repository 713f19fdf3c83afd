#pragma once
// Running a text operation on a text that arrives in pieces, for files far larger than memory should
// hold: each piece but the last ends with a line feed, and the outputs written one after the other
// are byte for byte ApplyTextOperation of the whole text.
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

    // index must be streamable; write receives the result in order.
    StreamedOperation(int index, Writer write);

    // The next piece of the text: it ends with a line feed unless it is the last one, and it may be
    // empty only as the last one.
    void Feed(const QString& piece);

private:
    int index_;
    Writer write_;
    bool first_ = true;      // no piece fed yet
    bool wroteLine_ = false; // RemoveBlankLines: a line has been written, the next needs a line break
};

} // namespace telmo
