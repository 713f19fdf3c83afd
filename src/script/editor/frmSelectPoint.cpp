#include "script/editor/frmSelectPoint.h"

#include "platform/NativePointer.h"
#include "platform/WindowPlacement.h"
#include "script/editor/StepLines.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <cmath>
#include <cstdlib>

namespace telmo {

frmSelectPoint::frmSelectPoint(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmSelectPoint"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    // The picture is painted whole in every paint event, so nothing needs clearing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The main window is hidden while the picker is open: closing the picker (Alt+F4) must not
    // count as closing the program's last window.
    setAttribute(Qt::WA_QuitOnClose, false);
    StepResult().clear();

    QGuiApplication::setOverrideCursor(Qt::CrossCursor);
    pointerOverridden_ = true;

    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen) {
        snapshot_ = screen->grabWindow(0);
        setGeometry(screen->geometry());
    }
    setWindowState(Qt::WindowFullScreen);
}

frmSelectPoint::~frmSelectPoint() {
    restorePointer();
}

QString frmSelectPoint::ask() {
    exec();
    return StepResult();
}

QPoint frmSelectPoint::DevicePixel(const QPointF& logical, qreal devicePixelRatio) {
    // Positions arrive as device pixels divided by the scale factor; the small allowance turns a
    // product such as 1918.9999 back into the pixel it came from.
    constexpr double kAllowance = 1e-4;
    return QPoint(int(std::floor(logical.x() * devicePixelRatio + kAllowance)),
                  int(std::floor(logical.y() * devicePixelRatio + kAllowance)));
}

QPoint frmSelectPoint::ClickedPixel(const QPointF& logical, qreal devicePixelRatio,
                                    std::optional<QPoint> native) {
    const QPoint fromEvent = DevicePixel(logical, devicePixelRatio);
    if (!native) return fromEvent;
    const int reach = int(std::ceil(devicePixelRatio));
    const QPoint d = *native - fromEvent;
    return std::abs(d.x()) <= reach && std::abs(d.y()) <= reach ? *native : fromEvent;
}

void frmSelectPoint::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    SetTopmost(this);
    activateWindow();
}

void frmSelectPoint::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (snapshot_.isNull()) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    painter.drawPixmap(0, 0, snapshot_);
}

void frmSelectPoint::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const qreal ratio = devicePixelRatio();
    // Without scaling the event's position is exact; only a scaled screen needs the window system.
    const std::optional<QPoint> native = ratio != 1 ? PointerPositionInWindow(this) : std::nullopt;
    const QPoint p = ClickedPixel(event->position(), ratio, native);
    result_ = MoveStepLine(p.x(), p.y());
    ClearTopmost(this);
    restorePointer();
    accept();
}

void frmSelectPoint::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Escape) return;
    ClearTopmost(this);
    restorePointer();
    reject();
}

void frmSelectPoint::done(int r) {
    if (r != Accepted) result_.clear();
    StepResult() = result_;
    restorePointer();
    QDialog::done(r);
}

void frmSelectPoint::restorePointer() {
    if (!pointerOverridden_) return;
    pointerOverridden_ = false;
    QGuiApplication::restoreOverrideCursor();
}

} // namespace telmo
