#include "cli/CliCommand.h"

#include "files/TextFiles.h"

#include <QFile>
#include <QStringEncoder>
#include <algorithm>
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

bool OpenInput(const QString& path, QFile* file, QString* error) {
    const bool standardInput = path.isEmpty() || path == "-";
    if (!standardInput) file->setFileName(path);
    // Unbuffered: the readers take big blocks, and a buffer in between would only copy them.
    const bool opened = standardInput ? file->open(0, QIODevice::ReadOnly | QIODevice::Unbuffered)
                                      : file->open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    if (!opened) {
        *error = standardInput ? QStringLiteral("cannot read standard input: %1").arg(file->errorString())
                               : QStringLiteral("无法读取文件 %1：%2").arg(path, file->errorString());
        return false;
    }
    return true;
}

QString InputName(const QString& path) {
    return path.isEmpty() || path == "-" ? QStringLiteral("standard input") : path;
}

bool ReadInputText(const QString& path, QString* text, QString* error) {
    TextReadResult result;
    if (path.isEmpty() || path == "-") {
        QFile in;
        if (!OpenInput(path, &in, error)) return false;
        result = ReadUtf8Device(in, InputName(path));
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

void WriteOutputText(QStringView text) {
    // Encoded a piece at a time into one reused buffer, so a big result is never held twice. Pieces
    // never end inside a surrogate pair, so the bytes are those of encoding the whole at once.
    static QStringEncoder encoder(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
    static QByteArray buffer;
    constexpr qsizetype kPieceUnits = 1 << 18;
    if (buffer.isEmpty()) buffer.resize(encoder.requiredSpace(kPieceUnits));
    for (qsizetype at = 0; at < text.size();) {
        qsizetype len = std::min(kPieceUnits, text.size() - at);
        if (at + len < text.size() && text[at + len - 1].isHighSurrogate() && text[at + len].isLowSurrogate())
            --len;
        const char* end = encoder.appendToBuffer(buffer.data(), text.sliced(at, len));
        std::fwrite(buffer.constData(), 1, static_cast<size_t>(end - buffer.constData()), stdout);
        at += len;
    }
}

void PrintError(const QString& message) {
    std::fprintf(stderr, "telmo-cli: %s\n", message.toUtf8().constData());
}

} // namespace telmo::cli
