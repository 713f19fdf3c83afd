// telmo-cli's own start: no application object, and `run` handed over to the run program, which
// carries the display libraries. So the text commands never load those.
#include "cli/CliCommand.h"
#include "cli/ProgramHandover.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace telmo::cli {
namespace {

char** commandLine = nullptr;

// Beside telmo-cli in a build folder; in the program folder of an installation.
QString RunProgramPath() {
    const QString dir = OwnProgramFolder();
    const QString beside = dir + QStringLiteral("/telmo-cli-run" TELMO_EXE_SUFFIX);
    if (QFileInfo(beside).isExecutable()) return beside;
    return dir + QStringLiteral("/" TELMO_RUN_PROGRAM_FROM_BIN);
}

// The arguments go over as they came, byte for byte, and so do standard input, output and the exit
// status.
int HandOverRun(const QStringList&) {
    const QString program = RunProgramPath();
    int status = kExitFailure;
    QString problem;
    if (HandOverTo(program, commandLine, &status, &problem)) return status;
    PrintError(QStringLiteral("run: cannot start %1: %2").arg(program, problem));
    return kExitFailure;
}

const bool registered = RegisterCommand("run", &HandOverRun);

} // namespace

std::unique_ptr<QCoreApplication> CreateApplication(int&, char** argv) {
    commandLine = argv;
    return nullptr;
}

} // namespace telmo::cli
