#include "cli/ProgramHandover.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <unistd.h>
#include <vector>

namespace telmo::cli {

QString OwnProgramFolder() {
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
}

QStringList ProgramArguments(int argc, char** argv) {
    QStringList args; // as QCoreApplication::arguments() reads them, also when there is no application
    for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    return args;
}

bool HandOverTo(const QString& program, char** argv, int*, QString* problem) {
    const QByteArray path = QFile::encodeName(program);
    std::vector<char*> line{const_cast<char*>(path.constData())};
    for (char** arg = argv + 1; *arg; ++arg) line.push_back(*arg);
    line.push_back(nullptr);
    std::fflush(stdout);
    ::execv(path.constData(), line.data());
    *problem = qt_error_string(errno);
    return false;
}

} // namespace telmo::cli
