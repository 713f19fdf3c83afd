#pragma once
// Punctuation between ASCII and full-width Chinese forms, and the common HTML character entities.
#include <QString>

namespace telmo {

// "..." → "……", full stops → "。" except decimal points between digits, straight double quotes →
// alternately "“" and "”", and , ? ! ; : ( ) { } \ ` → ， ？ ！ ； ： （ ） ｛ ｝ 、 ·.
QString ToChinesePunctuation(const QString& text);

// Chinese punctuation → ASCII: ， 。 、 ？ ！ ； ： （ ） ｛ ｝ · → , . , ? ! ; : ( ) { } `, "……" → "...",
// “ ” → ", ‘ ’ → ', and the book-title marks 《 》 are removed.
QString ToEnglishPunctuation(const QString& text);

// Decodes &nbsp; &lt; &gt; &amp; &quot; &apos; &cent; &pound; &yen; &euro; &sect; (lower case only,
// in that order, each once); everything else stays.
QString DecodeWebEntities(const QString& text);

} // namespace telmo
