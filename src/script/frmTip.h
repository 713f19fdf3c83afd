#pragma once
// The message window of MSG steps: the run waits until the user presses "好的".
#include <QDialog>

class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace telmo {

class frmTip : public QDialog {
public:
    frmTip();
    ~frmTip() override;

    void setMessage(const QString& text);

    QPlainTextEdit* Text1;
    QPushButton* Command1;
    QTimer* Timer1;

private:
    void Timer1_Timer();
};

// Loads the window, shows text in it and waits, modally and without an owner, until it is closed.
void ShowTip(const QString& text);

} // namespace telmo
