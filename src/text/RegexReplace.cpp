// Regular-expression replace-all on PCRE2 (16-bit code units) with our own match loop and our own
// expansion of the replacement, so that empty matches and "$" references behave as users expect.
#define PCRE2_CODE_UNIT_WIDTH 16
#include "text/RegexDialect.h"
#include "text/ReplaceAll.h"

#include <algorithm>
#include <memory>
#include <new>
#include <pcre2.h>
#include <vector>

namespace telmo {
namespace {

// Results above this size would not fit the int-sized positions of a text widget.
constexpr qsizetype kMaxResultUnits = 0x7FFFFFFF;

struct CodeFree {
    void operator()(pcre2_code* p) const { pcre2_code_free(p); }
};
struct CompileContextFree {
    void operator()(pcre2_compile_context* p) const { pcre2_compile_context_free(p); }
};
struct MatchContextFree {
    void operator()(pcre2_match_context* p) const { pcre2_match_context_free(p); }
};
struct MatchDataFree {
    void operator()(pcre2_match_data* p) const { pcre2_match_data_free(p); }
};
struct JitStackFree {
    void operator()(pcre2_jit_stack* p) const { pcre2_jit_stack_free(p); }
};

QString EngineMessage(int code) {
    PCRE2_UCHAR buffer[256];
    const int length = pcre2_get_error_message(code, buffer, 256);
    return length > 0 ? QString::fromUtf16(reinterpret_cast<const char16_t*>(buffer), length)
                      : QString::number(code);
}

ReplaceResult Failure(const QString& text, const QString& error) {
    return {false, text, error};
}

// The replacement after escape decoding, cut once into literal runs and references.
class ReplacementTemplate {
public:
    enum class Kind { Literal, Group, Match, Before, After };
    struct Piece {
        Kind kind;
        qsizetype start = 0, length = 0; // Literal: the run in the replacement; Group: number in start
    };

    ReplacementTemplate(const QString& replacement, int groups) : replacement_(replacement) {
        const QStringView r(replacement);
        qsizetype runStart = 0;
        auto flush = [&](qsizetype end) {
            if (end > runStart) pieces_.push_back({Kind::Literal, runStart, end - runStart});
        };
        for (qsizetype i = 0; i + 1 < r.size(); ++i) {
            if (r[i] != u'$') continue;
            const char16_t c = r[i + 1].unicode();
            Piece piece{Kind::Literal};
            qsizetype used = 2;
            if (c == u'$') {
                piece = {Kind::Literal, i + 1, 1};
            } else if (c == u'&') {
                piece.kind = Kind::Match;
            } else if (c == u'`') {
                piece.kind = Kind::Before;
            } else if (c == u'\'') {
                piece.kind = Kind::After;
            } else if (c >= u'0' && c <= u'9') {
                const int one = c - u'0';
                const char16_t d = i + 2 < r.size() ? r[i + 2].unicode() : 0;
                const int two = (d >= u'0' && d <= u'9') ? one * 10 + (d - u'0') : -1;
                if (two >= 1 && two <= groups) {
                    piece = {Kind::Group, two};
                    used = 3;
                } else if (one >= 1 && one <= groups) {
                    piece = {Kind::Group, one};
                } else {
                    continue; // no such group: the "$" stays as typed
                }
            } else {
                continue;
            }
            flush(i);
            pieces_.push_back(piece);
            i += used - 1;
            runStart = i + 1;
        }
        flush(r.size());
    }

