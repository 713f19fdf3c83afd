#include "text/vbs/Value.h"

#include "text/vbs/Dates.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace telmo::vbs {

namespace {
bool IsBlank(QChar c) {
    return c == u' ' || c == u'\t';
}
bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// Digits of a &H/&O number in a string; false when empty, not all digits or beyond 32 bits.
bool ParseRadix(QStringView digits, int radix, double* value) {
    if (digits.isEmpty()) return false;
    uint64_t v = 0;
    for (QChar qc : digits) {
        const int d = DigitValue(qc.unicode(), radix);
        if (d < 0) return false;
        v = v * uint64_t(radix) + uint64_t(d);
        if (v > 0xFFFFFFFFu) return false;
    }
    *value = RadixPatternValue(uint32_t(v), false);
    return true;
}
} // namespace

Value Value::FromInt64(int64_t v) {
    if (v >= -32768 && v <= 32767) return Integer(int32_t(v));
    if (v >= std::numeric_limits<int32_t>::min() && v <= std::numeric_limits<int32_t>::max())
        return Long(int32_t(v));
    return Double(double(v));
}

Value Value::FromInt64AtLeast(VType smallest, int64_t v) {
    if (smallest == VType::Byte && v >= 0 && v <= 255) return Byte(int32_t(v));
    if (smallest == VType::Long && v >= std::numeric_limits<int32_t>::min() &&
        v <= std::numeric_limits<int32_t>::max())
        return Long(int32_t(v));
    return FromInt64(v);
}

double NumberOf(const Value& v) {
    switch (v.type) {
    case VType::Integer:
    case VType::Long:
    case VType::Byte:
    case VType::Boolean:
        return v.i;
    case VType::Single:
        return v.f;
    case VType::Double:
    case VType::Date:
        return v.d;
    default:
        return 0.0;
    }
}

bool ParseNumericString(QStringView text, double* value) {
    qsizetype b = 0, e = text.size();
    while (b < e && IsBlank(text[b])) ++b;
    while (e > b && IsBlank(text[e - 1])) --e;
    text = text.mid(b, e - b);
    if (text.size() >= 2 && text[0] == u'&') {
        const char16_t k = text[1].unicode();
        if (k == u'h' || k == u'H') return ParseRadix(text.mid(2), 16, value);
        if (k == u'o' || k == u'O') return ParseRadix(text.mid(2), 8, value);
        return false;
    }
    // Only ASCII number characters can be valid; they fit a small buffer unless the text is long.
    std::string buffer;
    buffer.reserve(size_t(text.size()));
    bool digit = false, point = false, exponent = false, expDigit = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (IsDigit(c)) {
            (exponent ? expDigit : digit) = true;
        } else if (c == u'.' && !point && !exponent) {
            point = true;
        } else if ((c == u'e' || c == u'E') && digit && !exponent) {
            exponent = true;
        } else if ((c == u'+' || c == u'-') &&
                   (i == 0 || (exponent && (text[i - 1] == u'e' || text[i - 1] == u'E')))) {
            if (c == u'+') continue; // from_chars takes no '+'
        } else {
            return false;
        }
        buffer.push_back(char(c));
    }
    if (!digit || (exponent && !expDigit)) return false;
    double v = 0;
    auto [ptr, ec] = std::from_chars(buffer.data(), buffer.data() + buffer.size(), v);
    if (ec == std::errc::result_out_of_range) {
        // Distinguish by the exponent sign; a mantissa of hundreds of digits without exponent overflows.
        const auto ePos = buffer.find_first_of("eE");
        const bool tiny = ePos != std::string::npos && buffer[ePos + 1] == '-';
        v = tiny ? 0.0 : std::numeric_limits<double>::infinity();
        if (buffer[0] == '-') v = -v;
    } else if (ec != std::errc() || ptr != buffer.data() + buffer.size()) {
        return false;
    }
    *value = v;
    return true;
}

int ToDouble(const Value& v, double* out) {
    switch (v.type) {
    case VType::Empty:
        *out = 0;
        return err::kNone;
    case VType::Null:
        return err::kInvalidNull;
    case VType::Object:
        return err::kTypeMismatch;
    case VType::String:
        if (!ParseNumericString(v.s, out)) return err::kTypeMismatch;
        return std::isfinite(*out) ? err::kNone : err::kOverflow;
    default:
        *out = NumberOf(v);
        return err::kNone;
    }
}

int RoundToLong(double x, int32_t* out) {
    const double r = std::nearbyint(x); // the default rounding mode is half to even
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) return err::kOverflow;
    *out = int32_t(r);
    return err::kNone;
}

int ToLong(const Value& v, int32_t* out) {
    if (v.isIntegral()) {
        *out = v.i;
        return err::kNone;
    }
    double d;
    if (int e = ToDouble(v, &d)) return e;
    return RoundToLong(d, out);
}

int ToBoolean(const Value& v, bool* out) {
    if (v.type == VType::String) {
        if (EqualsIgnoreCase(v.s, "true"))
            *out = true;
        else if (EqualsIgnoreCase(v.s, "false"))
            *out = false;
        else {
            double d;
            if (!ParseNumericString(v.s, &d)) return err::kTypeMismatch;
            *out = d != 0;
        }
        return err::kNone;
    }
    double d;
    if (int e = ToDouble(v, &d)) return e;
    *out = d != 0;
    return err::kNone;
}

void AppendDouble(double x, QString* out) {
    char buffer[48];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::general, 15);
    if (ec != std::errc()) return;
    const char* begin = buffer;
    if (end - begin == 2 && buffer[0] == '-' && buffer[1] == '0') ++begin; // no negative zero
    for (const char* p = begin; p != end; ++p) out->append(QChar(*p == 'e' ? 'E' : *p));
}

void AppendSingle(float x, QString* out) {
    char buffer[32];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::general, 7);
    if (ec != std::errc()) return;
    const char* begin = buffer;
    if (end - begin == 2 && buffer[0] == '-' && buffer[1] == '0') ++begin;
    for (const char* p = begin; p != end; ++p) out->append(QChar(*p == 'e' ? 'E' : *p));
}

int AppendText(const Value& v, QString* out) {
    switch (v.type) {
    case VType::Empty:
    case VType::Null:
        return err::kNone;
    case VType::Object:
        return err::kTypeMismatch;
    case VType::Boolean:
        out->append(v.i ? QLatin1String("True") : QLatin1String("False"));
        return err::kNone;
    case VType::Byte:
    case VType::Integer:
    case VType::Long: {
        char buffer[16];
        auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, v.i);
        out->append(QLatin1String(buffer, end - buffer));
        return err::kNone;
    }
    case VType::Single:
        AppendSingle(v.f, out);
        return err::kNone;
    case VType::Double:
        AppendDouble(v.d, out);
        return err::kNone;
    case VType::Date:
        AppendDateText(v.d, out);
        return err::kNone;
    case VType::String:
        out->append(v.s);
        return err::kNone;
    }
    return err::kTypeMismatch;
}

int ToText(const Value& v, QString* out) {
    if (v.type == VType::Null) return err::kInvalidNull;
    if (v.type == VType::String) {
        *out = v.s;
        return err::kNone;
    }
    out->clear();
    return AppendText(v, out);
}

bool EqualsIgnoreCase(QStringView word, const char* lower) {
    qsizetype i = 0;
    for (; lower[i]; ++i) {
        if (i >= word.size()) return false;
        char16_t c = word[i].unicode();
        if (c >= u'A' && c <= u'Z') c = char16_t(c + 32);
        if (c != char16_t(lower[i])) return false;
    }
    return i == word.size();
}

} // namespace telmo::vbs
