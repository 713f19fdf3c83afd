#pragma once
// Shared by the files that implement built-in functions.
#include "text/vbs/Functions.h"

namespace telmo::vbs::builtin {

// For functions that return Null for a Null argument: true when it did.
inline bool PropagateNull(const Value& v, Value* out) {
    if (!v.isNull()) return false;
    *out = Value::Null();
    return true;
}

// Integer argument with half-to-even rounding; Null gives invalid use of Null.
inline int IntArg(const Value& v, int32_t* out) {
    if (v.isNull()) return err::kInvalidNull;
    return ToLong(v, out);
}

// String argument in its CStr form; Null gives invalid use of Null.
inline int StringArg(const Value& v, QString* out) {
    return ToText(v, out);
}

// Stores a built string, refusing one beyond the length limit.
inline int StringResult(QString text, Value* out) {
    if (text.size() > kMaxStringLength) return err::kOutOfMemory;
    *out = Value::String(std::move(text));
    return err::kNone;
}

#define TELMO_BUILTIN(name) int name(Value* args, int argc, Value* out, FunctionContext& context)

// String functions (StringFunctions.cpp).
TELMO_BUILTIN(Len);
TELMO_BUILTIN(Left);
TELMO_BUILTIN(Right);
TELMO_BUILTIN(Mid);
TELMO_BUILTIN(UCase);
TELMO_BUILTIN(LCase);
TELMO_BUILTIN(Trim);
TELMO_BUILTIN(LTrim);
TELMO_BUILTIN(RTrim);
TELMO_BUILTIN(StrReverse);
TELMO_BUILTIN(Space);
TELMO_BUILTIN(String);
TELMO_BUILTIN(InStr);
TELMO_BUILTIN(InStrRev);
TELMO_BUILTIN(Replace);
TELMO_BUILTIN(StrComp);
TELMO_BUILTIN(Chr);
TELMO_BUILTIN(ChrW);
TELMO_BUILTIN(Asc);

// Date functions (Dates.cpp).
TELMO_BUILTIN(Year);
TELMO_BUILTIN(Month);
TELMO_BUILTIN(Day);
TELMO_BUILTIN(Hour);
TELMO_BUILTIN(Minute);
TELMO_BUILTIN(Second);
TELMO_BUILTIN(Weekday);
TELMO_BUILTIN(DateSerial);
TELMO_BUILTIN(TimeSerial);
TELMO_BUILTIN(CDate);
TELMO_BUILTIN(IsDate);
TELMO_BUILTIN(DateAdd);
TELMO_BUILTIN(DateDiff);
TELMO_BUILTIN(Now);
TELMO_BUILTIN(Date);
TELMO_BUILTIN(Time);

} // namespace telmo::vbs::builtin
