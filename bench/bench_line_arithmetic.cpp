// Line arithmetic, the bill and amounts in capitals: short-line throughput and growth from 1 MB
// to 100 MB of UTF-16 text (the 100 MB runs are single iterations; their time should stay within
// about 100 times that of 1 MB).
#include "text/Amounts.h"
#include "text/LineArithmetic.h"

#include <QString>
#include <benchmark/benchmark.h>
#include <map>

namespace {

// Lines repeated until the text holds `bytes` bytes of UTF-16.
QString Repeat(const char16_t* const* lines, size_t count, qsizetype bytes) {
    QString text;
    text.reserve(bytes / 2 + 64);
    for (size_t i = 0; text.size() * 2 < bytes; ++i) {
        text.append(QString::fromUtf16(lines[i % count]));
        text.append(QLatin1String("\r\n"));
    }
    return text;
}

constexpr const char16_t* kExpressions[] = {u"1+2",     u"10/4",      u"7\\2",         u"2^3^2",
                                            u"12*34-5", u"(1+2)*3.5", u"100 Mod 7",    u"-2^2",
                                            u"1/3",     u"3.25+0.75", u"2147483647+1", u"1/0"};
constexpr const char16_t* kBill[] = {u"饮料 23.5",      u"工资 3000",  u"房租 -1500", u"人民币123.04",
                                     u"没有数字的一行", u"3号饮料 -5", u"零钱 -",     u"午饭 18.75"};

const QString& Text(const char16_t* const* lines, size_t count, qsizetype bytes) {
    static std::map<std::pair<const void*, qsizetype>, QString> cache;
    auto key = std::make_pair(static_cast<const void*>(lines), bytes);
    auto it = cache.find(key);
    if (it == cache.end()) it = cache.emplace(key, Repeat(lines, count, bytes)).first;
    return it->second;
}

void ShortLines(benchmark::State& state) {
    const QString& text = Text(kExpressions, std::size(kExpressions), 1 << 20);
    const qsizetype lines = text.count(QLatin1Char('\n')) + 1;
    for (auto _ : state) benchmark::DoNotOptimize(telmo::EvaluateLines(text));
    state.SetItemsProcessed(state.iterations() * lines); // items/s = lines per second
    state.SetBytesProcessed(state.iterations() * text.size() * 2);
}

template <QString (*Op)(const QString&)>
void Operation(benchmark::State& state, const char16_t* const* lines, size_t count) {
    const QString& text = Text(lines, count, state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(Op(text));
    state.SetBytesProcessed(state.iterations() * text.size() * 2);
}

void EvaluateLinesGrowth(benchmark::State& s) {
    Operation<telmo::EvaluateLines>(s, kExpressions, std::size(kExpressions));
}
void AmountsGrowth(benchmark::State& s) {
    Operation<telmo::AmountsToCapitals>(s, kBill, std::size(kBill));
}
void BillGrowth(benchmark::State& s) {
    Operation<telmo::ComputeBill>(s, kBill, std::size(kBill));
}

constexpr int64_t kOneMB = 1 << 20;
constexpr int64_t kHundredMB = 100 << 20;

} // namespace

BENCHMARK(ShortLines)->Unit(benchmark::kMillisecond);
BENCHMARK(EvaluateLinesGrowth)->Arg(kOneMB)->Unit(benchmark::kMillisecond);
BENCHMARK(EvaluateLinesGrowth)->Arg(kHundredMB)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(AmountsGrowth)->Arg(kOneMB)->Unit(benchmark::kMillisecond);
BENCHMARK(AmountsGrowth)->Arg(kHundredMB)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BillGrowth)->Arg(kOneMB)->Unit(benchmark::kMillisecond);
BENCHMARK(BillGrowth)->Arg(kHundredMB)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
