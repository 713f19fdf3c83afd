#pragma once
// The host side of the platform seam: everything a script run needs from the desktop besides input.
// The runner and the input simulation only talk to this interface, so they run without a display.
#include <QDateTime>
#include <QString>
#include <cstdint>

namespace telmo {

// Show states for ShellOpen, as the shell knows them.
inline constexpr int SW_SHOWMINIMIZED = 2;
inline constexpr int SW_SHOW = 5;

class RunHost {
public:
    virtual ~RunHost() = default;

    // The unsigned 32-bit millisecond counter; it wraps around.
    virtual std::uint32_t timeGetTime() = 0;
    // Handle all pending window events and return.
    virtual void processEvents() = 0;
    // Sleep until a window event arrives or at most maxMs milliseconds have passed, whichever is first.
    virtual void waitForEvents(int maxMs) = 0;
    // Told when a pause of ms milliseconds begins (WaitMs), before any waiting: the dry run's trace
    // and the progress display hear of every pause this way.
    virtual void pauseStarting(std::int32_t ms) {}
    // Told before each step of a pass: the pass (1 to count), the step's position among the script's
    // stepCount steps (from 0) and its line. The progress display follows the run this way.
    virtual void stepStarting(std::int32_t pass, std::int32_t count, int stepIndex, int stepCount,
                              const QString& line) {}
    // Told when the steps of a pass are done, before the pause after it: ms is that pause, or -1 when
    // it is skipped because it does not fit 32 bits. Comes before the pauseStarting of that pause.
    virtual void passPauseStarting(std::int32_t pass, std::int32_t count, std::int32_t ms) {}
    // The current local date and time (for %time% and %date%).
    virtual QDateTime currentDateTime() = 0;

    // Clipboard: false when the clipboard could not be changed (the step goes on regardless).
    virtual bool clipboardClear() = 0;
    virtual bool clipboardSetText(const QString& text) = 0;
    // Called right after a paste chord was sent. Where a paste is a conversation with the target that
    // outlasts the chord (X11), the host holds the run's next input, clipboard change, shell open or
    // window until the target has taken the text.
    virtual void pasteChordSent() {}
    // Called before every key or mouse event of the run.
    virtual void inputStarting() {}

    // Open a document, folder, address or program; showCmd is SW_SHOW or SW_SHOWMINIMIZED.
    virtual bool shellOpen(const QString& target, int showCmd) = 0;

    // The message window of a MSG step; returns when the user has closed it.
    virtual void showTip(const QString& text) = 0;

    // The run confirmation; true for OK.
    virtual bool confirmRun() = 0;

    // True once the user asked the running script to stop.
    virtual bool stopRequested() { return false; }
};

} // namespace telmo
