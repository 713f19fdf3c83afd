#pragma once
// The point picker: a frozen picture of the whole primary screen, shown full-screen above every
// other window; a left click on it gives a MOV step for that pixel, Esc gives nothing.
#include <QDialog>
#include <QPixmap>
#include <optional>

namespace telmo {

class frmSelectPoint : public QDialog {
    Q_OBJECT
public:
    explicit frmSelectPoint(QWidget* parent = nullptr);
    ~frmSelectPoint() override;

    // Shows the picker modally and returns the line it left in StepResult.
    QString ask();

    QString result() const { return result_; }

    // The device pixel under a position given in the window's own (logical) coordinates.
    static QPoint DevicePixel(const QPointF& logical, qreal devicePixelRatio);

    // The clicked pixel from the event's logical position and, on a scaled screen, the window
    // system's own device-pixel position of the pointer: that one is exact, but is only taken when
    // it lies within one logical pixel of the event (the pointer may have moved on since).
    static QPoint ClickedPixel(const QPointF& logical, qreal devicePixelRatio, std::optional<QPoint> native);

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void done(int r) override;

private:
    void restorePointer();

    QPixmap snapshot_;
    QString result_;
    bool pointerOverridden_ = false;
};

} // namespace telmo
