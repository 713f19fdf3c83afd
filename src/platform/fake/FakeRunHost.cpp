#include "platform/fake/FakeRunHost.h"

namespace telmo {

void FakeRunHost::waitForEvents(int maxMs) {
    if (maxMs <= 0) return;
    counter_ += std::uint32_t(maxMs); // wraps like the real counter
    elapsedMs_ += maxMs;
}

void FakeRunHost::pauseStarting(std::int32_t ms) {
    line_.resize(0);
    line_.append("wait ");
    AppendDecimal(line_, ms);
    trace_.writeLine(line_);
}

bool FakeRunHost::clipboardClear() {
    clipboard_.clear();
    trace_.writeLine("clipboard clear");
    return true;
}

bool FakeRunHost::clipboardSetText(const QString& text) {
    clipboard_ = text;
    line_.resize(0);
    line_.append("clipboard set ");
    AppendJsonString(line_, text);
    trace_.writeLine(line_);
    return true;
}

bool FakeRunHost::shellOpen(const QString& target, int showCmd) {
    line_.resize(0);
    line_.append("shell ");
    AppendJsonString(line_, target);
    line_.append(' ');
    AppendDecimal(line_, showCmd);
    trace_.writeLine(line_);
    return true;
}

void FakeRunHost::showTip(const QString& text) {
    line_.resize(0);
    line_.append("tip ");
    AppendJsonString(line_, text);
    trace_.writeLine(line_);
}

bool FakeRunHost::stopRequested() {
    if (stopFlag_ && stopFlag_->load(std::memory_order_relaxed)) stop_ = true;
    if (stopAfterLines_ && trace_.linesWritten() >= stopAfterLines_) stop_ = true;
    return stop_;
}

} // namespace telmo
