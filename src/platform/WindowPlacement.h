#pragma once
// The topmost band: a top-level window above every ordinary window, and back.
class QWidget;

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
