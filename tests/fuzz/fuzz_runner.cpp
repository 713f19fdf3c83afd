// The runner's dry run over an arbitrary script and work text, through the recording backend and the
// fake host: pauses are virtual, so nothing sleeps, and the passes are capped at three.
//   - a declined confirmation does nothing at all;
//   - virtual time moves on by exactly the pauses announced (a run that was not stopped);
//   - no key is ever left down, and a stopped run leaves no button down either;
//   - what reaches the clipboard holds no line break; the trace is valid UTF-8.
// Options: byte 1 bit 0 declines the confirmation, bits 1-7 stop after that many trace lines (0:
// never); byte 2 starts the millisecond counter just before it wraps. Texts: script, work text, the
// count box and the interval box.
#include "FuzzInput.h"
#include "platform/fake/FakeRunHost.h"
#include "platform/fake/RecordingInput.h"
#include "script/ScriptRunner.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <algorithm>
#include <map>
#include <utility>

using namespace telmo;

namespace {

// Follows key and button state through the trace lines and adds up the announced pauses.
class TraceCheck : public TraceWriter {
public:
    std::map<int, bool> keysDown;
    std::map<std::pair<std::uint32_t, std::int32_t>, bool> buttonsDown; // (up flags, data)
    std::int64_t announcedMs = 0;

    bool anyKeyDown() const {
        return std::any_of(keysDown.begin(), keysDown.end(), [](const auto& k) { return k.second; });
    }
    bool anyButtonDown() const {
        return std::any_of(buttonsDown.begin(), buttonsDown.end(), [](const auto& b) { return b.second; });
    }

protected:
    void put(QByteArrayView view) override {
        const QByteArray line = view.toByteArray();
        FUZZ_CHECK(line.isValidUtf8());
        const QList<QByteArray> f = line.split(' ');
        if (f[0] == "key") {
            FUZZ_CHECK(f.size() == 3);
            keysDown[f[1].toInt()] = f[2] == "down";
        } else if (f[0] == "mouse") {
            FUZZ_CHECK(f.size() == 5);
            bool ok = false;
            const std::uint32_t flags = f[1].mid(2).toUInt(&ok, 16);
            FUZZ_CHECK(ok);
            const std::int32_t data = f[4].toInt();
            if (flags & (MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_RIGHTDOWN | MOUSEEVENTF_MIDDLEDOWN | MOUSEEVENTF_XDOWN))
                buttonsDown[{flags << 1, data}] = true;
            else if (flags & (MOUSEEVENTF_LEFTUP | MOUSEEVENTF_RIGHTUP | MOUSEEVENTF_MIDDLEUP | MOUSEEVENTF_XUP))
                buttonsDown[{flags, data}] = false;
        } else if (f[0] == "wait") {
            announcedMs += std::max<std::int64_t>(0, f[1].toLongLong());
        } else if (line.startsWith("clipboard set ")) {
            const QJsonDocument doc = QJsonDocument::fromJson("[" + line.mid(14) + "]");
            FUZZ_CHECK(doc.isArray() && doc.array().size() == 1);
            const QString text = doc.array().at(0).toString();
            FUZZ_CHECK(!text.contains(u'\n') && !text.contains(u'\r'));
        }
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput in(data, size);
    const std::uint8_t control = in.Byte();
    const bool wrapCounter = in.Byte() & 1;
    const QString script = in.Text();
    const QString work = in.Text();
    const QString countBox = in.Text();
    const QString intervalBox = in.Text();

    RunSettings settings = ReadRunSettings(countBox, intervalBox);
    FUZZ_CHECK(settings.count != 0 && settings.interval != 0);
    settings.count = std::min(settings.count, 3);

    TraceCheck trace;
    RecordingInput input(trace);
    FakeRunHost host(trace, QDateTime(QDate(2024, 12, 31), QTime(23, 59, 59)), wrapCounter ? 0xFFFFFF00u : 0u);
    host.setConfirm(!(control & 1));
    if (control >> 1) host.stopAfterTraceLines(control >> 1);

    const RunOutcome outcome = RunScript(script, work, settings, input, host);
    if (control & 1) {
        FUZZ_CHECK(outcome == RunOutcome::Declined && trace.linesWritten() == 0);
        return 0;
    }
    FUZZ_CHECK(outcome != RunOutcome::Declined);
    FUZZ_CHECK(!trace.anyKeyDown());
    if (outcome == RunOutcome::Stopped) FUZZ_CHECK(!trace.anyButtonDown());
    else FUZZ_CHECK(host.elapsedMs() == trace.announcedMs);
    return 0;
}
