// How long the main window stops answering while it works on a 20 MB work text: importing it (a
// drop on the work box), selecting it all with Ctrl+A, one operation and replace-all. The figure of
// each step is the longest gap between two turns of the event loop while the step runs.
// Needs a display (make bench under scripts/with-xvfb.sh, or a desktop); skips without one.
#include "app/frmMain.h"
#include "ui/TextBoxW.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <benchmark/benchmark.h>

#include "SampleText.h"
#include <functional>

namespace {

// Lines of mixed Chinese and ASCII with runs of spaces and phone numbers, as form data looks.
const QByteArray kSampleLine = "张三  13800138000   北京市 海淀区  中关村大街 27 号   備註: abc def\r\n";

// The longest time the event loop did not come round while `step` ran and until the window is idle
// again (no busy cursor, nothing queued).
double FreezeMs(const std::function<void()>& step) {
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0, worst = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        worst = std::max(worst, clock.elapsed() - last);
        last = clock.elapsed();
    });
    tick.start(2);
    QTimer::singleShot(0, step);
    bool idle = false;
    while (!idle) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        bool answered = false;
        QTimer::singleShot(0, [&] { answered = true; });
        while (!answered) QApplication::processEvents(QEventLoop::AllEvents, 20);
        idle = clock.elapsed() > 50 && !QApplication::overrideCursor();
    }
    worst = std::max(worst, clock.elapsed() - last);
    return double(worst);
}

void BM_WindowFreezeWith20MB(benchmark::State& state) {
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        return state.SkipWithError("no display");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.txt"));
    if (!bench::WriteSampleFile(path, kSampleLine, 20 * 1024 * 1024))
        return state.SkipWithError("cannot write the sample file");
    for (auto _ : state) {
        telmo::frmMain window;
        window.show();
        while (!(window.windowHandle() && window.windowHandle()->isExposed()))
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
        telmo::TextBoxW* box = window.TextBoxW1;
        QElapsedTimer total;
        total.start();
        state.counters["import_ms"] = FreezeMs([&] { box->OLEDragDrop({path}); });
        state.counters["ctrl_a_ms"] = FreezeMs([&] {
            box->SetFocus();
            QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier, QStringLiteral("a"));
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::ControlModifier, QStringLiteral("a"));
            QApplication::sendEvent(box->Editor(), &press);
            QApplication::sendEvent(box->Editor(), &release);
        });
        state.counters["operation3_ms"] = FreezeMs([&] {
            window.Combo1->setCurrentIndex(3);
            window.Command1_Click(4);
        });
        state.counters["replace_all_ms"] = FreezeMs([&] {
            window.Check1->setChecked(true);
            window.TextBoxW2[0]->SetText(QStringLiteral("\\d{11}"));
            window.TextBoxW2[1]->SetText(QStringLiteral("X"));
            window.Command1_Click(3);
        });
        state.SetIterationTime(total.nsecsElapsed() / 1e9);
    }
}
BENCHMARK(BM_WindowFreezeWith20MB)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
