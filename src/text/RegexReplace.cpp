// Regular-expression replace-all on PCRE2 (16-bit code units) with our own match loop and our own
// expansion of the replacement, so that empty matches and "$" references behave as users expect.
#define PCRE2_CODE_UNIT_WIDTH 16
#include "text/RegexDialect.h"
#include "text/ReplaceAll.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <new>
#include <pcre2.h>
#include <system_error>
#include <thread>
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

    // Whether the replacement holds $` or $', the text before or after the match.
    bool RefersToWholeText() const {
        return std::any_of(pieces_.begin(), pieces_.end(),
                           [](const Piece& p) { return p.kind == Kind::Before || p.kind == Kind::After; });
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
// the search once the time is up. On big texts the clock is watched by a thread of its own, so that
// the callout only reads a flag; on small ones it reads the clock at every eighth position.
class Deadline {
public:
    Deadline() = default;
    Deadline(const Deadline&) = delete;
    Deadline& operator=(const Deadline&) = delete;
    ~Deadline() {
        {
            std::lock_guard lock(mutex_);
            stop_ = true;
        }
        changed_.notify_one();
        if (watch_.joinable()) watch_.join();
    }

    // Sets (or moves) the moment the searches give up; from the first call with watch on, a thread
    // watches the clock.
    void Set(std::chrono::steady_clock::time_point at, bool watch) {
        at_ = at;
        if (!watch && !watch_.joinable()) return;
        {
            std::lock_guard lock(mutex_);
            watchedAt_ = at;
        }
        if (watch_.joinable()) {
            changed_.notify_one();
            return;
        }
        try {
            watch_ = std::thread([this] { Watch(); });
        } catch (const std::system_error&) {
            // No thread to be had: the clock is read at the positions instead.
        }
    }

    bool Passed() {
        if (watch_.joinable()) return passed_.load(std::memory_order_relaxed);
        return ++calls_ % 8 == 0 && std::chrono::steady_clock::now() > at_;
    }

private:
    void Watch() {
        std::unique_lock lock(mutex_);
        while (!stop_) {
            const auto at = watchedAt_;
            if (changed_.wait_until(lock, at, [&] { return stop_ || watchedAt_ != at; })) continue;
            passed_.store(true, std::memory_order_relaxed);
            return;
        }
    }

    std::chrono::steady_clock::time_point at_;
    unsigned calls_ = 0;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::chrono::steady_clock::time_point watchedAt_;
    bool stop_ = false;
    std::atomic<bool> passed_{false};
    std::thread watch_;
};

// Texts from this many code units on have their clock watched by a thread.
constexpr qsizetype kWatchedUnits = qsizetype(1) << 16;

int CheckDeadline(pcre2_callout_block*, void* data) {
    return static_cast<Deadline*>(data)->Passed() ? PCRE2_ERROR_CALLOUT : 0;
}

const QString kTooLarge = QStringLiteral("替换结果太大，文本没有改动。");

} // namespace

// The pattern compiled once, with everything a search needs; shared by the whole-text replace and
// the streamed one.
class CompiledRegex {
public:
    // Throws std::bad_alloc when memory runs out; otherwise error is empty when the pattern compiled.
    CompiledRegex(const QString& pattern, const QString& replacement, const RegexLimits& limits,
                  bool partial = false) {
        const TranslatedPattern translated = TranslatePattern(pattern);
        if (!translated.ok) {
            error = QStringLiteral("正则表达式有误（第 %1 个字符）：%2")
                        .arg(translated.errorPosition + 1)
                        .arg(translated.error);
            return;
        }
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
        code.reset(pcre2_compile(reinterpret_cast<PCRE2_SPTR>(guarded.data()), guarded.size(), options,
                                 &errorCode, &errorOffset, compileContext.get()));
        if (!code) {
            const size_t inner =
                std::clamp<size_t>(errorOffset, kHead.size(), kHead.size() + translated.pcre.size());
            const qsizetype at = translated.typedPosition[inner - kHead.size()];
            error = QStringLiteral("正则表达式有误（第 %1 个字符）：%2")
                        .arg(at + 1)
                        .arg(EngineMessage(errorCode));
            return;
        }
        useJit =
            pcre2_jit_compile(code.get(), PCRE2_JIT_COMPLETE | (partial ? PCRE2_JIT_PARTIAL_HARD : 0)) == 0;

        matchContext.reset(pcre2_match_context_create(nullptr));
        if (!matchContext) throw std::bad_alloc();
        pcre2_set_match_limit(matchContext.get(), limits.matchLimit);
        pcre2_set_heap_limit(matchContext.get(), 256 * 1024); // KiB, for the interpreter's backtracking
        pcre2_set_callout(matchContext.get(), &CheckDeadline, &deadline);
        if (useJit) {
            jitStack.reset(pcre2_jit_stack_create(64 * 1024, 8 * 1024 * 1024, nullptr));
            if (jitStack) pcre2_jit_stack_assign(matchContext.get(), nullptr, jitStack.get());
        }
        matchData.reset(pcre2_match_data_create_from_pattern(code.get(), nullptr));
        if (!matchData) throw std::bad_alloc();
        ovector = pcre2_get_ovector_pointer(matchData.get());

        uint32_t groups = 0;
        pcre2_pattern_info(code.get(), PCRE2_INFO_CAPTURECOUNT, &groups);
        expansion = std::make_unique<ReplacementTemplate>(DecodeReplacementEscapes(replacement),
                                                          static_cast<int>(groups));
    }

