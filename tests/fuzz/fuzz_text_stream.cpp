// A file read in pieces and run through a line by line operation gives byte for byte what the whole
// text gives, whatever the bytes and wherever the pieces are cut.
#include "FuzzInput.h"
#include "support/StreamedText.h"

using namespace telmo;

// Byte 0: the size of the pieces read (1..64); the rest: the file's bytes as they are.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const qsizetype chunk = 1 + data[0] % 64;
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    for (int op = 0; op < kTextOperationCount; ++op) {
        if (!IsStreamableOperation(op)) continue;
        QString error;
        const QString out = testing::StreamedResult(
            bytes, op, chunk,
            [](const QString& piece, bool atEnd) {
                FUZZ_CHECK(!piece.isEmpty() && (piece.endsWith(u'\n') || atEnd));
            },
            &error);
        FUZZ_CHECK(error.isEmpty());
        const QString whole = testing::WholeResult(bytes, op);
        FUZZ_CHECK(out == whole);
        FUZZ_CHECK(testing::StreamedUtf8Result(bytes, op, chunk, &error) == whole.toUtf8());
    }
    return 0;
}
