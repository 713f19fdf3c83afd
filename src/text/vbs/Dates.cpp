#include "text/vbs/Dates.h"

#include "text/vbs/BuiltinHelpers.h"

#include <QDateTime>
#include <cmath>

namespace telmo::vbs {

namespace {

constexpr int64_t kEpochShift = 25569; // days from 30 December 1899 to 1 January 1970
constexpr int64_t kSecondsPerDay = 86400;

// Days since 1 January 1970 of a proleptic Gregorian date (month 1-12, any day count).
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

struct Civil {
    int64_t year;
    int month, day;
};

Civil CivilFromDays(int64_t z) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int day = int(doy - (153 * mp + 2) / 5 + 1);
    const int month = int(mp < 10 ? mp + 3 : mp - 9);
    return {yoe + era * 400 + (month <= 2), month, day};
}

int DaysInMonth(int64_t y, int m) {
    return int(DaysFromCivil(m == 12 ? y + 1 : y, m == 12 ? 1 : m + 1, 1) - DaysFromCivil(y, m, 1));
}

// The serial as seconds on a straight time line (the fraction of a negative serial counts forward).
int64_t TimelineSeconds(double serial) {
    const double day = std::trunc(serial);
    const double timeline = day + std::fabs(serial - day);
    return int64_t(std::llround(timeline * double(kSecondsPerDay)));
}

double SerialFromSeconds(int64_t seconds) {
    const int64_t day =
        seconds >= 0 ? seconds / kSecondsPerDay : -((-seconds + kSecondsPerDay - 1) / kSecondsPerDay);
    const double time = double(seconds - day * kSecondsPerDay) / double(kSecondsPerDay);
    return day >= 0 ? double(day) + time : double(day) - time;
}

struct Moment {
    Civil date;
    int64_t day; // serial day
    int hour, minute, second;
};

Moment MomentOf(double serial) {
    const int64_t seconds = TimelineSeconds(serial);
    int64_t day = seconds / kSecondsPerDay;
    int64_t rest = seconds % kSecondsPerDay;
    if (rest < 0) {
        rest += kSecondsPerDay;
        --day;
    }
    return {CivilFromDays(day - kEpochShift), day, int(rest / 3600), int(rest / 60 % 60), int(rest % 60)};
}

int Expand2DigitYear(int64_t y) {
    return int(y < 30 ? 2000 + y : 1900 + y);
}

bool InRange(double serial) {
    return serial >= kFirstDate && serial <= kLastDate;
}

int DateResult(int64_t seconds, Value* out) {
    const double serial = SerialFromSeconds(seconds);
    if (!InRange(serial)) return err::kInvalidCall;
    *out = Value::Date(serial);
    return err::kNone;
}

int SerialFromCivil(int64_t y, int64_t m, int64_t d, double* serial) {
    // Months and days beyond their range carry over, as DateSerial(2000, 13, 0) does.
    const int64_t months = y * 12 + (m - 1);
    const int64_t year = months >= 0 ? months / 12 : -((-months + 11) / 12);
    const int64_t month = months - year * 12 + 1;
    const int64_t day = DaysFromCivil(year, month, 1) + kEpochShift + (d - 1);
    if (!InRange(double(day))) return err::kInvalidCall;
    *serial = double(day);
    return err::kNone;
}

// Reads digits at pos; false when there are none or too many.
bool ReadNumber(QStringView s, qsizetype& pos, int64_t* value, int* digits) {
    int64_t v = 0;
    int n = 0;
    while (pos < s.size() && s[pos].unicode() >= u'0' && s[pos].unicode() <= u'9' && n < 6) {
        v = v * 10 + (s[pos].unicode() - u'0');
        ++pos;
        ++n;
    }
    *value = v;
    *digits = n;
    return n > 0 && !(pos < s.size() && s[pos].isDigit());
}

void SkipBlanks(QStringView s, qsizetype& pos) {
    while (pos < s.size() && (s[pos] == u' ' || s[pos] == u'\t')) ++pos;
}

} // namespace

