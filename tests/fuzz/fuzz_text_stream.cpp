// A file read in pieces and run through a line by line operation gives byte for byte what the whole
// text gives, whatever the bytes and wherever the pieces are cut.
#include "FuzzInput.h"
#include "files/TextFiles.h"
#include "files/TextLineReader.h"
#include "text/StreamedOperations.h"
#include "text/TextOperations.h"

#include <QBuffer>

using namespace telmo;

// Byte 0: the size of the pieces read (1..64); the rest: the file's bytes as they are.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const qsizetype chunk = 1 + data[0] % 64;
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    QBuffer whole;
    whole.setData(bytes);
    whole.open(QIODevice::ReadOnly);
    const QString text = ReadUtf8Device(whole, "whole").text;
    for (int op = 0; op < kTextOperationCount; ++op) {
        if (!IsStreamableOperation(op)) continue;
        QBuffer in;
        in.setData(bytes);
        in.open(QIODevice::ReadOnly);
        TextLineReader reader(in, "pieces", chunk);
        QString out;
        StreamedOperation operation(op, [&](QStringView piece) { out.append(piece); });
        QString piece;
        while (reader.Next(&piece)) {
            FUZZ_CHECK(!piece.isEmpty() && (piece.endsWith(u'\n') || in.atEnd()));
            operation.Feed(piece);
        }
        FUZZ_CHECK(reader.error().isEmpty());
        FUZZ_CHECK(out == ApplyTextOperation(text, op));
    }
    return 0;
}
