#include "text/vbs/Lexer.h"

#include "text/vbs/Dates.h"

#include <algorithm>
#include <charconv>
#include <string>

namespace telmo::vbs {

namespace {
bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}
bool IsLetter(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}
Token Simple(Tok kind) {
    Token t;
    t.kind = kind;
    return t;
}
Token Failure(int code) {
    Token t;
    t.kind = Tok::Error;
    t.error = code;
    return t;
}
} // namespace

Token Lexer::Next() {
    const qsizetype n = text_.size();
    while (pos_ < n && (text_[pos_] == u' ' || text_[pos_] == u'\t')) ++pos_;
    if (pos_ >= n) return Simple(Tok::End);
    const char16_t c = text_[pos_].unicode();
    const char16_t next = pos_ + 1 < n ? text_[pos_ + 1].unicode() : 0;
    if (IsDigit(c) || (c == u'.' && IsDigit(next))) return ReadNumber();
    if (IsLetter(c)) return ReadWord();
    if (c == u'"') return ReadString();
    if (c == u'#') return ReadDate();
    if (c == u'&' && (next == u'h' || next == u'H') && pos_ + 2 < n &&
        DigitValue(text_[pos_ + 2].unicode(), 16) >= 0)
        return ReadRadix(16);
    if (c == u'&' && (next == u'o' || next == u'O') && pos_ + 2 < n &&
        DigitValue(text_[pos_ + 2].unicode(), 8) >= 0)
        return ReadRadix(8);
    ++pos_;
    switch (c) {
    case u'+':
        return Simple(Tok::Plus);
    case u'-':
        return Simple(Tok::Minus);
    case u'*':
        return Simple(Tok::Star);
    case u'/':
        return Simple(Tok::Slash);
    case u'\\':
        return Simple(Tok::Backslash);
    case u'^':
        return Simple(Tok::Caret);
    case u'&':
        return Simple(Tok::Amp);
    case u'(':
        return Simple(Tok::LParen);
    case u')':
        return Simple(Tok::RParen);
    case u',':
        return Simple(Tok::Comma);
    case u'\'':
        pos_ = n;
        return Simple(Tok::End); // a comment runs to the end of the line
    case u'=':
        if (next == u'>') return ++pos_, Simple(Tok::Ge);
        if (next == u'<') return ++pos_, Simple(Tok::Le);
        return Simple(Tok::Eq);
    case u'<':
        if (next == u'>') return ++pos_, Simple(Tok::Ne);
        if (next == u'=') return ++pos_, Simple(Tok::Le);
        return Simple(Tok::Lt);
    case u'>':
        if (next == u'<') return ++pos_, Simple(Tok::Ne);
        if (next == u'=') return ++pos_, Simple(Tok::Ge);
        return Simple(Tok::Gt);
    default:
        return Failure(err::kSyntax);
    }
}

Token Lexer::ReadNumber() {
    const qsizetype n = text_.size();
    const qsizetype start = pos_;
    bool real = false;
    while (pos_ < n && IsDigit(text_[pos_].unicode())) ++pos_;
    if (pos_ < n && text_[pos_] == u'.') {
        real = true;
        ++pos_;
        while (pos_ < n && IsDigit(text_[pos_].unicode())) ++pos_;
    }
    if (pos_ < n && (text_[pos_] == u'e' || text_[pos_] == u'E')) {
        qsizetype p = pos_ + 1;
        if (p < n && (text_[p] == u'+' || text_[p] == u'-')) ++p;
        if (p >= n || !IsDigit(text_[p].unicode())) return Failure(err::kSyntax);
        while (p < n && IsDigit(text_[p].unicode())) ++p;
        pos_ = p;
        real = true;
    }
    const QStringView digits = text_.mid(start, pos_ - start);
    Token t;
    t.kind = Tok::Number;
    if (!real && digits.size() <= 10) {
        int64_t v = 0;
        for (QChar d : digits) v = v * 10 + (d.unicode() - u'0');
        if (v <= 2147483647) {
            t.numberType = v <= 32767 ? VType::Integer : VType::Long;
            t.integer = int32_t(v);
            return t;
        }
    }
    // Everything in a number literal is ASCII, so a narrowing copy is exact.
    char small[64];
    std::string large;
    char* buffer = small;
    if (digits.size() > qsizetype(sizeof small)) {
        large.resize(size_t(digits.size()));
        buffer = large.data();
    }
    for (qsizetype i = 0; i < digits.size(); ++i) buffer[i] = char(digits[i].unicode());
    double v = 0;
    auto [ptr, ec] = std::from_chars(buffer, buffer + digits.size(), v);
    if (ec == std::errc::result_out_of_range) {
        // A tiny literal underflows to 0; a huge one does not compile.
        const char* e =
            std::find_if(buffer, buffer + digits.size(), [](char ch) { return ch == 'e' || ch == 'E'; });
        if (e != buffer + digits.size() && e[1] == '-')
            v = 0;
        else
            return Failure(err::kOverflow);
    } else if (ec != std::errc()) {
        return Failure(err::kSyntax);
    }
    t.numberType = VType::Double;
    t.real = v;
    return t;
}

