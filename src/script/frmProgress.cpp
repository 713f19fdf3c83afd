#include "script/frmProgress.h"

#include "app/AppFont.h"
#include "platform/WindowPlacement.h"

#include <QCursor>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace telmo {

namespace {

constexpr int kWidth = 320;
// A step line can be a whole document typed by INP; only its start can show anyway.
constexpr qsizetype kLineShown = 200;

QScreen* Primary() {
    return QGuiApplication::primaryScreen();
}

// Device pixels of the primary screen (origin at its top left) from global logical coordinates, and
// back: the input backends count in the former, Qt in the latter.
QPointF ToDevice(QPointF logical) {
    const QScreen* s = Primary();
    return s ? (logical - s->geometry().topLeft()) * s->devicePixelRatio() : logical;
}

QPoint ToLogical(QPoint device) {
    const QScreen* s = Primary();
    return s ? s->geometry().topLeft() + (QPointF(device) / s->devicePixelRatio()).toPoint() : device;
}

QString ShownLine(const QString& line) {
    QString shown = line.left(kLineShown);
    for (QChar& c : shown)
        if (c.category() == QChar::Other_Control) c = u' ';
    return shown;
}

} // namespace

frmProgress::frmProgress()
    // A tool-tip type window is left alone by the window manager: it is never given the focus, it
    // stays above the managed windows, and it stands where it is moved the moment the display server
    // has the request, instead of whenever the window manager gets round to it.
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowDoesNotAcceptFocus) {
    setObjectName("frmProgress");
    setWindowTitle(QStringLiteral("脚本执行进度"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_X11DoNotAcceptFocus);
    setFocusPolicy(Qt::NoFocus);
    setFont(UiFont(9));
    setAutoFillBackground(true);
    setCursor(Qt::SizeAllCursor);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 8);
    layout->setSpacing(4);
    auto label = [&](const char* name) {
        auto* l = new QLabel(this);
        l->setObjectName(name);
        l->setTextFormat(Qt::PlainText);
        l->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(l);
        return l;
    };
    Label1 = label("Label1");
    QFont bold = font();
    bold.setBold(true);
    Label1->setFont(bold);
    Label2 = label("Label2");
    Label3 = label("Label3");
    // The stop keys and the stop button, side by side. Laptops often lack Pause; Esc is on every
    // keyboard, and scripts seldom send it with Shift.
    auto* stopRow = new QHBoxLayout;
    stopRow->setSpacing(8);
    layout->addLayout(stopRow);
    Label4 = new QLabel(QStringLiteral("按 Pause 或 Shift+Esc 键停止"), this);
    Label4->setObjectName("Label4");
    Label4->setTextFormat(Qt::PlainText);
    Label4->setFocusPolicy(Qt::NoFocus);
    stopRow->addWidget(Label4, 1);
    Command1 = new QPushButton(QStringLiteral("停止"), this);
    Command1->setObjectName("Command1");
    Command1->setFocusPolicy(Qt::NoFocus); // a click must not take the focus from the script's window
    Command1->setAutoDefault(false);
    Command1->setCursor(Qt::ArrowCursor);
    stopRow->addWidget(Command1);
    connect(Command1, &QPushButton::clicked, this, [this] { stopClicked_ = true; });
    showPass(0, 0);

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(200);
    connect(Timer1, &QTimer::timeout, this, &frmProgress::Timer1_Timer);

    setFixedSize(kWidth, sizeHint().height());
    // Set while hidden: on a visible window it would also ask for the focus.
    SetTopmost(this);
}

void frmProgress::showProgress() {
    if (!placed_) {
        // Bottom right of the primary screen, until the user drags it elsewhere.
        const QRect area = Primary() ? Primary()->availableGeometry() : QRect(0, 0, 1024, 768);
        move(CornerAvoiding(area, frameGeometry().size(), kMargin, area.topLeft() - QPoint(1, 1))
                 .value_or(area.topLeft()));
        placed_ = true;
    }
    show();
    raise(); // above the windows that came up since it was last shown
}

