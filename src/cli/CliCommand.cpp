#include "cli/CliCommand.h"

#include "files/TextFiles.h"
#include "platform/Backends.h"

#include <QFile>
#include <cstdio>
#include <map>
#include <string>

namespace telmo::cli {

std::map<std::string, CommandFn>& Registry() {
    static std::map<std::string, CommandFn> commands;
    return commands;
}

bool RegisterCommand(const char* name, CommandFn fn) {
    Registry()[name] = fn;
    return true;
}

namespace {
std::map<std::string, DisplayNeedFn>& DisplayNeeds() {
    static std::map<std::string, DisplayNeedFn> needs;
    return needs;
}
} // namespace

bool RegisterDisplayNeed(const char* name, DisplayNeedFn needsDisplay) {
    DisplayNeeds()[name] = needsDisplay;
    return true;
}

bool WantsGuiApplication(int argc, char** argv) {
    if (argc < 2) return false;
    auto it = DisplayNeeds().find(argv[1]);
    if (it == DisplayNeeds().end()) return false;
    QStringList args;
    for (int i = 2; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    QString error;
    return it->second(args) && DisplayAvailable(&error);
}

bool ReadInputText(const QString& path, QString* text, QString* error) {
    TextReadResult result;
    if (path.isEmpty() || path == "-") {
        QFile in;
        if (!in.open(stdin, QIODevice::ReadOnly)) {
            *error = QStringLiteral("cannot read standard input: %1").arg(in.errorString());
            return false;
        }
        result = ReadUtf8Device(in, QStringLiteral("standard input"));
    } else {
        result = ReadUtf8File(path);
    }
    if (!result.ok) {
        *error = result.error;
        return false;
    }
    *text = std::move(result.text);
    return true;
}

void WriteOutputText(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    std::fflush(stdout);
}

void PrintError(const QString& message) {
    std::fprintf(stderr, "telmo-cli: %s\n", message.toUtf8().constData());
}

} // namespace telmo::cli
