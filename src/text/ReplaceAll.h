#pragma once
// Replace-all on the work text: plain, or with a regular expression in the VBScript dialect.
#include <QString>
#include <QStringList>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

namespace telmo {

struct ReplaceResult {
    bool ok = false;
    QString text;  // the new text; on failure the text as it was
    QString error; // on failure a short message for the user
};

// What a single replace may cost before it gives up and leaves the text as it was.
struct RegexLimits {
    uint32_t matchLimit = 10'000'000;    // backtracking steps of one match attempt
    std::chrono::milliseconds budget{0}; // the whole replace; 0: a few seconds, more for long texts
};

// The Replace-all button: with a regular expression when useRegex and find is not empty (the find
// text "*" then makes the whole text the replacement, as typed); otherwise the plain replace.
ReplaceResult ApplyReplaceAll(const QString& text, const QString& find, const QString& replacement,
                              bool useRegex);

// Every non-overlapping occurrence of find, left to right, code unit by code unit; an empty find
// leaves the text as it is. The replacement is used as typed.
QString PlainReplaceAll(const QString& text, const QString& find, const QString& replacement);

// The pairs typed in the replacement box: \n\r and \r\n become CR LF, \n LF, \r CR, \s a space,
// \t a tab, \f a form feed, \v a vertical tab, in that order.
QString DecodeReplacementEscapes(const QString& replacement);

// Every match of pattern (multi-line, case-sensitive) replaced by the decoded replacement, in which
// $1..$99, $&, $`, $' and $$ are expanded. A rejected pattern or a limit reached is a failure.
ReplaceResult RegexReplaceAll(const QString& text, const QString& pattern, const QString& replacement,
                              const RegexLimits& limits = {});

// Whether RegexReplaceStream can do the replace: not when the replacement refers to the text before
// or after the match ($` and $'), which needs the whole text.
bool CanStreamRegexReplace(const QString& replacement);

// RegexReplaceAll over a text that comes in pieces, writing the new text as soon as it is known: the
// written pieces joined are RegexReplaceAll's result, and it holds little more than a piece at a time
// (a match that runs on over many pieces is held whole). On a failure what was written stays written.
class RegexReplaceStream {
public:
    using Writer = std::function<void(QStringView)>;
    RegexReplaceStream(const QString& pattern, const QString& replacement, Writer write,
                       const RegexLimits& limits = {});
    ~RegexReplaceStream();

    // Not empty when the pattern was rejected or a search failed; Feed and Finish then do nothing.
    const QString& error() const { return error_; }
    bool Feed(QStringView piece);
    bool Finish(); // the end of the text

private:
    struct State;
    bool Scan(bool atEnd);
    static void ResumeAt(State& s, std::size_t next);
    Writer write_;
    std::unique_ptr<State> state_;
    QString error_;
};

// The list of common patterns: names as the drop-down list shows them, patterns in the same order.
QStringList CommonRegexNames();
QStringList CommonRegexPatterns();

} // namespace telmo
