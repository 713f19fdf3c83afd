// Dry runs of a long script: 100,000 steps of every kind over 10,000 items, one pass. Reports steps
// per second with the trace formatted and discarded, and with the trace streamed to /dev/null as
// telmo-cli run --dry-run writes it. A second size (10x the steps) shows that the run stays linear.
#include "platform/fake/FakeRunHost.h"
#include "platform/fake/RecordingInput.h"
#include "script/ScriptRunner.h"

#include <QString>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

// Formats every line like the real trace and keeps only the byte count.
class DiscardingTrace : public telmo::TraceWriter {
public:
    std::uint64_t bytes = 0;

protected:
    void put(QByteArrayView line) override { bytes += std::uint64_t(line.size()) + 1; }
};

QString Script(int steps) {
    static const char16_t* const kSteps[] = {
        u"CPY",         u"PST",        u"KEY 9,0",    u"INP 张三 %time%",
        u"MOV 960,540", u"LFT DN",     u"LFT UP",     u"HLD 10",
        u"KEY 65,3",    u"WHL DN",     u"SD1 DN",     u"SD1 UP",
        u"CMD @note",   u"MSG 请确认", u"not a step", u"CPY",
    };
    QString text;
    for (int i = 0; i < steps; ++i) {
        text += QString::fromUtf16(kSteps[i % std::size(kSteps)]);
        text += QLatin1String("\r\n");
    }
    return text;
}

QString Items(int items) {
    QString text;
    for (int i = 0; i < items; ++i)
        text += QStringLiteral("第%1行 北京市海淀区 %item% %No.% %date%\r\n").arg(i);
    return text;
}

void BM_DryRunDiscarded(benchmark::State& state) {
    const int steps = int(state.range(0));
    const QString script = Script(steps), items = Items(10'000);
    std::uint64_t bytes = 0;
    for (auto _ : state) {
        DiscardingTrace trace;
        telmo::RecordingInput input(trace);
        telmo::FakeRunHost host(trace, QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5)));
        telmo::RunScript(script, items, {1, 1}, input, host);
        bytes = trace.bytes;
    }
    state.SetItemsProcessed(state.iterations() * steps);
    state.counters["trace_bytes"] = double(bytes);
}
BENCHMARK(BM_DryRunDiscarded)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

void BM_DryRunStreamed(benchmark::State& state) {
    const int steps = int(state.range(0));
    const QString script = Script(steps), items = Items(10'000);
    std::FILE* out = std::fopen("/dev/null", "wb");
    static char buffer[1 << 16];
    std::setvbuf(out, buffer, _IOFBF, sizeof buffer);
    for (auto _ : state) {
        telmo::TraceStream trace(out);
        telmo::RecordingInput input(trace);
        telmo::FakeRunHost host(trace, QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5)));
        telmo::RunScript(script, items, {1, 1}, input, host);
    }
    std::fclose(out);
    state.SetItemsProcessed(state.iterations() * steps);
}
BENCHMARK(BM_DryRunStreamed)->Arg(100'000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
