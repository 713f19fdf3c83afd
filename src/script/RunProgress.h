#pragma once
// Following a run on screen: a progress display that the run's host and input are wrapped around.
// The host wrapper keeps the display up to date and out of the way of the run's own windows; the
// input wrapper moves the display aside before the pointer would land on it, so the script's clicks
// and wheel turns always reach the window beneath, never the display.
#include "platform/InputBackend.h"
#include "platform/RunHost.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>

namespace telmo {

class ProgressDisplay {
public:
    virtual ~ProgressDisplay() = default;

    // Shown without ever taking the keyboard focus.
    virtual void showProgress() = 0;
    virtual void hideProgress() = 0;
    virtual bool progressShown() const = 0;

    virtual void setStep(std::int32_t pass, std::int32_t count, int stepIndex, int stepCount,
                         const QString& line) = 0;
    // The pause after a pass begins; ms as RunHost::passPauseStarting.
    virtual void setPassPause(std::int32_t pass, std::int32_t count, std::int32_t ms) = 0;

    // Where the display stands, in device pixels of the primary screen (origin at its top left);
    // empty while hidden.
    virtual QRect screenArea() const = 0;
    // The pointer in the same coordinates; nullopt when it cannot be told.
    virtual std::optional<QPoint> pointerPosition() const = 0;
    // Puts the display where it does not cover the point (or hides it when no place is free) and
    // returns once it stands there.
    virtual void moveAwayFrom(QPoint point) = 0;
    // True once the user asked the display to stop the run (its stop button).
    virtual bool stopClicked() const { return false; }
};

// The top left corner for a window of the given size in one of the corners of area, at margin from
// its edges, that keeps the window clear of avoid: the corners are tried bottom right, bottom left,
// top right, top left. nullopt when the window covers avoid in every corner.
std::optional<QPoint> CornerAvoiding(const QRect& area, const QSize& size, int margin, const QPoint& avoid);

class ProgressRunHost : public RunHost {
public:
    ProgressRunHost(RunHost& inner, ProgressDisplay& display) : inner_(inner), display_(display) {}
    ~ProgressRunHost() override;

    std::uint32_t timeGetTime() override { return inner_.timeGetTime(); }
    void processEvents() override { inner_.processEvents(); }
    void waitForEvents(int maxMs) override { inner_.waitForEvents(maxMs); }
    void pauseStarting(std::int32_t ms) override { inner_.pauseStarting(ms); }
    void stepStarting(std::int32_t pass, std::int32_t count, int stepIndex, int stepCount,
                      const QString& line) override;
    void passPauseStarting(std::int32_t pass, std::int32_t count, std::int32_t ms) override;
    QDateTime currentDateTime() override { return inner_.currentDateTime(); }

    bool clipboardClear() override { return inner_.clipboardClear(); }
    bool clipboardSetText(const QString& text) override { return inner_.clipboardSetText(text); }
    void pasteChordSent() override { inner_.pasteChordSent(); }
    void inputStarting() override { inner_.inputStarting(); }
    bool shellOpen(const QString& target, int showCmd) override { return inner_.shellOpen(target, showCmd); }

    // The message window and the confirmation are never covered by the display.
    void showTip(const QString& text) override;
    bool confirmRun() override;
    // The stop keys of the inner host, or the display's stop button.
    bool stopRequested() override;

private:
    RunHost& inner_;
    ProgressDisplay& display_;
};

class ProgressInput : public InputBackend {
public:
    ProgressInput(InputBackend& inner, ProgressDisplay& display) : inner_(inner), display_(display) {}

    void keybd_event(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags, std::uintptr_t extra) override {
        inner_.keybd_event(vk, scan, flags, extra);
    }
    // Before an absolute move onto the display, or a button or wheel event with the pointer over it,
    // the display moves aside.
    void mouse_event(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::int32_t data,
                     std::uintptr_t extra) override;
    QSize primaryScreenSize() const override { return inner_.primaryScreenSize(); }
    bool keysHeldElsewhere() override { return inner_.keysHeldElsewhere(); }
    void releaseKeysHeldElsewhere() override { inner_.releaseKeysHeldElsewhere(); }

private:
    InputBackend& inner_;
    ProgressDisplay& display_;
};

} // namespace telmo
