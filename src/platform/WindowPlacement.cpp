#include "platform/WindowPlacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#ifdef TELMO_HAVE_X11
#include "platform/x11/X11WindowState.h"
#endif
#ifdef TELMO_HAVE_WIN32
#include "platform/win32/Win32Desktop.h"
#endif

namespace telmo {
namespace {

constexpr char kTopmostProperty[] = "telmoTopmost";

#ifdef TELMO_HAVE_WIN32
bool OnWindows() {
    return QGuiApplication::platformName() == QLatin1String("windows");
}
#endif

bool OnX11() {
#ifdef TELMO_HAVE_X11
    return QGuiApplication::platformName() == QLatin1String("xcb");
#else
    return false;
#endif
}

void Apply(QWidget* w, bool above) {
#ifdef TELMO_HAVE_X11
    if (OnX11()) {
        x11::SetWindowAbove(static_cast<std::uintptr_t>(w->winId()), above, w->isVisible());
        return;
    }
#endif
#ifdef TELMO_HAVE_WIN32
    if (OnWindows()) {
        // Qt's flag is kept in step, or Qt would put the window back into the ordinary order the
        // next time it applies its flags; SetWindowPos then moves it into the band at once.
        if (QWindow* handle = w->windowHandle()) handle->setFlag(Qt::WindowStaysOnTopHint, above);
        win32::SetWindowTopmost(static_cast<std::uintptr_t>(w->winId()), above);
        return;
    }
#endif
    // Elsewhere the platform window takes the hint without being recreated; before it exists the
    // widget's own flag is safe to change because nothing is on screen.
    if (QWindow* handle = w->windowHandle())
        handle->setFlag(Qt::WindowStaysOnTopHint, above);
    else if (!w->isVisible())
        w->setWindowFlag(Qt::WindowStaysOnTopHint, above);
}

// A window manager forgets the state of a window that is hidden; the window carries it again when it
// is shown, as a topmost window does elsewhere.
class TopmostKeeper : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            auto* w = static_cast<QWidget*>(watched);
            if (w->property(kTopmostProperty).toBool()) Apply(w, true);
        }
        return false;
    }
};

void SetState(QWidget* w, bool above) {
    if (!w) return;
    w = w->window();
    static QPointer<TopmostKeeper> keeper;
    if (!keeper) keeper = new TopmostKeeper(QCoreApplication::instance());
    if (!w->property("telmoTopmostWatched").toBool()) {
        w->installEventFilter(keeper);
        w->setProperty("telmoTopmostWatched", true);
    }
    w->setProperty(kTopmostProperty, above);
    Apply(w, above);
    if (w->isVisible()) {
        w->raise();
        w->activateWindow();
    }
}

} // namespace

void SetTopmost(QWidget* window) {
    SetState(window, true);
}

void ClearTopmost(QWidget* window) {
    SetState(window, false);
}

bool IsTopmost(const QWidget* window) {
    if (!window) return false;
    window = window->window();
#ifdef TELMO_HAVE_X11
    if (OnX11()) return window->internalWinId() && x11::WindowIsAbove(window->internalWinId());
#endif
#ifdef TELMO_HAVE_WIN32
    if (OnWindows()) return window->internalWinId() && win32::WindowIsTopmost(window->internalWinId());
#endif
    if (const QWindow* handle = window->windowHandle())
        return handle->flags().testFlag(Qt::WindowStaysOnTopHint);
    return window->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

namespace {

// For a short while after a window is shown again, moves it back whenever it stands elsewhere: a
// window manager may place it anew, and may drop a move that comes while it is still mapping it.
class PlaceKeeper : public QObject {
public:
    PlaceKeeper(QWidget* window, QPoint place) : QObject(window), window_(window), place_(place) {
        window->installEventFilter(this);
        auto* timer = new QTimer(this);
        timer->setInterval(kCheckMs);
        connect(timer, &QTimer::timeout, this, [this] {
            if (++ticks_ * kCheckMs >= kKeepMs)
                deleteLater();
            else
                putBack();
        });
        timer->start();
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        // Queued: the manager's own move is still being handled.
        if (watched == window_ && event->type() == QEvent::Move)
            QMetaObject::invokeMethod(this, &PlaceKeeper::putBack, Qt::QueuedConnection);
        return false;
    }

private:
    void putBack() {
        if (window_->isVisible() && window_->pos() != place_ && corrections_ < kMaxCorrections) {
            ++corrections_;
            window_->move(place_);
        }
    }

    static constexpr int kCheckMs = 40;
    static constexpr int kKeepMs = 2000;
    static constexpr int kMaxCorrections = 25; // a manager that insists is not fought for ever
    QWidget* window_;
    QPoint place_;
    int ticks_ = 0;
    int corrections_ = 0;
};

} // namespace

HiddenInPlace::HiddenInPlace(QWidget* window) : window_(window ? window->window() : nullptr) {
    if (!window_) return;
    wasVisible_ = window_->isVisible();
    x_ = window_->x();
    y_ = window_->y();
    window_->hide();
}

HiddenInPlace::~HiddenInPlace() {
    show();
}

void HiddenInPlace::show() {
    if (!window_ || shown_) return;
    shown_ = true;
    if (!wasVisible_) return;
    const QPoint place(x_, y_);
    // An explicit position goes to the window manager as the user's choice, which it should keep.
    window_->move(place);
    window_->show();
    new PlaceKeeper(window_, place);
}

} // namespace telmo
