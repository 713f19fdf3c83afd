#pragma once
// Where the recording backend writes its trace, one action per line. The command line streams the
// lines to standard output; tests keep them in memory.
#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QStringView>
#include <cstdint>
#include <cstdio>

namespace telmo {

class TraceWriter {
public:
    virtual ~TraceWriter() = default;
    // line without its line end
    void writeLine(QByteArrayView line) {
        ++linesWritten_;
        put(line);
    }
    std::uint64_t linesWritten() const { return linesWritten_; }

protected:
    virtual void put(QByteArrayView line) = 0;

private:
    std::uint64_t linesWritten_ = 0;
};

// Keeps every line.
class TraceLines : public TraceWriter {
public:
    QList<QByteArray> lines;

protected:
    void put(QByteArrayView line) override { lines.append(line.toByteArray()); }
};

// Writes each line and an LF through a stdio stream (buffered by the stream).
class TraceStream : public TraceWriter {
public:
    explicit TraceStream(std::FILE* out) : out_(out) {}

protected:
    void put(QByteArrayView line) override {
        std::fwrite(line.data(), 1, size_t(line.size()), out_);
        std::fputc('\n', out_);
    }

private:
    std::FILE* out_;
};

// Appends text as a JSON string literal, quotes included, UTF-8 encoded. Control characters, quotes
// and backslashes are escaped; a lone surrogate becomes a \u escape so the output stays valid UTF-8.
void AppendJsonString(QByteArray& out, QStringView text);

// Appends a signed decimal number.
void AppendDecimal(QByteArray& out, std::int64_t value);

} // namespace telmo
