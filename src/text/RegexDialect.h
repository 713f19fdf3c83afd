#pragma once
// Reading patterns in the VBScript dialect that users type and the common-pattern list is written
// in, and restating them for PCRE2 (16-bit, code units, PCRE2_ALT_BSUX, multi-line, CR/LF/CRLF
// line ends).
#include <QString>
#include <string>
#include <vector>

namespace telmo {

struct TranslatedPattern {
    bool ok = false;
    std::u16string pcre;                  // the pattern as PCRE2 reads it
    std::vector<qsizetype> typedPosition; // for each unit of pcre (and one past its end): where it came from
    qsizetype errorPosition = -1;         // when !ok: where in the typed pattern
    QString error;                        // when !ok: what is wrong, for the user
};

// One pass over the typed pattern. Where the dialects differ, the typed meaning wins: a "-" next to
// a class escape is a hyphen, an unknown escape is its letter, \v is the vertical tab, \xHH and
// \uHHHH need all their digits, octal and back-references follow the group count, "[]" matches
// nothing and "[^]" anything, and "$" never matches between the CR and LF of one line end.
TranslatedPattern TranslatePattern(QStringView typed);

} // namespace telmo
