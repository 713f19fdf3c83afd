#pragma once
// The pause step window: a number of milliseconds, digits only.
#include "script/editor/StepDialog.h"

namespace telmo {

class frmHold : public StepDialog {
    Q_OBJECT
public:
    explicit frmHold(QWidget* parent = nullptr);
    TextBoxW* textBox() const { return TextBoxW1; }

private:
    TextBoxW* TextBoxW1;
};

} // namespace telmo
