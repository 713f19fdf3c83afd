#pragma once
// Real keyboard and mouse input on an X server through the XTest extension, on a connection of its
// own. Keys go by keysym to the keycode of the current layout; a keysym that the layout lacks is
// bound for the moment to a spare keycode, and every such binding is undone when the backend goes.
#include "platform/InputBackend.h"

#include <QRect>
#include <QString>
#include <memory>

namespace telmo::x11 {

class X11InputBackend : public InputBackend {
public:
    // Opens the display named by DISPLAY; nullptr with a message in *error when there is no display
    // or it lacks the XTest extension.
    static std::unique_ptr<X11InputBackend> Open(QString* error);
    ~X11InputBackend() override;

    void keybd_event(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags, std::uintptr_t extra) override;
    void mouse_event(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::int32_t data,
                     std::uintptr_t extra) override;
    QSize primaryScreenSize() const override;
    // Read from the server's key map (XQueryKeymap). Only keys that went down through XTest can be
    // let go of: the server ignores a release from one device for a key that another one holds.
    bool keysHeldElsewhere() override;
    void releaseKeysHeldElsewhere() override;

    // The primary output in root-window pixels: the output marked primary, else the one at the
    // origin, else the first lit one, else the whole root window.
    QRect primaryOutputGeometry() const;

    // The file descriptor of the backend's X connection (for waking an event loop).
    int connectionNumber() const;

    // The stop keys of a run: passive grabs of Pause and of Shift+Esc on the root window, with and
    // without Num Lock and Caps Lock, so the keys reach this backend whatever window has the focus.
    // Idempotent; released by releaseStopKey() or when the backend goes. A Pause or Esc that a
    // script sends itself goes to the focused window and does not count.
    void grabStopKey();
    void releaseStopKey();
    // Handles what arrived on the connection; true once a stop key was pressed while grabbed.
    bool stopKeyPressed();

    struct Impl;

private:
    explicit X11InputBackend(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> d;
};

} // namespace telmo::x11
