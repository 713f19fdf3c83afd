// Throughput of replace-all and of reading and writing text files, on about 100 MB of data lines.
#include "files/TextFiles.h"
#include "text/ReplaceAll.h"

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr qsizetype kTargetUtf8Bytes = 100'000'000;

// Data lines as users paste them: Chinese and ASCII mixed, CR LF line ends.
const QString& Text() {
    static const QString text = [] {
        const QString line = QString::fromUtf8(
            "张三,男,1985-03-12,13800138000,北京市海淀区中关村大街1号,zhangsan@example.com\r\n");
        const qsizetype lineBytes = line.toUtf8().size();
        QString all;
        all.reserve(line.size() * (kTargetUtf8Bytes / lineBytes + 1));
        for (qsizetype bytes = 0; bytes < kTargetUtf8Bytes; bytes += lineBytes) all += line;
        return all;
    }();
    return text;
}

qint64 Utf8Size() {
    static const qint64 size = Text().toUtf8().size();
    return size;
}

void Replace(benchmark::State& state, const QString& find, const QString& replacement, bool regex) {
    const QString& text = Text();
    for (auto _ : state) {
        telmo::ReplaceResult r = telmo::ApplyReplaceAll(text, find, replacement, regex);
        if (!r.ok || r.text == text) state.SkipWithError("nothing replaced");
        benchmark::DoNotOptimize(r.text.constData());
    }
    state.SetBytesProcessed(state.iterations() * Utf8Size());
}

void BM_RegexReplaceComma(benchmark::State& state) {
    Replace(state, ",", "\\t", true);
}
void BM_RegexReplacePhoneNumbers(benchmark::State& state) {
    Replace(state, "1[358]\\d{9}", "$&#", true);
}
void BM_RegexReplaceLineStarts(benchmark::State& state) {
    Replace(state, "^", "> ", true);
}
void BM_PlainReplace(benchmark::State& state) {
    Replace(state, "北京市", "北京", false);
}

void BM_WriteUtf8File(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath("out.txt");
    for (auto _ : state) {
        if (!telmo::WriteUtf8File(Text(), path).ok) state.SkipWithError("write failed");
    }
    state.SetBytesProcessed(state.iterations() * Utf8Size());
}

void ReadFile(benchmark::State& state, const QByteArray& bytes,
              telmo::TextReadResult (*read)(const QString&)) {
    QTemporaryDir dir;
    const QString path = dir.filePath("in.txt");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        state.SkipWithError("setup failed");
    file.close();
    for (auto _ : state) {
        const telmo::TextReadResult r = read(path);
        if (!r.ok || r.text.size() != Text().size()) state.SkipWithError("read failed");
        benchmark::DoNotOptimize(r.text.constData());
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

void BM_ReadUtf8File(benchmark::State& state) {
    ReadFile(state, Text().toUtf8(), &telmo::ReadUtf8File);
}
void BM_ReadGb2312File(benchmark::State& state) {
    ReadFile(state, QStringEncoder("GBK").encode(Text()), &telmo::ReadGb2312File);
}

// A few rounds suffice for 100 MB; the machine is shared.
BENCHMARK(BM_RegexReplaceComma)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_RegexReplacePhoneNumbers)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_RegexReplaceLineStarts)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PlainReplace)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_WriteUtf8File)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ReadUtf8File)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ReadGb2312File)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
