#pragma once
// The progress window of a running script: a small window in a corner of the screen, above every
// other window, that shows how far the run is and how to stop it. It never takes the keyboard focus,
// so the script's keys keep going where they went without it; a click on its stop button ends the
// run, and the user may drag it aside by the rest of it.
#include "script/RunProgress.h"
#include "script/ScriptRunner.h"

#include <QDeadlineTimer>
#include <QWidget>

class QLabel;
class QPushButton;
class QTimer;

namespace telmo {

class frmProgress : public QWidget, public ProgressDisplay {
public:
    frmProgress();

    // The pause after every pass, in seconds, as the run settings give it.
    void setInterval(std::int32_t seconds) { interval_ = seconds; }

    void showProgress() override;
    void hideProgress() override { hide(); }
    bool progressShown() const override { return isVisible(); }
    void setStep(std::int32_t pass, std::int32_t count, int stepIndex, int stepCount,
                 const QString& line) override;
    void setPassPause(std::int32_t pass, std::int32_t count, std::int32_t ms) override;
    QRect screenArea() const override;
    std::optional<QPoint> pointerPosition() const override;
    void moveAwayFrom(QPoint point) override;
    bool stopClicked() const override { return stopClicked_; }

    QLabel* Label1;        // the pass
    QLabel* Label2;        // the step
    QLabel* Label3;        // the time to the next pass
    QLabel* Label4;        // how to stop
    QPushButton* Command1; // stops the run
    QTimer* Timer1;        // counts the pause down

    // Distance from the screen's edges.
    static constexpr int kMargin = 12;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void showPass(std::int32_t pass, std::int32_t count);
    void Timer1_Timer();

    std::int32_t interval_ = 1;
    std::int32_t pass_ = 0, count_ = 0;
    QDeadlineTimer pauseEnd_;
    bool placed_ = false;
    bool stopClicked_ = false;
    std::optional<QPoint> dragOffset_;
};

// RunScript with the progress window: the run's host and input are wrapped so that the window follows
// the run, stays out of the way of its message window and confirmation, and moves aside before the
// pointer would land on it. Needs a QApplication.
RunOutcome RunScriptWithProgress(const QString& scriptText, const QString& workText,
                                 const RunSettings& settings, InputBackend& input, RunHost& host);

} // namespace telmo
