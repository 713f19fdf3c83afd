#pragma once
// The shell's open operation on a desktop without one: documents, folders and addresses go to the
// desktop's default handler; a program (a path, or a name found on PATH) is started on its own,
// never through a command interpreter, so no text of a script is ever parsed by a shell.
#include <QString>

namespace telmo {

enum class OpenKind { Url, Document, Folder, Program, Nothing };

// How target would be opened; Nothing for an empty target or a name that is neither a file, a
// folder, an address nor a program on PATH.
OpenKind ClassifyOpenTarget(const QString& target, QString* resolved = nullptr);

// Opens target without waiting for it; false when nothing could be started. minimised asks a started
// program's first window to come up minimised, as far as the desktop allows.
bool ShellOpen(const QString& target, bool minimised);

// Lets what ShellOpen left to finish in the background (the minimising of a started program's first
// window, a few seconds at most) finish; a program that ends after a run calls it before it quits.
void FinishShellOpens();

} // namespace telmo
