#include "platform/VirtualKeys.h"

#include <algorithm>
#include <array>
#include <utility>

namespace telmo {
namespace {

// Keysym values as X11 defines them (keysymdef.h, XF86keysym.h), written out so that this file needs
// no X11 header.
constexpr std::pair<int, std::uint32_t> kNamedKeys[] = {
    {0x03, 0xff6b},     // Cancel (Ctrl+Break) -> Break
    {0x08, 0xff08},     // Back -> BackSpace
    {0x09, 0xff09},     // Tab
    {0x0C, 0xff0b},     // Clear
    {0x0D, 0xff0d},     // Return
    {0x10, 0xffe1},     // Shift -> Shift_L
    {0x11, 0xffe3},     // Control -> Control_L
    {0x12, 0xffe9},     // Menu (Alt) -> Alt_L
    {0x13, 0xff13},     // Pause
    {0x14, 0xffe5},     // Caps_Lock
    {0x15, 0xff31},     // Kana/Hangul -> Hangul
    {0x19, 0xff34},     // Hanja/Kanji -> Hangul_Hanja
    {0x1B, 0xff1b},     // Escape
    {0x1C, 0xff23},     // Convert -> Henkan
    {0x1D, 0xff22},     // NonConvert -> Muhenkan
    {0x1F, 0xff7e},     // ModeChange -> Mode_switch
    {0x20, 0x0020},     // space
    {0x21, 0xff55},     // Prior
    {0x22, 0xff56},     // Next
    {0x23, 0xff57},     // End
    {0x24, 0xff50},     // Home
    {0x25, 0xff51},     // Left
    {0x26, 0xff52},     // Up
    {0x27, 0xff53},     // Right
    {0x28, 0xff54},     // Down
    {0x29, 0xff60},     // Select
    {0x2A, 0xff61},     // Print (the old print key)
    {0x2B, 0xff62},     // Execute
    {0x2C, 0xff61},     // Snapshot (Print Screen) -> Print
    {0x2D, 0xff63},     // Insert
    {0x2E, 0xffff},     // Delete
    {0x2F, 0xff6a},     // Help
    {0x5B, 0xffeb},     // left Win -> Super_L
    {0x5C, 0xffec},     // right Win -> Super_R
    {0x5D, 0xff67},     // Apps -> Menu
    {0x5F, 0x1008ff2f}, // Sleep
    {0x6A, 0xffaa},     // KP_Multiply
    {0x6B, 0xffab},     // KP_Add
    {0x6C, 0xffac},     // KP_Separator
    {0x6D, 0xffad},     // KP_Subtract
    {0x6E, 0xffae},     // KP_Decimal
    {0x6F, 0xffaf},     // KP_Divide
    {0x90, 0xff7f},     // Num_Lock
    {0x91, 0xff14},     // Scroll_Lock
    {0xA0, 0xffe1},     // Shift_L
    {0xA1, 0xffe2},     // Shift_R
    {0xA2, 0xffe3},     // Control_L
    {0xA3, 0xffe4},     // Control_R
    {0xA4, 0xffe9},     // Alt_L
    {0xA5, 0xffea},     // Alt_R
    {0xA6, 0x1008ff26}, // browser back
    {0xA7, 0x1008ff27}, // browser forward
    {0xA8, 0x1008ff29}, // browser refresh
    {0xA9, 0x1008ff28}, // browser stop
    {0xAA, 0x1008ff1b}, // browser search
    {0xAB, 0x1008ff30}, // browser favorites
    {0xAC, 0x1008ff18}, // browser home
    {0xAD, 0x1008ff12}, // volume mute
    {0xAE, 0x1008ff11}, // volume down
    {0xAF, 0x1008ff13}, // volume up
    {0xB0, 0x1008ff17}, // next track
    {0xB1, 0x1008ff16}, // previous track
    {0xB2, 0x1008ff15}, // stop media
    {0xB3, 0x1008ff14}, // play/pause
    {0xB4, 0x1008ff19}, // mail
    {0xB5, 0x1008ff32}, // media select
    {0xB6, 0x1008ff33}, // launch app 1 (My Computer)
    {0xB7, 0x1008ff1d}, // launch app 2 (Calculator)
    {0xBA, 0x003b},     // ;
    {0xBB, 0x003d},     // =
    {0xBC, 0x002c},     // ,
    {0xBD, 0x002d},     // -
    {0xBE, 0x002e},     // .
    {0xBF, 0x002f},     // /
    {0xC0, 0x0060},     // `
    {0xDB, 0x005b},     // [
    {0xDC, 0x005c},     // backslash
    {0xDD, 0x005d},     // ]
    {0xDE, 0x0027},     // '
    {0xE2, 0x003c},     // the extra key of 102-key keyboards -> less
    {0xF6, 0xfd0e},     // Attn
    {0xF7, 0xfd1c},     // CrSel
    {0xF8, 0xfd1b},     // ExSel
    {0xF9, 0xfd06},     // ErEof
    {0xFA, 0xfd16},     // Play
};

constexpr std::array<std::uint32_t, 256> BuildForward() {
    std::array<std::uint32_t, 256> t{};
    for (int vk = '0'; vk <= '9'; ++vk) t[vk] = static_cast<std::uint32_t>(vk);
    for (int vk = 'A'; vk <= 'Z'; ++vk) t[vk] = static_cast<std::uint32_t>(vk - 'A' + 'a');
    for (int i = 0; i < 10; ++i) t[0x60 + i] = 0xffb0 + i; // KP_0..KP_9
    for (int i = 0; i < 24; ++i) t[0x70 + i] = 0xffbe + i; // F1..F24
    for (const auto& [vk, sym] : kNamedKeys) t[vk] = sym;
    return t;
}
constexpr std::array<std::uint32_t, 256> kForward = BuildForward();

// Keysyms that a key press reports besides the ones above: the shifted symbols of a US layout, the
// keypad without Num Lock, and variants some layouts put on the same keys.
constexpr std::pair<std::uint32_t, int> kExtraReverse[] = {
    {0x21, '1'},        {0x40, '2'},  {0x23, '3'},    {0x24, '4'},  {0x25, '5'},  {0x5e, '6'},
    {0x26, '7'},        {0x2a, '8'},  {0x28, '9'},    {0x29, '0'},  {0x3a, 0xBA}, {0x2b, 0xBB},
    {0x5f, 0xBD},       {0x3e, 0xBE}, {0x3f, 0xBF},   {0x7e, 0xC0}, {0x7b, 0xDB}, {0x7c, 0xDC},
    {0x7d, 0xDD},       {0x22, 0xDE}, {0xff8d, 0x0D}, // KP_Enter
    {0xff9d, 0x0C},                                   // KP_Begin (keypad 5 without Num Lock)
    {0xff95, 0x24},                                   // KP_Home
    {0xff96, 0x25},                                   // KP_Left
    {0xff97, 0x26},                                   // KP_Up
    {0xff98, 0x27},                                   // KP_Right
    {0xff99, 0x28},                                   // KP_Down
    {0xff9a, 0x21},                                   // KP_Prior
    {0xff9b, 0x22},                                   // KP_Next
    {0xff9c, 0x23},                                   // KP_End
    {0xff9e, 0x2D},                                   // KP_Insert
    {0xff9f, 0x2E},                                   // KP_Delete
    {0xfe20, 0x09},                                   // ISO_Left_Tab (Shift+Tab)
    {0xff15, 0x2C},                                   // Sys_Req (Alt+Print)
    {0xffe7, 0x5B},                                   // Meta_L
    {0xffe8, 0x5C},                                   // Meta_R
    {0xff69, 0x03},                                   // Cancel
    {0x1008ff31, 0xB3},                               // AudioPause
};

// When two codes give the same keysym, the key events of a window report the first of these.
int PreferredCode(int vk) {
    switch (vk) {
    case 0xA0:
    case 0xA1:
        return 0x10;
    case 0xA2:
    case 0xA3:
        return 0x11;
    case 0xA4:
    case 0xA5:
        return 0x12;
    case 0x2A:
        return 0x2C;
    default:
        return vk;
    }
}

} // namespace

std::uint32_t KeysymForVirtualKey(int vk) {
    if (vk < 0 || vk > 255) return 0;
    return kForward[static_cast<std::size_t>(vk)];
}

int VirtualKeyForKeysym(std::uint32_t keysym) {
    if (keysym == 0) return 0;
    if (keysym >= 'A' && keysym <= 'Z') return static_cast<int>(keysym);
    for (const auto& [sym, vk] : kExtraReverse)
        if (sym == keysym) return vk;
    // Shift_R, Control_R and Alt_R carry their own code in the forward table; report the generic one.
    for (int vk = 0; vk < 256; ++vk)
        if (kForward[static_cast<std::size_t>(vk)] == keysym) return PreferredCode(vk);
    return 0;
}

bool IsKeypadKeysym(std::uint32_t keysym) {
    return keysym >= 0xff80 && keysym <= 0xffbd;
}

} // namespace telmo
