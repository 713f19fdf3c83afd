#pragma once
// Dates of the expression language: a Double of days since 30 December 1899, the fraction the time
// of day (for days before that, the fraction still counts forward from midnight).
#include "text/vbs/Value.h"

namespace telmo::vbs {

inline constexpr double kFirstDate = -657434.0;       // 1 January 100
inline constexpr double kLastDate = 2958465.99998843; // 31 December 9999 23:59:59

// Reads a date and/or time text in US order: "1/2/2003", "2003-01-02", "10:30", "10:30:00 PM",
// "1/2/2003 10:30". Two-digit years: 0-29 are 20xx, 30-99 19xx. False for anything else.
bool ParseDateText(QStringView text, double* serial);

// "M/D/YYYY h:mm:ss AM": the time is left out at midnight, the date when the day is 0.
void AppendDateText(double serial, QString* out);

// A value as a date: dates and numbers directly (checked against the range), strings parsed.
int ToDate(const Value& v, double* serial);

} // namespace telmo::vbs
