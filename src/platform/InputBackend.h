#pragma once
// The input side of the platform seam. The logic speaks the Windows input vocabulary; each backend
// (recording fake, X11/XTest, later Win32 and Wayland) translates these calls into real input.
#include <QSize>
#include <cstdint>

namespace telmo {

// keybd_event flags
inline constexpr std::uint32_t KEYEVENTF_KEYUP = 0x0002;

// mouse_event flags
inline constexpr std::uint32_t MOUSEEVENTF_MOVE = 0x0001;
inline constexpr std::uint32_t MOUSEEVENTF_LEFTDOWN = 0x0002;
inline constexpr std::uint32_t MOUSEEVENTF_LEFTUP = 0x0004;
inline constexpr std::uint32_t MOUSEEVENTF_RIGHTDOWN = 0x0008;
inline constexpr std::uint32_t MOUSEEVENTF_RIGHTUP = 0x0010;
inline constexpr std::uint32_t MOUSEEVENTF_MIDDLEDOWN = 0x0020;
inline constexpr std::uint32_t MOUSEEVENTF_MIDDLEUP = 0x0040;
inline constexpr std::uint32_t MOUSEEVENTF_XDOWN = 0x0080;
inline constexpr std::uint32_t MOUSEEVENTF_XUP = 0x0100;
inline constexpr std::uint32_t MOUSEEVENTF_WHEEL = 0x0800;
inline constexpr std::uint32_t MOUSEEVENTF_ABSOLUTE = 0x8000;

class InputBackend {
public:
    virtual ~InputBackend() = default;

    // One key press (flags 0) or release (flags KEYEVENTF_KEYUP) by Windows virtual-key code.
    virtual void keybd_event(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags,
                             std::uintptr_t extra) = 0;

    // One mouse event: button transitions, wheel (data in units of 120), X buttons (data 1 or 2),
    // absolute moves (MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, 65536 units span the primary screen).
    virtual void mouse_event(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::int32_t data,
                             std::uintptr_t extra) = 0;

    // Size of the primary screen in device pixels.
    virtual QSize primaryScreenSize() const = 0;

    // Whether a key is down that this backend did not press: the Enter that confirmed the run, a
    // modifier the user still holds. A press of such a key would be taken for a repeat, or lost.
    virtual bool keysHeldElsewhere() { return false; }
    // Lets go of those keys, as far as the platform allows.
    virtual void releaseKeysHeldElsewhere() {}
};

} // namespace telmo
