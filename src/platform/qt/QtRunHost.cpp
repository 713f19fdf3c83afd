#include "platform/qt/QtRunHost.h"

#include "platform/PasteLog.h"
#include "platform/PasteSettling.h"
#include "platform/qt/ShellOpen.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMimeData>
#include <QTimer>
#include <limits>

#ifdef TELMO_HAVE_X11
#include "platform/x11/X11Probe.h"
#include "platform/x11/X11Redraws.h"
#include "platform/x11/X11SelectionTraffic.h"
#endif
#ifdef TELMO_HAVE_WIN32
#include "platform/win32/Win32Desktop.h"
#endif

namespace telmo {

struct QtRunHost::ClipboardState {
    std::uint64_t reads = 0; // how often another program took the text we put on the clipboard
    PasteSettling paste;
};

namespace {

constexpr int kPastePollMs = 5;

// Clipboard contents that notice when another program reads them.
class WatchedMimeData : public QMimeData {
public:
    explicit WatchedMimeData(std::shared_ptr<QtRunHost::ClipboardState> state) : state_(std::move(state)) {}

protected:
    QVariant retrieveData(const QString& mimeType, QMetaType type) const override {
        ++state_->reads;
        return QMimeData::retrieveData(mimeType, type);
    }

private:
    std::shared_ptr<QtRunHost::ClipboardState> state_;
};

const char kConfirmText[] = "即将执行脚本。\r\n"
                            "按“确定”以开始执行，按“取消”以返回主界面。\r\n"
                            "脚本执行期间，建议不要操作键盘鼠标。\r\n"
                            "如果需要强制停止执行脚本，请使用任务管理器终止Telmo填表助手。";

} // namespace

QtRunHost::QtRunHost(std::function<void(const QString&)> showTip)
    : showTip_(std::move(showTip)), clipboard_(std::make_shared<ClipboardState>()) {
    clock_.start();
#ifdef TELMO_HAVE_X11
    watchingSelections_ = x11::WatchSelectionTraffic();
#endif
}

QtRunHost::~QtRunHost() {
    waitForPendingPaste();
}

std::uint32_t QtRunHost::timeGetTime() {
    return static_cast<std::uint32_t>(clock_.elapsed());
}

void QtRunHost::processEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtRunHost::waitForEvents(int maxMs) {
    if (maxMs <= 0) {
        processEvents();
        return;
    }
    // The timer wakes the loop when no window event comes first; the loop sleeps meanwhile.
    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    wake.start(maxMs);
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

QDateTime QtRunHost::currentDateTime() {
    return QDateTime::currentDateTime();
}

PasteTraffic QtRunHost::pasteTraffic() const {
#ifdef TELMO_HAVE_X11
    if (watchingSelections_) {
        PasteTraffic t = x11::SelectionTrafficSoFar();
        const x11::Redraws redraws = x11::RedrawsSoFar();
        t.redrawsSeen = redraws.watching;
        t.lastRedrawMs = redraws.lastMs;
        return t;
    }
#endif
    // Without a view of the conversation, the first read of our text is all there is to go by: it
    // counts as long quiet.
    PasteTraffic t;
    t.reads = clipboard_->reads;
    t.lastRequestMs = std::numeric_limits<std::int64_t>::min() / 4;
    return t;
}

void QtRunHost::pasteChordSent() {
    // Only text we serve ourselves can be asked for; someone else's clipboard needs no waiting.
    QClipboard* cb = QGuiApplication::clipboard();
    if (!cb || !cb->ownsClipboard() || !dynamic_cast<const WatchedMimeData*>(cb->mimeData())) return;
#ifdef TELMO_HAVE_X11
    x11::MarkSelectionTraffic();
    x11::WatchFocusedWindowRedraws();
#endif
    clipboard_->paste.chordSent(pasteTraffic(), SteadyMs());
    qCDebug(lcPaste, "paste chord sent");
}

void QtRunHost::waitForPendingPaste() {
    PasteSettling& paste = clipboard_->paste;
    if (!paste.pending()) return;
    const std::int64_t start = SteadyMs();
    for (;;) {
        processEvents();
        // Not even a stop ends this early: a paste that is under way still gets the whole text.
        if (paste.over(pasteTraffic(), SteadyMs(), lagMs_)) break;
        const std::int64_t before = SteadyMs();
        waitForEvents(kPastePollMs);
        // A wait that oversleeps shows how late the machine runs its programs; the lag fades as
        // waits come back on time.
        const std::int64_t late = SteadyMs() - before - kPastePollMs;
        lagMs_ = std::max<std::int64_t>(late, lagMs_ * 7 / 8);
    }
#ifdef TELMO_HAVE_X11
    if (watchingSelections_) x11::PasteOver();
#endif
    qCDebug(lcPaste, "paste served, waited %lld ms (%llu reads, usually %llu; %s; lag %lld ms)",
            static_cast<long long>(SteadyMs() - start), static_cast<unsigned long long>(paste.lastReads()),
            static_cast<unsigned long long>(paste.usualReads(paste.lastReader())),
            paste.lastDrawn() ? "drawn" : "not seen drawn", static_cast<long long>(lagMs_));
}

bool QtRunHost::clipboardClear() {
    QClipboard* cb = QGuiApplication::clipboard();
    if (!cb) return false;
    waitForPendingPaste();
    cb->clear(QClipboard::Clipboard);
    return true;
}

bool QtRunHost::clipboardSetText(const QString& text) {
    QClipboard* cb = QGuiApplication::clipboard();
    if (!cb) return false;
    waitForPendingPaste();
    qCDebug(lcPaste, "clipboard set");
    auto* data = new WatchedMimeData(clipboard_);
    data->setText(text);
    cb->setMimeData(data, QClipboard::Clipboard);
    return cb->ownsClipboard() || QGuiApplication::platformName() != QLatin1String("xcb");
}

bool QtRunHost::shellOpen(const QString& target, int showCmd) {
    waitForPendingPaste();
    return ShellOpen(target, showCmd == SW_SHOWMINIMIZED);
}

void QtRunHost::showTip(const QString& text) {
    waitForPendingPaste();
    if (showTip_) showTip_(text);
    waitForFocusToLeave();
}

bool QtRunHost::confirmRun() {
    QMessageBox box(QMessageBox::Information, QStringLiteral("运行脚本"), QString::fromUtf8(kConfirmText),
                    QMessageBox::Ok | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Cancel);
    const bool ok = box.exec() == QMessageBox::Ok;
    if (ok) waitForFocusToLeave();
    return ok;
}

void QtRunHost::setStopCheck(std::function<bool()> check, int wakeFd) {
    stopCheck_ = std::move(check);
    wake_.reset();
    if (wakeFd >= 0) wake_ = std::make_unique<QSocketNotifier>(wakeFd, QSocketNotifier::Read);
}

bool QtRunHost::stopRequested() {
    return stopCheck_ && stopCheck_();
}

void QtRunHost::waitForFocusToLeave() {
    constexpr int kMaxWaitMs = 1000;
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < kMaxWaitMs) {
        processEvents();
#ifdef TELMO_HAVE_X11
        if (QGuiApplication::platformName() == QLatin1String("xcb")) {
            const std::uintptr_t focus = x11::FocusedWindow();
            if (focus && x11::WindowPid(focus) != QCoreApplication::applicationPid()) return;
            waitForEvents(10);
            continue;
        }
#endif
#ifdef TELMO_HAVE_WIN32
        // Our window may be gone while the system has not yet given the foreground back: input sent
        // meanwhile reaches no program.
        if (win32::ForegroundIsAnotherProgram()) return;
        waitForEvents(10);
        continue;
#endif
        if (!QGuiApplication::focusWindow()) return;
        waitForEvents(10);
    }
}

} // namespace telmo
