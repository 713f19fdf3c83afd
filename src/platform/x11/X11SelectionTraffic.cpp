#include "platform/x11/X11SelectionTraffic.h"

#include <QAbstractNativeEventFilter>
#include <QByteArray>
#include <QCoreApplication>

#include "platform/PasteLog.h"
#include "platform/x11/X11Connection.h"

#include <xcb/xcb.h>

namespace telmo::x11 {
namespace {

// Sees every X event before Qt handles it and lets all of them through.
class TrafficFilter : public QAbstractNativeEventFilter {
public:
    explicit TrafficFilter(Display* dpy)
        : targets_(InternAtom(dpy, "TARGETS")), timestamp_(InternAtom(dpy, "TIMESTAMP")),
          saveTargets_(InternAtom(dpy, "SAVE_TARGETS")) {}

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
        if (eventType != "xcb_generic_event_t") return false;
        const auto* ev = static_cast<const xcb_generic_event_t*>(message);
        switch (ev->response_type & 0x7f) {
        case XCB_SELECTION_REQUEST: {
            const auto* r = reinterpret_cast<const xcb_selection_request_event_t*>(ev);
            traffic.lastRequestMs = SteadyMs();
            if (traffic.firstRequestMs < 0) traffic.firstRequestMs = traffic.lastRequestMs;
            // Everything but the list of formats and the bookkeeping targets asks for the text.
            if (r->target != targets_ && r->target != timestamp_ && r->target != saveTargets_) {
                ++traffic.reads;
                traffic.lastReader = r->requestor;
            }
            qCDebug(lcPaste, "selection request from 0x%x for target %u", r->requestor, r->target);
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

private:
    const Atom targets_, timestamp_, saveTargets_;
};

TrafficFilter* g_filter = nullptr;

} // namespace

bool WatchSelectionTraffic() {
    if (g_filter) return true;
    Display* dpy = QtDisplay();
    if (!dpy) return false;
    // Lives as long as the application; the event dispatcher keeps only a pointer to it.
    g_filter = new TrafficFilter(dpy);
    QCoreApplication::instance()->installNativeEventFilter(g_filter);
    return true;
}

void MarkSelectionTraffic() {
    if (g_filter) g_filter->traffic.firstRequestMs = -1;
}

PasteTraffic SelectionTrafficSoFar() {
    return g_filter ? g_filter->traffic : PasteTraffic{};
}

} // namespace telmo::x11
