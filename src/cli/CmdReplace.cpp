// telmo-cli replace [--regex] FIND REPLACEMENT [FILE]: the Replace-all button on a file or stdin.
#include "cli/CliCommand.h"
#include "text/ReplaceAll.h"

namespace telmo::cli {
namespace {

// A regular-expression replace goes through the text a piece at a time, writing as it goes. A failure
// part way leaves what was written so far, and the exit status says the result is not whole.
int StreamRegexReplace(const QString& path, const QString& pattern, const QString& replacement) {
    RegexReplaceStream stream(pattern, replacement, [](QStringView out) { WriteOutputText(out); });
    // A rejected pattern takes nothing in; a file that cannot be read is reported first, as before.
    const int read = FeedInputPieces(path, [&](const QString& piece) { return stream.Feed(piece); });
    if (read != kExitOk) return read;
    if (!stream.Finish()) {
        PrintError(stream.error());
        return kExitRejected;
    }
    return kExitOk;
}

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
    if (regex && !rest[0].isEmpty() && rest[0] != u"*" && CanStreamRegexReplace(rest[1]))
        return StreamRegexReplace(rest.value(2), rest[0], rest[1]);
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
