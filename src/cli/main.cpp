// telmo-cli: the headless face of the core, for pipelines, batch clean-up and tests.
#include "Version.h"
#include "cli/CliCommand.h"
#include "cli/CliUsage.h"
#include "cli/ProgramHandover.h"
#include "platform/StandardStreams.h"

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
void PrintSynopsis() {
    const std::string_view synopsis = telmo::cli::UsageSynopsis();
    std::fwrite(synopsis.data(), 1, synopsis.size(), stderr);
}
} // namespace

int main(int argc, char** argv) {
    telmo::UseBinaryStandardStreams();
    const std::unique_ptr<QCoreApplication> app = telmo::cli::CreateApplication(argc, argv);
    const QStringList args = telmo::cli::ProgramArguments(argc, argv);
    if (args.isEmpty()) {
        PrintSynopsis();
        return telmo::cli::kExitUsage;
    }
    if (args.first() == "--help" || args.first() == "-h") {
        std::fputs(telmo::cli::kUsageText, stdout);
        return telmo::cli::kExitOk;
    }
    if (args.first() == "--version") {
        std::printf("telmo-cli %s\n", telmo::kVersion);
        return telmo::cli::kExitOk;
    }
    const auto& commands = telmo::cli::Registry();
    auto it = commands.find(args.first().toStdString());
    if (it == commands.end()) {
        telmo::cli::PrintError(QStringLiteral("unknown command '%1'").arg(args.first()));
        PrintSynopsis();
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
