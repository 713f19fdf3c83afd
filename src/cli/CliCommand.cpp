#include "cli/CliCommand.h"

#include "files/TextFiles.h"
#include "files/TextLineReader.h"
#include "files/Utf8Codec.h"

#include <QFile>
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

int FeedInputBytes(const QString& path, const std::function<bool(QByteArrayView piece)>& feed) {
    // Big enough that the per-piece work is lost in the noise, small enough to stay in the caches.
    constexpr qsizetype kPieceBytes = qsizetype(1) << 18;
    QFile in;
    QString error;
    if (!OpenInput(path, &in, &error)) {
        PrintError(error);
        return kExitFailure;
    }
    TextLineReader reader(in, InputName(path), kPieceBytes);
    QByteArrayView piece;
    while (reader.NextBytes(&piece))
        if (!feed(piece)) break;
    if (!reader.error().isEmpty()) {
        PrintError(reader.error());
        return kExitFailure;
    }
    return kExitOk;
}

int FeedInputPieces(const QString& path, const std::function<bool(const QString& piece)>& feed) {
    QString text;
    return FeedInputBytes(path, [&](QByteArrayView bytes) {
        text.resize(Utf8DecodeRoom(bytes.size()));
        text.truncate(DecodeUtf8(bytes, text.data()) - text.constData());
        return feed(text);
    });
}

void WriteOutputBytes(QByteArrayView bytes) {
    std::fwrite(bytes.data(), 1, static_cast<size_t>(bytes.size()), stdout);
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
    // Encoded a piece at a time into one reused buffer, so a big result is never held twice.
    EncodeUtf8InPieces(text, qsizetype(1) << 18, [](QByteArrayView bytes) {
        WriteOutputBytes(bytes);
        return true;
    });
}

void PrintError(const QString& message) {
    std::fprintf(stderr, "telmo-cli: %s\n", message.toUtf8().constData());
}

} // namespace telmo::cli
