#pragma once
// Letter case of a text, character by character: the number of characters never changes.
#include <QByteArray>
#include <QByteArrayView>
#include <QChar>
#include <QString>

namespace telmo {

// True exactly for A-Z and a-z.
inline bool IsAsciiLetter(QChar c) {
    const char16_t u = c.unicode() | 0x20;
    return u >= u'a' && u <= u'z';
}

// Every letter to its upper-case form.
QString ToUpperCase(const QString& text);
// Every letter to its lower-case form; then every "i " becomes "I " again.
QString ToLowerCase(const QString& text);
// An a-z first character, and every character that follows a character other than A-Z/a-z,
// to upper case; no letter is ever lowered.
QString CapitalizeWords(const QString& text);
// CapitalizeWords of a text that continues after a line feed: the part of CapitalizeWords(before + text)
// that follows `before`, when `before` ends with a line feed.
QString CapitalizeWordsAfterLineBreak(const QString& text);
// The first character, and every character after a line feed, a straight double quote or one of
// ". ", "! ", "? ", to upper case; no letter is ever lowered.
QString CapitalizeSentences(const QString& text);

// The same on UTF-8, the result appended to out: the bytes of the UTF-16 result, encoded. False, with
// out as it was, when the text is not well-formed UTF-8.
bool ToUpperCaseUtf8(QByteArrayView text, QByteArray& out);
bool ToLowerCaseUtf8(QByteArrayView text, QByteArray& out);
bool CapitalizeWordsUtf8(QByteArrayView text, bool afterLineBreak, QByteArray& out);
bool CapitalizeSentencesUtf8(QByteArrayView text, QByteArray& out);

} // namespace telmo
