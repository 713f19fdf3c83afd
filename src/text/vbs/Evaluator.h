#pragma once
// Evaluates one expression of the language the line arithmetic speaks (a VBScript expression).
#include "text/vbs/Value.h"

#include <QString>
#include <QStringView>

namespace telmo::vbs {

// Deepest nesting of parentheses and calls accepted; deeper input is refused, never a stack overflow.
inline constexpr int kMaxNesting = 200;

// Evaluates the expression; returns 0 and the value, or the error number.
int Evaluate(QStringView expression, Value* value);

// Evaluates the expression and converts the value as CStr does; returns 0 and the text, or the
// error number (a Null value gives invalid use of Null).
int EvaluateToText(QStringView expression, QString* text);

} // namespace telmo::vbs
