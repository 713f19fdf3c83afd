// telmo-cli replace [--regex] FIND REPLACEMENT [FILE]: the Replace-all button on a file or stdin.
#include "cli/CliCommand.h"
#include "text/ReplaceAll.h"

namespace telmo::cli {
namespace {

int RunReplaceCommand(const QStringList& args) {
    bool regex = false;
    QStringList rest = args;
    if (!rest.isEmpty() && rest.first() == "--regex") {
        regex = true;
        rest.removeFirst();
    }
    const bool endOfOptions = !rest.isEmpty() && rest.first() == "--";
    if (endOfOptions) rest.removeFirst();
    if (rest.size() < 2 || rest.size() > 3 || (!endOfOptions && rest.first().startsWith("--"))) {
        PrintError(QStringLiteral("usage: telmo-cli replace [--regex] FIND REPLACEMENT [FILE]"));
        return kExitUsage;
    }
    QString text, error;
    if (!ReadInputText(rest.value(2), &text, &error)) {
        PrintError(error);
        return kExitFailure;
    }
    ReplaceResult result = ApplyReplaceAll(text, rest[0], rest[1], regex);
    text = QString(); // the input is let go before the result is written
    if (!result.ok) {
        PrintError(result.error);
        return kExitRejected;
    }
    WriteOutputText(result.text);
    return kExitOk;
}

const bool registered = RegisterCommand("replace", &RunReplaceCommand);

} // namespace
} // namespace telmo::cli
