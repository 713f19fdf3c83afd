#pragma once
// UTF-8 to and from the UTF-16 of QString, for the file readers and writers. Well-formed input takes
// a fast path; anything else (invalid bytes, unpaired surrogates) goes through Qt's own stateless
// converters, so the result is always exactly what Qt gives: byte-order marks are kept as text, an
// invalid byte becomes U+FFFD, an unpaired surrogate is written as the bytes of U+FFFD.
#include <QByteArrayView>
#include <QString>
#include <functional>

namespace telmo {

// Units of room that decoding `bytes` bytes may need.
qsizetype Utf8DecodeRoom(qsizetype bytes);

// Decodes bytes that end on a character boundary (or at the end of the input) into out, which has
// Utf8DecodeRoom(bytes.size()) units of room; returns the end of what was written.
QChar* DecodeUtf8(QByteArrayView bytes, QChar* out);

// Bytes of room that encoding `units` code units may need.
qsizetype Utf8EncodeRoom(qsizetype units);

// Encodes text that does not end between the halves of a surrogate pair (or is the end of the text)
// into out, which has Utf8EncodeRoom(text.size()) bytes of room; returns the end of what was written.
char* EncodeUtf8(QStringView text, char* out);

// Encodes text a piece of about pieceUnits units at a time into one reused buffer and hands each
// piece's bytes to write; stops, returning false, as soon as write does. Pieces never end between the
// halves of a surrogate pair, so the bytes are those of encoding the whole text at once.
bool EncodeUtf8InPieces(QStringView text, qsizetype pieceUnits, const std::function<bool(QByteArrayView)>& write);

} // namespace telmo
