#include "platform/win32/Win32Desktop.h"

#include <QDir>
#include <windows.h>

#include <shellapi.h> // after windows.h, which it needs

namespace telmo::win32 {

void UsePerMonitorDpiAwareness() {
    // Looked up at run time: the call exists from Windows 10 1703 on. It fails, changing nothing,
    // when the process already has its awareness (Qt sets per-monitor version 2 itself).
    using SetContext = BOOL(WINAPI*)(HANDLE);
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (!user32) return;
    auto setContext = reinterpret_cast<SetContext>(
        reinterpret_cast<void*>(GetProcAddress(user32, "SetProcessDpiAwarenessContext")));
    if (setContext) {
        // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2, else the first per-monitor version
        if (!setContext(reinterpret_cast<HANDLE>(static_cast<intptr_t>(-4))))
            setContext(reinterpret_cast<HANDLE>(static_cast<intptr_t>(-3)));
        return;
    }
    using SetAware = BOOL(WINAPI*)();
    auto setAware =
        reinterpret_cast<SetAware>(reinterpret_cast<void*>(GetProcAddress(user32, "SetProcessDPIAware")));
    if (setAware) setAware();
}

bool SetWindowTopmost(std::uintptr_t window, bool topmost) {
    if (!window) return false;
    return SetWindowPos(reinterpret_cast<HWND>(window), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                        SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE) != 0;
}

bool WindowIsTopmost(std::uintptr_t window) {
    if (!window) return false;
    return (GetWindowLongPtrW(reinterpret_cast<HWND>(window), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

std::optional<QPoint> PointerPositionIn(std::uintptr_t window) {
    POINT p{};
    if (!window || !GetCursorPos(&p) || !ScreenToClient(reinterpret_cast<HWND>(window), &p))
        return std::nullopt;
    return QPoint(p.x, p.y);
}

bool ShellExecuteOpen(const QString& target, bool minimised) {
    QString t = target.trimmed();
    if (t.isEmpty()) return false;
    // The shell takes "www." addresses only from the Run box; here they need their scheme.
    if (t.startsWith(QLatin1String("www."), Qt::CaseInsensitive))
        t.prepend(QLatin1String("http://"));
    else if (!t.contains(QLatin1String("://")))
        t = QDir::toNativeSeparators(t);
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", reinterpret_cast<const wchar_t*>(t.utf16()), nullptr, nullptr,
                      minimised ? SW_SHOWMINIMIZED : SW_SHOWNORMAL));
    return result > 32; // ShellExecute's success is any value above 32
}

bool ForegroundIsAnotherProgram() {
    HWND window = GetForegroundWindow();
    if (!window) return false;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid != 0 && pid != GetCurrentProcessId();
}

QString UserSessionKey() {
    wchar_t user[256 + 1] = {};
    DWORD size = 256 + 1;
    if (!GetUserNameW(user, &size)) user[0] = 0;
    DWORD session = 0;
    ProcessIdToSessionId(GetCurrentProcessId(), &session);
    QString name = QString::fromWCharArray(user);
    for (QChar& c : name)
        if (!c.isLetterOrNumber()) c = u'_';
    return QStringLiteral("%1-%2").arg(name).arg(session);
}

} // namespace telmo::win32
