#pragma once
// Host services of a script run on a real display: Qt's event loop and clipboard, the desktop's
// default handlers, and the run's windows. Needs a QApplication.
#include "platform/PasteSettling.h"
#include "platform/RunHost.h"

#include <QElapsedTimer>
#include <QSocketNotifier>
#include <functional>
#include <memory>

namespace telmo {

class QtRunHost : public RunHost {
public:
    // showTip shows the message window of a MSG step modally (the widgets library's ShowTip).
    explicit QtRunHost(std::function<void(const QString&)> showTip);
    ~QtRunHost() override; // lets a paste that is still being served finish (bounded)

    std::uint32_t timeGetTime() override;
    void processEvents() override;
    void waitForEvents(int maxMs) override;
    QDateTime currentDateTime() override;

    bool clipboardClear() override;
    bool clipboardSetText(const QString& text) override;
    void pasteChordSent() override;

    bool shellOpen(const QString& target, int showCmd) override;
    void showTip(const QString& text) override;
    bool confirmRun() override;
    bool stopRequested() override;

    // The stop source of a run (the stop hotkey); checked by stopRequested(). Input arriving on
    // wakeFd (the stop source's connection) ends a wait at once, so a stop cuts a pause short.
    void setStopCheck(std::function<bool()> check, int wakeFd = -1);

    // Holds the caller until the paste chord sent last has been served (PasteSettling says when),
    // handling events meanwhile.
    void waitForPendingPaste();
    void inputStarting() override { waitForPendingPaste(); }

    struct ClipboardState;

private:
    PasteTraffic pasteTraffic() const;
    // After one of our windows closes, the window manager gives the focus back to the window that had
    // it; input sent before that would go nowhere.
    void waitForFocusToLeave();

    std::function<void(const QString&)> showTip_;
    std::function<bool()> stopCheck_;
    QElapsedTimer clock_;
    std::shared_ptr<ClipboardState> clipboard_;
    std::unique_ptr<QSocketNotifier> wake_;
    bool watchingSelections_ = false; // the selection requests of other programs can be seen
    std::int64_t lagMs_ = 0;          // how late waits come back just now
};

} // namespace telmo
