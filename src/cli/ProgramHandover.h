#pragma once
// How telmo-cli learns its own command line and hands a run over to the run program, each the
// system's own way: POSIX here, the Windows calls there (UTF-16 command line, a child it waits for).
#include <QString>
#include <QStringList>

namespace telmo::cli {

// The folder this program's executable is in; empty when the system cannot say.
QString OwnProgramFolder();

// The arguments after the program name. On Windows they come from the UTF-16 command line, so a
// Chinese file name survives whatever the system's code page; elsewhere they are argv decoded.
QStringList ProgramArguments(int argc, char** argv);

// Runs `program` with this process's arguments after the program name exactly as they came, on the
// same standard input, output and error, and sets *status to its exit status. On POSIX it takes
// this process's place, signals included; on Windows this process waits for it, and when this one
// is ended the program ends with it. False, with *problem set, when the program cannot be started.
bool HandOverTo(const QString& program, char** argv, int* status, QString* problem);

} // namespace telmo::cli
