#pragma once
// The variant values of the expression language: subtypes, conversions and their text form.
#include <QString>
#include <QStringView>
#include <cstdint>

namespace telmo::vbs {

// Subtype numbers as the language's VarType reports them.
enum class VType : uint8_t {
    Empty = 0,
    Null = 1,
    Integer = 2,
    Long = 3,
    Single = 4,
    Double = 5,
    Date = 7, // days since 30 December 1899 in d
    String = 8,
    Object = 9, // only Nothing exists here
    Boolean = 11,
    Byte = 17,
};

// Run-time and compile error numbers; 0 is success.
namespace err {
inline constexpr int kNone = 0;
inline constexpr int kInvalidCall = 5;
inline constexpr int kOverflow = 6;
inline constexpr int kOutOfMemory = 7;
inline constexpr int kDivisionByZero = 11;
inline constexpr int kTypeMismatch = 13;
inline constexpr int kInvalidNull = 94;
inline constexpr int kObjectRequired = 424;
inline constexpr int kWrongArgCount = 450;
inline constexpr int kSyntax = 1002;
inline constexpr int kExpectedParen = 1006;
inline constexpr int kExpectedExpression = 1023;
inline constexpr int kExpectedEnd = 1025;
inline constexpr int kUnterminatedString = 1033;
inline constexpr int kTooComplex = 1048; // nesting beyond what the evaluator accepts
} // namespace err

// Longest string an operation may build; beyond it the evaluation fails instead of exhausting memory.
inline constexpr qsizetype kMaxStringLength = qsizetype(1) << 27;

struct Value {
    VType type = VType::Empty;
    // A literal written in the expression ("hard"), as opposed to a computed value; comparisons
    // between strings and numbers depend on it.
    bool hard = false;
    union {
        int32_t i; // Integer, Long, Byte, Boolean (-1 / 0)
        float f;
        double d; // Double, Date
    };
    QString s;

    Value() : d(0) {}
    static Value Empty() { return Value(); }
    static Value Null() { return Make(VType::Null); }
    static Value Nothing() { return Make(VType::Object); }
    static Value Boolean(bool b) { return Int(VType::Boolean, b ? -1 : 0); }
    static Value Byte(int32_t v) { return Int(VType::Byte, v); }
    static Value Integer(int32_t v) { return Int(VType::Integer, v); }
    static Value Long(int32_t v) { return Int(VType::Long, v); }
    static Value Single(float v) {
        Value r = Make(VType::Single);
        r.f = v;
        return r;
    }
    static Value Double(double v) {
        Value r = Make(VType::Double);
        r.d = v;
        return r;
    }
    static Value Date(double serial) {
        Value r = Make(VType::Date);
        r.d = serial;
        return r;
    }
    static Value String(QString v) {
        Value r = Make(VType::String);
        r.s = std::move(v);
        return r;
    }
    // The smallest of Integer, Long, Double that holds v exactly (integer arithmetic promotes so).
    static Value FromInt64(int64_t v);
    // Byte if 0..255, then as FromInt64.
    static Value FromInt64AtLeast(VType smallest, int64_t v);

    bool isNull() const { return type == VType::Null; }
    bool isIntegral() const {
        return type == VType::Integer || type == VType::Long || type == VType::Byte || type == VType::Boolean;
    }
    bool isNumeric() const { return isIntegral() || type == VType::Single || type == VType::Double; }

private:
    static Value Make(VType t) {
        Value r;
        r.type = t;
        return r;
    }
    static Value Int(VType t, int32_t v) {
        Value r = Make(t);
        r.i = v;
        return r;
    }
};

// Numeric value of a number, Boolean or Empty (no strings, no Null).
double NumberOf(const Value& v);

// Reads a whole string as a number (surrounding spaces, sign, decimal point, exponent; &H and &O
// prefixes). False for anything else, the empty string included.
bool ParseNumericString(QStringView text, double* value);

// Coerces to a double as arithmetic does: strings are read as numbers (type mismatch otherwise),
// Empty is 0, Booleans -1/0. Null and objects are the caller's business (type mismatch here).
int ToDouble(const Value& v, double* out);

// Rounds half to even to a 32-bit integer (overflow when it does not fit).
int RoundToLong(double x, int32_t* out);
int ToLong(const Value& v, int32_t* out); // ToDouble then RoundToLong; Integer subtypes directly

// Coerces to a Boolean: numbers nonzero, strings "True"/"False" (any case) or numeric text.
int ToBoolean(const Value& v, bool* out);

// The CStr text of a value; Null gives invalid use of Null, Nothing type mismatch.
int ToText(const Value& v, QString* out);
// Appends the CStr text (for concatenation, where Null counts as "").
int AppendText(const Value& v, QString* out);

// 15 significant digits, fixed notation for exponents -4..14, otherwise d.dddE+XX.
void AppendDouble(double x, QString* out);
// The same with 7 significant digits.
void AppendSingle(float x, QString* out);

// Value of an ASCII digit in the radix (up to 16), or -1.
inline int DigitValue(char16_t c, int radix) {
    int d = -1;
    if (c >= u'0' && c <= u'9')
        d = c - u'0';
    else if (c >= u'a' && c <= u'f')
        d = c - u'a' + 10;
    else if (c >= u'A' && c <= u'F')
        d = c - u'A' + 10;
    return d < radix ? d : -1;
}

// A &H/&O number: up to 16 bits it is a 16-bit pattern (&HFFFF is -1) unless `wide` (the & suffix);
// beyond, a 32-bit pattern.
inline int32_t RadixPatternValue(uint32_t v, bool wide) {
    return (!wide && v <= 0xFFFF) ? int32_t(int16_t(uint16_t(v))) : int32_t(v);
}

// Case-insensitive ASCII comparison of an identifier with a lower-case name.
bool EqualsIgnoreCase(QStringView word, const char* lower);

} // namespace telmo::vbs
