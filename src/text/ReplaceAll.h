#pragma once
// Replace-all on the work text: plain, or with a regular expression in the VBScript dialect.
#include <QString>
#include <QStringList>
#include <chrono>
#include <cstdint>

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

// The list of common patterns: names as the drop-down list shows them, patterns in the same order.
QStringList CommonRegexNames();
QStringList CommonRegexPatterns();

} // namespace telmo
