#pragma once
// A large work text for the window benchmarks: one line of form data repeated to the size wanted.
#include <QByteArray>
#include <QFile>
#include <QString>

namespace bench {

inline QByteArray SampleText(const QByteArray& line, qint64 bytes) {
    QByteArray text;
    text.reserve(bytes + line.size());
    while (text.size() < bytes) text += line;
    return text;
}

// Writes the text to path; false when it could not be written whole.
inline bool WriteSampleFile(const QString& path, const QByteArray& line, qint64 bytes) {
    QFile f(path);
    const QByteArray text = SampleText(line, bytes);
    return f.open(QIODevice::WriteOnly) && f.write(text) == text.size();
}

} // namespace bench