bool ParseDateText(QStringView s, double* serial) {
    qsizetype pos = 0;
    SkipBlanks(s, pos);
    int64_t a, b, c;
    int da, db, dc;
    double day = 0;
    bool haveDate = false;
    const qsizetype start = pos;
    if (ReadNumber(s, pos, &a, &da) && pos < s.size() && (s[pos] == u'/' || s[pos] == u'-')) {
        const QChar sep = s[pos++];
        if (!ReadNumber(s, pos, &b, &db) || pos >= s.size() || s[pos] != sep) return false;
        ++pos;
        if (!ReadNumber(s, pos, &c, &dc)) return false;
        int64_t year, month, dayOfMonth;
        if (da >= 3) { // year first: 2003-01-02 or 2003/1/2
            year = a, month = b, dayOfMonth = c;
        } else { // US order: month/day/year
            month = a, dayOfMonth = b, year = dc <= 2 ? Expand2DigitYear(c) : c;
        }
        if (month < 1 || month > 12 || year < 100 || year > 9999 || dayOfMonth < 1 ||
            dayOfMonth > DaysInMonth(year, int(month)))
            return false;
        day = double(DaysFromCivil(year, month, dayOfMonth) + kEpochShift);
        haveDate = true;
        SkipBlanks(s, pos);
    } else {
        pos = start;
    }
    int64_t seconds = 0;
    if (pos < s.size()) {
        int64_t h, m = 0, sec = 0;
        int dh, dm, ds;
        if (!ReadNumber(s, pos, &h, &dh) || pos >= s.size() || s[pos] != u':') return false;
        ++pos;
        if (!ReadNumber(s, pos, &m, &dm)) return false;
        if (pos < s.size() && s[pos] == u':') {
            ++pos;
            if (!ReadNumber(s, pos, &sec, &ds)) return false;
        }
        SkipBlanks(s, pos);
        if (pos < s.size()) {
            const QStringView suffix = s.sliced(pos, std::min<qsizetype>(2, s.size() - pos));
            const bool pm = EqualsIgnoreCase(suffix, "pm");
            if (!pm && !EqualsIgnoreCase(suffix, "am")) return false;
            if (h < 1 || h > 12) return false;
            h = h % 12 + (pm ? 12 : 0);
            pos += 2;
            SkipBlanks(s, pos);
        }
        if (h > 23 || m > 59 || sec > 59) return false;
        seconds = h * 3600 + m * 60 + sec;
    }
    if (pos != s.size() || (!haveDate && pos == start)) return false;
    const double time = double(seconds) / double(kSecondsPerDay);
    *serial = day >= 0 ? day + time : day - time;
    return true;
}

void AppendDateText(double serial, QString* out) {
    const Moment t = MomentOf(serial);
    const bool hasDate = t.day != 0;
    const bool hasTime = t.hour || t.minute || t.second;
    if (hasDate) {
        out->append(QString::number(t.date.month));
        out->append(QChar(u'/'));
        out->append(QString::number(t.date.day));
        out->append(QChar(u'/'));
        out->append(QString::number(t.date.year));
    }
    if (hasTime || !hasDate) {
        if (hasDate) out->append(QChar(u' '));
        const int h12 = t.hour % 12 == 0 ? 12 : t.hour % 12;
        out->append(QStringLiteral("%1:%2:%3 %4")
                        .arg(h12)
                        .arg(t.minute, 2, 10, QChar(u'0'))
                        .arg(t.second, 2, 10, QChar(u'0'))
                        .arg(t.hour < 12 ? QLatin1String("AM") : QLatin1String("PM")));
    }
}

int ToDate(const Value& v, double* serial) {
    if (v.isNull()) return err::kInvalidNull;
    if (v.type == VType::String) {
        if (ParseDateText(v.s, serial)) return err::kNone;
        double d;
        if (!ParseNumericString(v.s, &d)) return err::kTypeMismatch;
        *serial = d;
    } else if (int e = ToDouble(v, serial)) {
        return e;
    }
    return InRange(*serial) ? err::kNone : err::kOverflow;
}

