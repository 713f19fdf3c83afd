#pragma once
// The topmost band: a top-level window above every ordinary window, and back; and a window that
// comes back where it was after being hidden.
#include <QPointer>
#include <QWidget>

namespace telmo {

// Puts the window into the topmost band and brings it to the front; it stays there when it is
// hidden and shown again, until ClearTopmost. A visible window neither hides nor flickers.
void SetTopmost(QWidget* window);

// Returns the window to the ordinary stacking order (and brings it to the front, as SetTopmost).
void ClearTopmost(QWidget* window);

// Whether the window is in the topmost band as the window system sees it (for a visible window on
// X11 this is the window manager's answer, which may lag a moment behind SetTopmost).
bool IsTopmost(const QWidget* window);

} // namespace telmo

namespace telmo {

// Hides a top-level window for a while and shows it again exactly where it stood (its frame's top
// left), when show() is called or at the latest when the object goes. A window manager places a
// window that is mapped again as if it were new unless it is told the position, and some place it
// anew even then: the window is put back when that happens in the first moments after showing.
class HiddenInPlace {
public:
    explicit HiddenInPlace(QWidget* window);
    ~HiddenInPlace();
    HiddenInPlace(const HiddenInPlace&) = delete;
    HiddenInPlace& operator=(const HiddenInPlace&) = delete;

    void show();

private:
    QPointer<QWidget> window_;
    int x_ = 0, y_ = 0;
    bool wasVisible_ = false;
    bool shown_ = false;
};

} // namespace telmo