Token Lexer::ReadRadix(int radix) {
    const qsizetype n = text_.size();
    pos_ += 2;
    uint64_t v = 0;
    while (pos_ < n) {
        const int d = DigitValue(text_[pos_].unicode(), radix);
        if (d < 0) break;
        v = v * uint64_t(radix) + uint64_t(d);
        if (v > 0xFFFFFFFFu) return Failure(err::kOverflow);
        ++pos_;
    }
    bool wide = false;
    if (pos_ < n && text_[pos_] == u'&') {
        wide = true;
        ++pos_;
    }
    const int32_t value = RadixPatternValue(uint32_t(v), wide);
    Token t;
    t.kind = Tok::Number;
    t.numberType = (value >= -32768 && value <= 32767) ? VType::Integer : VType::Long;
    t.integer = value;
    return t;
}

Token Lexer::ReadString() {
    const qsizetype n = text_.size();
    const qsizetype start = ++pos_;
    bool doubled = false;
    while (pos_ < n) {
        if (text_[pos_] == u'"') {
            if (pos_ + 1 < n && text_[pos_ + 1] == u'"') {
                doubled = true;
                pos_ += 2;
                continue;
            }
            Token t;
            t.kind = Tok::String;
            t.text = text_.mid(start, pos_ - start);
            t.doubledQuotes = doubled;
            ++pos_;
            return t;
        }
        ++pos_;
    }
    return Failure(err::kUnterminatedString);
}

Token Lexer::ReadDate() {
    const qsizetype close = text_.indexOf(u'#', pos_ + 1);
    if (close < 0) return Failure(err::kSyntax);
    Token t;
    if (!ParseDateText(text_.sliced(pos_ + 1, close - pos_ - 1), &t.real)) return Failure(err::kSyntax);
    pos_ = close + 1;
    t.kind = Tok::Date;
    return t;
}

Token Lexer::ReadWord() {
    const qsizetype n = text_.size();
    const qsizetype start = pos_;
    while (pos_ < n) {
        const char16_t c = text_[pos_].unicode();
        if (!IsLetter(c) && !IsDigit(c) && c != u'_') break;
        ++pos_;
    }
    const QStringView word = text_.mid(start, pos_ - start);
    if (word.size() > 255) return Failure(err::kSyntax);
    static constexpr struct {
        const char* name;
        Tok kind;
    } kWordOperators[] = {{"mod", Tok::Mod}, {"and", Tok::And}, {"or", Tok::Or},   {"xor", Tok::Xor},
                          {"eqv", Tok::Eqv}, {"imp", Tok::Imp}, {"not", Tok::Not}, {"is", Tok::Is}};
    if (word.size() <= 3)
        for (const auto& op : kWordOperators)
            if (EqualsIgnoreCase(word, op.name)) return Simple(op.kind);
    Token t;
    t.kind = Tok::Ident;
    t.text = word;
    return t;
}

} // namespace telmo::vbs
