// telmo-cli: the headless face of the core, for pipelines, batch clean-up and tests.
#include "cli/CliCommand.h"
#include "platform/StandardStreams.h"

#include <QApplication>
#include <QCoreApplication>
#include <QStringList>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

namespace telmo::cli {
std::map<std::string, CommandFn>& Registry();
}

namespace {
const char kUsage[] =
    "Usage:\n"
    "  telmo-cli text OP [FILE]                          OP: 0..18 or the operation's identifier\n"
    "  telmo-cli replace [--regex] FIND REPLACEMENT [FILE]\n"
    "  telmo-cli read [--gb2312] FILE\n"
    "  telmo-cli run [--dry-run] [--count N] [--interval S] [--items FILE]\n"
    "                [--screen WxH] [--now YYYY-MM-DDTHH:MM:SS] SCRIPT\n"
    "Input files are read as UTF-8; results go to standard output as UTF-8.\n";
} // namespace

int main(int argc, char** argv) {
    telmo::UseBinaryStandardStreams();
    std::unique_ptr<QCoreApplication> app;
    if (telmo::cli::WantsGuiApplication(argc, argv))
        app = std::make_unique<QApplication>(argc, argv);
    else
        app = std::make_unique<QCoreApplication>(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty() || args.first() == "--help" || args.first() == "-h") {
        std::fputs(kUsage, args.isEmpty() ? stderr : stdout);
        return args.isEmpty() ? telmo::cli::kExitUsage : telmo::cli::kExitOk;
    }
    const auto& commands = telmo::cli::Registry();
    auto it = commands.find(args.first().toStdString());
    if (it == commands.end()) {
        telmo::cli::PrintError(QStringLiteral("unknown command '%1'").arg(args.first()));
        std::fputs(kUsage, stderr);
        return telmo::cli::kExitUsage;
    }
    const int status = it->second(args.mid(1));
    // Output that never arrived (a full disk, a closed pipe) must not look like success.
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        telmo::cli::PrintError(QStringLiteral("cannot write standard output"));
        return status == telmo::cli::kExitOk ? telmo::cli::kExitFailure : status;
    }
    return status;
}
