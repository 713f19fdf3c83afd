#pragma once
// Line arithmetic (every line an expression) and the income-and-expense bill.
#include <QString>

namespace telmo {

// One line of EvaluateLines: the line without its leading and trailing spaces, "=" and the value
// as text ("1+2" → "1+2=3"). A line that fails to evaluate, or whose value is empty, comes back
// exactly as it was.
QString EvaluateExpressionLine(const QString& line);

// Every line, empty ones included, replaced by EvaluateExpressionLine of it; lines joined with CR LF.
QString EvaluateLines(const QString& text);

// The text with its line breaks written as CR LF, then CR LF and the line
// "累计收入：INCOME，累计支出：EXPENSE": the first number of every line counted in single
// precision, positive amounts as income, the others as expense.
QString ComputeBill(const QString& text);

// A bill total with at most seven significant digits (3023.5, -1500, 1.234568E+07); a total
// beyond single-precision range gives the overflow text of the amounts.
QString FormatBillTotal(float total);

} // namespace telmo
