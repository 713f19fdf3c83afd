#pragma once
// The typing step window: the text that an INP step types.
#include "script/editor/TextStepDialog.h"

namespace telmo {

class frmInputText : public TextStepDialog {
    Q_OBJECT
public:
    explicit frmInputText(QWidget* parent = nullptr);
};

} // namespace telmo
