// The typed dialect restated for PCRE2; linear in the pattern length.
#include "text/RegexDialect.h"

namespace telmo {
namespace {

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}
bool IsOctal(char16_t c) {
    return c >= u'0' && c <= u'7';
}
bool IsAsciiLetter(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}
bool IsAsciiAlnum(char16_t c) {
    return IsDigit(c) || IsAsciiLetter(c);
}

int HexValue(char16_t c) {
    if (IsDigit(c)) return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

bool IsClassEscape(char16_t c) {
    return c == u'd' || c == u'D' || c == u'w' || c == u'W' || c == u's' || c == u'S';
}

// One item of a character class: a single code unit or a class escape such as \d.
struct ClassAtom {
    bool classEscape = false;
    char16_t unit = 0;
    qsizetype at = 0;
};

class Translator {
public:
    explicit Translator(QStringView typed) : in_(typed) {}

    TranslatedPattern Run() {
        groups_ = CountGroups();
        while (i_ < in_.size() && result_.error.isEmpty()) Step();
        if (!openGroups_.empty()) Fail(openGroups_.back(), QStringLiteral("括号 ( 没有配对的 )"));
        if (result_.error.isEmpty()) {
            result_.ok = true;
            result_.typedPosition.push_back(in_.size());
        } else {
            result_.pcre.clear();
            result_.typedPosition.clear();
        }
        return std::move(result_);
    }

private:
    char16_t At(qsizetype k) const { return k < in_.size() ? in_[k].unicode() : 0; }
    bool Has(qsizetype k) const { return k < in_.size(); }

    void Fail(qsizetype at, const QString& why) {
        if (!result_.error.isEmpty()) return;
        result_.errorPosition = at;
        result_.error = why;
    }

    void Emit(std::u16string_view text, qsizetype from) {
        result_.pcre.append(text);
        result_.typedPosition.insert(result_.typedPosition.end(), text.size(), from);
    }

    // A code unit that must match itself, written so that PCRE2 reads nothing more into it.
    void EmitLiteral(char16_t c, qsizetype from) {
        if (IsAsciiAlnum(c) || c >= 0x80) {
            Emit(std::u16string_view(&c, 1), from);
        } else if (c < 0x20 || c == 0x7F) {
            static const char16_t kHex[] = u"0123456789ABCDEF";
            const char16_t esc[] = {u'\\', u'u', u'0', u'0', kHex[c >> 4], kHex[c & 15]};
            Emit(std::u16string_view(esc, 6), from);
        } else {
            const char16_t esc[] = {u'\\', c};
            Emit(std::u16string_view(esc, 2), from);
        }
    }

    // Capturing groups decide whether \N is a back-reference or an octal escape.
    int CountGroups() const {
        int count = 0;
        for (qsizetype k = 0; k < in_.size(); ++k) {
            const char16_t c = in_[k].unicode();
            if (c == u'\\') {
                ++k;
            } else if (c == u'[') {
                ++k;
                if (At(k) == u'^') ++k;
                if (At(k) == u']') continue; // "[]" or "[^]"
                while (Has(k) && At(k) != u']') k += At(k) == u'\\' ? 2 : 1;
            } else if (c == u'(' && At(k + 1) != u'?') {
                ++count;
            }
        }
        return count;
    }

    // A valid {n}, {n,} or {n,m} at k; anything else is a literal brace. Returns its length or 0.
    qsizetype BraceQuantifierLength(qsizetype k) const {
        qsizetype j = k + 1;
        const qsizetype digitsStart = j;
        while (IsDigit(At(j))) ++j;
        if (j == digitsStart) return 0;
        if (At(j) == u',') {
            ++j;
            while (IsDigit(At(j))) ++j;
        }
        return At(j) == u'}' ? j + 1 - k : 0;
    }

    void Quantifier(qsizetype length) {
        if (afterQuantifier_) {
            // "a*?" is a lazy repeat; PCRE2 would read "a*+" as possessive, which the dialect lacks.
            if (in_[i_] == u'?' && length == 1 && !lazy_) {
                lazy_ = true;
                Emit(u"?", i_++);
                return;
            }
            Fail(i_, QStringLiteral("重复符号前面没有可以重复的内容"));
            return;
        }
        result_.pcre.append(in_.sliced(i_, length).utf16(), length);
        result_.typedPosition.insert(result_.typedPosition.end(), length, i_);
        i_ += length;
        afterQuantifier_ = true;
        lazy_ = false;
    }

    void Step() {
        const char16_t c = in_[i_].unicode();
        if (c == u'*' || c == u'+' || c == u'?') return Quantifier(1);
        if (c == u'{') {
            if (const qsizetype length = BraceQuantifierLength(i_)) return Quantifier(length);
        }
        afterQuantifier_ = false;
        switch (c) {
        case u'\\':
            return Escape();
        case u'[':
            return CharacterClass();
        case u'(':
            if (At(i_ + 1) == u'?') {
                const char16_t kind = At(i_ + 2);
                if (kind != u':' && kind != u'=' && kind != u'!')
                    return Fail(i_, QStringLiteral("不支持的分组写法，只能用 (?: (?= (?!"));
                const char16_t group[] = {u'(', u'?', kind};
                openGroups_.push_back(i_);
                Emit(std::u16string_view(group, 3), i_);
                i_ += 3;
                return;
            }
            if (At(i_ + 1) == u'*') return Fail(i_ + 1, QStringLiteral("重复符号前面没有可以重复的内容"));
            openGroups_.push_back(i_);
            Emit(u"(", i_++);
            return;
        case u')':
            // Checked here, as the engine sees the pattern inside a group of our own.
            if (openGroups_.empty()) return Fail(i_, QStringLiteral("括号 ) 没有配对的 ("));
            openGroups_.pop_back();
            Emit(u")", i_++);
            return;
        case u'$':
            // Multi-line "$" is before CR or LF, but not between the two halves of one CR LF.
            Emit(u"(?:$(?!(?<=\\r)\\n))", i_++);
            return;
        case u'{':
        case u'}':
        case u']':
            EmitLiteral(c, i_++);
            return;
        default:
            Emit(std::u16string_view(&c, 1), i_++);
        }
    }

    // \cX with a letter: the control character; otherwise the backslash stands for itself.
    bool ControlEscape(qsizetype at, bool inClass, char16_t* unit) const {
        const char16_t x = At(at + 2);
        if (IsAsciiLetter(x) || (inClass && (IsDigit(x) || x == u'_'))) {
            *unit = x % 32;
            return true;
        }
        return false;
    }

    // \xHH and \uHHHH with all their digits; otherwise the letter itself.
    qsizetype HexEscape(qsizetype at, int digits, char16_t* unit) const {
        int value = 0;
        for (int d = 0; d < digits; ++d) {
            const int h = HexValue(At(at + 2 + d));
            if (h < 0 || !Has(at + 2 + d)) return 0;
            value = value * 16 + h;
        }
        *unit = static_cast<char16_t>(value);
        return 2 + digits;
    }

    // A legacy octal escape: up to three digits, at most \377.
    qsizetype OctalEscape(qsizetype at, char16_t* unit) const {
        int value = At(at + 1) - u'0';
        qsizetype length = 2;
        if (IsOctal(At(at + 2))) {
            value = value * 8 + (At(at + 2) - u'0');
            ++length;
            if (At(at + 1) <= u'3' && IsOctal(At(at + 3))) {
                value = value * 8 + (At(at + 3) - u'0');
                ++length;
            }
        }
        *unit = static_cast<char16_t>(value);
        return length;
    }

    // The escapes that mean one code unit, the same inside and outside classes. Returns the
    // length consumed, or 0 when e is not one of them.
    qsizetype UnitEscape(char16_t e, bool inClass, char16_t* unit) const {
        switch (e) {
        case u'f':
            *unit = 0x0C;
            return 2;
        case u'n':
            *unit = 0x0A;
            return 2;
        case u'r':
            *unit = 0x0D;
            return 2;
        case u't':
            *unit = 0x09;
            return 2;
        case u'v':
            *unit = 0x0B;
            return 2;
        case u'x':
            return HexEscape(i_, 2, unit);
        case u'u':
            return HexEscape(i_, 4, unit);
        case u'c':
            return ControlEscape(i_, inClass, unit) ? 3 : 0;
        default:
            return 0;
        }
    }

    void Escape() {
        if (!Has(i_ + 1)) return Fail(i_, QStringLiteral("表达式不能以 \\ 结尾"));
        const char16_t e = At(i_ + 1);
        const qsizetype at = i_;
        char16_t unit = 0;
        if (IsClassEscape(e) || e == u'b' || e == u'B') {
            const char16_t esc[] = {u'\\', e};
            Emit(std::u16string_view(esc, 2), at);
            i_ += 2;
        } else if (const qsizetype length = UnitEscape(e, false, &unit)) {
            EmitLiteral(unit, at);
            i_ += length;
        } else if (e == u'c') {
            EmitLiteral(u'\\', at); // "\c" without a letter: a backslash, then "c" as it comes
            i_ += 1;
        } else if (IsDigit(e)) {
            DecimalEscape();
        } else {
            EmitLiteral(e, at); // an escape with no meaning of its own is the character
            i_ += 2;
        }
    }

    void DecimalEscape() {
        const qsizetype at = i_;
        const char16_t e = At(i_ + 1);
        if (e != u'0') {
            qsizetype j = i_ + 1;
            long long number = 0;
            while (IsDigit(At(j)) && number <= groups_) number = number * 10 + (At(j++) - u'0');
            if (!IsDigit(At(j)) && number <= groups_) {
                const std::u16string ref = u"\\g{" + QString::number(number).toStdU16String() + u"}";
                Emit(ref, at);
                i_ = j;
                return;
            }
        }
        if (IsOctal(e)) {
            char16_t unit = 0;
            i_ += OctalEscape(i_, &unit);
            EmitLiteral(unit, at);
            return;
        }
        EmitLiteral(e, at); // \8 and \9 without such a group are the digits
        i_ += 2;
    }

    ClassAtom ReadClassAtom() {
        ClassAtom atom;
        atom.at = i_;
        const char16_t c = At(i_);
        if (c != u'\\') {
            atom.unit = c;
            ++i_;
            return atom;
        }
        if (!Has(i_ + 1)) {
            Fail(i_, QStringLiteral("表达式不能以 \\ 结尾"));
            ++i_;
            return atom;
        }
        const char16_t e = At(i_ + 1);
        if (IsClassEscape(e)) {
            atom.classEscape = true;
            atom.unit = e;
            i_ += 2;
        } else if (const qsizetype length = UnitEscape(e, true, &atom.unit)) {
            i_ += length;
        } else if (e == u'b') {
            atom.unit = 0x08; // backspace inside a class
            i_ += 2;
        } else if (e == u'c') {
            atom.unit = u'\\';
            i_ += 1;
        } else if (IsOctal(e)) {
            i_ += OctalEscape(i_, &atom.unit);
        } else {
            atom.unit = e;
            i_ += 2;
        }
        return atom;
    }

    void EmitAtom(const ClassAtom& atom) {
        if (atom.classEscape) {
            const char16_t esc[] = {u'\\', atom.unit};
            Emit(std::u16string_view(esc, 2), atom.at);
        } else {
            EmitLiteral(atom.unit, atom.at);
        }
    }

    void CharacterClass() {
        const qsizetype start = i_++;
        const bool negated = At(i_) == u'^';
        if (negated) ++i_;
        if (At(i_) == u']' && Has(i_)) {
            Emit(negated ? u"[\\s\\S]" : u"[^\\s\\S]", start);
            ++i_;
            return;
        }
        Emit(negated ? u"[^" : u"[", start);
        while (result_.error.isEmpty()) {
            if (!Has(i_)) return Fail(start, QStringLiteral("字符类缺少结尾的 ]"));
            if (At(i_) == u']') break;
            const ClassAtom first = ReadClassAtom();
            if (At(i_) == u'-' && Has(i_ + 1) && At(i_ + 1) != u']') {
                const qsizetype dash = i_++;
                const ClassAtom last = ReadClassAtom();
                EmitAtom(first);
                if (first.classEscape || last.classEscape) {
                    EmitLiteral(u'-', dash); // next to \d, \w or \s a hyphen is just a hyphen
                } else if (first.unit > last.unit) {
                    return Fail(first.at, QStringLiteral("字符范围的顺序反了"));
                } else {
                    Emit(u"-", dash);
                }
                EmitAtom(last);
            } else {
                EmitAtom(first);
            }
        }
        Emit(u"]", i_++);
    }

    QStringView in_;
    qsizetype i_ = 0;
    int groups_ = 0;
    bool afterQuantifier_ = false;
    bool lazy_ = false;
    std::vector<qsizetype> openGroups_;
    TranslatedPattern result_;
};

} // namespace

TranslatedPattern TranslatePattern(QStringView typed) {
    return Translator(typed).Run();
}

} // namespace telmo