    // One search from `from`; the result code of pcre2_match, the match in ovector. A search too
    // deep for the JIT stack is repeated by the interpreter, which keeps its stack on the heap.
    int Search(QStringView subject, PCRE2_SIZE from, uint32_t options) {
        const auto units = reinterpret_cast<PCRE2_SPTR>(subject.utf16());
        int rc = pcre2_match(code.get(), units, subject.size(), from, options | (useJit ? 0 : PCRE2_NO_JIT),
                             matchData.get(), matchContext.get());
        if (rc == PCRE2_ERROR_JIT_STACKLIMIT) {
            useJit = false;
            rc = pcre2_match(code.get(), units, subject.size(), from, options | PCRE2_NO_JIT, matchData.get(),
                             matchContext.get());
        }
        return rc;
    }

    // The message for a failed search, empty for a match or no match; throws on lack of memory.
    static QString Failure(int rc) {
        if (rc >= 0 || rc == PCRE2_ERROR_NOMATCH || rc == PCRE2_ERROR_PARTIAL) return {};
        if (rc == PCRE2_ERROR_CALLOUT) return QStringLiteral("替换用时太长，已停止，文本没有改动。");
        if (rc == PCRE2_ERROR_MATCHLIMIT || rc == PCRE2_ERROR_DEPTHLIMIT || rc == PCRE2_ERROR_HEAPLIMIT ||
            rc == PCRE2_ERROR_JIT_STACKLIMIT)
            return QStringLiteral("正则表达式太复杂，匹配超出限制，文本没有改动。");
        if (rc == PCRE2_ERROR_NOMEMORY) throw std::bad_alloc();
        return QStringLiteral("匹配出错（%1），文本没有改动。").arg(EngineMessage(rc));
    }

    QString error;
    std::unique_ptr<pcre2_code, CodeFree> code;
    std::unique_ptr<pcre2_match_context, MatchContextFree> matchContext;
    std::unique_ptr<pcre2_jit_stack, JitStackFree> jitStack;
    std::unique_ptr<pcre2_match_data, MatchDataFree> matchData;
    std::unique_ptr<ReplacementTemplate> expansion;
    const PCRE2_SIZE* ovector = nullptr;
    Deadline deadline;
    bool useJit = false;
};

bool CanStreamRegexReplace(const QString& replacement) {
    return !ReplacementTemplate(DecodeReplacementEscapes(replacement), 0).RefersToWholeText();
}

struct RegexReplaceStream::State {
    State(const QString& pattern, const QString& replacement, const RegexLimits& limits)
        : regex(pattern, replacement, limits, true), limits(limits) {}
    CompiledRegex regex;
    RegexLimits limits;
    std::chrono::steady_clock::time_point started = std::chrono::steady_clock::now();
    QString held;          // the text not written yet, and a few characters before it
    PCRE2_SIZE copied = 0; // in held: where the text not written yet starts
    PCRE2_SIZE from = 0;   // in held: where the next search starts
    qsizetype fed = 0;     // units fed in all
    qsizetype written = 0; // units written in all
    QString out;           // what one scan writes
};

// What stays held before the next search: the line-start, word-boundary and line-end tests look at
// most two characters back, and the dialect has no look-behind of its own.
constexpr PCRE2_SIZE kHeldBefore = 8;

RegexReplaceStream::RegexReplaceStream(const QString& pattern, const QString& replacement, Writer write,
                                       const RegexLimits& limits)
    : write_(std::move(write)) {
    try {
        state_ = std::make_unique<State>(pattern, replacement, limits);
        error_ = state_->regex.error;
    } catch (const std::bad_alloc&) {
        error_ = QStringLiteral("内存不足，文本没有改动。");
    }
}

RegexReplaceStream::~RegexReplaceStream() = default;

bool RegexReplaceStream::Feed(QStringView piece) {
    if (!error_.isEmpty()) return false;
    try {
        state_->held.append(piece);
    } catch (const std::bad_alloc&) {
        error_ = QStringLiteral("内存不足，文本没有改动。");
        return false;
    }
    state_->fed += piece.size();
    return Scan(false);
}

bool RegexReplaceStream::Finish() {
    return error_.isEmpty() && Scan(true);
}

