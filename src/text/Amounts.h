#pragma once
// Amounts of money written in Chinese capital numerals, as on cheques and receipts.
#include <QString>
#include <QStringView>

namespace telmo {

// The value of the number at the start of the text: an optional sign, digits with at most one
// decimal point and an optional exponent (E, e, D or d, optional sign, digits). Spaces, tabs and
// line feeds are skipped wherever they occur; reading stops at the first character that does not
// fit. Without any digit the value is 0. A magnitude beyond double range gives an infinity.
double ParseLeadingNumber(QStringView text);

// The capital form of an amount held in single precision: "壹佰贰拾叁圆零肆分", "拾圆整",
// "负壹圆贰角伍分"; "[错误：长度溢出]" from 100,000,000 up in magnitude (or not finite).
QString FormatCapitalAmount(float amount);

// Replaces the first number of every line (from its first digit or minus sign to the line's end)
// by its capital form. Lines without a digit or minus sign stay as they are.
QString AmountsToCapitals(const QString& text);

// Rounds to single precision; magnitudes beyond float range become infinities.
float ToSingle(double value);

// Position of the first digit 0-9 or minus sign in the line, or -1. The amount of a line starts there.
qsizetype FindAmountStart(QStringView line);

} // namespace telmo
