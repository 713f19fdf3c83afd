#include "files/Utf8Codec.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace telmo {
namespace {

// How many of the bytes at p (there are at least 16) are ASCII, counted in blocks, and widened to
// out on the way; stops at the first block that holds a byte above 0x7F.
inline qsizetype WidenAsciiRun(const uint8_t* p, const uint8_t* end, char16_t* out) {
    const uint8_t* start = p;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    while (end - p >= 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const int high = _mm_movemask_epi8(bytes);
        if (high != 0) {
            // The ASCII bytes before the first high one still go the fast way.
            const int ascii = __builtin_ctz(static_cast<unsigned>(high));
            for (int i = 0; i < ascii; ++i) out[i] = p[i];
            return (p - start) + ascii;
        }
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_unpacklo_epi8(bytes, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 8), _mm_unpackhi_epi8(bytes, zero));
        p += 16;
        out += 16;
    }
#else
    while (end - p >= 8) {
        uint64_t word;
        std::memcpy(&word, p, 8);
        if (word & 0x8080808080808080ull) break;
        for (int i = 0; i < 8; ++i) out[i] = p[i];
        p += 8;
        out += 8;
    }
#endif
    return p - start;
}

// Decodes well-formed UTF-8; nullptr at the first byte that is not part of a well-formed sequence.
char16_t* DecodeWellFormed(const uint8_t* p, const uint8_t* end, char16_t* out) {
    while (p < end) {
        if (*p < 0x80) {
            const qsizetype run = WidenAsciiRun(p, end, out);
            if (run > 0) {
                p += run;
                out += run;
                continue;
            }
        }
        char32_t cp;
        const int length = Utf8SequenceAt(p, end, &cp);
        if (length == 0) return nullptr;
        if (length < 4) {
            *out++ = static_cast<char16_t>(cp);
        } else {
            *out++ = QChar::highSurrogate(cp);
            *out++ = QChar::lowSurrogate(cp);
        }
        p += length;
    }
    return out;
}

// How many of the units at p are ASCII, counted in blocks, and narrowed to out on the way.
inline qsizetype NarrowAsciiRun(const char16_t* p, const char16_t* end, uint8_t* out) {
    const char16_t* start = p;
#if defined(__SSE2__)
    const __m128i high = _mm_set1_epi16(static_cast<short>(0xFF80));
    const __m128i zero = _mm_setzero_si128();
    while (end - p >= 8) {
        const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        if (_mm_movemask_epi8(_mm_cmpeq_epi16(_mm_and_si128(units, high), zero)) != 0xFFFF) break;
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(units, units));
        p += 8;
        out += 8;
    }
#else
    while (end - p >= 4) {
        uint64_t word;
        std::memcpy(&word, p, 8);
        if (word & 0xFF80FF80FF80FF80ull) break;
        for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(p[i]);
        p += 4;
        out += 4;
    }
#endif
    return p - start;
}

// Encodes text without unpaired surrogates; nullptr at the first unpaired one.
uint8_t* EncodeWellFormed(const char16_t* p, const char16_t* end, uint8_t* out) {
    while (p < end) {
        const char16_t c = *p;
        if (c < 0x80) {
            const qsizetype run = NarrowAsciiRun(p, end, out);
            if (run > 0) {
                p += run;
                out += run;
                continue;
            }
            *out++ = static_cast<uint8_t>(c);
            ++p;
        } else if (c < 0x800) {
            *out++ = static_cast<uint8_t>(0xC0 | (c >> 6));
            *out++ = static_cast<uint8_t>(0x80 | (c & 0x3F));
            ++p;
        } else if (!QChar::isSurrogate(c)) {
            *out++ = static_cast<uint8_t>(0xE0 | (c >> 12));
            *out++ = static_cast<uint8_t>(0x80 | ((c >> 6) & 0x3F));
            *out++ = static_cast<uint8_t>(0x80 | (c & 0x3F));
            ++p;
        } else {
            if (!QChar::isHighSurrogate(c) || end - p < 2 || !QChar::isLowSurrogate(p[1])) return nullptr;
            const char32_t cp = QChar::surrogateToUcs4(c, p[1]);
            *out++ = static_cast<uint8_t>(0xF0 | (cp >> 18));
            *out++ = static_cast<uint8_t>(0x80 | ((cp >> 12) & 0x3F));
            *out++ = static_cast<uint8_t>(0x80 | ((cp >> 6) & 0x3F));
            *out++ = static_cast<uint8_t>(0x80 | (cp & 0x3F));
            p += 2;
        }
    }
    return out;
}

} // namespace

bool IsWellFormedUtf8(QByteArrayView bytes) {
    const auto* p = reinterpret_cast<const uint8_t*>(bytes.data());
    const uint8_t* end = p + bytes.size();
    while (p < end) {
#if defined(__SSE2__)
        if (end - p >= 16) { // ASCII is passed over sixteen bytes at a time, up to the next other byte
            const int high = _mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)));
            if (high == 0) {
                p += 16;
                continue;
            }
            p += __builtin_ctz(static_cast<unsigned>(high));
        }
#endif
        char32_t cp;
        const int length = Utf8SequenceAt(p, end, &cp);
        if (length == 0) return false;
        p += length;
    }
    return true;
}

qsizetype Utf8DecodeRoom(qsizetype bytes) {
    return QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless).requiredSpace(bytes);
}

QChar* DecodeUtf8(QByteArrayView bytes, QChar* out) {
    const auto* p = reinterpret_cast<const uint8_t*>(bytes.data());
    if (char16_t* end = DecodeWellFormed(p, p + bytes.size(), reinterpret_cast<char16_t*>(out)))
        return reinterpret_cast<QChar*>(end);
    // ConvertInitialBom hands a leading mark on as text, as it does for every other one.
    QStringDecoder qt(QStringDecoder::Utf8,
                      QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    return qt.appendToBuffer(out, bytes);
}

qsizetype Utf8EncodeRoom(qsizetype units) {
    return QStringEncoder(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless).requiredSpace(units);
}

char* EncodeUtf8(QStringView text, char* out) {
    const auto* p = reinterpret_cast<const char16_t*>(text.utf16());
    if (uint8_t* end = EncodeWellFormed(p, p + text.size(), reinterpret_cast<uint8_t*>(out)))
        return reinterpret_cast<char*>(end);
    QStringEncoder qt(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
    return qt.appendToBuffer(out, text);
}

bool EncodeUtf8InPieces(QStringView text, qsizetype pieceUnits,
                        const std::function<bool(QByteArrayView)>& write) {
    thread_local QByteArray buffer;
    pieceUnits = std::max<qsizetype>(pieceUnits, 2);
    const qsizetype room = Utf8EncodeRoom(std::min(pieceUnits, text.size()));
    if (buffer.size() < room) buffer.resize(room);
    for (qsizetype at = 0; at < text.size();) {
        qsizetype len = std::min(pieceUnits, text.size() - at);
        if (at + len < text.size() && text[at + len - 1].isHighSurrogate() && text[at + len].isLowSurrogate())
            --len;
        const char* end = EncodeUtf8(text.sliced(at, len), buffer.data());
        if (!write(QByteArrayView(buffer.constData(), end - buffer.constData()))) return false;
        at += len;
    }
    return true;
}

} // namespace telmo
