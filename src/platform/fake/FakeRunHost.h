#pragma once
// The host of dry runs and tests. Pauses do not sleep: a virtual millisecond counter and a virtual
// clock move on by the time each pause waits. Every host action writes a trace line:
//   wait MS | clipboard clear | clipboard set "TEXT" | shell "TARGET" SHOW | tip "TEXT"
// A stop can be requested directly, after a number of trace lines, or through an outside flag
// (a signal handler's).
#include "platform/RunHost.h"
#include "platform/fake/TraceWriter.h"

#include <atomic>

namespace telmo {

class FakeRunHost : public RunHost {
public:
    FakeRunHost(TraceWriter& trace, QDateTime now, std::uint32_t counter = 0)
        : trace_(trace), start_(std::move(now)), counter_(counter) {}

    std::uint32_t timeGetTime() override { return counter_; }
    void processEvents() override { ++eventPumps_; }
    void waitForEvents(int maxMs) override;
    void pauseStarting(std::int32_t ms) override;
    QDateTime currentDateTime() override { return start_.addMSecs(elapsedMs_); }

    bool clipboardClear() override;
    bool clipboardSetText(const QString& text) override;
    void pasteChordSent() override { ++pasteChords_; }
    bool shellOpen(const QString& target, int showCmd) override;
    void showTip(const QString& text) override;
    bool confirmRun() override { return confirm_; }
    bool stopRequested() override;

    // Test controls.
    void setConfirm(bool ok) { confirm_ = ok; }
    void requestStop() { stop_ = true; }
    void stopAfterTraceLines(std::uint64_t n) { stopAfterLines_ = n; }
    void setStopFlag(const std::atomic<bool>* flag) { stopFlag_ = flag; }
    void setCounter(std::uint32_t counter) { counter_ = counter; }

    const QString& clipboard() const { return clipboard_; }
    std::int64_t elapsedMs() const { return elapsedMs_; }
    std::int64_t eventPumps() const { return eventPumps_; }
    std::int64_t pasteChords() const { return pasteChords_; }

private:
    TraceWriter& trace_;
    QDateTime start_;
    std::uint32_t counter_;
    std::int64_t elapsedMs_ = 0;
    QString clipboard_;
    QByteArray line_;
    // A dry run may pause and paste more than 2^31 times.
    std::int64_t eventPumps_ = 0;
    std::int64_t pasteChords_ = 0;
    bool confirm_ = true;
    bool stop_ = false;
    std::uint64_t stopAfterLines_ = 0;
    const std::atomic<bool>* stopFlag_ = nullptr;
};

} // namespace telmo
