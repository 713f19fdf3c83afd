#pragma once
// UTF-8 to and from the UTF-16 of QString, for the file readers and writers. Well-formed input takes
// a fast path; anything else (invalid bytes, unpaired surrogates) goes through Qt's own stateless
// converters, so the result is always exactly what Qt gives: byte-order marks are kept as text, an
// invalid byte becomes U+FFFD, an unpaired surrogate is written as the bytes of U+FFFD.
#include <QByteArrayView>
#include <QString>
#include <functional>

namespace telmo {

// The well-formed sequence at p (before end): its length in bytes (1 to 4) and its code point in *cp;
// 0 when the bytes there are not one (overlong forms, encoded surrogates, values above U+10FFFF and
// cut sequences included).
inline int Utf8SequenceAt(const unsigned char* p, const unsigned char* end, char32_t* cp) {
    const auto continuation = [](unsigned char c) { return (c & 0xC0) == 0x80; };
    const unsigned char c = *p;
    if (c < 0x80) {
        *cp = c;
        return 1;
    }
    if (c < 0xC2) return 0;
    if (c < 0xE0) {
        if (end - p < 2 || !continuation(p[1])) return 0;
        *cp = ((c & 0x1F) << 6) | (p[1] & 0x3F);
        return 2;
    }
    if (c < 0xF0) {
        if (end - p < 3 || !continuation(p[1]) || !continuation(p[2])) return 0;
        *cp = ((c & 0x0F) << 12) | ((p[1] & 0x3F) << 6) | (p[2] & 0x3F);
        return *cp >= 0x800 && (*cp < 0xD800 || *cp > 0xDFFF) ? 3 : 0;
    }
    if (c < 0xF5) {
        if (end - p < 4 || !continuation(p[1]) || !continuation(p[2]) || !continuation(p[3])) return 0;
        *cp = ((c & 0x07) << 18) | ((p[1] & 0x3F) << 12) | ((p[2] & 0x3F) << 6) | (p[3] & 0x3F);
        return *cp >= 0x10000 && *cp <= 0x10FFFF ? 4 : 0;
    }
    return 0;
}

// Whether bytes are well-formed UTF-8 throughout, so that DecodeUtf8 takes no U+FFFD in.
bool IsWellFormedUtf8(QByteArrayView bytes);

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
bool EncodeUtf8InPieces(QStringView text, qsizetype pieceUnits,
                        const std::function<bool(QByteArrayView)>& write);

} // namespace telmo
