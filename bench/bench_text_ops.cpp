// Throughput of the text operations on 1 MB and 100 MB of UTF-16 text (mixed Chinese and ASCII
// office data in short CR LF lines, and the same as one long line), reported as bytes per second.
#include "text/TextOperations.h"

#include <QCoreApplication>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <map>

namespace {

QString MakeText(qsizetype bytes, bool lines) {
    static const QString pieces[] = {
        QStringLiteral("张三 13800138000 北京市海淀区中关村大街1号"),
        QStringLiteral("Total amount:  123.45, paid \"in full\"... ok?"),
        QStringLiteral("头发很干净，乾淨的房間。這是一個測試！"),
        QStringLiteral("  &lt;b&gt;bold&lt;/b&gt; &amp; more&nbsp;text  "),
        QStringLiteral("刘丽"),
        QStringLiteral("there is an old person. i said hi! why? because"),
        QStringLiteral("《论语》、《孟子》都是经典（古籍）；值得一读：是的"),
        QString(),
    };
    const qsizetype chars = bytes / 2;
    QString text;
    text.reserve(chars + 64);
    for (size_t i = 0; text.size() < chars; ++i) {
        text += pieces[i % std::size(pieces)];
        text += lines ? QStringLiteral("\r\n") : QStringLiteral(" ");
    }
    text.truncate(chars);
    return text;
}

const QString& Text(int megabytes, bool lines) {
    static std::map<std::pair<int, bool>, QString> texts;
    QString& t = texts[{megabytes, lines}];
    if (t.isEmpty()) t = MakeText(qsizetype(megabytes) * 1024 * 1024, lines);
    return t;
}

void RunOperation(benchmark::State& state, int op, int megabytes, bool lines) {
    const QString& text = Text(megabytes, lines);
    (void)telmo::ApplyTextOperation(QStringLiteral("warm-up 头发"), op); // tables are built once
    for (auto _ : state) {
        QString out = telmo::ApplyTextOperation(text, op);
        benchmark::DoNotOptimize(out.constData());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * text.size() * 2);
}

// The yardstick: a plain copy of the text into a new string, which every operation does at least once.
// Its own 100 MB / 1 MB ratio shows how much of an operation's ratio is the memory system's.
void CopyText(benchmark::State& state, int megabytes) {
    const QString& text = Text(megabytes, true);
    for (auto _ : state) {
        QString out(text.size(), Qt::Uninitialized);
        std::copy(text.cbegin(), text.cend(), out.begin());
        benchmark::DoNotOptimize(out.constData());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * text.size() * 2);
}

constexpr int kOperations[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 15, 17, 18};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::RegisterBenchmark("copy/lines/1MB", CopyText, 1)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("copy/lines/100MB", CopyText, 100)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(2);
    const QStringList ids = telmo::TextOperationIdentifiers();
    for (int op : kOperations) {
        const std::string name = std::to_string(op) + "_" + ids[op].toStdString();
        benchmark::RegisterBenchmark((name + "/lines/1MB").c_str(), RunOperation, op, 1, true)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((name + "/lines/100MB").c_str(), RunOperation, op, 100, true)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(2);
        benchmark::RegisterBenchmark((name + "/oneline/100MB").c_str(), RunOperation, op, 100, false)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