// The next search of the held text starts at `next`, where the search that has just ended would have
// gone on. A search that passes a CR does not start a match between it and a LF after it (a search
// starting there does), so the next one starts at that CR again, which can only fail again.
void RegexReplaceStream::ResumeAt(State& s, PCRE2_SIZE next) {
    if (next <= s.from) return;
    if (s.held[qsizetype(next) - 1] == u'\r') --next;
    s.from = next;
}

// Searches what is held. Short of the end, a search that runs into the end of the held text comes
// back partial, and the text from where that match would start is held until more has come.
bool RegexReplaceStream::Scan(bool atEnd) {
    State& s = *state_;
    try {
        s.regex.deadline.Set(s.started + BudgetFor(s.fed, s.limits), s.fed >= kWatchedUnits);
        const QStringView subject(s.held);
        const PCRE2_SIZE length = subject.size();
        const PCRE2_SIZE* ovector = s.regex.ovector;
        s.out.resize(0);
        while (s.from <= length) {
            if (!atEnd && s.from == length) break;
            const int rc = s.regex.Search(subject, s.from, atEnd ? 0 : PCRE2_PARTIAL_HARD);
            if (rc == PCRE2_ERROR_NOMATCH) {
                if (!atEnd) ResumeAt(s, length); // a match may still start at the end, once more has come
                break;
            }
            if (rc == PCRE2_ERROR_PARTIAL) {
                // The partial match may count characters that were only looked at before its start.
                ResumeAt(s, ovector[0]);
                break;
            }
            if (const QString failure = CompiledRegex::Failure(rc); !failure.isEmpty()) {
                error_ = failure;
                return false;
            }
            const PCRE2_SIZE start = ovector[0], end = ovector[1];
            if (start < s.copied || end < start) {
                error_ = QStringLiteral("匹配出错，文本没有改动。");
                return false;
            }
            s.out.append(subject.sliced(s.copied, start - s.copied));
            if (!s.regex.expansion->AppendTo(s.out, subject, ovector, rc)) {
                error_ = kTooLarge;
                return false;
            }
            s.copied = end;
            s.from = end > start ? end : end + 1; // after an empty match, move on one code unit
        }
        // Nothing can match before `from` any more: the text up to there is written as it is.
        const PCRE2_SIZE settled = atEnd ? length : std::min(s.from, length);
        if (settled > s.copied) s.out.append(subject.sliced(s.copied, settled - s.copied));
        s.copied = std::max(s.copied, settled);
        if (s.out.size() > kMaxResultUnits - s.written) {
            error_ = kTooLarge;
            return false;
        }
        s.written += s.out.size();
        if (!s.out.isEmpty()) write_(s.out);
        const PCRE2_SIZE drop = s.copied > kHeldBefore ? s.copied - kHeldBefore : 0;
        s.held.remove(0, qsizetype(drop));
        s.copied -= drop;
        s.from -= drop;
        return true;
    } catch (const std::bad_alloc&) {
        error_ = QStringLiteral("内存不足，文本没有改动。");
        return false;
    }
}

ReplaceResult RegexReplaceAll(const QString& text, const QString& pattern, const QString& replacement,
                              const RegexLimits& limits) {
    try {
        CompiledRegex regex(pattern, replacement, limits);
        if (!regex.error.isEmpty()) return Failure(text, regex.error);
        regex.deadline.Set(std::chrono::steady_clock::now() + BudgetFor(text.size(), limits),
                           text.size() >= kWatchedUnits);

        const QStringView subject(text);
        const PCRE2_SIZE length = subject.size();
        const PCRE2_SIZE* ovector = regex.ovector;
        QString out;
        bool matched = false;
        PCRE2_SIZE copied = 0;
        PCRE2_SIZE from = 0;
        while (from <= length) {
            const int rc = regex.Search(subject, from, 0);
            if (rc == PCRE2_ERROR_NOMATCH) break;
            if (const QString failure = CompiledRegex::Failure(rc); !failure.isEmpty())
                return Failure(text, failure);
            const PCRE2_SIZE start = ovector[0], end = ovector[1];
            if (start < copied || end < start) // only possible with \K, which the dialect does not have
                return Failure(text, QStringLiteral("匹配出错，文本没有改动。"));
            if (!matched) {
                matched = true;
                out.reserve(subject.size() + 16);
            }
            if (qsizetype(start - copied) > kMaxResultUnits - out.size()) return Failure(text, kTooLarge);
            out.append(subject.sliced(copied, start - copied));
            if (!regex.expansion->AppendTo(out, subject, ovector, rc)) return Failure(text, kTooLarge);
            copied = end;
            from = end > start ? end : end + 1; // after an empty match, move on one code unit
        }
        if (!matched) return {true, text, {}};
        if (qsizetype(length - copied) > kMaxResultUnits - out.size()) return Failure(text, kTooLarge);
        out.append(subject.sliced(copied));
        return {true, std::move(out), {}};
    } catch (const std::bad_alloc&) {
        return Failure(text, QStringLiteral("内存不足，文本没有改动。"));
    }
}

} // namespace telmo
