// telmo-cli text OP [FILE]: one text operation on a file or standard input.
#include "cli/CliCommand.h"
#include "text/StreamedOperations.h"
#include "text/TextOperations.h"

namespace telmo::cli {
namespace {

// OP is an index 0..18 written in plain decimal digits, or an operation's identifier.
int ParseOperation(const QString& op) {
    bool isNumber = !op.isEmpty() && op.size() <= 2;
    for (QChar c : op) isNumber = isNumber && c.isDigit() && c.unicode() < 0x80;
    if (isNumber) {
        const int index = op.toInt();
        return index < kTextOperationCount ? index : -1;
    }
    return TextOperationIndex(op);
}

// Line by line operations go through the text a piece at a time, in little memory whatever its size.
int StreamOperation(const QString& path, int op) {
    StreamedOperation operation(op, &WriteOutputText, &WriteOutputBytes);
    return FeedInputBytes(path, [&](QByteArrayView piece) {
        operation.FeedUtf8(piece);
        return true;
    });
}

// The others need the whole text; it is let go before the result is written.
int WholeTextOperation(const QString& path, int op) {
    QString text, error;
    if (!ReadInputText(path, &text, &error)) {
        PrintError(error);
        return kExitFailure;
    }
    const QString result = ApplyTextOperation(text, op);
    text = QString();
    WriteOutputText(result);
    return kExitOk;
}

int RunTextCommand(const QStringList& args) {
    if (args.isEmpty() || args.size() > 2) {
        PrintError(QStringLiteral("usage: telmo-cli text OP [FILE]"));
        return kExitUsage;
    }
    const int op = ParseOperation(args[0]);
    if (op < 0) {
        PrintError(QStringLiteral("unknown text operation '%1' (use 0..18 or one of: %2)")
                       .arg(args[0], TextOperationIdentifiers().join(QStringLiteral(", "))));
        return kExitUsage;
    }
    const QString path = args.size() > 1 ? args[1] : QString();
    return IsStreamableOperation(op) ? StreamOperation(path, op) : WholeTextOperation(path, op);
}

const bool registered = RegisterCommand("text", &RunTextCommand);

} // namespace
} // namespace telmo::cli
