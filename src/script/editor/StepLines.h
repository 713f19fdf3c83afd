#pragma once
// The step lines that the editor's buttons and step windows write into the script box. Every line
// ends with CR LF; an empty string means "no step".
#include <QString>

namespace telmo {

// The line a step window leaves for the editor when it closes: one complete step line, or empty.
// It lives as long as the program; each window sets it before it closes.
QString& StepResult();

inline const QString kStepLineEnd = QStringLiteral("\r\n");

// A text step ("INP ", "MSG ", "CMD "...): empty when the text holds nothing but spaces and line
// breaks; otherwise the prefix and the text with its own leading and trailing spaces kept.
QString TextStepLine(const QString& prefix, const QString& text);

// The prefix of a command step; the "@" asks for the opened window to start minimised.
QString CommandStepPrefix(bool minimised);

// A pause step from the digits of the pause box: empty for a blank box, for 0, and for a number
// too large to be read at all; the milliseconds are written as printf's "%.15G" writes them.
QString HoldStepLine(const QString& digits);

// "KEY code,mask"; the code is written as the key box shows it.
QString KeyStepLine(const QString& keyCode, int modifierMask);

// "MOV x,y" for a point of the primary screen in device pixels.
QString MoveStepLine(int x, int y);

} // namespace telmo
