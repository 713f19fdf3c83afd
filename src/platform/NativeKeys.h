#pragma once
// The Windows virtual-key code of a key press, for the key dialog: scripts store key chords as
// virtual-key codes whatever platform recorded them.
#include <QKeyEvent>

namespace telmo {

// The virtual-key code of the key that was pressed, independent of the modifiers held (Shift+1 gives
// the code of the 1 key). On X11 it comes from the native keysym and keycode; elsewhere from the Qt
// key. 0 when the key has no virtual-key code.
int VirtualKeyFromKeyEvent(const QKeyEvent& e);

// The virtual-key code for a Qt key, with the keypad modifier telling keypad keys apart; 0 when none.
int VirtualKeyFromQtKey(int key, Qt::KeyboardModifiers modifiers);

} // namespace telmo
