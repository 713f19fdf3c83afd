// The main window's costs: a process start up to the first shown window, the memory it holds
// then, and a 20 MB work text imported and run through operation 3 until the window answers again.
// Needs a display (make bench under scripts/with-xvfb.sh, or a desktop); skips without one.
//
//   bench_main_window --probe-start   starts like telmo, prints "shown MS RSS_KB" once the window
//                                     is on screen, and exits (used by the process benchmark).
#include "app/frmMain.h"
#include "ui/TextBoxW.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <benchmark/benchmark.h>

#include "SampleText.h"
#include <cstdio>
#include <cstring>

namespace {

QElapsedTimer g_sinceStart;

long ResidentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

bool WaitExposed(QWidget& window, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!(window.windowHandle() && window.windowHandle()->isExposed())) {
        if (timer.elapsed() > timeoutMs) return false;
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    }
    return true;
}

bool HaveDisplay() {
    return QGuiApplication::platformName() != QLatin1String("offscreen");
}

int ProbeStart() {
    telmo::frmMain window;
    window.show();
    if (!WaitExposed(window, 5000)) return 1;
    std::printf("shown %lld %ld\n", static_cast<long long>(g_sinceStart.elapsed()), ResidentKb());
    return 0;
}

void BM_ProcessStartToShownWindow(benchmark::State& state) {
    if (!HaveDisplay()) return state.SkipWithError("no display");
    long rssKb = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        QProcess probe;
        probe.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--probe-start")});
        if (!probe.waitForReadyRead(10000)) return state.SkipWithError("probe did not show its window");
        const double ms = timer.nsecsElapsed() / 1e6;
        state.SetIterationTime(ms / 1000.0);
        const QList<QByteArray> fields = probe.readAllStandardOutput().trimmed().split(' ');
        if (fields.size() == 3) rssKb = fields[2].toLong();
        probe.waitForFinished(10000);
    }
    state.counters["rss_MB"] = rssKb / 1024.0;
}
BENCHMARK(BM_ProcessStartToShownWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_ShowMainWindowInProcess(benchmark::State& state) {
    if (!HaveDisplay()) return state.SkipWithError("no display");
    for (auto _ : state) {
        telmo::frmMain window;
        window.show();
        WaitExposed(window, 5000);
    }
}
BENCHMARK(BM_ShowMainWindowInProcess)->Unit(benchmark::kMillisecond)->Iterations(5);

// Lines of mixed Chinese and ASCII with runs of spaces, as form data looks.
const QByteArray kSampleLine = "张三  13800138000   北京市 海淀区  中关村大街 27 号   备注: abc def\r\n";

void BM_Import20MBAndRunOperation3(benchmark::State& state) {
    if (!HaveDisplay()) return state.SkipWithError("no display");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.txt"));
    if (!bench::WriteSampleFile(path, kSampleLine, 20 * 1024 * 1024))
        return state.SkipWithError("cannot write the sample file");
    for (auto _ : state) {
        telmo::frmMain window;
        window.show();
        WaitExposed(window, 5000);
        QElapsedTimer timer;
        timer.start();
        telmo::TextBoxW* box = window.TextBoxW1;
        box->OLEDragDrop({path}); // as a drop on the work box does
        QApplication::processEvents();
        const double importMs = timer.nsecsElapsed() / 1e6;
        window.Combo1->setCurrentIndex(3);
        window.Command1_Click(4);
        // Responsive again: a timer posted now fires once the window has handled what was queued.
        bool answered = false;
        QTimer::singleShot(0, [&] { answered = true; });
        while (!answered) QApplication::processEvents(QEventLoop::AllEvents, 50);
        state.SetIterationTime(timer.nsecsElapsed() / 1e9);
        state.counters["import_ms"] = importMs;
        state.counters["text_MB"] = box->Text().size() * 2 / 1048576.0;
    }
}
BENCHMARK(BM_Import20MBAndRunOperation3)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    g_sinceStart.start();
    const bool probe = argc > 1 && std::strcmp(argv[1], "--probe-start") == 0;
    if (!probe && qEnvironmentVariableIsEmpty("DISPLAY")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (probe) return ProbeStart();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
