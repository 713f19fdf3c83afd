// telmo-cli's own start: no application object, and `run` handed over to the run program, which
// carries the display libraries. So the text commands never load those.
#include "cli/CliCommand.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <unistd.h>
#include <vector>

namespace telmo::cli {
namespace {

std::vector<QByteArray>& CommandLine() {
    static std::vector<QByteArray> line;
    return line;
}

// Beside telmo-cli in a build folder; in the program folder of an installation.
QString RunProgramPath() {
    const QString dir = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
    const QString beside = dir + QStringLiteral("/telmo-cli-run");
    if (QFileInfo(beside).isExecutable()) return beside;
    return dir + QStringLiteral("/" TELMO_RUN_PROGRAM_FROM_BIN);
}

// The arguments go over as they came, byte for byte, and so do standard input, output, the exit
// status and the signals, since the run program takes this process's place.
int HandOverRun(const QStringList&) {
    const QByteArray program = QFile::encodeName(RunProgramPath());
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.constData()));
    for (std::size_t i = 1; i < CommandLine().size(); ++i) argv.push_back(CommandLine()[i].data());
    argv.push_back(nullptr);
    std::fflush(stdout);
    ::execv(program.constData(), argv.data());
    PrintError(QStringLiteral("run: cannot start %1: %2")
                   .arg(QString::fromLocal8Bit(program), QString::fromLocal8Bit(std::strerror(errno))));
    return kExitFailure;
}

const bool registered = RegisterCommand("run", &HandOverRun);

} // namespace

std::unique_ptr<QCoreApplication> CreateApplication(int& argc, char** argv) {
    for (int i = 0; i < argc; ++i) CommandLine().emplace_back(argv[i]);
    return nullptr;
}

} // namespace telmo::cli
