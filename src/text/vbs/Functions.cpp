#include "text/vbs/BuiltinHelpers.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace telmo::vbs::builtin {

namespace {

// One-argument functions of a Double.
template <double (*F)(double)> int MathFunction(Value* args, int, Value* out, FunctionContext&) {
    if (PropagateNull(args[0], out)) return err::kNone;
    double x;
    if (int e = ToDouble(args[0], &x)) return e;
    const double r = F(x);
    if (std::isnan(r)) return err::kInvalidCall;
    if (std::isinf(r)) return err::kOverflow;
    *out = Value::Double(r);
    return err::kNone;
}
double SqrImpl(double x) {
    return x < 0 ? std::nan("") : std::sqrt(x);
}
double LogImpl(double x) {
    return x <= 0 ? std::nan("") : std::log(x);
}
double ExpImpl(double x) {
    return std::exp(x);
}
double SinImpl(double x) {
    return std::sin(x);
}
double CosImpl(double x) {
    return std::cos(x);
}
double TanImpl(double x) {
    return std::tan(x);
}
double AtnImpl(double x) {
    return std::atan(x);
}

// Functions that keep an integer subtype (Abs, Int, Fix) and apply F to other numbers.
template <double (*F)(double), bool kAbs>
int SameTypeFunction(Value* args, int, Value* out, FunctionContext&) {
    const Value& v = args[0];
    switch (v.type) {
    case VType::Null:
        *out = Value::Null();
        return err::kNone;
    case VType::Empty:
        *out = Value::Integer(0);
        return err::kNone;
    case VType::Boolean:
    case VType::Byte:
    case VType::Integer:
    case VType::Long: {
        const int64_t x = kAbs && v.i < 0 ? -int64_t(v.i) : int64_t(v.i);
        *out = Value::FromInt64AtLeast(v.type == VType::Boolean ? VType::Integer : v.type, x);
        return err::kNone;
    }
    case VType::Single:
        *out = Value::Single(float(F(v.f)));
        return err::kNone;
    case VType::Date:
        *out = kAbs ? Value::Double(std::fabs(v.d)) : Value::Date(F(v.d));
        return err::kNone;
    default: {
        double x;
        if (int e = ToDouble(v, &x)) return e;
        *out = Value::Double(F(x));
        return err::kNone;
    }
    }
}
double FabsImpl(double x) {
    return std::fabs(x);
}
double FloorImpl(double x) {
    return std::floor(x);
}
double TruncImpl(double x) {
    return std::trunc(x);
}

TELMO_BUILTIN(Sgn) {
    if (PropagateNull(args[0], out)) return err::kNone;
    double x;
    if (int e = ToDouble(args[0], &x)) return e;
    *out = Value::Integer(x > 0 ? 1 : x < 0 ? -1 : 0);
    return err::kNone;
}

TELMO_BUILTIN(Round) {
    if (PropagateNull(args[0], out)) return err::kNone;
    int32_t places = 0;
    if (argc > 1 && (args[1].isNull() || ToLong(args[1], &places))) return err::kInvalidCall;
    if (places < 0) return err::kInvalidCall;
    const Value& v = args[0];
    if (v.isIntegral()) {
        *out = v;
        out->hard = false;
        return err::kNone;
    }
    double x;
    if (int e = ToDouble(v, &x)) return e;
    double r = x;
    if (places <= 22) {
        const double scale = std::pow(10.0, places);
        const double scaled = x * scale;
        if (std::isfinite(scaled)) r = std::nearbyint(scaled) / scale; // half to even
    }
    if (v.type == VType::Single)
        *out = Value::Single(float(r));
    else if (v.type == VType::Empty)
        *out = Value::Integer(0);
    else
        *out = Value::Double(r);
    return err::kNone;
}

TELMO_BUILTIN(Rnd) {
    // The generator of the language: a 24-bit linear congruence, fresh for every evaluation.
    auto step = [&] { context.rndSeed = (context.rndSeed * 1140671485u + 12820163u) & 0xFFFFFFu; };
    if (argc > 0) {
        if (args[0].isNull()) return err::kInvalidNull;
        double x;
        if (int e = ToDouble(args[0], &x)) return e;
        constexpr float kLargest = std::numeric_limits<float>::max();
        const float fx = x > kLargest ? kLargest : x < -kLargest ? -kLargest : float(x);
        if (fx == 0) {
            *out = Value::Single(float(context.rndSeed) / 16777216.0f);
            return err::kNone;
        }
        if (fx < 0) {
            uint32_t bits;
            std::memcpy(&bits, &fx, sizeof bits);
            context.rndSeed = (bits + (bits >> 24)) & 0xFFFFFFu;
        }
    }
    step();
    *out = Value::Single(float(context.rndSeed) / 16777216.0f);
    return err::kNone;
}

int RadixText(Value* args, Value* out, int bitsPerDigit) {
    const Value& v = args[0];
    if (PropagateNull(v, out)) return err::kNone;
    int32_t x;
    if (v.type == VType::String) {
        double d;
        if (!ParseNumericString(v.s, &d)) return err::kTypeMismatch;
        if (int e = RoundToLong(d, &x)) return e;
    } else if (int e = ToLong(v, &x)) {
        return e;
    }
    const bool narrow = v.type == VType::Integer || v.type == VType::Byte || v.type == VType::Boolean ||
                        v.type == VType::Empty;
    uint32_t u = narrow ? uint32_t(uint16_t(x)) : uint32_t(x);
    char buffer[16];
    int n = 0;
    const uint32_t mask = (1u << bitsPerDigit) - 1;
    do {
        buffer[n++] = "0123456789ABCDEF"[u & mask];
        u >>= bitsPerDigit;
    } while (u);
    QString text;
    text.reserve(n);
    while (n) text.append(QChar(buffer[--n]));
    *out = Value::String(std::move(text));
    return err::kNone;
}
TELMO_BUILTIN(Hex) {
    return RadixText(args, out, 4);
}
TELMO_BUILTIN(Oct) {
    return RadixText(args, out, 3);
}

int ConvertToInteger(const Value& v, int64_t lo, int64_t hi, VType type, Value* out) {
    if (v.isNull()) return err::kInvalidNull;
    double x;
    if (int e = ToDouble(v, &x)) return e;
    const double r = std::nearbyint(x);
    if (!(r >= double(lo) && r <= double(hi))) return err::kOverflow;
    *out = type == VType::Byte      ? Value::Byte(int32_t(r))
           : type == VType::Integer ? Value::Integer(int32_t(r))
                                    : Value::Long(int32_t(r));
    return err::kNone;
}
TELMO_BUILTIN(CInt) {
    return ConvertToInteger(args[0], -32768, 32767, VType::Integer, out);
}
TELMO_BUILTIN(CLng) {
    return ConvertToInteger(args[0], INT32_MIN, INT32_MAX, VType::Long, out);
}
TELMO_BUILTIN(CByte) {
    return ConvertToInteger(args[0], 0, 255, VType::Byte, out);
}

TELMO_BUILTIN(CDbl) {
    if (args[0].isNull()) return err::kInvalidNull;
    double x;
    if (int e = ToDouble(args[0], &x)) return e;
    *out = Value::Double(x);
    return err::kNone;
}

TELMO_BUILTIN(CSng) {
    if (args[0].isNull()) return err::kInvalidNull;
    double x;
    if (int e = ToDouble(args[0], &x)) return e;
    if (std::fabs(x) > double(std::numeric_limits<float>::max())) return err::kOverflow;
    *out = Value::Single(float(x));
    return err::kNone;
}

TELMO_BUILTIN(CBool) {
    if (args[0].isNull()) return err::kInvalidNull;
    bool b;
    if (args[0].type == VType::String && args[0].s.isEmpty()) return err::kTypeMismatch;
    if (int e = ToBoolean(args[0], &b)) return e;
    *out = Value::Boolean(b);
    return err::kNone;
}

TELMO_BUILTIN(CStr) {
    QString text;
    if (int e = ToText(args[0], &text)) return e;
    *out = Value::String(std::move(text));
    return err::kNone;
}

TELMO_BUILTIN(IsNumeric) {
    const Value& v = args[0];
    double d;
    *out = Value::Boolean(v.isNumeric() || v.type == VType::Empty ||
                          (v.type == VType::String && ParseNumericString(v.s, &d)));
    return err::kNone;
}
TELMO_BUILTIN(IsEmpty) {
    *out = Value::Boolean(args[0].type == VType::Empty);
    return err::kNone;
}
TELMO_BUILTIN(IsNull) {
    *out = Value::Boolean(args[0].isNull());
    return err::kNone;
}
TELMO_BUILTIN(VarType) {
    *out = Value::Integer(int32_t(args[0].type));
    return err::kNone;
}
TELMO_BUILTIN(TypeName) {
    static constexpr struct {
        VType type;
        const char* name;
    } kNames[] = {{VType::Empty, "Empty"},     {VType::Null, "Null"},     {VType::Integer, "Integer"},
                  {VType::Long, "Long"},       {VType::Single, "Single"}, {VType::Double, "Double"},
                  {VType::Date, "Date"},       {VType::String, "String"}, {VType::Object, "Nothing"},
                  {VType::Boolean, "Boolean"}, {VType::Byte, "Byte"}};
    for (const auto& n : kNames)
        if (n.type == args[0].type) *out = Value::String(QString::fromLatin1(n.name));
    return err::kNone;
}

constexpr FunctionInfo kFunctions[] = {
    {"abs", 1, 1, SameTypeFunction<FabsImpl, true>},
    {"asc", 1, 1, Asc},
    {"ascw", 1, 1, Asc},
    {"atn", 1, 1, MathFunction<AtnImpl>},
    {"cbool", 1, 1, CBool},
    {"cbyte", 1, 1, CByte},
    {"cdate", 1, 1, CDate},
    {"cdbl", 1, 1, CDbl},
    {"chr", 1, 1, Chr},
    {"chrw", 1, 1, ChrW},
    {"cint", 1, 1, CInt},
    {"clng", 1, 1, CLng},
    {"cos", 1, 1, MathFunction<CosImpl>},
    {"csng", 1, 1, CSng},
    {"cstr", 1, 1, CStr},
    {"date", 0, 0, Date},
    {"dateadd", 3, 3, DateAdd},
    {"datediff", 3, 5, DateDiff},
    {"dateserial", 3, 3, DateSerial},
    {"day", 1, 1, Day},
    {"exp", 1, 1, MathFunction<ExpImpl>},
    {"fix", 1, 1, SameTypeFunction<TruncImpl, false>},
    {"hex", 1, 1, Hex},
    {"hour", 1, 1, Hour},
    {"instr", 2, 4, InStr},
    {"instrrev", 2, 4, InStrRev},
    {"int", 1, 1, SameTypeFunction<FloorImpl, false>},
    {"isdate", 1, 1, IsDate},
    {"isempty", 1, 1, IsEmpty},
    {"isnull", 1, 1, IsNull},
    {"isnumeric", 1, 1, IsNumeric},
    {"lcase", 1, 1, LCase},
    {"left", 2, 2, Left},
    {"len", 1, 1, Len},
    {"log", 1, 1, MathFunction<LogImpl>},
    {"ltrim", 1, 1, LTrim},
    {"mid", 2, 3, Mid},
    {"minute", 1, 1, Minute},
    {"month", 1, 1, Month},
    {"now", 0, 0, Now},
    {"oct", 1, 1, Oct},
    {"replace", 3, 6, Replace},
    {"right", 2, 2, Right},
    {"rnd", 0, 1, Rnd},
    {"round", 1, 2, Round},
    {"rtrim", 1, 1, RTrim},
    {"second", 1, 1, Second},
    {"sgn", 1, 1, Sgn},
    {"sin", 1, 1, MathFunction<SinImpl>},
    {"space", 1, 1, Space},
    {"sqr", 1, 1, MathFunction<SqrImpl>},
    {"strcomp", 2, 3, StrComp},
    {"string", 2, 2, String},
    {"strreverse", 1, 1, StrReverse},
    {"tan", 1, 1, MathFunction<TanImpl>},
    {"time", 0, 0, Time},
    {"timeserial", 3, 3, TimeSerial},
    {"trim", 1, 1, Trim},
    {"typename", 1, 1, TypeName},
    {"ucase", 1, 1, UCase},
    {"vartype", 1, 1, VarType},
    {"weekday", 1, 2, Weekday},
    {"year", 1, 1, Year},
};

} // namespace

} // namespace telmo::vbs::builtin

