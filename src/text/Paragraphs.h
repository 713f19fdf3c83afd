#pragma once
// Line-by-line formatting of Chinese text: two-character names and paragraphs.
#include <QString>

namespace telmo {

// Every line that, trimmed of spaces, has exactly two characters gets a full-width space (U+3000)
// between them; every other line is trimmed of spaces. A surrogate pair counts as one character.
QString SpaceTwoCharNames(const QString& text);

// Rebuilds paragraphs from lines broken inside sentences: a line ending with 。？！…— ends a paragraph
// (unless it begins with the indent), other lines run on into the next one, empty lines stay, and
// paragraphs begin with two full-width spaces. "》、《" becomes "》《".
QString RecognizeParagraphs(const QString& text);

} // namespace telmo
