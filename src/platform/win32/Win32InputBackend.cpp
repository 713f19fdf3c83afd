#include "platform/win32/Win32InputBackend.h"

#include "platform/win32/Win32Desktop.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <windows.h>

namespace telmo::win32 {
namespace {

constexpr int kStopHotKeyId = 0x5445; // any id of this thread's own range (below 0xC000)

// Keys whose make code carries the E0 prefix: without the extended flag a program that looks at
// scan codes sees the keypad key of the same code (Home as keypad 7).
bool IsExtendedKey(std::uint8_t vk) {
    switch (vk) {
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_INSERT:
    case VK_DELETE:
    case VK_RCONTROL:
    case VK_RMENU:
    case VK_LWIN:
    case VK_RWIN:
    case VK_APPS:
    case VK_DIVIDE:
    case VK_NUMLOCK:
    case VK_SNAPSHOT:
        return true;
    default:
        return false;
    }
}

} // namespace

// Hotkey messages are posted to the thread; Qt's event loop may take them off the queue first, so
// a native event filter sees them there too.
struct Win32InputBackend::Impl : QAbstractNativeEventFilter {
    bool registered = false;
    bool polling = false; // another program holds Pause as its hotkey: the key state is asked instead
    bool stopPressed = false;
    int ownPauses = 0;        // Pause presses the script sent itself, still to come as hotkeys
    QElapsedTimer ownPauseAt; // when the last of them was sent

    bool nativeEventFilter(const QByteArray&, void* message, qintptr*) override {
        const MSG* msg = static_cast<const MSG*>(message);
        if (msg->message == WM_HOTKEY && msg->hwnd == nullptr && msg->wParam == kStopHotKeyId) {
            hotKey();
            return true;
        }
        return false;
    }

    void hotKey() {
        // Windows fires hotkeys for injected input as well; the script's own Pause is not a stop.
        if (ownPauses > 0 && ownPauseAt.isValid() && ownPauseAt.elapsed() < 1000) {
            --ownPauses;
            return;
        }
        ownPauses = 0;
        if (registered || polling) stopPressed = true;
    }
};

std::unique_ptr<Win32InputBackend> Win32InputBackend::Open(QString*) {
    UsePerMonitorDpiAwareness();
    return std::unique_ptr<Win32InputBackend>(new Win32InputBackend(std::make_unique<Impl>()));
}

Win32InputBackend::Win32InputBackend(std::unique_ptr<Impl> impl) : d(std::move(impl)) {
    if (auto* app = QCoreApplication::instance()) app->installNativeEventFilter(d.get());
}

Win32InputBackend::~Win32InputBackend() {
    releaseStopKey();
    if (auto* app = QCoreApplication::instance()) app->removeNativeEventFilter(d.get());
}

void Win32InputBackend::keybd_event(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags,
                                    std::uintptr_t extra) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = scan ? scan : static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = (flags & KEYEVENTF_KEYUP) ? KEYEVENTF_KEYUP : 0;
    if (IsExtendedKey(vk)) in.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    in.ki.dwExtraInfo = extra;
    if (vk == VK_PAUSE && !(flags & KEYEVENTF_KEYUP) && (d->registered || d->polling)) {
        ++d->ownPauses;
        d->ownPauseAt.start();
    }
    SendInput(1, &in, sizeof(INPUT));
}

void Win32InputBackend::mouse_event(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::int32_t data,
                                    std::uintptr_t extra) {
    // The flags and the 65536 units of absolute moves are SendInput's own.
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = dx;
    in.mi.dy = dy;
    in.mi.mouseData = static_cast<DWORD>(data);
    in.mi.dwFlags = flags;
    in.mi.dwExtraInfo = extra;
    SendInput(1, &in, sizeof(INPUT));
}

QSize Win32InputBackend::primaryScreenSize() const {
    return QSize(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}

void Win32InputBackend::grabStopKey() {
    if (d->registered || d->polling) return;
    d->registered = RegisterHotKey(nullptr, kStopHotKeyId, MOD_NOREPEAT, VK_PAUSE) != 0;
    if (!d->registered) {
        d->polling = true;
        GetAsyncKeyState(VK_PAUSE); // forget a press from before the run
    }
}

void Win32InputBackend::releaseStopKey() {
    d->polling = false;
    if (!d->registered) return;
    UnregisterHotKey(nullptr, kStopHotKeyId);
    d->registered = false;
}

bool Win32InputBackend::stopKeyPressed() {
    MSG msg;
    // (HWND)-1: only the messages posted to the thread itself, as hotkeys without a window are.
    while (PeekMessageW(&msg, reinterpret_cast<HWND>(-1), WM_HOTKEY, WM_HOTKEY, PM_REMOVE))
        if (msg.wParam == kStopHotKeyId) d->hotKey();
    // The low bit: pressed since the last question.
    if (d->polling && (GetAsyncKeyState(VK_PAUSE) & 1)) d->hotKey();
    return d->stopPressed;
}

} // namespace telmo::win32
