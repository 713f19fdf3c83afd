#pragma once
// The layout shared by the typing and message windows: the text box on the left, "确定" above
// "取消" on the right; "确定" writes the prefix and the text as one step.
#include "script/editor/StepDialog.h"

namespace telmo {

class TextStepDialog : public StepDialog {
    Q_OBJECT
public:
    TextBoxW* textBox() const { return TextBoxW1; }

protected:
    TextStepDialog(QWidget* parent, const QString& caption, const QString& prefix);

private:
    TextBoxW* TextBoxW1;
};

} // namespace telmo
