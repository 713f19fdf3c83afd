#pragma once
// Real keyboard and mouse input on Windows through SendInput, and the stop key of a run through
// RegisterHotKey. No Windows types in this header.
#include "platform/InputBackend.h"

#include <QString>
#include <memory>

namespace telmo::win32 {

class Win32InputBackend : public InputBackend {
public:
    // Makes the process per-monitor DPI aware (so coordinates are device pixels) and opens the backend.
    static std::unique_ptr<Win32InputBackend> Open(QString* error);
    ~Win32InputBackend() override;

    void keybd_event(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags, std::uintptr_t extra) override;
    void mouse_event(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::int32_t data,
                     std::uintptr_t extra) override;
    QSize primaryScreenSize() const override;

    // The stop key: Pause as a hotkey of this thread, whatever window has the focus. Idempotent;
    // released by releaseStopKey() or when the backend goes. A Pause the script sends itself does
    // not count.
    void grabStopKey();
    void releaseStopKey();
    // Takes the hotkey messages that arrived; true once the stop key was pressed while registered.
    bool stopKeyPressed();

    struct Impl;

private:
    explicit Win32InputBackend(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> d;
};

} // namespace telmo::win32
