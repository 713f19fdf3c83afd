// A 100-field fill (20 records of 5 fields: CPY and PST per field, Tab between fields, Enter per
// record, one record a pass) into real programs on an X display, through the XTest backend and the
// Qt host, as the end-to-end tests start them. The floor is the script's own pauses: 20 ms after
// every clipboard write and after every paste, and the 1 s pause after every pass; the figure is the
// time per pasted field above that floor. Needs DISPLAY (run it under scripts/with-xvfb.sh).
#include "DisplayBench.h"
#include "e2e/RealPrograms.h"
#include "platform/Backends.h"
#include "platform/qt/QtRunHost.h"
#include "platform/x11/X11InputBackend.h"
#include "script/ScriptRunner.h"

#include <QApplication>
#include <QElapsedTimer>
#include <benchmark/benchmark.h>

namespace {

constexpr int kRecords = 20;
constexpr int kFields = 5;
constexpr int kSettleMs = 20;
constexpr int kPassPauseMs = 1000;

// Starts the target, fills it once and reports run time, floor and ms per field above the floor.
void Fill(benchmark::State& state, const std::function<std::unique_ptr<e2e::Target>(e2e::FormServer&)>& start,
          const QStringList& recordEnd) {
    QString error;
    if (!telmo::DisplayAvailable(&error)) {
        state.SkipWithError(error.toStdString().c_str());
        return;
    }
    const e2e::Records records = e2e::SampleRecords(kRecords, kFields);
    const QString script = e2e::FillScript(kFields, recordEnd).join("\r\n");
    const QString items = e2e::Flatten(records).join("\r\n");
    qint64 totalMs = 0;
    int intact = 0;
    for (auto _ : state) {
        state.PauseTiming();
        e2e::FormServer server(kFields);
        auto target = start(server);
        if (!target->waitReady(90000)) {
            state.SkipWithError(target->problem().toStdString().c_str());
            return;
        }
        auto input = telmo::x11::X11InputBackend::Open(&error);
        bench::ConfirmedHost host;
        state.ResumeTiming();

        QElapsedTimer t;
        t.start();
        telmo::RunScript(script, items, telmo::RunSettings{kRecords, 1}, *input, host);
        host.waitForPendingPaste();
        totalMs += t.elapsed();

        state.PauseTiming();
        const e2e::Records got = target->readBack(kRecords);
        intact += e2e::IntactFields(records, got);
        const QString diff = e2e::DiffRecords(records, got);
        if (!diff.isEmpty()) std::fprintf(stderr, "%s\n", qPrintable(diff));
        state.ResumeTiming();
    }
    const double fields = kRecords * kFields;
    const double floorMs = fields * 2 * kSettleMs + kRecords * kPassPauseMs;
    const double runMs = static_cast<double>(totalMs) / static_cast<double>(state.iterations());
    state.counters["floor_ms"] = floorMs;
    state.counters["run_ms"] = runMs;
    state.counters["ms_per_field_above_floor"] = (runMs - floorMs) / fields;
    state.counters["fields_intact"] = intact / static_cast<double>(state.iterations());
}

void BM_ChromiumForm100Fields(benchmark::State& state) {
    Fill(
        state,
        [](e2e::FormServer& s) {
            return e2e::StartBrowser(e2e::Browser::Chromium, s, e2e::TargetEnvironment());
        },
        e2e::kEnterEndsRecord);
}
void BM_FirefoxForm100Fields(benchmark::State& state) {
    Fill(
        state,
        [](e2e::FormServer& s) {
            return e2e::StartBrowser(e2e::Browser::Firefox, s, e2e::TargetEnvironment());
        },
        e2e::kEnterEndsRecord);
}
void BM_CalcCells100Fields(benchmark::State& state) {
    Fill(
        state, [](e2e::FormServer&) { return e2e::StartCalc(kFields, e2e::TargetEnvironment()); },
        e2e::kNextRowEndsRecord);
}
void BM_GtkEditor100Fields(benchmark::State& state) {
    Fill(
        state, [](e2e::FormServer&) { return e2e::StartTextEditor(e2e::TargetEnvironment()); },
        e2e::kEnterEndsRecord);
}
BENCHMARK(BM_ChromiumForm100Fields)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FirefoxForm100Fields)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CalcCells100Fields)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_GtkEditor100Fields)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    return bench::DisplayBenchMain(argc, argv);
}
