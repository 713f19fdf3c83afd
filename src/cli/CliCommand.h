#pragma once
// Sub-commands of telmo-cli register themselves here; main() dispatches on the first argument.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>
#include <memory>

class QCoreApplication;
class QFile;

namespace telmo::cli {

// Exit statuses shared by every sub-command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;  // the work could not be done (file unreadable, no display, ...)
inline constexpr int kExitUsage = 2;    // bad arguments
inline constexpr int kExitRejected = 3; // the input was refused (e.g. a pattern the engine rejects)

using CommandFn = int (*)(const QStringList& args); // args: everything after the sub-command's name

// Called from a static initialiser in the sub-command's own file:
//   static const bool registered = telmo::cli::RegisterCommand("text", &RunTextCommand);
bool RegisterCommand(const char* name, CommandFn fn);

// A sub-command that drives the display says for which arguments it needs one; main() then creates a
// GUI application when a display can be opened (the command reports the error when not).
using DisplayNeedFn = bool (*)(const QStringList& args);
bool RegisterDisplayNeed(const char* name, DisplayNeedFn needsDisplay);

// The application object for this command line (argv as main() got it), or none. telmo-cli makes
// none: the text commands need no event loop, and so start in a few milliseconds without loading any
// plugin or display library; the run program makes a GUI application when the command drives the
// display and one can be opened, a core application otherwise.
std::unique_ptr<QCoreApplication> CreateApplication(int& argc, char** argv);

// Reads FILE (or standard input when path is empty or "-") as UTF-8, a leading byte-order mark dropped.
// On failure returns false with a message for the user in *error.
bool ReadInputText(const QString& path, QString* text, QString* error);

// Opens FILE (or standard input when path is empty or "-") for reading in big blocks. On failure
// returns false with a message for the user in *error.
bool OpenInput(const QString& path, QFile* file, QString* error);
// How messages name the input: the path, or "standard input".
QString InputName(const QString& path);

// Reads FILE (or standard input) as ReadInputText does, but in pieces of about 256 KB that end after
// a line feed, handing each to feed until it returns false. kExitOk, or kExitFailure after printing
// why the input could not be read.
int FeedInputPieces(const QString& path, const std::function<bool(const QString& piece)>& feed);
// The same pieces undecoded: UTF-8 with the leading byte-order mark dropped, each ending on a character.
int FeedInputBytes(const QString& path, const std::function<bool(QByteArrayView piece)>& feed);

// Writes text to standard output as UTF-8, byte for byte, nothing added; one call may follow another.
void WriteOutputText(QStringView text);
// Writes bytes to standard output as they are; calls mix with WriteOutputText in order.
void WriteOutputBytes(QByteArrayView bytes);

// Prints "telmo-cli: MESSAGE" and a line end on standard error.
void PrintError(const QString& message);

} // namespace telmo::cli
