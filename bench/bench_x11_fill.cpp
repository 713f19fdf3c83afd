// A 200-field fill (CPY, PST, KEY 9,0 per field) into the end-to-end tests' form program on a real
// X display, through the XTest backend and the Qt host. Its floor is the runner's own pauses: 20 ms
// after every clipboard write and after every paste, and the pause after the pass.
// Needs DISPLAY (run it under scripts/with-xvfb.sh); without one it reports the missing display.
#include "DisplayBench.h"
#include "platform/Backends.h"
#include "platform/qt/QtRunHost.h"
#include "platform/x11/X11InputBackend.h"
#include "script/ScriptRunner.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QThread>
#include <benchmark/benchmark.h>

namespace {

constexpr int kFields = 200;
constexpr int kSettleMs = 20;
constexpr int kPassPauseMs = 1000;

QByteArray ReadLine(QProcess& p, QByteArray& buffer, int timeoutMs) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < timeoutMs) {
        const int nl = buffer.indexOf('\n');
        if (nl >= 0) {
            QByteArray line = buffer.left(nl);
            buffer.remove(0, nl + 1);
            return line;
        }
        if (p.waitForReadyRead(100)) buffer += p.readAllStandardOutput();
        if (p.state() == QProcess::NotRunning) break;
    }
    return {};
}

void BM_X11Fill200Fields(benchmark::State& state) {
    QString error;
    if (!telmo::DisplayAvailable(&error)) {
        state.SkipWithError(error.toStdString().c_str());
        return;
    }
    QStringList items, script;
    for (int i = 0; i < kFields; ++i) {
        items << (i % 2 ? QString("第%1项 张三丰").arg(i) : QString("item %1 <a&b>").arg(i));
        script << "CPY"
               << "PST"
               << "KEY 9,0";
    }
    const QString scriptText = script.join("\r\n"), itemText = items.join("\r\n");
    qint64 totalMs = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QProcess form;
        QByteArray buffer;
        form.start(QCoreApplication::applicationDirPath() + "/../tests/fill_form",
                   {"--fields", QString::number(kFields)});
        if (ReadLine(form, buffer, 20000) != "ready") {
            state.SkipWithError("the form program did not become ready (build the tests first)");
            return;
        }
        auto input = telmo::x11::X11InputBackend::Open(&error);
        bench::ConfirmedHost host;
        state.ResumeTiming();

        QElapsedTimer t;
        t.start();
        telmo::RunScript(scriptText, itemText, telmo::RunSettings{1, 1}, *input, host);
        host.waitForPendingPaste();
        totalMs += t.elapsed();

        state.PauseTiming();
        QStringList values;
        for (int attempt = 0; attempt < 100 && values != items; ++attempt) {
            form.write("report\n");
            values.clear();
            const QJsonObject r = QJsonDocument::fromJson(ReadLine(form, buffer, 10000)).object();
            for (const QJsonValue& v : r["fields"].toArray()) values << v.toString();
            if (values != items) QThread::msleep(50);
        }
        form.write("quit\n");
        form.waitForFinished(5000);
        if (values != items) {
            state.SkipWithError("the fill lost or mixed up items");
            return;
        }
        state.ResumeTiming();
    }
    const double floorMs = kFields * 2.0 * kSettleMs + kPassPauseMs;
    const double runs = static_cast<double>(state.iterations());
    state.counters["floor_ms"] = floorMs;
    state.counters["run_ms"] = static_cast<double>(totalMs) / runs;
    state.counters["overhead_ms_per_step"] =
        (static_cast<double>(totalMs) / runs - floorMs) / (kFields * 3.0);
}
BENCHMARK(BM_X11Fill200Fields)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    return bench::DisplayBenchMain(argc, argv);
}
