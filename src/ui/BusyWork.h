#pragma once
// Long work of a window on big texts, done off the user-interface thread: the window keeps painting
// while the work runs, input waits until it is done, and the pointer shows the busy cursor.
#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMetaObject>
#include <optional>
#include <thread>
#include <utility>

namespace telmo {

// Texts (in code units) and files (in bytes) from this size on count as big.
inline constexpr qint64 kBigTextSize = qint64(1) << 20;

// Shows the busy cursor for the life of the object, when `on`.
class BusyCursor {
public:
    explicit BusyCursor(bool on) : on_(on) {
        if (on_) QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    }
    ~BusyCursor() {
        if (on_) QGuiApplication::restoreOverrideCursor();
    }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    bool on_;
};

// Returns work(); when `big`, work runs on a thread of its own while the window's event loop turns
// without taking user input, so nothing can change what the work reads. work must touch no widget.
template <typename Fn> auto RunOffUiThread(bool big, Fn&& work) -> decltype(work()) {
    if (!big) return work();
    std::optional<decltype(work())> result;
    QEventLoop loop;
    std::thread worker([&] {
        result.emplace(work());
        QMetaObject::invokeMethod(
            &loop, [&loop] { loop.quit(); }, Qt::QueuedConnection);
    });
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker.join();
    return std::move(*result);
}

} // namespace telmo
