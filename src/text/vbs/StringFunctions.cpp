#include "text/vbs/BuiltinHelpers.h"

namespace telmo::vbs::builtin {

namespace {

Qt::CaseSensitivity CompareMode(Value* args, int argc, int index, int* error) {
    if (argc <= index) return Qt::CaseSensitive;
    int32_t mode = 0;
    *error = IntArg(args[index], &mode);
    if (!*error && mode != 0 && mode != 1) *error = err::kInvalidCall;
    return mode == 1 ? Qt::CaseInsensitive : Qt::CaseSensitive;
}

int Trimmed(Value* args, Value* out, bool left, bool right) {
    if (PropagateNull(args[0], out)) return err::kNone;
    QString s;
    if (int e = StringArg(args[0], &s)) return e;
    qsizetype b = 0, e = s.size();
    if (left)
        while (b < e && s[b] == u' ') ++b;
    if (right)
        while (e > b && s[e - 1] == u' ') --e;
    *out = Value::String(s.mid(b, e - b));
    return err::kNone;
}

int Cased(Value* args, Value* out, bool upper) {
    if (PropagateNull(args[0], out)) return err::kNone;
    QString s;
    if (int e = StringArg(args[0], &s)) return e;
    // Code unit by code unit, so the length never changes.
    QChar* data = s.data();
    for (qsizetype i = 0, n = s.size(); i < n; ++i) {
        if (data[i].isSurrogate()) continue;
        data[i] = upper ? data[i].toUpper() : data[i].toLower();
    }
    *out = Value::String(std::move(s));
    return err::kNone;
}

int Side(Value* args, Value* out, bool left) {
    if (PropagateNull(args[0], out)) return err::kNone;
    QString s;
    int32_t n;
    if (int e = StringArg(args[0], &s)) return e;
    if (int e = IntArg(args[1], &n)) return e;
    if (n < 0) return err::kInvalidCall;
    *out = Value::String(left ? s.left(n) : s.right(n));
    return err::kNone;
}

int CharacterCode(const Value& v, int32_t lo, int32_t hi, QChar* out) {
    int32_t code;
    if (int e = IntArg(v, &code)) return e;
    if (code < lo || code > hi) return err::kInvalidCall;
    *out = QChar(char16_t(code & 0xFFFF));
    return err::kNone;
}

} // namespace

TELMO_BUILTIN(Len) {
    if (PropagateNull(args[0], out)) return err::kNone;
    QString s;
    if (int e = StringArg(args[0], &s)) return e;
    *out = Value::Long(int32_t(std::min<qsizetype>(s.size(), INT32_MAX)));
    return err::kNone;
}

TELMO_BUILTIN(Left) {
    return Side(args, out, true);
}
TELMO_BUILTIN(Right) {
    return Side(args, out, false);
}

TELMO_BUILTIN(Mid) {
    if (PropagateNull(args[0], out)) return err::kNone;
    QString s;
    int32_t start, length = -1;
    if (int e = StringArg(args[0], &s)) return e;
    if (int e = IntArg(args[1], &start)) return e;
    if (argc > 2) {
        if (int e = IntArg(args[2], &length)) return e;
        if (length < 0) return err::kInvalidCall;
    }
    if (start < 1) return err::kInvalidCall;
    *out = Value::String(start > s.size() ? QString() : s.mid(start - 1, length));
    return err::kNone;
}

TELMO_BUILTIN(UCase) {
    return Cased(args, out, true);
}
TELMO_BUILTIN(LCase) {
    return Cased(args, out, false);
}
TELMO_BUILTIN(Trim) {
    return Trimmed(args, out, true, true);
}
TELMO_BUILTIN(LTrim) {
    return Trimmed(args, out, true, false);
}
TELMO_BUILTIN(RTrim) {
    return Trimmed(args, out, false, true);
}

TELMO_BUILTIN(StrReverse) {
    if (args[0].isNull()) return err::kInvalidNull;
    QString s;
    if (int e = StringArg(args[0], &s)) return e;
    QString r;
    r.reserve(s.size());
    // Surrogate pairs stay in order so that no character is broken.
    for (qsizetype i = s.size(); i > 0;) {
        --i;
        if (i > 0 && s[i].isLowSurrogate() && s[i - 1].isHighSurrogate()) {
            r.append(s[i - 1]);
            r.append(s[i]);
            --i;
        } else {
            r.append(s[i]);
        }
    }
    *out = Value::String(std::move(r));
    return err::kNone;
}

TELMO_BUILTIN(Space) {
    int32_t n;
    if (int e = IntArg(args[0], &n)) return e;
    if (n < 0) return err::kInvalidCall;
    if (n > kMaxStringLength) return err::kOutOfMemory;
    *out = Value::String(QString(n, QChar(u' ')));
    return err::kNone;
}

TELMO_BUILTIN(String) {
    int32_t n;
    if (int e = IntArg(args[0], &n)) return e;
    if (PropagateNull(args[1], out)) return err::kNone;
    QChar c;
    if (args[1].type == VType::String) {
        if (args[1].s.isEmpty()) return err::kInvalidCall;
        c = args[1].s[0];
    } else if (int e = CharacterCode(args[1], -32768, 65535, &c)) {
        return e;
    }
    if (n < 0) return err::kInvalidCall;
    if (n > kMaxStringLength) return err::kOutOfMemory;
    *out = Value::String(QString(n, c));
    return err::kNone;
}

TELMO_BUILTIN(InStr) {
    int32_t start = 1;
    int first = 0;
    if (argc >= 3) {
        if (int e = IntArg(args[0], &start)) return e;
        if (start < 1) return err::kInvalidCall;
        first = 1;
    }
    int error = err::kNone;
    const Qt::CaseSensitivity cs = CompareMode(args, argc, 3, &error);
    if (error) return error;
    if (args[first].isNull() || args[first + 1].isNull()) {
        *out = Value::Null();
        return err::kNone;
    }
    QString haystack, needle;
    if (int e = StringArg(args[first], &haystack)) return e;
    if (int e = StringArg(args[first + 1], &needle)) return e;
    qsizetype found = 0;
    if (start > haystack.size())
        found = 0;
    else if (needle.isEmpty())
        found = start;
    else
        found = haystack.indexOf(needle, start - 1, cs) + 1;
    *out = Value::Long(int32_t(found));
    return err::kNone;
}

TELMO_BUILTIN(InStrRev) {
    int32_t start = -1;
    if (argc >= 3) {
        if (int e = IntArg(args[2], &start)) return e;
        if (start < 1 && start != -1) return err::kInvalidCall;
    }
    int error = err::kNone;
    const Qt::CaseSensitivity cs = CompareMode(args, argc, 3, &error);
    if (error) return error;
    if (args[0].isNull() || args[1].isNull()) {
        *out = Value::Null();
        return err::kNone;
    }
    QString haystack, needle;
    if (int e = StringArg(args[0], &haystack)) return e;
    if (int e = StringArg(args[1], &needle)) return e;
    if (start == -1) start = int32_t(std::min<qsizetype>(haystack.size(), INT32_MAX));
    qsizetype found = 0;
    if (start > haystack.size())
        found = 0;
    else if (needle.isEmpty())
        found = start;
    else if (needle.size() <= start)
        found = haystack.left(start).lastIndexOf(needle, start - needle.size(), cs) + 1;
    *out = Value::Long(int32_t(found));
    return err::kNone;
}

TELMO_BUILTIN(Replace) {
    if (PropagateNull(args[0], out)) return err::kNone;
    QString text, find, with;
    if (int e = StringArg(args[0], &text)) return e;
    if (int e = StringArg(args[1], &find)) return e;
    if (int e = StringArg(args[2], &with)) return e;
    int32_t start = 1, count = -1;
    if (argc > 3) {
        if (int e = IntArg(args[3], &start)) return e;
        if (start < 1) return err::kInvalidCall;
    }
    if (argc > 4) {
        if (int e = IntArg(args[4], &count)) return e;
        if (count < -1) return err::kInvalidCall;
    }
    int error = err::kNone;
    const Qt::CaseSensitivity cs = CompareMode(args, argc, 5, &error);
    if (error) return error;
    // The result begins at `start`: what stands before it is dropped.
    const QStringView rest = QStringView(text).mid(std::min<qsizetype>(start - 1, text.size()));
    if (find.isEmpty() || count == 0) {
        *out = Value::String(rest.toString());
        return err::kNone;
    }
    // Counted first, so that an oversized result is refused before it is built.
    qsizetype matches = 0;
    for (qsizetype at = rest.indexOf(find, 0, cs); at >= 0 && (count < 0 || matches < count);
         at = rest.indexOf(find, at + find.size(), cs))
        ++matches;
    const qsizetype size = rest.size() + matches * (with.size() - find.size());
    if (size > kMaxStringLength) return err::kOutOfMemory;
    QString result;
    result.reserve(size);
    qsizetype from = 0;
    for (qsizetype done = 0; done < matches; ++done) {
        const qsizetype at = rest.indexOf(find, from, cs);
        result.append(rest.mid(from, at - from));
        result.append(with);
        from = at + find.size();
    }
    result.append(rest.mid(from));
    return StringResult(std::move(result), out);
}

TELMO_BUILTIN(StrComp) {
    int error = err::kNone;
    const Qt::CaseSensitivity cs = CompareMode(args, argc, 2, &error);
    if (error) return error;
    if (args[0].isNull() || args[1].isNull()) {
        *out = Value::Null();
        return err::kNone;
    }
    QString a, b;
    if (int e = StringArg(args[0], &a)) return e;
    if (int e = StringArg(args[1], &b)) return e;
    const int c = QString::compare(a, b, cs);
    *out = Value::Integer(c < 0 ? -1 : c > 0 ? 1 : 0);
    return err::kNone;
}

TELMO_BUILTIN(Chr) {
    QChar c;
    if (int e = CharacterCode(args[0], 0, 255, &c)) return e;
    *out = Value::String(QString(c));
    return err::kNone;
}

TELMO_BUILTIN(ChrW) {
    QChar c;
    if (int e = CharacterCode(args[0], -32768, 65535, &c)) return e;
    *out = Value::String(QString(c));
    return err::kNone;
}

TELMO_BUILTIN(Asc) {
    QString s;
    if (int e = StringArg(args[0], &s)) return e;
    if (s.isEmpty()) return err::kInvalidCall;
    *out = Value::Integer(int16_t(s[0].unicode()));
    return err::kNone;
}

} // namespace telmo::vbs::builtin
