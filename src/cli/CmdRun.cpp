// telmo-cli run: replays a script; with --dry-run nothing is injected and every action is printed.
#include "cli/CliCommand.h"
#include "platform/Backends.h"
#include "platform/StopSignals.h"
#include "platform/fake/FakeRunHost.h"
#include "platform/fake/RecordingInput.h"
#include "platform/qt/ShellOpen.h"
#include "script/ScriptRunner.h"
#include "script/frmProgress.h"
#include "script/frmTip.h"

#include <QDateTime>
#include <QRegularExpression>
#include <atomic>
#include <cstdio>
#include <optional>

namespace telmo::cli {

namespace {

constexpr int kExitStopped = 130; // as a shell reports a program ended by Ctrl+C

std::atomic<bool> gStopRequested{false};

extern "C" void OnStopSignal(int) {
    gStopRequested.store(true, std::memory_order_relaxed);
}

struct RunRequest {
    bool dryRun = false;
    bool yes = false;              // --yes: no run confirmation
    QString countBox, intervalBox; // missing options read as empty boxes
    QString scriptPath, itemsPath;
    QSize screen{1920, 1080};
    QDateTime now;
};

// The options of `run`; nullopt after printing what is wrong.
std::optional<RunRequest> ParseArguments(const QStringList& args) {
    RunRequest r;
    bool haveScript = false;
    static const QRegularExpression kBoxValue(QStringLiteral("^[+-]?[0-9]*$"));
    static const QRegularExpression kScreen(QStringLiteral("^([0-9]{1,6})x([0-9]{1,6})$"));
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool takesValue =
            a == "--count" || a == "--interval" || a == "--items" || a == "--screen" || a == "--now";
        if (takesValue && i + 1 >= args.size()) {
            PrintError(QStringLiteral("run: %1 needs a value").arg(a));
            return std::nullopt;
        }
        if (a == "--dry-run") {
            r.dryRun = true;
        } else if (a == "--yes") {
            r.yes = true;
        } else if (a == "--count" || a == "--interval") {
            const QString& v = args[++i];
            if (!kBoxValue.match(v).hasMatch()) {
                PrintError(QStringLiteral("run: %1 takes a whole number, not '%2'").arg(a, v));
                return std::nullopt;
            }
            (a == "--count" ? r.countBox : r.intervalBox) = v;
        } else if (a == "--items") {
            r.itemsPath = args[++i];
        } else if (a == "--screen") {
            const QString& v = args[++i];
            const auto m = kScreen.match(v);
            if (!m.hasMatch() || m.captured(1).toInt() == 0 || m.captured(2).toInt() == 0) {
                PrintError(QStringLiteral("run: --screen takes WIDTHxHEIGHT in pixels, not '%1'").arg(v));
                return std::nullopt;
            }
            r.screen = QSize(m.captured(1).toInt(), m.captured(2).toInt());
        } else if (a == "--now") {
            const QString& v = args[++i];
            r.now = QDateTime::fromString(v, QStringLiteral("yyyy-MM-dd'T'HH:mm:ss"));
            if (!r.now.isValid()) {
                PrintError(
                    QStringLiteral("run: --now takes a local time YYYY-MM-DDTHH:MM:SS, not '%1'").arg(v));
                return std::nullopt;
            }
        } else if (a.startsWith(u'-') && a != "-") {
            PrintError(QStringLiteral("run: unknown option '%1'").arg(a));
            return std::nullopt;
        } else if (!haveScript) {
            r.scriptPath = a;
            haveScript = true;
        } else {
            PrintError(QStringLiteral("run: only one SCRIPT file, but also got '%1'").arg(a));
            return std::nullopt;
        }
    }
    if (!haveScript) {
        PrintError(QStringLiteral("run: no SCRIPT file given"));
        return std::nullopt;
    }
    if (!r.now.isValid()) r.now = QDateTime::currentDateTime();
    return r;
}

// Runs the script on the given backends; the exit status of the command.
int ExecuteRun(const QString& script, const QString& items, const RunSettings& settings, InputBackend& input,
               RunHost& host, bool showProgress = false) {
    switch (showProgress ? RunScriptWithProgress(script, items, settings, input, host)
                         : RunScript(script, items, settings, input, host)) {
    case RunOutcome::Finished:
        return kExitOk;
    case RunOutcome::Stopped:
        return kExitStopped;
    case RunOutcome::Declined:
        PrintError(QStringLiteral("run: declined"));
        return kExitFailure;
    }
    return kExitFailure;
}

int DryRun(const RunRequest& r, const QString& script, const QString& items, const RunSettings& settings) {
    // A long dry run can be interrupted; the runner then releases what the script held, and the
    // trace shows it.
    OnStopSignals(&OnStopSignal);

    static char buffer[1 << 16];
    std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
    TraceStream trace(stdout);
    RecordingInput input(trace, r.screen);
    FakeRunHost host(trace, r.now);
    host.setStopFlag(&gStopRequested);
    const int status = ExecuteRun(script, items, settings, input, host);
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        PrintError(QStringLiteral("run: cannot write the trace to standard output"));
        return kExitFailure;
    }
    return status;
}

int RealRun(const QString& script, const QString& items, const RunSettings& settings) {
    QString error;
    RealBackends backends = CreateRealBackends(&ShowTip, &error);
    if (!backends.input || !backends.host) {
        PrintError(QStringLiteral("run: %1").arg(error));
        return kExitFailure;
    }
    const int status = ExecuteRun(script, items, settings, *backends.input, *backends.host, true);
    // A program started minimised near the end of the script still gets its window minimised; a
    // stopped run ends at once.
    if (status != kExitStopped) FinishShellOpens();
    return status;
}

int RunCommand(const QStringList& args) {
    const std::optional<RunRequest> request = ParseArguments(args);
    if (!request) return kExitUsage;
    QString script, items, error;
    if (!ReadInputText(request->scriptPath, &script, &error) ||
        (!request->itemsPath.isEmpty() && !ReadInputText(request->itemsPath, &items, &error))) {
        PrintError(QStringLiteral("run: %1").arg(error));
        return kExitFailure;
    }
    RunSettings settings = ReadRunSettings(request->countBox, request->intervalBox);
    settings.confirm = !request->yes;
    if (IsBlankScript(script)) return kExitOk; // as the Execute button: nothing at all happens
    if (request->dryRun) return DryRun(*request, script, items, settings);
    return RealRun(script, items, settings);
}

// Without --dry-run the run drives the display, so main() must create a GUI application.
bool NeedsDisplay(const QStringList& args) {
    return !args.contains(QStringLiteral("--dry-run"));
}

const bool registered = RegisterCommand("run", &RunCommand) && RegisterDisplayNeed("run", &NeedsDisplay);

} // namespace

} // namespace telmo::cli
