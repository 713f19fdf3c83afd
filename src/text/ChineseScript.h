#pragma once
// Traditional and simplified Chinese characters, one character for one character.
#include <QString>

namespace telmo {

enum class ScriptDirection { ToSimplified, ToTraditional };

// Maps every Chinese character to its simplified or traditional form (the first candidate of the
// character dictionary). The UTF-16 length never changes: a character whose form would need a
// surrogate pair, and every character outside code page 936 (GBK), comes back unchanged. The tables
// are made from the dictionaries at build time and compiled in; nothing is read at run time.
QString MapChineseScript(const QString& text, ScriptDirection direction);

// The word fix-ups to simplified ("乾淨" → "干净", ...), then the mapping to simplified.
QString TraditionalToSimplified(const QString& text);
// The word fix-ups to traditional ("头发" → "頭髮", "干净" → "乾淨", ...), then the mapping to traditional.
QString SimplifiedToTraditional(const QString& text);

} // namespace telmo
