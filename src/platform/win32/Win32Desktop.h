#pragma once
// Window and shell services of the Windows desktop. No Windows types in this header.
#include <QPoint>
#include <QString>
#include <cstdint>
#include <optional>

namespace telmo::win32 {

// Makes the process per-monitor DPI aware (version 2 where the system has it), so window and
// pointer coordinates are device pixels. Harmless when the process already is (Qt does it too).
void UsePerMonitorDpiAwareness();

// SetWindowPos into the topmost band (HWND_TOPMOST) or back (HWND_NOTOPMOST), without moving,
// sizing or activating the window.
bool SetWindowTopmost(std::uintptr_t window, bool topmost);
// Whether the window has the WS_EX_TOPMOST style.
bool WindowIsTopmost(std::uintptr_t window);

// The pointer relative to the window's client area, in device pixels.
std::optional<QPoint> PointerPositionIn(std::uintptr_t window);

// ShellExecuteW's open: documents, folders, addresses and programs; minimised starts it with
// SW_SHOWMINIMIZED. False when the shell could not open it.
bool ShellExecuteOpen(const QString& target, bool minimised);

// Whether the foreground window (the one that gets the input) belongs to another program.
bool ForegroundIsAnotherProgram();

// A name for this user's session on this machine (the single-instance channel).
QString UserSessionKey();

} // namespace telmo::win32
