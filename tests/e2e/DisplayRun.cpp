#include "DisplayRun.h"

#include "E2eSupport.h"
#include "platform/x11/X11InputBackend.h"

#include <QElapsedTimer>

namespace e2e {
namespace {

bool WriteLines(const QString& path, const QStringList& lines) {
    return WriteTextFile(path, lines.join("\r\n") + "\r\n");
}

} // namespace

DisplayRun::DisplayRun(const QStringList& scriptLines, const QStringList& items, const QStringList& options,
                       const QProcessEnvironment& environment) {
    const QString script = dir_.filePath("script.sd");
    const QString itemsFile = dir_.filePath("items.txt");
    WriteLines(script, scriptLines);
    WriteLines(itemsFile, items);
    QStringList args{"run", "--items", itemsFile};
    args << options << script;
    process_.setProgram(TELMO_CLI_PATH);
    process_.setArguments(args);
    process_.setProcessEnvironment(environment);
    process_.start();
    process_.waitForStarted(10000);
}

DisplayRun::~DisplayRun() {
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

bool DisplayRun::waitForFocusedWindow(const QString& title, int timeoutMs) {
    return WaitFor([&] { return FocusedTitle() == title; }, timeoutMs);
}

void DisplayRun::tapKey(int vk) {
    QString error;
    auto in = telmo::x11::X11InputBackend::Open(&error);
    if (!in) return;
    in->keybd_event(static_cast<std::uint8_t>(vk), 0, 0, 0);
    in->keybd_event(static_cast<std::uint8_t>(vk), 0, telmo::KEYEVENTF_KEYUP, 0);
}

bool DisplayRun::confirm() {
    if (!waitForFocusedWindow(QStringLiteral("运行脚本"))) return false;
    tapKey(0x0D);
    return true;
}

int DisplayRun::finish(int timeoutMs) {
    QElapsedTimer t;
    t.start();
    const bool done = process_.waitForFinished(timeoutMs);
    elapsedMs_ = t.elapsed();
    err_ = process_.readAllStandardError();
    if (!done) return -1;
    return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
}

} // namespace e2e
