#include "cli/CliCommand.h"

#include <QFile>
#include <QStringDecoder>
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

bool ReadInputText(const QString& path, QString* text, QString* error) {
    QFile file;
    bool opened = (path.isEmpty() || path == "-") ? file.open(stdin, QIODevice::ReadOnly)
                                                  : (file.setFileName(path), file.open(QIODevice::ReadOnly));
    if (!opened) {
        *error = QStringLiteral("cannot read %1: %2").arg(path.isEmpty() ? "standard input" : path, file.errorString());
        return false;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF")) view = view.sliced(3);
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    *text = decoder.decode(view);
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