void frmProgress::showPass(std::int32_t pass, std::int32_t count) {
    Label1->setText(QStringLiteral("第 %1 / %2 遍").arg(pass).arg(count));
}

void frmProgress::setStep(std::int32_t pass, std::int32_t count, int stepIndex, int stepCount,
                          const QString& line) {
    if (pass != pass_ || count != count_ || Timer1->isActive()) {
        Timer1->stop();
        pass_ = pass;
        count_ = count;
        showPass(pass, count);
        const std::int64_t ms = std::int64_t(interval_) * 1000;
        if (pass >= count)
            Label3->setText(QStringLiteral("这是最后一遍"));
        else if (ms <= 0 || ms > INT32_MAX)
            Label3->setText(QStringLiteral("本遍完成后立即开始下一遍"));
        else
            Label3->setText(QStringLiteral("本遍完成后等待 %1 秒开始下一遍").arg(interval_));
    }
    const QString text =
        QStringLiteral("第 %1 / %2 步：%3").arg(stepIndex + 1).arg(stepCount).arg(ShownLine(line));
    const int room = kWidth - layout()->contentsMargins().left() - layout()->contentsMargins().right();
    Label2->setText(Label2->fontMetrics().elidedText(text, Qt::ElideRight, room));
}

void frmProgress::setPassPause(std::int32_t pass, std::int32_t count, std::int32_t ms) {
    pass_ = pass;
    count_ = count;
    showPass(pass, count);
    pauseEnd_ = QDeadlineTimer(std::max(ms, 0));
    Timer1_Timer();
    Timer1->start();
}

void frmProgress::Timer1_Timer() {
    const qint64 left = pauseEnd_.remainingTime();
    const qint64 seconds = (left + 999) / 1000;
    if (pass_ >= count_)
        Label3->setText(QStringLiteral("%1 秒后结束").arg(seconds));
    else
        Label3->setText(QStringLiteral("距第 %1 遍开始还有 %2 秒").arg(pass_ + 1).arg(seconds));
    if (left <= 0) Timer1->stop();
}

QRect frmProgress::screenArea() const {
    if (!isVisible()) return {};
    const QRect frame = frameGeometry();
    const QPointF topLeft = ToDevice(frame.topLeft());
    const QPointF bottomRight = ToDevice(frame.topLeft() + QPoint(frame.width(), frame.height()));
    return QRectF(topLeft, bottomRight).toAlignedRect();
}

std::optional<QPoint> frmProgress::pointerPosition() const {
    return ToDevice(QCursor::pos(Primary())).toPoint();
}

void frmProgress::moveAwayFrom(QPoint point) {
    const QRect area = Primary() ? Primary()->availableGeometry() : QRect(0, 0, 1024, 768);
    const std::optional<QPoint> corner =
        CornerAvoiding(area, frameGeometry().size(), kMargin, ToLogical(point));
    if (!corner) {
        hide(); // the run brings it back with its next step
        return;
    }
    dragOffset_.reset();
    move(*corner);
    // The input that follows goes to the display server on another connection. Asking for the
    // pointer is a round trip on ours, so the server has moved the window before that input comes.
    (void)QCursor::pos(Primary());
}

void frmProgress::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        dragOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
    event->accept();
}

void frmProgress::mouseMoveEvent(QMouseEvent* event) {
    if (dragOffset_ && (event->buttons() & Qt::LeftButton))
        move(event->globalPosition().toPoint() - *dragOffset_);
    event->accept();
}

void frmProgress::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) dragOffset_.reset();
    event->accept();
}

RunOutcome RunScriptWithProgress(const QString& scriptText, const QString& workText,
                                 const RunSettings& settings, InputBackend& input, RunHost& host) {
    frmProgress progress;
    progress.setInterval(settings.interval);
    ProgressRunHost progressHost(host, progress);
    ProgressInput progressInput(input, progress);
    return RunScript(scriptText, workText, settings, progressInput, progressHost);
}

} // namespace telmo
