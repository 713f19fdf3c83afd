#pragma once
// A file's bytes read in pieces and run through a line by line operation, the way telmo-cli streams
// them, and the same bytes read and run whole: what the streaming tests compare.
#include "files/TextFiles.h"
#include "files/TextLineReader.h"
#include "text/StreamedOperations.h"
#include "text/TextOperations.h"

#include <QBuffer>

namespace telmo::testing {

inline QString WholeResult(const QByteArray& bytes, int op) {
    QBuffer in;
    in.setData(bytes);
    in.open(QIODevice::ReadOnly);
    return ApplyTextOperation(ReadUtf8Device(in, "whole").text, op);
}

// Every piece is passed to check(piece, atEnd) before it is fed; *readError gets the reader's error.
template <typename Check>
QString StreamedResult(const QByteArray& bytes, int op, qsizetype chunk, Check&& check, QString* readError) {
    QBuffer in;
    in.setData(bytes);
    in.open(QIODevice::ReadOnly);
    TextLineReader reader(in, "pieces", chunk);
    QString out;
    StreamedOperation operation(op, [&](QStringView piece) { out.append(piece); });
    QString piece;
    while (reader.Next(&piece)) {
        check(piece, in.atEnd());
        operation.Feed(piece);
    }
    *readError = reader.error();
    return out;
}

// The same pieces fed undecoded, as telmo-cli text does: the result's bytes.
inline QByteArray StreamedUtf8Result(const QByteArray& bytes, int op, qsizetype chunk, QString* readError) {
    QBuffer in;
    in.setData(bytes);
    in.open(QIODevice::ReadOnly);
    TextLineReader reader(in, "pieces", chunk);
    QByteArray out;
    StreamedOperation operation(
        op, [&](QStringView piece) { out += piece.toUtf8(); }, [&](QByteArrayView piece) { out += piece; });
    QByteArrayView piece;
    while (reader.NextBytes(&piece)) operation.FeedUtf8(piece);
    *readError = reader.error();
    return out;
}

} // namespace telmo::testing
