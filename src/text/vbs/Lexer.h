#pragma once
// Tokens of one expression line, read on demand without copying the text.
#include "text/vbs/Value.h"

#include <QStringView>

namespace telmo::vbs {

enum class Tok : uint8_t {
    End,
    Error,
    Number,
    Date,
    String,
    Ident,
    Plus,
    Minus,
    Star,
    Slash,
    Backslash,
    Caret,
    Amp,
    Eq,
    Ne,
    Lt,
    Gt,
    Le,
    Ge,
    LParen,
    RParen,
    Comma,
    Mod,
    And,
    Or,
    Xor,
    Eqv,
    Imp,
    Not,
    Is,
};

struct Token {
    Tok kind = Tok::End;
    QStringView text;           // identifier; string contents between the quotes
    bool doubledQuotes = false; // the string contents contain "" pairs standing for one quote
    VType numberType = VType::Integer;
    int32_t integer = 0;    // Integer and Long literals
    double real = 0;        // Double literals; the serial of Date literals
    int error = err::kNone; // for Tok::Error
};

class Lexer {
public:
    explicit Lexer(QStringView text) : text_(text) {}
    Token Next();

private:
    Token ReadNumber();
    Token ReadRadix(int radix);
    Token ReadString();
    Token ReadDate();
    Token ReadWord();

    QStringView text_;
    qsizetype pos_ = 0;
};

} // namespace telmo::vbs
