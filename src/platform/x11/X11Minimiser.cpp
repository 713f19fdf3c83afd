#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Minimiser.h"
#include "platform/x11/X11Probe.h"
#include "platform/x11/X11WindowState.h"

namespace telmo::x11 {
namespace {

constexpr int kWatchMs = 5000;
constexpr int kPollMs = 50;

int gWatches = 0;

} // namespace

void MinimiseFirstWindowOf(qint64 pid) {
    Display* dpy = QtDisplay();
    if (!dpy || pid <= 0) return;
    ++gWatches;
    auto* timer = new QTimer(QCoreApplication::instance());
    QElapsedTimer age;
    age.start();
    QObject::connect(timer, &QTimer::timeout, timer, [=] {
        bool done = age.elapsed() > kWatchMs;
        for (std::uintptr_t w : ClientStackingOrder()) {
            if (done) break;
            if (WindowPid(w) == pid) {
                XIconifyWindow(dpy, static_cast<Window>(w), DefaultScreen(dpy));
                XFlush(dpy);
                done = true;
            }
        }
        if (done) {
            --gWatches;
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start(kPollMs);
}

bool MinimiseWatchesPending() {
    return gWatches > 0;
}

} // namespace telmo::x11