namespace telmo::vbs {

const FunctionInfo* FindFunction(QStringView name) {
    for (const FunctionInfo& f : builtin::kFunctions)
        if (EqualsIgnoreCase(name, f.name)) return &f;
    return nullptr;
}

bool FindConstant(QStringView name, Value* out) {
    struct Constant {
        const char* name;
        VType type;
        int32_t number;
        const char* text;
    };
    static constexpr Constant kConstants[] = {
        {"true", VType::Boolean, -1, nullptr},
        {"false", VType::Boolean, 0, nullptr},
        {"empty", VType::Empty, 0, nullptr},
        {"null", VType::Null, 0, nullptr},
        {"nothing", VType::Object, 0, nullptr},
        {"vbcrlf", VType::String, 0, "\r\n"},
        {"vbnewline", VType::String, 0, "\r\n"},
        {"vbcr", VType::String, 0, "\r"},
        {"vblf", VType::String, 0, "\n"},
        {"vbtab", VType::String, 0, "\t"},
        {"vbnullstring", VType::String, 0, ""},
        {"vbback", VType::String, 0, "\b"},
        {"vbformfeed", VType::String, 0, "\f"},
        {"vbverticaltab", VType::String, 0, "\v"},
        {"vbbinarycompare", VType::Integer, 0, nullptr},
        {"vbtextcompare", VType::Integer, 1, nullptr},
        {"vbtrue", VType::Integer, -1, nullptr},
        {"vbfalse", VType::Integer, 0, nullptr},
        {"vbusedefault", VType::Integer, -2, nullptr},
    };
    if (EqualsIgnoreCase(name, "vbnullchar")) {
        *out = Value::String(QString(QChar(0)));
        return true;
    }
    for (const Constant& c : kConstants) {
        if (!EqualsIgnoreCase(name, c.name)) continue;
        switch (c.type) {
        case VType::Boolean:
            *out = Value::Boolean(c.number != 0);
            break;
        case VType::Empty:
            *out = Value::Empty();
            break;
        case VType::Null:
            *out = Value::Null();
            break;
        case VType::Object:
            *out = Value::Nothing();
            break;
        case VType::String:
            *out = Value::String(QString::fromLatin1(c.text));
            break;
        default:
            *out = Value::Integer(c.number);
            break;
        }
        return true;
    }
    return false;
}

} // namespace telmo::vbs