namespace builtin {

namespace {

template <int Moment::*Field> int TimePart(Value* args, Value* out) {
    if (PropagateNull(args[0], out)) return err::kNone;
    double serial;
    if (int e = ToDate(args[0], &serial)) return e;
    *out = Value::Integer(MomentOf(serial).*Field);
    return err::kNone;
}

enum class DatePart { Year, Month, Day };

int CivilPart(Value* args, Value* out, DatePart part) {
    if (PropagateNull(args[0], out)) return err::kNone;
    double serial;
    if (int e = ToDate(args[0], &serial)) return e;
    const Civil c = MomentOf(serial).date;
    *out = Value::Integer(int32_t(part == DatePart::Year    ? c.year
                                  : part == DatePart::Month ? c.month
                                                            : c.day));
    return err::kNone;
}

int FirstDayOfWeek(Value* args, int argc, int index, int32_t* first) {
    *first = 1;
    if (argc <= index) return err::kNone;
    if (int e = IntArg(args[index], first)) return e;
    if (*first < 0 || *first > 7) return err::kInvalidCall;
    if (*first == 0) *first = 1; // the system's first day: Sunday
    return err::kNone;
}

int WeekdayOf(int64_t serialDay, int32_t first) {
    const int sundayBased = int(((serialDay % 7) + 7 + 6) % 7) + 1; // day 0 was a Saturday
    return (sundayBased - first + 7) % 7 + 1;
}

enum class Interval { Year, Quarter, Month, Day, Week, WeekOfYear, Hour, Minute, Second, Bad };

Interval IntervalOf(const Value& v) {
    if (v.type != VType::String) return Interval::Bad;
    static constexpr struct {
        const char* name;
        Interval interval;
    } kIntervals[] = {{"yyyy", Interval::Year},     {"q", Interval::Quarter}, {"m", Interval::Month},
                      {"y", Interval::Day},         {"d", Interval::Day},     {"w", Interval::Week},
                      {"ww", Interval::WeekOfYear}, {"h", Interval::Hour},    {"n", Interval::Minute},
                      {"s", Interval::Second}};
    for (const auto& i : kIntervals)
        if (EqualsIgnoreCase(v.s, i.name)) return i.interval;
    return Interval::Bad;
}

} // namespace

TELMO_BUILTIN(Year) {
    return CivilPart(args, out, DatePart::Year);
}
TELMO_BUILTIN(Month) {
    return CivilPart(args, out, DatePart::Month);
}
TELMO_BUILTIN(Day) {
    return CivilPart(args, out, DatePart::Day);
}
TELMO_BUILTIN(Hour) {
    return TimePart<&Moment::hour>(args, out);
}
TELMO_BUILTIN(Minute) {
    return TimePart<&Moment::minute>(args, out);
}
TELMO_BUILTIN(Second) {
    return TimePart<&Moment::second>(args, out);
}

TELMO_BUILTIN(Weekday) {
    if (PropagateNull(args[0], out)) return err::kNone;
    double serial;
    int32_t first;
    if (int e = ToDate(args[0], &serial)) return e;
    if (int e = FirstDayOfWeek(args, argc, 1, &first)) return e;
    *out = Value::Integer(WeekdayOf(MomentOf(serial).day, first));
    return err::kNone;
}

TELMO_BUILTIN(DateSerial) {
    int32_t y, m, d;
    if (int e = IntArg(args[0], &y)) return e;
    if (int e = IntArg(args[1], &m)) return e;
    if (int e = IntArg(args[2], &d)) return e;
    double serial;
    if (int e = SerialFromCivil(y >= 0 && y < 100 ? Expand2DigitYear(y) : y, m, d, &serial)) return e;
    *out = Value::Date(serial);
    return err::kNone;
}

TELMO_BUILTIN(TimeSerial) {
    int32_t h, m, s;
    if (int e = IntArg(args[0], &h)) return e;
    if (int e = IntArg(args[1], &m)) return e;
    if (int e = IntArg(args[2], &s)) return e;
    return DateResult(int64_t(h) * 3600 + int64_t(m) * 60 + s, out);
}

TELMO_BUILTIN(CDate) {
    double serial;
    if (int e = ToDate(args[0], &serial)) return e;
    *out = Value::Date(serial);
    return err::kNone;
}

TELMO_BUILTIN(IsDate) {
    double serial;
    *out = Value::Boolean(args[0].type == VType::Date ||
                          (args[0].type == VType::String && ParseDateText(args[0].s, &serial)));
    return err::kNone;
}

TELMO_BUILTIN(DateAdd) {
    const Interval interval = IntervalOf(args[0]);
    if (interval == Interval::Bad) return err::kInvalidCall;
    int32_t n;
    double serial;
    if (int e = IntArg(args[1], &n)) return e;
    if (PropagateNull(args[2], out)) return err::kNone;
    if (int e = ToDate(args[2], &serial)) return e;
    const int64_t seconds = TimelineSeconds(serial);
    switch (interval) {
    case Interval::Year:
    case Interval::Quarter:
    case Interval::Month: {
        // Whole months; the day is clamped to the last day of the month reached.
        const Moment t = MomentOf(serial);
        const int64_t months = interval == Interval::Year      ? int64_t(n) * 12
                               : interval == Interval::Quarter ? int64_t(n) * 3
                                                               : n;
        const int64_t total = t.date.year * 12 + (t.date.month - 1) + months;
        const int64_t year = total / 12;
        const int month = int(total % 12) + 1;
        if (total < 0 || year < 100 || year > 9999) return err::kInvalidCall;
        const int dayOfMonth = std::min(t.date.day, DaysInMonth(year, month));
        const int64_t day = DaysFromCivil(year, month, dayOfMonth) + kEpochShift;
        return DateResult(day * kSecondsPerDay + (seconds - t.day * kSecondsPerDay), out);
    }
    case Interval::Day:
        return DateResult(seconds + int64_t(n) * kSecondsPerDay, out);
    case Interval::Week:
    case Interval::WeekOfYear:
        return DateResult(seconds + int64_t(n) * 7 * kSecondsPerDay, out);
    case Interval::Hour:
        return DateResult(seconds + int64_t(n) * 3600, out);
    case Interval::Minute:
        return DateResult(seconds + int64_t(n) * 60, out);
    case Interval::Second:
        return DateResult(seconds + n, out);
    case Interval::Bad:
        break;
    }
    return err::kInvalidCall;
}

TELMO_BUILTIN(DateDiff) {
    const Interval interval = IntervalOf(args[0]);
    if (interval == Interval::Bad) return err::kInvalidCall;
    if (args[1].isNull() || args[2].isNull()) {
        *out = Value::Null();
        return err::kNone;
    }
    double s1, s2;
    int32_t first;
    if (int e = ToDate(args[1], &s1)) return e;
    if (int e = ToDate(args[2], &s2)) return e;
    if (int e = FirstDayOfWeek(args, argc, 3, &first)) return e;
    const Moment a = MomentOf(s1), b = MomentOf(s2);
    const int64_t secA = TimelineSeconds(s1), secB = TimelineSeconds(s2);
    auto floorDiv = [](int64_t x, int64_t d) { return x >= 0 ? x / d : -((-x + d - 1) / d); };
    int64_t r = 0;
    switch (interval) {
    case Interval::Year:
        r = b.date.year - a.date.year;
        break;
    case Interval::Quarter:
        r = (b.date.year * 4 + (b.date.month - 1) / 3) - (a.date.year * 4 + (a.date.month - 1) / 3);
        break;
    case Interval::Month:
        r = (b.date.year * 12 + b.date.month) - (a.date.year * 12 + a.date.month);
        break;
    case Interval::Day:
        r = b.day - a.day;
        break;
    case Interval::Week:
        r = (b.day - a.day) / 7;
        break;
    case Interval::WeekOfYear: {
        // Boundaries crossed: first days of the week between the two dates.
        const int64_t startA = a.day - (WeekdayOf(a.day, first) - 1);
        const int64_t startB = b.day - (WeekdayOf(b.day, first) - 1);
        r = (startB - startA) / 7;
        break;
    }
    case Interval::Hour:
        r = floorDiv(secB, 3600) - floorDiv(secA, 3600);
        break;
    case Interval::Minute:
        r = floorDiv(secB, 60) - floorDiv(secA, 60);
        break;
    case Interval::Second:
        r = secB - secA;
        break;
    case Interval::Bad:
        return err::kInvalidCall;
    }
    *out = Value::FromInt64AtLeast(VType::Long, r);
    return err::kNone;
}

TELMO_BUILTIN(Now) {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    const QTime t = now.time();
    const int64_t day = DaysFromCivil(d.year(), d.month(), d.day()) + kEpochShift;
    return DateResult(day * kSecondsPerDay + t.msecsSinceStartOfDay() / 1000, out);
}

TELMO_BUILTIN(Date) {
    const QDate d = QDate::currentDate();
    *out = Value::Date(double(DaysFromCivil(d.year(), d.month(), d.day()) + kEpochShift));
    return err::kNone;
}

TELMO_BUILTIN(Time) {
    return DateResult(QTime::currentTime().msecsSinceStartOfDay() / 1000, out);
}

} // namespace builtin

} // namespace telmo::vbs
