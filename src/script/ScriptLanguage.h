#pragma once
// The script language: cutting script and work texts into lines, recognising step lines, reading the
// numeric fields of their arguments. Pure functions; the runner and the editor share them.
#include <QString>
#include <QStringList>
#include <QStringView>
#include <cstdint>
#include <optional>

namespace telmo {

// The same strings in order without the empty ones; strings of spaces stay.
QStringList CompactLines(const QStringList& lines);

// The steps of a script text, or the items of a work text: every LF and every CR ends a line, and
// empty lines are dropped (CR LF, LF-only and CR-only texts all give the same lines).
QStringList ScriptLines(QStringView text);

// The leading decimal number of a field (optional sign, digits, optional "." and fraction), with
// spaces, tabs and line feeds ignored wherever they stand, rounded to the nearest integer with halves
// to even. A field without a number reads 0. nullopt when the rounded value does not fit a signed
// 32-bit integer. Linear in the field's length, however many digits it holds.
std::optional<std::int32_t> ReadNumericField(QStringView field);

enum class StepKind {
    None,    // skipped
    Copy,    // CPY
    Paste,   // PST
    Mouse,   // LFT/RGH/MID/WHL/SD1/SD2 with DN or UP
    Type,    // INP
    Message, // MSG
    Move,    // MOV
    Hold,    // HLD
    Key,     // KEY
    Command, // CMD
};

struct Step {
    StepKind kind = StepKind::None;
    std::uint32_t mouseFlags = 0; // Mouse: the mouse_event flags and data of the button or wheel
    std::int32_t mouseData = 0;
    QString argument; // argument steps: everything after the keyword and its space, unchanged
};

// What one step line does. The first rule that matches decides: clipboard steps, then button and
// wheel steps, then argument steps; anything else is skipped.
Step RecognizeStep(const QString& line);

} // namespace telmo
