// telmo-cli read [--gb2312] FILE: decodes a text file as the import commands do.
#include "cli/CliCommand.h"
#include "files/TextFiles.h"

namespace telmo::cli {
namespace {

int RunReadCommand(const QStringList& args) {
    bool gbk = false;
    QStringList rest = args;
    if (!rest.isEmpty() && rest.first() == "--gb2312") {
        gbk = true;
        rest.removeFirst();
    }
    const bool endOfOptions = !rest.isEmpty() && rest.first() == "--";
    if (endOfOptions) rest.removeFirst();
    if (rest.size() != 1 || (!endOfOptions && rest.first().startsWith("--"))) {
        PrintError(QStringLiteral("usage: telmo-cli read [--gb2312] FILE"));
        return kExitUsage;
    }
    const TextReadResult result = gbk ? ReadGb2312File(rest.first()) : ReadUtf8File(rest.first());
    if (!result.ok) {
        PrintError(result.error);
        return kExitFailure;
    }
    WriteOutputText(result.text);
    return kExitOk;
}

const bool registered = RegisterCommand("read", &RunReadCommand);

} // namespace
} // namespace telmo::cli
