#include "text/vbs/Evaluator.h"

#include "text/vbs/Functions.h"
#include "text/vbs/Lexer.h"
#include "text/vbs/Operators.h"

namespace telmo::vbs {

namespace {

constexpr int kNotLevel = 6;
constexpr int kMaxArguments = 6;

// Binding strength of a binary operator; 0 for anything else.
int Precedence(Tok t) {
    switch (t) {
    case Tok::Imp:
        return 1;
    case Tok::Eqv:
        return 2;
    case Tok::Xor:
        return 3;
    case Tok::Or:
        return 4;
    case Tok::And:
        return 5;
    case Tok::Eq:
    case Tok::Ne:
    case Tok::Lt:
    case Tok::Gt:
    case Tok::Le:
    case Tok::Ge:
    case Tok::Is:
        return 7;
    case Tok::Amp:
        return 8;
    case Tok::Plus:
    case Tok::Minus:
        return 9;
    case Tok::Mod:
        return 10;
    case Tok::Backslash:
        return 11;
    case Tok::Star:
    case Tok::Slash:
        return 12;
    case Tok::Caret:
        return 13;
    default:
        return 0;
    }
}

// Precedence climbing that evaluates as it parses: operators never short-circuit, so every operand
// is evaluated exactly once in order, and the first error ends the work.
class Parser {
public:
    explicit Parser(QStringView text) : lexer_(text) { Advance(); }

    int Run(Value* out) {
        Value v = ParseExpression(0);
        if (error_) return error_;
        if (token_.kind != Tok::End) return err::kExpectedEnd;
        *out = std::move(v);
        return err::kNone;
    }

private:
    void Advance() {
        token_ = lexer_.Next();
        if (token_.kind == Tok::Error) Fail(token_.error);
    }
    void Fail(int code) {
        if (!error_) error_ = code;
    }
    void Check(int code) {
        if (code) Fail(code);
    }

    struct DepthGuard {
        explicit DepthGuard(int& d) : depth(d) { ++depth; }
        ~DepthGuard() { --depth; }
        int& depth;
    };

    Value ParseExpression(int minLevel) {
        DepthGuard guard(depth_);
        if (depth_ > kMaxNesting) {
            Fail(err::kTooComplex);
            return {};
        }
        Value lhs;
        if (token_.kind == Tok::Not) {
            if (minLevel > kNotLevel) {
                Fail(err::kExpectedExpression);
                return {};
            }
            size_t nots = 0;
            while (token_.kind == Tok::Not) {
                ++nots;
                Advance();
            }
            lhs = ParseExpression(kNotLevel + 1);
            for (size_t i = 0; i < nots && !error_; ++i) Check(LogicalNot(Value(lhs), &lhs));
        } else {
            lhs = ParseUnary();
        }
        while (!error_) {
            const Tok op = token_.kind;
            const int level = Precedence(op);
            if (level == 0 || level < minLevel) break;
            Advance();
            Value rhs = ParseExpression(level + 1); // + 1: every binary operator is left-associative
            if (error_) break;
            Value result;
            Check(ApplyBinary(op, lhs, rhs, &result));
            lhs = std::move(result);
        }
        return lhs;
    }

    // Signs bind tighter than ^ here: -2^2 is 4.
    Value ParseUnary() {
        size_t minus = 0;
        while (token_.kind == Tok::Minus || token_.kind == Tok::Plus) {
            if (token_.kind == Tok::Minus) ++minus;
            Advance();
        }
        Value v = ParsePrimary();
        for (size_t i = 0; i < minus && !error_; ++i) {
            Value negated;
            Check(Negate(v, &negated));
            v = std::move(negated);
        }
        return v;
    }

    Value ParsePrimary() {
        if (error_) return {};
        Value v;
        switch (token_.kind) {
        case Tok::Number:
            if (token_.numberType == VType::Double)
                v = Value::Double(token_.real);
            else
                v = token_.numberType == VType::Integer ? Value::Integer(token_.integer)
                                                        : Value::Long(token_.integer);
            v.hard = true;
            Advance();
            return v;
        case Tok::Date:
            v = Value::Date(token_.real);
            v.hard = true;
            Advance();
            return v;
        case Tok::String:
            v = Value::String(token_.doubledQuotes
                                  ? token_.text.toString().replace(QLatin1String("\"\""), QLatin1String("\""))
                                  : token_.text.toString());
            v.hard = true;
            Advance();
            return v;
        case Tok::LParen:
            Advance();
            v = ParseExpression(0);
            if (!error_ && token_.kind != Tok::RParen) Fail(err::kExpectedParen);
            if (!error_) Advance();
            return v;
        case Tok::Ident:
            return ParseIdentifier();
        default:
            Fail(err::kExpectedExpression);
            return {};
        }
    }

    Value ParseIdentifier() {
        const QStringView name = token_.text;
        Advance();
        const FunctionInfo* function = FindFunction(name);
        Value v;
        if (token_.kind != Tok::LParen) {
            if (FindConstant(name, &v)) return v;
            if (!function) return v; // an unknown variable is Empty
            if (function->minArgs > 0) {
                Fail(err::kWrongArgCount);
                return {};
            }
            Check(function->fn(nullptr, 0, &v, context_));
            return v;
        }
        if (!function) {
            Fail(err::kTypeMismatch); // calling what is not a function
            return {};
        }
        Advance();
        Value args[kMaxArguments];
        int argc = 0;
        if (token_.kind != Tok::RParen) {
            for (;;) {
                if (argc == kMaxArguments) {
                    Fail(err::kWrongArgCount);
                    return {};
                }
                args[argc++] = ParseExpression(0);
                if (error_) return {};
                if (token_.kind != Tok::Comma) break;
                Advance();
            }
        }
        if (!error_ && token_.kind != Tok::RParen) Fail(err::kExpectedParen);
        if (error_) return {};
        Advance();
        if (argc < function->minArgs || argc > function->maxArgs) {
            Fail(err::kWrongArgCount);
            return {};
        }
        Check(function->fn(args, argc, &v, context_));
        v.hard = false;
        return v;
    }

    Lexer lexer_;
    Token token_;
    int error_ = err::kNone;
    int depth_ = 0;
    FunctionContext context_;
};

} // namespace

int Evaluate(QStringView expression, Value* value) {
    Parser parser(expression);
    return parser.Run(value);
}

int EvaluateToText(QStringView expression, QString* text) {
    Value v;
    if (int e = Evaluate(expression, &v)) return e;
    return ToText(v, text);
}

} // namespace telmo::vbs
