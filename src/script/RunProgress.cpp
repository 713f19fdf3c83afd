#include "script/RunProgress.h"

#include <cmath>

namespace telmo {

namespace {

// The backends turn normalised coordinates into pixels with their own rounding; a pixel of slack on
// every side keeps a move to the display's very edge from slipping through.
constexpr int kSlack = 2;

constexpr std::uint32_t kButtonOrWheel = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP | MOUSEEVENTF_RIGHTDOWN |
                                         MOUSEEVENTF_RIGHTUP | MOUSEEVENTF_MIDDLEDOWN | MOUSEEVENTF_MIDDLEUP |
                                         MOUSEEVENTF_XDOWN | MOUSEEVENTF_XUP | MOUSEEVENTF_WHEEL;

int ToPixel(std::int32_t normalised, int extent) {
    return int(std::floor(double(normalised) * double(extent) / 65536.0));
}

} // namespace

std::optional<QPoint> CornerAvoiding(const QRect& area, const QSize& size, int margin, const QPoint& avoid) {
    const int left = area.left() + margin;
    const int top = area.top() + margin;
    const int right = area.left() + area.width() - margin - size.width();
    const int bottom = area.top() + area.height() - margin - size.height();
    for (const QPoint corner :
         {QPoint(right, bottom), QPoint(left, bottom), QPoint(right, top), QPoint(left, top)}) {
        if (!QRect(corner, size).adjusted(-kSlack, -kSlack, kSlack, kSlack).contains(avoid)) return corner;
    }
    return std::nullopt;
}

ProgressRunHost::~ProgressRunHost() {
    display_.hideProgress();
}

void ProgressRunHost::stepStarting(std::int32_t pass, std::int32_t count, int stepIndex, int stepCount,
                                   const QString& line) {
    display_.setStep(pass, count, stepIndex, stepCount, line);
    if (!display_.progressShown()) display_.showProgress();
    inner_.stepStarting(pass, count, stepIndex, stepCount, line);
}

void ProgressRunHost::passPauseStarting(std::int32_t pass, std::int32_t count, std::int32_t ms) {
    display_.setPassPause(pass, count, ms);
    if (!display_.progressShown()) display_.showProgress();
    inner_.passPauseStarting(pass, count, ms);
}

void ProgressRunHost::showTip(const QString& text) {
    const bool shown = display_.progressShown();
    display_.hideProgress();
    inner_.showTip(text);
    if (shown) display_.showProgress();
}

bool ProgressRunHost::confirmRun() {
    // The display first appears with the first step, so a declined run never shows it.
    display_.hideProgress();
    return inner_.confirmRun();
}

bool ProgressRunHost::stopRequested() {
    // The inner host is asked every time: its first question also takes the stop keys.
    const bool keyPressed = inner_.stopRequested();
    return keyPressed || display_.stopClicked();
}

void ProgressInput::mouse_event(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::int32_t data,
                                std::uintptr_t extra) {
    const QRect area = display_.screenArea().adjusted(-kSlack, -kSlack, kSlack, kSlack);
    if (display_.progressShown() && !area.isEmpty()) {
        if ((flags & MOUSEEVENTF_MOVE) && (flags & MOUSEEVENTF_ABSOLUTE)) {
            const QSize screen = inner_.primaryScreenSize();
            const QPoint target(ToPixel(dx, screen.width()), ToPixel(dy, screen.height()));
            if (area.contains(target)) display_.moveAwayFrom(target);
        } else if (flags & kButtonOrWheel) {
            const std::optional<QPoint> pointer = display_.pointerPosition();
            if (pointer && area.contains(*pointer)) display_.moveAwayFrom(*pointer);
        }
    }
    inner_.mouse_event(flags, dx, dy, data, extra);
}

} // namespace telmo
