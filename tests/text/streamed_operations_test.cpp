// The line by line operations on a text read in pieces give byte for byte what they give on the
// whole text, wherever the pieces are cut.
#include "support/StreamedText.h"

#include <gtest/gtest.h>

using namespace telmo;

namespace {

QByteArray Streamed(const QByteArray& bytes, int op, qsizetype chunk) {
    QString error;
    const QString out = telmo::testing::StreamedResult(
        bytes, op, chunk,
        [](const QString& piece, bool atEnd) {
            EXPECT_TRUE(!piece.isEmpty() && (piece.endsWith(u'\n') || atEnd));
        },
        &error);
    EXPECT_TRUE(error.isEmpty());
    return out.toUtf8();
}

QByteArray Whole(const QByteArray& bytes, int op) {
    return telmo::testing::WholeResult(bytes, op).toUtf8();
}

// Inputs that put line ends, marks and multi-byte characters where a cut hurts most.
const QByteArray kInputs[] = {
    "",
    "\n",
    "\r\n\r\n\n",
    "\xEF\xBB\xBF",
    "\xEF\xBB\xBF"
    "a  b\r\n",
    "\xEF\xBB\xBF\xEF\xBB\xBFx\n\xEF\xBB\xBFy", // only the first mark is dropped
    "ab    c\r\n\r\nd  e\r\n  \r\nf",
    "a\rb\r\r\nc\r",
    "a\r\n\r\n",
    "张三  丽\n刘丽\n 刘丽 \n头发很干净\r\n乾淨 理发\n毛发",
    "\xE4\xB8\n\xFF\xC3\xA9\xE4\r\n\xC3", // bytes that are no UTF-8, at line ends and at the end
    "\xF0\x9F\x98\x80"
    "abc i \n\xF0\x9D\x92\x9C"
    "x\ni", // surrogate pairs at line starts and ends
    "\xE3\x80\x80\xE3\x80\x80\r\n x\r\n\xE3\x80\x80\xE3\x80\x80"
    "abc\xE3\x80\x80\xE3\x80\x80\r\n\xE3\x80\x80",
    "&amp;lt;\n&nbsp;&amp;\n&\nlt;&yen;",
    "“你好”，《书》……。\n…\n…！",
    "hello wORLD. foo! bar? baz\n\"quote\" \xC3\xA9 \xC4\xB1 \xC5\xBF x\n\xC3\xA9lan i \n\xC4\xB1x",
    "人民币123.04\n-5\n\n1e3\r\nabc",
    "  2*3  \n10/4\n1/0\n\n\"a\" & \"b\"",
};

} // namespace

TEST(StreamedOperations, PiecesGiveTheWholeTextResult) {
    QByteArray all;
    for (const QByteArray& in : kInputs) all += in + "\n";
    QByteArray longLine(300, 'x');
    longLine.replace(100, 3, "  \xE5\xA4\xB4"); // a line far longer than a piece
    for (int op = 0; op < kTextOperationCount; ++op) {
        if (!IsStreamableOperation(op)) continue;
        for (QByteArray in : kInputs) {
            for (const QByteArray& text : {in, all, longLine + "\r\n" + in + longLine})
                for (qsizetype chunk : {1, 2, 3, 5, 7, 16, 64, 4096}) {
                    const QByteArray whole = Whole(text, op);
                    EXPECT_EQ(Streamed(text, op, chunk), whole)
                        << "operation " << op << ", pieces of " << chunk << ", input " << text.toStdString();
                    QString error;
                    EXPECT_EQ(telmo::testing::StreamedUtf8Result(text, op, chunk, &error), whole)
                        << "operation " << op << " on bytes, pieces of " << chunk << ", input "
                        << text.toStdString();
                }
        }
    }
}

TEST(StreamedOperations, OnlyTheLineByLineOperationsStream) {
    QList<int> streamable;
    for (int op = -1; op <= kTextOperationCount; ++op)
        if (IsStreamableOperation(op)) streamable << op;
    EXPECT_EQ(streamable, (QList<int>{0, 1, 2, 3, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 17}));
}
