#include "platform/x11/X11Redraws.h"

#include <QAbstractNativeEventFilter>
#include <QByteArray>
#include <QCoreApplication>
#include <cstdlib>

#include "platform/PasteLog.h"
#include "platform/x11/X11Connection.h"

#include <xcb/damage.h>
#include <xcb/xcb.h>

namespace telmo::x11 {
namespace {

// A blinking or moving caret redraws a strip about this wide; text drawn is wider.
constexpr int kCaretWidthPx = 3;

// Follows one damage object on one window and sees every X event before Qt handles it.
class RedrawFilter : public QAbstractNativeEventFilter {
public:
    RedrawFilter(xcb_connection_t* c, std::uint8_t firstEvent)
        : c_(c), notify_(firstEvent + XCB_DAMAGE_NOTIFY) {}

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
        if (eventType != "xcb_generic_event_t") return false;
        const auto* ev = static_cast<const xcb_generic_event_t*>(message);
        if ((ev->response_type & 0x7f) != notify_) return false;
        const auto* d = reinterpret_cast<const xcb_damage_notify_event_t*>(ev);
        if (d->damage != damage_) return false;
        qCDebug(lcPaste, "redraw %d,%d %ux%u", d->area.x, d->area.y, d->area.width, d->area.height);
        if (d->area.width > kCaretWidthPx) redraws.lastMs = SteadyMs();
        return true; // nobody else asked for these redraws
    }

    bool follow(xcb_window_t window) {
        if (window == window_ && damage_) return true;
        // The server has dropped the damage of a window that is gone: that error is expected.
        if (damage_) free(xcb_request_check(c_, xcb_damage_destroy_checked(c_, damage_)));
        damage_ = 0;
        window_ = window;
        redraws.watching = false;
        if (!window) return false;
        damage_ = xcb_generate_id(c_);
        const auto cookie =
            xcb_damage_create_checked(c_, damage_, window, XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
        if (xcb_generic_error_t* e = xcb_request_check(c_, cookie)) { // the window is gone already
            free(e);
            damage_ = 0;
            return false;
        }
        redraws.watching = true;
        qCDebug(lcPaste, "watching redraws of 0x%x", window);
        return true;
    }

    Redraws redraws;

private:
    xcb_connection_t* const c_;
    const std::uint8_t notify_;
    xcb_window_t window_ = 0;
    xcb_damage_damage_t damage_ = 0;
};

// Toolkits often give the focus to an invisible input-only child of the window they draw: the window
// that draws is then the nearest ancestor that is not input-only.
xcb_window_t DrawnWindow(xcb_connection_t* c, xcb_window_t window) {
    for (int depth = 0; window && depth < 8; ++depth) {
        xcb_get_window_attributes_reply_t* a =
            xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr);
        if (!a) return 0; // gone
        const bool inputOnly = a->_class == XCB_WINDOW_CLASS_INPUT_ONLY;
        free(a);
        if (!inputOnly) return window;
        xcb_query_tree_reply_t* tree = xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr);
        const xcb_window_t parent = tree && tree->parent != tree->root ? tree->parent : 0;
        free(tree);
        window = parent;
    }
    return 0;
}

RedrawFilter* g_filter = nullptr;
bool g_unavailable = false;

RedrawFilter* Filter() {
    if (g_filter || g_unavailable) return g_filter;
    xcb_connection_t* c = QtConnection();
    const xcb_query_extension_reply_t* ext = c ? xcb_get_extension_data(c, &xcb_damage_id) : nullptr;
    if (!ext || !ext->present) {
        g_unavailable = true;
        return nullptr;
    }
    // The server reports nothing to a client that has not told it which version it speaks.
    free(xcb_damage_query_version_reply(c, xcb_damage_query_version(c, 1, 1), nullptr));
    // Lives as long as the application; the event dispatcher keeps only a pointer to it.
    g_filter = new RedrawFilter(c, ext->first_event);
    QCoreApplication::instance()->installNativeEventFilter(g_filter);
    return g_filter;
}

} // namespace

bool WatchFocusedWindowRedraws() {
    RedrawFilter* f = Filter();
    if (!f) return false;
    xcb_connection_t* c = QtConnection();
    xcb_get_input_focus_reply_t* focus = xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr);
    xcb_window_t window = focus ? focus->focus : 0;
    free(focus);
    if (window == XCB_NONE || window == XCB_INPUT_FOCUS_POINTER_ROOT) window = 0;
    return f->follow(DrawnWindow(c, window));
}

Redraws RedrawsSoFar() {
    return g_filter ? g_filter->redraws : Redraws{};
}

} // namespace telmo::x11
