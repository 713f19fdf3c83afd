#pragma once
// The shell command step window: what to open, and whether its window starts minimised.
#include "script/editor/StepDialog.h"

class QRadioButton;

namespace telmo {

class frmCommand : public StepDialog {
    Q_OBJECT
public:
    explicit frmCommand(QWidget* parent = nullptr);
    TextBoxW* textBox() const { return TextBoxW1; }

private:
    TextBoxW* TextBoxW1;
    QRadioButton* Option1_0; // "后台显示": the opened window starts minimised
    QRadioButton* Option1_1; // "前台显示"
};

} // namespace telmo
