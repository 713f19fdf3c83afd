#include "platform/fake/TraceWriter.h"

#include <charconv>

namespace telmo {

namespace {

void AppendUnicodeEscape(QByteArray& out, char16_t c) {
    static const char kHex[] = "0123456789abcdef";
    const char esc[6] = {'\\',        'u', kHex[(c >> 12) & 15], kHex[(c >> 8) & 15], kHex[(c >> 4) & 15],
                         kHex[c & 15]};
    out.append(esc, 6);
}

} // namespace

void AppendJsonString(QByteArray& out, QStringView text) {
    out.reserve(out.size() + text.size() + 2);
    out.append('"');
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80) {
            switch (c) {
            case u'"':
                out.append("\\\"", 2);
                break;
            case u'\\':
                out.append("\\\\", 2);
                break;
            case u'\n':
                out.append("\\n", 2);
                break;
            case u'\r':
                out.append("\\r", 2);
                break;
            case u'\t':
                out.append("\\t", 2);
                break;
            case u'\b':
                out.append("\\b", 2);
                break;
            case u'\f':
                out.append("\\f", 2);
                break;
            default:
                if (c < 0x20)
                    AppendUnicodeEscape(out, c);
                else
                    out.append(char(c));
            }
        } else if (c < 0x800) {
            out.append(char(0xC0 | (c >> 6)));
            out.append(char(0x80 | (c & 0x3F)));
        } else if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(text[i + 1].unicode())) {
            const char32_t u = QChar::surrogateToUcs4(c, text[i + 1].unicode());
            ++i;
            const char bytes[4] = {char(0xF0 | (u >> 18)), char(0x80 | ((u >> 12) & 0x3F)),
                                   char(0x80 | ((u >> 6) & 0x3F)), char(0x80 | (u & 0x3F))};
            out.append(bytes, 4);
        } else if (QChar::isSurrogate(c)) {
            AppendUnicodeEscape(out, c);
        } else {
            const char bytes[3] = {char(0xE0 | (c >> 12)), char(0x80 | ((c >> 6) & 0x3F)),
                                   char(0x80 | (c & 0x3F))};
            out.append(bytes, 3);
        }
    }
    out.append('"');
}

void AppendDecimal(QByteArray& out, std::int64_t value) {
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, value);
    out.append(buf, r.ptr - buf);
}

} // namespace telmo
