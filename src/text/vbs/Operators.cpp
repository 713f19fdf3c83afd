#include "text/vbs/Operators.h"

#include "text/vbs/Dates.h"

#include <cmath>
#include <limits>

namespace telmo::vbs {

namespace {

// Order of the numeric subtypes for the result of + - *: Byte < Integer < Long < Single < Double.
int Rank(VType t) {
    switch (t) {
    case VType::Byte:
        return 0;
    case VType::Long:
        return 2;
    case VType::Single:
        return 3;
    case VType::Double:
        return 4;
    default:
        return 1; // Integer, Boolean, Empty
    }
}
constexpr VType kRankType[] = {VType::Byte, VType::Integer, VType::Long, VType::Single, VType::Double};

// An operand made numeric: strings become Doubles, Booleans and Empty count as Integers.
struct Operand {
    VType type;
    double d;
    int64_t i;
};

int Numeric(const Value& v, Operand* o) {
    if (v.type == VType::Object) return err::kTypeMismatch;
    if (v.type == VType::String || v.type == VType::Single || v.type == VType::Double ||
        v.type == VType::Date) {
        double d;
        if (int e = ToDouble(v, &d)) return e;
        o->type = v.type == VType::Single ? VType::Single : VType::Double;
        o->d = d;
        o->i = 0;
        return err::kNone;
    }
    o->type = v.type == VType::Boolean || v.type == VType::Empty ? VType::Integer : v.type;
    o->i = v.isIntegral() ? v.i : 0;
    o->d = double(o->i);
    return err::kNone;
}

enum class Arith { Add, Subtract, Multiply };

int Arithmetic(Arith op, const Value& a, const Value& b, Value* out) {
    if (a.isNull() || b.isNull()) {
        if (a.type == VType::Object || b.type == VType::Object) return err::kTypeMismatch;
        *out = Value::Null();
        return err::kNone;
    }
    Operand x, y;
    if (int e = Numeric(a, &x)) return e;
    if (int e = Numeric(b, &y)) return e;
    if (a.type == VType::Date || b.type == VType::Date) {
        // A date moved by a number stays a date; the distance of two dates and products are numbers.
        const bool both = a.type == b.type;
        const double r = op == Arith::Add ? x.d + y.d : op == Arith::Subtract ? x.d - y.d : x.d * y.d;
        if (op == Arith::Multiply || (op == Arith::Subtract && both)) {
            if (!std::isfinite(r)) return err::kOverflow;
            *out = Value::Double(r);
        } else {
            if (!(r >= kFirstDate && r <= kLastDate)) return err::kOverflow;
            *out = Value::Date(r);
        }
        return err::kNone;
    }
    int rank = std::max(Rank(x.type), Rank(y.type));
    if (rank == 3 && (x.type == VType::Long || y.type == VType::Long)) rank = 4;
    if (rank <= 2) {
        // 32-bit operands cannot overflow 64-bit arithmetic; the result promotes as far as needed.
        const int64_t r = op == Arith::Add ? x.i + y.i : op == Arith::Subtract ? x.i - y.i : x.i * y.i;
        *out = Value::FromInt64AtLeast(kRankType[rank], r);
        return err::kNone;
    }
    const double r = op == Arith::Add ? x.d + y.d : op == Arith::Subtract ? x.d - y.d : x.d * y.d;
    if (!std::isfinite(r)) return err::kOverflow;
    if (rank == 3 && std::fabs(r) <= double(std::numeric_limits<float>::max()))
        *out = Value::Single(float(r));
    else
        *out = Value::Double(r);
    return err::kNone;
}

// The integer form of an operand of \, Mod and the bitwise operators, and the kind that decides the
// result type: Byte, Boolean (also the strings "True" and "False"), Integer or Long.
int IntegerOperand(const Value& v, int32_t* out, VType* kind) {
    if (v.type == VType::String) {
        if (EqualsIgnoreCase(v.s, "true") || EqualsIgnoreCase(v.s, "false")) {
            *out = EqualsIgnoreCase(v.s, "true") ? -1 : 0;
            *kind = VType::Boolean;
            return err::kNone;
        }
    }
    if (v.type == VType::Object) return err::kTypeMismatch;
    *kind = v.type == VType::Byte || v.type == VType::Boolean      ? v.type
            : (v.type == VType::Integer || v.type == VType::Empty) ? VType::Integer
                                                                   : VType::Long;
    return ToLong(v, out);
}

VType IntegerResultType(VType a, VType b) {
    if (a == VType::Boolean) a = VType::Integer;
    if (b == VType::Boolean) b = VType::Integer;
    if (a == VType::Byte && b == VType::Byte) return VType::Byte;
    if (a != VType::Long && b != VType::Long) return VType::Integer;
    return VType::Long;
}

int IntegerDivision(bool modulo, const Value& a, const Value& b, Value* out) {
    if (a.isNull() || b.isNull()) {
        *out = Value::Null();
        return err::kNone;
    }
    int32_t x, y;
    VType kx, ky;
    if (int e = IntegerOperand(a, &x, &kx)) return e;
    if (int e = IntegerOperand(b, &y, &ky)) return e;
    if (y == 0) return err::kDivisionByZero;
    const int64_t r = modulo ? int64_t(x) % y : int64_t(x) / y; // truncation toward zero, as wanted
    *out = Value::FromInt64AtLeast(IntegerResultType(kx, ky), r);
    return err::kNone;
}

int NullLogical(Tok op, const Value& a, const Value& b, Value* out) {
    // With Null on one side only a few results are known: False And Null, True Or Null,
    // False Imp anything, anything Imp True.
    const Value& other = a.isNull() ? b : a;
    int32_t v = 0;
    VType k = VType::Integer;
    const bool known = !other.isNull() && IntegerOperand(other, &v, &k) == err::kNone;
    auto typed = [&](int32_t x) {
        return other.type == VType::Boolean ? Value::Boolean(x != 0) : Value::FromInt64AtLeast(k, x);
    };
    *out = Value::Null();
    if (!known) return err::kNone;
    if (op == Tok::And && v == 0)
        *out = typed(0);
    else if (op == Tok::Or && v == -1)
        *out = typed(-1);
    else if (op == Tok::Imp && !a.isNull() && v == 0)
        *out = typed(-1);
    else if (op == Tok::Imp && a.isNull() && v == -1)
        *out = typed(-1);
    return err::kNone;
}

} // namespace

int Add(const Value& a, const Value& b, Value* out) {
    // Two strings concatenate; a string with Empty stays that string.
    if (a.type == VType::String && (b.type == VType::String || b.type == VType::Empty))
        return Concatenate(a, b, out);
    if (b.type == VType::String && a.type == VType::Empty) return Concatenate(a, b, out);
    return Arithmetic(Arith::Add, a, b, out);
}

int Subtract(const Value& a, const Value& b, Value* out) {
    return Arithmetic(Arith::Subtract, a, b, out);
}
int Multiply(const Value& a, const Value& b, Value* out) {
    return Arithmetic(Arith::Multiply, a, b, out);
}

int Divide(const Value& a, const Value& b, Value* out) {
    if (a.isNull() || b.isNull()) {
        *out = Value::Null();
        return err::kNone;
    }
    Operand x, y;
    if (int e = Numeric(a, &x)) return e;
    if (int e = Numeric(b, &y)) return e;
    if (y.d == 0) return x.d == 0 ? err::kOverflow : err::kDivisionByZero;
    const double r = x.d / y.d;
    if (!std::isfinite(r)) return err::kOverflow;
    const bool single = (x.type == VType::Single || y.type == VType::Single) && Rank(x.type) != 2 &&
                        Rank(y.type) != 2 && x.type != VType::Double && y.type != VType::Double;
    if (single && std::fabs(r) <= double(std::numeric_limits<float>::max()))
        *out = Value::Single(float(r));
    else
        *out = Value::Double(r);
    return err::kNone;
}

int IntegerDivide(const Value& a, const Value& b, Value* out) {
    return IntegerDivision(false, a, b, out);
}
int Modulo(const Value& a, const Value& b, Value* out) {
    return IntegerDivision(true, a, b, out);
}

int Power(const Value& a, const Value& b, Value* out) {
    if (a.isNull() || b.isNull()) {
        *out = Value::Null();
        return err::kNone;
    }
    Operand x, y;
    if (int e = Numeric(a, &x)) return e;
    if (int e = Numeric(b, &y)) return e;
    const double r = std::pow(x.d, y.d);
    if (std::isnan(r)) return err::kInvalidCall; // negative base with a fractional exponent
    if (std::isinf(r)) return x.d == 0 ? err::kInvalidCall : err::kOverflow;
    *out = Value::Double(r);
    return err::kNone;
}

int Negate(const Value& a, Value* out) {
    switch (a.type) {
    case VType::Null:
        *out = Value::Null();
        return err::kNone;
    case VType::Object:
        return err::kTypeMismatch;
    case VType::Empty:
        *out = Value::Integer(0);
        return err::kNone;
    case VType::Boolean:
    case VType::Byte:
    case VType::Integer:
        *out = Value::FromInt64(-int64_t(a.i));
        break;
    case VType::Long:
        *out = Value::FromInt64AtLeast(VType::Long, -int64_t(a.i));
        break;
    case VType::Single:
        *out = Value::Single(-a.f);
        break;
    case VType::Double:
        *out = Value::Double(-a.d);
        break;
    case VType::Date:
        if (!(-a.d >= kFirstDate && -a.d <= kLastDate)) return err::kOverflow;
        *out = Value::Date(-a.d);
        break;
    case VType::String: {
        double d;
        if (int e = ToDouble(a, &d)) return e;
        *out = Value::Double(-d);
        return err::kNone;
    }
    }
    out->hard = a.hard; // a negative literal still counts as a literal
    return err::kNone;
}

int Concatenate(const Value& a, const Value& b, Value* out) {
    if (a.isNull() && b.isNull()) {
        *out = Value::Null();
        return err::kNone;
    }
    QString text;
    if (a.type == VType::String)
        text = a.s; // shares the buffer; appending detaches once
    else if (int e = AppendText(a, &text))
        return e;
    if (b.type == VType::String && text.size() + b.s.size() > kMaxStringLength) return err::kOutOfMemory;
    if (int e = AppendText(b, &text)) return e;
    *out = Value::String(std::move(text));
    return err::kNone;
}

int Compare(Tok op, const Value& a, const Value& b, Value* out) {
    if (op == Tok::Is) {
        if (a.type != VType::Object || b.type != VType::Object) return err::kObjectRequired;
        *out = Value::Boolean(true); // Nothing is the only object
        return err::kNone;
    }
    if (a.type == VType::Object || b.type == VType::Object) return err::kTypeMismatch;
    if (a.isNull() || b.isNull()) {
        *out = Value::Null();
        return err::kNone;
    }
    int order = 0;
    auto compareNumbers = [&](double x, double y) { order = x < y ? -1 : x > y ? 1 : 0; };
    auto compareStrings = [&](QStringView x, QStringView y) {
        const int c = x.compare(y, Qt::CaseSensitive); // by UTF-16 code unit
        order = c < 0 ? -1 : c > 0 ? 1 : 0;
    };
    const bool aString = a.type == VType::String, bString = b.type == VType::String;
    if (aString && bString) {
        compareStrings(a.s, b.s);
    } else if (!aString && !bString) {
        compareNumbers(NumberOf(a), NumberOf(b));
    } else if (a.type == VType::Empty || b.type == VType::Empty) {
        compareStrings(aString ? QStringView(a.s) : QStringView(),
                       bString ? QStringView(b.s) : QStringView());
    } else {
        // A string against a number: literals and computed values are treated differently.
        const Value& str = aString ? a : b;
        const Value& num = aString ? b : a;
        const bool numHard = num.hard && num.type != VType::Boolean;
        if (str.hard && !numHard) {
            QString numText;
            AppendText(num, &numText);
            compareStrings(aString ? QStringView(str.s) : QStringView(numText),
                           aString ? QStringView(numText) : QStringView(str.s));
        } else if (numHard) {
            double d;
            if (!ParseNumericString(str.s, &d)) return err::kTypeMismatch;
            compareNumbers(aString ? d : NumberOf(num), aString ? NumberOf(num) : d);
        } else {
            order = aString ? 1 : -1; // a computed string is greater than any computed number
        }
    }
    bool r = false;
    switch (op) {
    case Tok::Eq:
        r = order == 0;
        break;
    case Tok::Ne:
        r = order != 0;
        break;
    case Tok::Lt:
        r = order < 0;
        break;
    case Tok::Gt:
        r = order > 0;
        break;
    case Tok::Le:
        r = order <= 0;
        break;
    case Tok::Ge:
        r = order >= 0;
        break;
    default:
        return err::kSyntax;
    }
    *out = Value::Boolean(r);
    return err::kNone;
}

int Logical(Tok op, const Value& a, const Value& b, Value* out) {
    if (a.isNull() || b.isNull()) return NullLogical(op, a, b, out);
    int32_t x, y;
    VType kx, ky;
    if (int e = IntegerOperand(a, &x, &kx)) return e;
    if (int e = IntegerOperand(b, &y, &ky)) return e;
    int32_t r = 0;
    switch (op) {
    case Tok::And:
        r = x & y;
        break;
    case Tok::Or:
        r = x | y;
        break;
    case Tok::Xor:
        r = x ^ y;
        break;
    case Tok::Eqv:
        r = ~(x ^ y);
        break;
    case Tok::Imp:
        r = ~x | y;
        break;
    default:
        return err::kSyntax;
    }
    if (kx == VType::Boolean && ky == VType::Boolean)
        *out = Value::Boolean(r != 0);
    else {
        const VType t = IntegerResultType(kx, ky);
        if (t == VType::Byte)
            *out = Value::Byte(r & 0xFF);
        else if (t == VType::Integer)
            *out = Value::Integer(int16_t(r));
        else
            *out = Value::Long(r);
    }
    return err::kNone;
}

int LogicalNot(const Value& a, Value* out) {
    switch (a.type) {
    case VType::Null:
        *out = Value::Null();
        return err::kNone;
    case VType::Boolean:
        *out = Value::Boolean(a.i == 0);
        return err::kNone;
    case VType::Byte:
        *out = Value::Byte(~a.i & 0xFF);
        return err::kNone;
    case VType::Empty:
        *out = Value::Integer(-1);
        return err::kNone;
    case VType::Integer:
        *out = Value::Integer(~a.i);
        return err::kNone;
    default: {
        int32_t v;
        VType k;
        if (int e = IntegerOperand(a, &v, &k)) return e;
        *out = k == VType::Boolean ? Value::Boolean(v == 0) : Value::Long(~v);
        return err::kNone;
    }
    }
}

int ApplyBinary(Tok op, const Value& a, const Value& b, Value* out) {
    switch (op) {
    case Tok::Plus:
        return Add(a, b, out);
    case Tok::Minus:
        return Subtract(a, b, out);
    case Tok::Star:
        return Multiply(a, b, out);
    case Tok::Slash:
        return Divide(a, b, out);
    case Tok::Backslash:
        return IntegerDivide(a, b, out);
    case Tok::Mod:
        return Modulo(a, b, out);
    case Tok::Caret:
        return Power(a, b, out);
    case Tok::Amp:
        return Concatenate(a, b, out);
    case Tok::And:
    case Tok::Or:
    case Tok::Xor:
    case Tok::Eqv:
    case Tok::Imp:
        return Logical(op, a, b, out);
    default:
        return Compare(op, a, b, out);
    }
}

} // namespace telmo::vbs
