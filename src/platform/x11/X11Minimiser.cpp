#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Minimiser.h"
#include "platform/x11/X11Probe.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

namespace telmo::x11 {
namespace {

constexpr int kWatchMs = 5000;
constexpr int kPollMs = 50;

std::vector<Window> ClientList(Display* dpy) {
    std::vector<Window> out;
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(dpy, DefaultRootWindow(dpy), InternAtom(dpy, "_NET_CLIENT_LIST"), 0, 65536, False,
                           XA_WINDOW, &type, &format, &count, &after, &data) == Success &&
        data) {
        if (type == XA_WINDOW && format == 32) {
            const auto* w = reinterpret_cast<const unsigned long*>(data);
            out.assign(w, w + count);
        }
        XFree(data);
    }
    return out;
}

} // namespace

void MinimiseFirstWindowOf(qint64 pid) {
    Display* dpy = QtDisplay();
    if (!dpy || pid <= 0) return;
    auto* timer = new QTimer(QCoreApplication::instance());
    auto* age = new QElapsedTimer;
    age->start();
    QObject::connect(timer, &QTimer::timeout, timer, [=] {
        bool done = age->elapsed() > kWatchMs;
        for (Window w : ClientList(dpy)) {
            if (done) break;
            if (WindowPid(w) == pid) {
                XIconifyWindow(dpy, w, DefaultScreen(dpy));
                XFlush(dpy);
                done = true;
            }
        }
        if (done) {
            delete age;
            timer->deleteLater();
            timer->stop();
        }
    });
    timer->start(kPollMs);
}

} // namespace telmo::x11
