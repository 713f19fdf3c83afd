#pragma once
// The operators of the expression language on variants. Each returns an error number (0 on success).
#include "text/vbs/Lexer.h"
#include "text/vbs/Value.h"

namespace telmo::vbs {

int Add(const Value& a, const Value& b, Value* out);
int Subtract(const Value& a, const Value& b, Value* out);
int Multiply(const Value& a, const Value& b, Value* out);
int Divide(const Value& a, const Value& b, Value* out);
int IntegerDivide(const Value& a, const Value& b, Value* out);
int Modulo(const Value& a, const Value& b, Value* out);
int Power(const Value& a, const Value& b, Value* out);
int Negate(const Value& a, Value* out);
int Concatenate(const Value& a, const Value& b, Value* out);
// op is one of Eq, Ne, Lt, Gt, Le, Ge, Is.
int Compare(Tok op, const Value& a, const Value& b, Value* out);
// op is one of And, Or, Xor, Eqv, Imp.
int Logical(Tok op, const Value& a, const Value& b, Value* out);
int LogicalNot(const Value& a, Value* out);

// Dispatches a binary operator token.
int ApplyBinary(Tok op, const Value& a, const Value& b, Value* out);

} // namespace telmo::vbs
