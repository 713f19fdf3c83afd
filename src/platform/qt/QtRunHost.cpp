#include "platform/qt/QtRunHost.h"

#include "platform/qt/ShellOpen.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMimeData>
#include <QTimer>

#ifdef TELMO_HAVE_X11
#include "platform/x11/X11Probe.h"
#endif

namespace telmo {

struct QtRunHost::ClipboardState {
    int reads = 0; // how often another program read the text we put on the clipboard
    bool pastePending = false;
    int readsAtChord = 0;
    qint64 chordAtMs = 0;
};

namespace {

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

void QtRunHost::pasteChordSent() {
    // Only text we serve ourselves can be asked for; someone else's clipboard needs no waiting.
    QClipboard* cb = QGuiApplication::clipboard();
    if (!cb || !cb->ownsClipboard() || !dynamic_cast<const WatchedMimeData*>(cb->mimeData())) return;
    clipboard_->pastePending = true;
    clipboard_->readsAtChord = clipboard_->reads;
    clipboard_->chordAtMs = clock_.elapsed();
}

void QtRunHost::waitForPendingPaste() {
    ClipboardState& s = *clipboard_;
    while (s.pastePending && s.reads == s.readsAtChord) {
        const qint64 left = s.chordAtMs + kPasteWaitMs - clock_.elapsed();
        if (left <= 0) break;
        waitForEvents(static_cast<int>(std::min<qint64>(left, 50)));
    }
    s.pastePending = false;
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
    auto* data = new WatchedMimeData(clipboard_);
    data->setText(text);
    cb->setMimeData(data, QClipboard::Clipboard);
    return cb->ownsClipboard() || QGuiApplication::platformName() != QLatin1String("xcb");
}

bool QtRunHost::shellOpen(const QString& target, int showCmd) {
    return ShellOpen(target, showCmd == SW_SHOWMINIMIZED);
}

void QtRunHost::showTip(const QString& text) {
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
        if (!QGuiApplication::focusWindow()) return;
        waitForEvents(10);
    }
}

} // namespace telmo
