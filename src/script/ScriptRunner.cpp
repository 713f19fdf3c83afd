#include "script/ScriptRunner.h"

#include "platform/InputBackend.h"
#include "platform/RunHost.h"
#include "script/InputSimulation.h"
#include "script/Placeholders.h"
#include "script/ScriptLanguage.h"

#include <algorithm>
#include <climits>
#include <vector>

namespace telmo {

namespace {

constexpr std::int32_t kSettleMs = 20; // after every clipboard write and every paste chord
constexpr int kVkV = 86;
constexpr int kMaskCtrl = 2;
// How long keys that were down before the run, or before a message window closed, are waited for.
constexpr std::int32_t kHeldKeysWaitMs = 1000;

std::int32_t ReadBox(QStringView box) {
    if (auto v = ReadNumericField(box)) return *v;
    // Out of range: the sign is the first character that is not a blank.
    for (QChar c : box) {
        if (c == u' ' || c == u'\t' || c == u'\n') continue;
        return c == u'-' ? INT32_MIN : INT32_MAX;
    }
    return INT32_MAX;
}

class Run {
public:
    Run(const QString& workText, InputBackend& input, RunHost& host)
        : host_(host), sim_(input, host), items_(ScriptLines(workText)) {}

    void execute(const Step& step) {
        switch (step.kind) {
        case StepKind::Copy:
            copy();
            break;
        case StepKind::Paste:
            paste();
            sim_.WaitMs(kSettleMs);
            break;
        case StepKind::Mouse:
            sim_.SendMouseEvent(step.mouseFlags, step.mouseData);
            break;
        case StepKind::Type:
            host_.clipboardClear();
            host_.clipboardSetText(step.argument);
            sim_.WaitMs(kSettleMs);
            if (!host_.stopRequested()) paste();
            break;
        case StepKind::Message:
            host_.showTip(step.argument);
            sim_.WaitForReleasedKeys(kHeldKeysWaitMs); // the key that closed the window
            break;
        case StepKind::Move:
            sim_.ExecuteCommandString(QStringLiteral("m ") + step.argument);
            break;
        case StepKind::Hold:
            sim_.ExecuteCommandString(QStringLiteral("h ") + step.argument);
            break;
        case StepKind::Key:
            sim_.ExecuteCommandString(QStringLiteral("k ") + step.argument);
            break;
        case StepKind::Command: {
            QString target = step.argument;
            target.remove(u'@');
            host_.shellOpen(target, step.argument.contains(u'@') ? SW_SHOWMINIMIZED : SW_SHOW);
            break;
        }
        case StepKind::None:
            break;
        }
    }

    void pauseAfterPass(std::int32_t pass, const RunSettings& settings) {
        // A pause whose milliseconds do not fit 32 bits is skipped rather than cut short.
        const std::int64_t ms = std::int64_t(settings.interval) * 1000;
        const bool fits = ms >= INT32_MIN && ms <= INT32_MAX;
        host_.passPauseStarting(pass, settings.count, fits ? std::int32_t(ms) : -1);
        if (fits) sim_.WaitMs(std::int32_t(ms));
    }

    void releaseHeldInput() { sim_.ReleaseHeldInput(); }
    void waitForReleasedKeys() { sim_.WaitForReleasedKeys(kHeldKeysWaitMs); }

private:
    void copy() {
        if (items_.isEmpty()) return;
        if (++itemIndex_ >= items_.size()) itemIndex_ = 0;
        const QString text = ExpandPlaceholders(items_[itemIndex_], itemIndex_ + 1, itemCounter_,
                                                [this] { return host_.currentDateTime(); });
        host_.clipboardClear();
        host_.clipboardSetText(text);
        sim_.WaitMs(kSettleMs);
    }

    void paste() {
        sim_.PressKeyChord(kVkV, kMaskCtrl);
        host_.pasteChordSent();
    }

    RunHost& host_;
    InputSimulator sim_;
    const QStringList items_;
    qsizetype itemIndex_ = -1;
    std::int64_t itemCounter_ = 0; // wide enough never to wrap, however long the run
};

} // namespace

RunSettings ReadRunSettings(QStringView countBox, QStringView intervalBox) {
    RunSettings s{ReadBox(countBox), ReadBox(intervalBox)};
    if (s.count == 0) s.count = 1;
    if (s.interval == 0) s.interval = 1;
    return s;
}

bool IsBlankScript(QStringView scriptText) {
    for (QChar c : scriptText)
        if (c != u'\r' && c != u'\n' && c != u' ') return false;
    return true;
}

RunOutcome RunScript(const QString& scriptText, const QString& workText, const RunSettings& settings,
                     InputBackend& input, RunHost& host) {
    if (settings.confirm && !host.confirmRun()) return RunOutcome::Declined;
    // Recognition depends on the line alone, so every line is recognised once for the whole run.
    const QStringList lines = ScriptLines(scriptText);
    std::vector<Step> steps;
    steps.reserve(std::size_t(lines.size()));
    for (const QString& line : lines) steps.push_back(RecognizeStep(line));
    const int stepCount = int(std::min<qsizetype>(lines.size(), INT_MAX));
    Run run(workText, input, host);
    if (settings.count >= 1) run.waitForReleasedKeys(); // the key that confirmed the run
    for (std::int32_t pass = 1; pass <= settings.count; ++pass) {
        for (int i = 0; i < stepCount; ++i) {
            if (host.stopRequested()) {
                run.releaseHeldInput();
                return RunOutcome::Stopped;
            }
            host.stepStarting(pass, settings.count, i, stepCount, lines[i]);
            run.execute(steps[std::size_t(i)]);
        }
        run.pauseAfterPass(pass, settings);
        if (host.stopRequested()) {
            run.releaseHeldInput();
            return RunOutcome::Stopped;
        }
        if (pass == INT32_MAX) break; // the loop variable must not overflow
    }
    return RunOutcome::Finished;
}

} // namespace telmo
