#include "platform/x11/X11SelectionTraffic.h"

#include <QAbstractNativeEventFilter>
#include <QByteArray>
#include <QCoreApplication>
#include <cstdlib>

#include "platform/PasteLog.h"
#include "platform/x11/X11Connection.h"

#include <xcb/xcb.h>

namespace telmo::x11 {
namespace {

// Sees every X event before Qt handles it and lets all of them through.
class TrafficFilter : public QAbstractNativeEventFilter {
public:
    TrafficFilter(Display* dpy, std::uint32_t clientBits)
        : targets_(InternAtom(dpy, "TARGETS")), timestamp_(InternAtom(dpy, "TIMESTAMP")),
          saveTargets_(InternAtom(dpy, "SAVE_TARGETS")), clientBits_(clientBits) {}

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
        if (eventType != "xcb_generic_event_t") return false;
        const auto* ev = static_cast<const xcb_generic_event_t*>(message);
        switch (ev->response_type & 0x7f) {
        case XCB_SELECTION_REQUEST: {
            const auto* r = reinterpret_cast<const xcb_selection_request_event_t*>(ev);
            traffic.lastRequestMs = SteadyMs();
            if (traffic.firstRequestMs < 0) traffic.firstRequestMs = traffic.lastRequestMs;
            // Everything but the list of formats and the bookkeeping targets asks for the text.
            const bool read = r->target != targets_ && r->target != timestamp_ && r->target != saveTargets_;
            const std::uint32_t client = clientOf(r->requestor);
            const bool counted = read && watchers.readIsThePastes(client);
            if (counted) ++traffic.reads, traffic.lastReader = r->requestor;
            if (counted && client == focusClient)
                ++traffic.focusReads, traffic.lastFocusReader = r->requestor;
            qCDebug(lcPaste, "selection request from 0x%x for target %u%s", r->requestor, r->target,
                    read && !counted ? " (not the paste's)" : "");
            break;
        }
        case XCB_PROPERTY_NOTIFY: {
            // A requestor deletes the property we wrote as it takes each increment of a large text.
            const auto* p = reinterpret_cast<const xcb_property_notify_event_t*>(ev);
            if (p->state == XCB_PROPERTY_DELETE) traffic.lastRequestMs = traffic.lastTransferMs = SteadyMs();
            break;
        }
        default:
            break;
        }
        return false;
    }

    PasteTraffic traffic;
    ClipboardWatchers watchers;
    std::uint32_t focusClient = 0; // the client that had the keyboard focus at the chord

    // The X server gives each client a range of resource ids: the bits above its mask name the client.
    std::uint32_t clientOf(std::uint32_t window) const { return window & clientBits_; }

private:
    const Atom targets_, timestamp_, saveTargets_;
    const std::uint32_t clientBits_;
};

TrafficFilter* g_filter = nullptr;

} // namespace

bool WatchSelectionTraffic() {
    if (g_filter) return true;
    Display* dpy = QtDisplay();
    if (!dpy) return false;
    // Lives as long as the application; the event dispatcher keeps only a pointer to it.
    xcb_connection_t* c = QtConnection();
    g_filter = new TrafficFilter(dpy, c ? ~xcb_get_setup(c)->resource_id_mask : 0);
    QCoreApplication::instance()->installNativeEventFilter(g_filter);
    return true;
}

void MarkSelectionTraffic() {
    if (!g_filter) return;
    g_filter->traffic.firstRequestMs = -1;
    std::uint32_t focusClient = 0;
    if (xcb_connection_t* c = QtConnection()) {
        xcb_get_input_focus_reply_t* focus = xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr);
        if (focus && focus->focus != XCB_NONE && focus->focus != XCB_INPUT_FOCUS_POINTER_ROOT)
            focusClient = g_filter->clientOf(focus->focus);
        free(focus);
    }
    g_filter->watchers.pasteStarted(focusClient);
    g_filter->focusClient = focusClient;
    g_filter->traffic.focusKnown = focusClient != 0;
}

void PasteOver() {
    if (g_filter) g_filter->watchers.pasteOver();
}

PasteTraffic SelectionTrafficSoFar() {
    return g_filter ? g_filter->traffic : PasteTraffic{};
}

} // namespace telmo::x11