    // Appends the expansion for one match; false if the result would grow too large.
    bool AppendTo(QString& out, QStringView text, const PCRE2_SIZE* ovector, int pairs) const {
        const qsizetype start = ovector[0], end = ovector[1];
        for (const Piece& p : pieces_) {
            QStringView add;
            switch (p.kind) {
            case Kind::Literal:
                add = QStringView(replacement_).sliced(p.start, p.length);
                break;
            case Kind::Match:
                add = text.sliced(start, end - start);
                break;
            case Kind::Before:
                add = text.first(start);
                break;
            case Kind::After:
                add = text.sliced(end);
                break;
            case Kind::Group:
                if (p.start < pairs && ovector[2 * p.start] != PCRE2_UNSET)
                    add = text.sliced(ovector[2 * p.start], ovector[2 * p.start + 1] - ovector[2 * p.start]);
                break; // an unset group inserts nothing
            }
            if (add.size() > kMaxResultUnits - out.size()) return false;
            out.append(add);
        }
        return true;
    }

private:
    QString replacement_;
    std::vector<Piece> pieces_;
};

std::chrono::milliseconds BudgetFor(qsizetype units, const RegexLimits& limits) {
    if (limits.budget.count() > 0) return limits.budget;
    return std::chrono::milliseconds(5000 + units / 10000); // 5 s and 0.1 s per million characters
}

// The match limit bounds the work at one start position, but a single search tries every position
// up to the next match. A callout at the head of the pattern runs at each position tried and ends
// the search once the time is up.
struct Deadline {
    std::chrono::steady_clock::time_point at;
    unsigned calls = 0;
};

int CheckDeadline(pcre2_callout_block*, void* data) {
    auto* deadline = static_cast<Deadline*>(data);
    if (++deadline->calls % 8 == 0 && std::chrono::steady_clock::now() > deadline->at)
        return PCRE2_ERROR_CALLOUT;
    return 0;
}

} // namespace

ReplaceResult RegexReplaceAll(const QString& text, const QString& pattern, const QString& replacement,
                              const RegexLimits& limits) {
    try {
        const TranslatedPattern translated = TranslatePattern(pattern);
        if (!translated.ok)
            return Failure(text, QStringLiteral("正则表达式有误（第 %1 个字符）：%2")
                                     .arg(translated.errorPosition + 1)
                                     .arg(translated.error));

        std::unique_ptr<pcre2_compile_context, CompileContextFree> compileContext(
            pcre2_compile_context_create(nullptr));
        if (!compileContext) throw std::bad_alloc();
        pcre2_set_newline(compileContext.get(), PCRE2_NEWLINE_ANYCRLF);
        int errorCode = 0;
        PCRE2_SIZE errorOffset = 0;
        const uint32_t options = PCRE2_MULTILINE | PCRE2_ALT_BSUX | PCRE2_DOLLAR_ENDONLY |
                                 PCRE2_MATCH_UNSET_BACKREF | PCRE2_NEVER_UTF | PCRE2_NEVER_UCP |
                                 PCRE2_NEVER_BACKSLASH_C;
        // The head callout watches the time (see CheckDeadline); the typed pattern is balanced, so
        // the group around it changes nothing.
        static constexpr std::u16string_view kHead = u"(?C)(?:";
        const std::u16string guarded = std::u16string(kHead) + translated.pcre + u")";
        std::unique_ptr<pcre2_code, CodeFree> code(pcre2_compile(reinterpret_cast<PCRE2_SPTR>(guarded.data()),
                                                                 guarded.size(), options, &errorCode,
                                                                 &errorOffset, compileContext.get()));
        if (!code) {
            const size_t inner =
                std::clamp<size_t>(errorOffset, kHead.size(), kHead.size() + translated.pcre.size());
            const qsizetype at = translated.typedPosition[inner - kHead.size()];
            return Failure(text, QStringLiteral("正则表达式有误（第 %1 个字符）：%2")
                                     .arg(at + 1)
                                     .arg(EngineMessage(errorCode)));
        }
        bool useJit = pcre2_jit_compile(code.get(), PCRE2_JIT_COMPLETE) == 0;

        std::unique_ptr<pcre2_match_context, MatchContextFree> matchContext(
            pcre2_match_context_create(nullptr));
        if (!matchContext) throw std::bad_alloc();
        pcre2_set_match_limit(matchContext.get(), limits.matchLimit);
        pcre2_set_heap_limit(matchContext.get(), 256 * 1024); // KiB, for the interpreter's backtracking
        Deadline deadline{std::chrono::steady_clock::now() + BudgetFor(text.size(), limits)};
        pcre2_set_callout(matchContext.get(), &CheckDeadline, &deadline);
        std::unique_ptr<pcre2_jit_stack, JitStackFree> jitStack;
        if (useJit) {
            jitStack.reset(pcre2_jit_stack_create(64 * 1024, 8 * 1024 * 1024, nullptr));
            if (jitStack) pcre2_jit_stack_assign(matchContext.get(), nullptr, jitStack.get());
        }
        std::unique_ptr<pcre2_match_data, MatchDataFree> matchData(
            pcre2_match_data_create_from_pattern(code.get(), nullptr));
        if (!matchData) throw std::bad_alloc();

        uint32_t groups = 0;
        pcre2_pattern_info(code.get(), PCRE2_INFO_CAPTURECOUNT, &groups);
        const ReplacementTemplate expansion(DecodeReplacementEscapes(replacement), static_cast<int>(groups));

        const QStringView subject(text);
        const auto units = reinterpret_cast<PCRE2_SPTR>(subject.utf16());
        const PCRE2_SIZE length = subject.size();
        const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(matchData.get());

        QString out;
        bool matched = false;
        PCRE2_SIZE copied = 0;
        PCRE2_SIZE from = 0;
        while (from <= length) {
            int rc = pcre2_match(code.get(), units, length, from, useJit ? 0 : PCRE2_NO_JIT, matchData.get(),
                                 matchContext.get());
            if (rc ==
                PCRE2_ERROR_JIT_STACKLIMIT) { // deep recursion: the interpreter keeps its stack on the heap
                useJit = false;
                rc = pcre2_match(code.get(), units, length, from, PCRE2_NO_JIT, matchData.get(),
                                 matchContext.get());
            }
            if (rc == PCRE2_ERROR_NOMATCH) break;
            if (rc == PCRE2_ERROR_CALLOUT)
                return Failure(text, QStringLiteral("替换用时太长，已停止，文本没有改动。"));
            if (rc == PCRE2_ERROR_MATCHLIMIT || rc == PCRE2_ERROR_DEPTHLIMIT || rc == PCRE2_ERROR_HEAPLIMIT ||
                rc == PCRE2_ERROR_JIT_STACKLIMIT)
                return Failure(text, QStringLiteral("正则表达式太复杂，匹配超出限制，文本没有改动。"));
            if (rc == PCRE2_ERROR_NOMEMORY) throw std::bad_alloc();
            if (rc < 0)
                return Failure(text, QStringLiteral("匹配出错（%1），文本没有改动。").arg(EngineMessage(rc)));
            const PCRE2_SIZE start = ovector[0], end = ovector[1];
            if (start < copied || end < start) // only possible with \K, which the dialect does not have
                return Failure(text, QStringLiteral("匹配出错，文本没有改动。"));
            if (!matched) {
                matched = true;
                out.reserve(subject.size() + 16);
            }
            if (qsizetype(start - copied) > kMaxResultUnits - out.size())
                return Failure(text, QStringLiteral("替换结果太大，文本没有改动。"));
            out.append(subject.sliced(copied, start - copied));
            if (!expansion.AppendTo(out, subject, ovector, rc))
                return Failure(text, QStringLiteral("替换结果太大，文本没有改动。"));
            copied = end;
            from = end > start ? end : end + 1; // after an empty match, move on one code unit
        }
        if (!matched) return {true, text, {}};
        if (qsizetype(length - copied) > kMaxResultUnits - out.size())
            return Failure(text, QStringLiteral("替换结果太大，文本没有改动。"));
        out.append(subject.sliced(copied));
        return {true, std::move(out), {}};
    } catch (const std::bad_alloc&) {
        return Failure(text, QStringLiteral("内存不足，文本没有改动。"));
    }
}

} // namespace telmo
