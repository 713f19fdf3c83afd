#pragma once
// Windows virtual-key codes and X keysyms, both ways. Plain numbers only: the table is shared by the
// X11 input backend and the key dialog, and is tested without a display.
#include <cstdint>

namespace telmo {

// The keysym that the key with this virtual-key code produces without modifiers on a US layout
// (letters in lower case, keypad digits as KP_0..KP_9); 0 when X11 has no keysym for the code.
std::uint32_t KeysymForVirtualKey(int vk);

// The virtual-key code of the key that produces this keysym, with or without Shift on a US layout
// (so "A" and "!" give the codes of the A and 1 keys); the left/right variants of Shift, Ctrl and
// Alt give the generic codes 16, 17 and 18, as the key events of a window report them. 0 when unknown.
int VirtualKeyForKeysym(std::uint32_t keysym);

// True for the keysyms of the numeric keypad (KP_Space .. KP_Equal).
bool IsKeypadKeysym(std::uint32_t keysym);

} // namespace telmo
